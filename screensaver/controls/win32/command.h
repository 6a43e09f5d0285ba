#pragma once

// The Command button (Velmoran.Command): the screensaver program's own push
// button, a user control that draws itself completely: a vertical gradient
// face, a 4-pixel frame cut from one of six 64 x 25 state pictures and
// stretched to the control's size, and a centred caption. Its hover timer
// ends the hover look within 100 ms of the pointer leaving. Its logic lives
// in CommandCore; this class is its surface, its constituents and the
// platform's events.

#include <cstdint>
#include <string>
#include <string_view>

#include "command_core.h"
#include "runtime/win32/label.h"
#include "runtime/win32/picture.h"
#include "runtime/win32/timer.h"
#include "runtime/win32/user_control.h"

class Command : public runtime::UserControl, private controls::CommandParts {
public:
    // A new instance: 1755 x 420 twips, no stored properties (so disabled
    // until Enabled is first read), the hover timer off until Initialize.
    Command(runtime::Container& host, std::string name, int index = -1);

    // The constituents, in the order they are made.
    runtime::Timer TmrMouse;
    runtime::PictureRef HighLight; // the frame pictures, never shown themselves
    runtime::PictureRef Pressed;
    runtime::PictureRef Normal;
    runtime::Label LblMsg; // the caption
    runtime::PictureRef Disable;
    runtime::PictureRef HighLightSelect;
    runtime::PictureRef Selected;

    // Raised when a release ends a click (see the behaviour's rules).
    runtime::Event<> Click;

    // The properties. Visible is the surface's background style (255 opaque,
    // 0 transparent), not whether the window shows.
    std::uint8_t Visible() { return m_core.Visible(); }
    void SetVisible(std::uint8_t New_Visible) { m_core.SetVisible(New_Visible); }
    std::uint32_t FontColour() { return m_core.FontColour(); }
    void SetFontColour(std::uint32_t New_FontColour) { m_core.SetFontColour(New_FontColour); }
    bool Enabled() { return m_core.Enabled(); }
    void SetEnabled(bool New_Enabled) { m_core.SetEnabled(New_Enabled); }
    std::string Caption() const { return m_core.Caption(); }
    void SetCaption(std::string_view New_Caption) { m_core.SetCaption(New_Caption); }
    // The caption's font object itself; setting it shares the object given.
    const runtime::FontRef& Font() const { return LblMsg.GetFont(); }
    void SetFont(runtime::FontRef New_Font);

    void Initialize() { m_core.Initialize(); }

    // The fields, as the control's logic holds them.
    const controls::CommandCore& Core() const { return m_core; }

protected:
    void ReadProperties(const runtime::PropertyBag& stored) override;
    void WriteProperties(runtime::PropertyBag& store) override;

    void UserControl_Resize() override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_MouseDown(const runtime::MouseEventArgs& args) override;
    void UserControl_MouseMove(const runtime::MouseEventArgs& args) override;
    void UserControl_MouseUp(const runtime::MouseEventArgs& args) override;

private:
    void TmrMouse_Timer();
    const runtime::PictureRef& PictureOf(controls::FramePicture picture) const;

    // CommandParts
    double SurfaceWidth() const override { return ScaleWidth(); }
    double SurfaceHeight() const override { return ScaleHeight(); }
    int PixelWidth() const override { return ClientSize().cx; }
    int PixelHeight() const override { return ClientSize().cy; }
    void ClearSurface() override { Cls(); }
    void FillGradient(const controls::FaceGradient& gradient) override;
    void CopyPiece(controls::FramePicture picture, const controls::FramePiece& piece) override;
    void ShowSurface() override { Invalidate(); }
    bool Opaque() const override { return GetBackStyle() == runtime::BackStyle::Opaque; }
    void SetOpaque(bool opaque) override;
    std::string CaptionText() const override { return LblMsg.Caption(); }
    void SetCaptionText(std::string_view caption) override { LblMsg.SetCaption(caption); }
    runtime::FontDescription CaptionFont() const override { return Font()->Description(); }
    void SetCaptionFace(std::string_view face) override { Font()->SetFace(std::string(face)); }
    std::uint32_t CaptionColour() const override { return LblMsg.ForeColor(); }
    void SetCaptionColour(std::uint32_t colour) override { LblMsg.SetForeColor(colour); }
    void SetCaptionEnabled(bool enabled) override { LblMsg.SetEnabled(enabled); }
    double CaptionHeight() const override;
    void PlaceCaption(double left, double top, double width) override;
    void StartHoverTimer(unsigned interval_ms) override;
    runtime::FontDescription HostFont() const override { return AmbientFont(); }
    void NotifyPropertyChanged(std::string_view name) override { PropertyChanged(name); }
    void RaiseClick() override { Click(); }

    controls::CommandCore m_core;
};
