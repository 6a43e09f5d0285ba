#include "command.h"

#include <windows.h>

#include "resource_ids.h"
#include "runtime/twips.h"
#include "runtime/win32/form.h"
#include "texts/win32/user_texts.h"

using namespace controls;
using runtime::MouseEventArgs;

namespace {

// Sizes in twips.
constexpr double kNewWidth = 1755;
constexpr double kNewHeight = 420;
constexpr double kCaptionTop = 90;
constexpr double kCaptionWidth = 1635;
constexpr double kCaptionHeight = 195; // never changed at run time

// The caption's font before a stored one's face is taken over: the font of
// the user's language (ＭＳ Ｐゴシック at 9.75 points on a Japanese system).
runtime::FontDescription LanguageCaptionFont() {
    const TextFont& font = UserTexts().font;
    return runtime::FontDescription{
        std::string(font.face), font.points, FW_NORMAL, false, false, false, font.charset};
}

// The state pictures are laid out at 15 twips per pixel, whatever the screen.
RECT PictureRect(const TwipsRect& twips) {
    const runtime::Scale picture{runtime::ScaleMode::Twips, runtime::kDesignDpi};
    const int x = picture.ToPixels(twips.x);
    const int y = picture.ToPixels(twips.y);
    return RECT{x, y, x + picture.ToPixels(twips.width), y + picture.ToPixels(twips.height)};
}

} // namespace

Command::Command(runtime::Container& host, std::string name, int index)
    : UserControl(host, std::move(name), index), TmrMouse(*this, "TmrMouse", 100, false),
      HighLight(runtime::Picture::FromResource(IDB_COMMAND_HIGHLIGHT)),
      Pressed(runtime::Picture::FromResource(IDB_COMMAND_PRESSED)),
      Normal(runtime::Picture::FromResource(IDB_COMMAND_NORMAL)), LblMsg(*this, "LblMsg"),
      Disable(runtime::Picture::FromResource(IDB_COMMAND_DISABLE)),
      HighLightSelect(runtime::Picture::FromResource(IDB_COMMAND_HIGHLIGHT_SELECT)),
      Selected(runtime::Picture::FromResource(IDB_COMMAND_SELECTED)), m_core(*this) {
    // A surface that keeps what is painted on it; the face is never painted
    // in a paint handler, only by the repaints the logic asks for.
    SetAutoRedraw(true);
    Move(0, 0, kNewWidth, kNewHeight);
    LblMsg.SetCaption("Command");
    LblMsg.Move(0, kCaptionTop, kCaptionWidth, kCaptionHeight);
    LblMsg.SetAlignment(runtime::Alignment::Center);
    LblMsg.SetBackStyle(runtime::BackStyle::Transparent);
    LblMsg.SetForeColor(0);
    LblMsg.SetWordWrap(false);
    LblMsg.SetFont(runtime::MakeFont(LanguageCaptionFont()));
    // The caption behaves exactly like the rest of the face.
    LblMsg.MouseDown = [this](const MouseEventArgs& args) { UserControl_MouseDown(args); };
    LblMsg.MouseMove = [this](const MouseEventArgs& args) { UserControl_MouseMove(args); };
    LblMsg.MouseUp = [this](const MouseEventArgs& args) { UserControl_MouseUp(args); };
    TmrMouse.Tick = [this] { TmrMouse_Timer(); };
}

void Command::SetFont(runtime::FontRef New_Font) {
    LblMsg.SetFont(std::move(New_Font));
    PropertyChanged("Font");
}

void Command::ReadProperties(const runtime::PropertyBag& stored) {
    m_core.ReadProperties(stored);
}

void Command::WriteProperties(runtime::PropertyBag& store) {
    m_core.WriteProperties(store);
}

void Command::UserControl_Resize() {
    m_core.Handle(ButtonEvent{ButtonEventKind::SizeChanged});
}

void Command::UserControl_GotFocus() {
    m_core.Handle(ButtonEvent{ButtonEventKind::FocusGained});
}

void Command::UserControl_LostFocus() {
    m_core.Handle(ButtonEvent{ButtonEventKind::FocusLost});
}

void Command::UserControl_MouseDown(const MouseEventArgs& args) {
    m_core.Handle(ButtonEvent{ButtonEventKind::ButtonPressed, args.button});
}

void Command::UserControl_MouseMove(const MouseEventArgs&) {
    m_core.Handle(ButtonEvent{ButtonEventKind::PointerMoved});
}

void Command::UserControl_MouseUp(const MouseEventArgs& args) {
    m_core.Handle(ButtonEvent{ButtonEventKind::ButtonReleased, args.button});
}

void Command::TmrMouse_Timer() {
    // The caption has no window of its own: over it, the window is the control's.
    PointerPlace place = PointerPlace::Elsewhere;
    POINT pointer{};
    if (GetCursorPos(&pointer)) {
        HWND under = WindowFromPoint(pointer);
        HWND form = OwningForm().Hwnd();
        if (under != nullptr && under == Hwnd()) {
            place = PointerPlace::OverControl;
        } else if (under != nullptr && under == form) {
            place = PointerPlace::OverHostForm;
        }
    }
    m_core.Handle(ButtonEvent{ButtonEventKind::HoverTick, 0, place});
}

const runtime::PictureRef& Command::PictureOf(FramePicture picture) const {
    switch (picture) {
    case FramePicture::HighLight:
        return HighLight;
    case FramePicture::Pressed:
        return Pressed;
    case FramePicture::Normal:
        return Normal;
    case FramePicture::Disable:
        return Disable;
    case FramePicture::HighLightSelect:
        return HighLightSelect;
    case FramePicture::Selected:
        break;
    }
    return Selected;
}

void Command::FillGradient(const FaceGradient& gradient) {
    HDC dc = hDC();
    if (dc == nullptr) {
        return;
    }
    TRIVERTEX vertices[2];
    for (int i = 0; i < 2; ++i) {
        const GradientVertex& v = gradient.vertices[static_cast<std::size_t>(i)];
        vertices[i] = TRIVERTEX{v.x, v.y, v.colour.red, v.colour.green, v.colour.blue, 0};
    }
    GRADIENT_RECT rectangle{gradient.upper_left, gradient.lower_right};
    GradientFill(dc, vertices, 2, &rectangle, 1, GRADIENT_FILL_RECT_V);
}

void Command::CopyPiece(FramePicture picture, const FramePiece& piece) {
    const runtime::PictureRef& source = PictureOf(picture);
    HDC dc = hDC();
    if (source == nullptr || dc == nullptr) {
        return;
    }
    const runtime::Scale surface = CurrentScale();
    const int x = surface.ToPixels(piece.destination.x);
    const int y = surface.ToPixels(piece.destination.y);
    const RECT destination{x, y, x + surface.ToPixels(piece.destination.width),
                           y + surface.ToPixels(piece.destination.height)};
    source->Draw(dc, destination, PictureRect(piece.source));
}

void Command::SetOpaque(bool opaque) {
    SetBackStyle(opaque ? runtime::BackStyle::Opaque : runtime::BackStyle::Transparent);
}

double Command::CaptionHeight() const {
    return kCaptionHeight;
}

void Command::PlaceCaption(double left, double top, double width) {
    LblMsg.Move(left, top, width, kCaptionHeight);
}

void Command::StartHoverTimer(unsigned interval_ms) {
    TmrMouse.SetEnabled(true);
    TmrMouse.SetInterval(interval_ms);
}
