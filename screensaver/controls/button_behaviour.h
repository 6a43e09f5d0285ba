#pragma once

// How the Command button reacts to the pointer, the mouse buttons, the
// keyboard focus and its hover timer: the state it moves to, the frame
// picture it paints, and when it raises Click. Nothing here paints; the
// control performs the reaction.

#include <cstdint>
#include <optional>

namespace controls {

// The interaction state (one byte; the members follow the frame pictures).
enum class ButtonState : std::uint8_t {
    Uninitialised = 0,   // Initialize has not run
    Normal = 1,          // not focused, pointer not over the control
    HighLight = 2,       // pointer over the control, not focused
    Selected = 3,        // focused, pointer not over the control
    HighLightSelect = 4, // focused and pointer over the control
};

// The six frame pictures, in the order the control holds them. Pressed and
// Disable are looks only; no state stands for them.
enum class FramePicture : std::uint8_t {
    HighLight,
    Pressed,
    Normal,
    Disable,
    HighLightSelect,
    Selected,
};
inline constexpr int kFramePictureCount = 6;

// The part of the control's fields the reactions read and change.
struct Interaction {
    bool EnabledFlag = false; // every reaction but the tick and the size is skipped while false
    ButtonState CurrentState = ButtonState::Uninitialised;
    bool MouseDownFlag = false; // the left button went down on the control and is not up yet
};

// The buttons as mouse events name them.
inline constexpr int kLeftButton = 1;

// Where the hover timer found the pointer.
enum class PointerPlace {
    OverControl,  // the control's own window (its caption included)
    OverHostForm, // the window of the form that hosts the control
    Elsewhere,    // any other window, or the window could not be compared
};

enum class ButtonEventKind {
    PointerMoved,   // over the surface or the caption
    ButtonPressed,  // with the button
    ButtonReleased, // with the button
    FocusGained,
    FocusLost,
    HoverTick, // with the pointer's place
    SizeChanged,
};

struct ButtonEvent {
    ButtonEventKind kind = ButtonEventKind::PointerMoved;
    int button = 0;
    PointerPlace place = PointerPlace::OverControl;
};

struct Reaction {
    std::optional<FramePicture> paint; // the picture PaintFace paints, if any
    bool click = false;                // raise Click (after painting)
};

// Applies one event to the interaction and says what to paint and whether
// to click. A size change paints the enabled look (Normal, or Disable while
// disabled), whatever the state.
Reaction React(Interaction& interaction, const ButtonEvent& event);

} // namespace controls
