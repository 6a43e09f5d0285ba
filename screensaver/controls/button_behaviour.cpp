#include "button_behaviour.h"

namespace controls {

namespace {

using State = ButtonState;

Reaction Paint(FramePicture picture) {
    return Reaction{picture, false};
}

Reaction PointerMoved(Interaction& i) {
    if (i.CurrentState == State::Normal) {
        i.CurrentState = State::HighLight;
        return Paint(FramePicture::HighLight);
    }
    // While the left button is held a focused control keeps its focused look.
    if (i.CurrentState == State::Selected && !i.MouseDownFlag) {
        i.CurrentState = State::HighLightSelect;
        return Paint(FramePicture::HighLightSelect);
    }
    return {};
}

Reaction ButtonPressed(Interaction& i, int button) {
    if (button != kLeftButton) {
        return {};
    }
    i.MouseDownFlag = true;
    return Paint(FramePicture::Pressed);
}

Reaction ButtonReleased(Interaction& i, int button) {
    Reaction reaction;
    if (button == kLeftButton) {
        i.MouseDownFlag = false;
        if (i.CurrentState == State::HighLight) {
            reaction.paint = FramePicture::Normal;
        } else if (i.CurrentState == State::HighLightSelect) {
            reaction.paint = FramePicture::HighLightSelect;
        }
    }
    // A press that the hover timer moved off the control (now Selected) is cancelled.
    reaction.click = i.CurrentState != State::Selected && i.EnabledFlag;
    return reaction;
}

Reaction FocusGained(Interaction& i) {
    if (i.CurrentState != State::HighLight) {
        i.CurrentState = State::Selected;
        return Paint(FramePicture::Selected);
    }
    // A press on a hovered control that did not have the focus.
    i.CurrentState = State::HighLightSelect;
    return Paint(FramePicture::Pressed);
}

Reaction FocusLost(Interaction& i) {
    if (i.CurrentState == State::Normal) {
        return {};
    }
    i.CurrentState = State::Normal;
    return Paint(FramePicture::Normal);
}

Reaction HoverEnded(Interaction& i) {
    if (!i.EnabledFlag) {
        return {};
    }
    if (i.CurrentState == State::HighLight) {
        i.CurrentState = State::Normal;
        return Paint(FramePicture::Normal);
    }
    if (i.CurrentState == State::HighLightSelect) {
        i.CurrentState = State::Selected;
        return Paint(FramePicture::Selected);
    }
    return {};
}

} // namespace

Reaction React(Interaction& interaction, const ButtonEvent& event) {
    // The hover tick and the size change run whatever EnabledFlag says.
    switch (event.kind) {
    case ButtonEventKind::HoverTick:
        return event.place == PointerPlace::OverControl ? Reaction{} : HoverEnded(interaction);
    case ButtonEventKind::SizeChanged:
        return Paint(interaction.EnabledFlag ? FramePicture::Normal : FramePicture::Disable);
    default:
        break;
    }
    if (!interaction.EnabledFlag) {
        return {};
    }
    switch (event.kind) {
    case ButtonEventKind::PointerMoved:
        return PointerMoved(interaction);
    case ButtonEventKind::ButtonPressed:
        return ButtonPressed(interaction, event.button);
    case ButtonEventKind::ButtonReleased:
        return ButtonReleased(interaction, event.button);
    case ButtonEventKind::FocusGained:
        return FocusGained(interaction);
    case ButtonEventKind::FocusLost:
        return FocusLost(interaction);
    default:
        return {};
    }
}

} // namespace controls
