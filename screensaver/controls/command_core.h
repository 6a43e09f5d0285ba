#pragma once

// The Command button's own logic: its fields, its properties with their
// repaints and change notices, saving and restoring them through the host's
// property store, the looks it paints, and its reactions to the mouse, the
// focus and its hover timer. The control's constituents (its surface, the
// caption label LblMsg, the hover timer TmrMouse) and its host are reached
// through CommandParts, which the Win32 control implements.

#include <cstdint>
#include <string>
#include <string_view>

#include "button_behaviour.h"
#include "face_layout.h"
#include "runtime/property_bag.h"

namespace controls {

class CommandParts {
public:
    virtual ~CommandParts() = default;

    // The drawing surface: its size in twips and in pixels, clearing it to its
    // background colour, the gradient, copying a frame piece of a picture,
    // showing what was drawn, and its background style (opaque or transparent).
    virtual double SurfaceWidth() const = 0; // twips
    virtual double SurfaceHeight() const = 0;
    virtual int PixelWidth() const = 0;
    virtual int PixelHeight() const = 0;
    virtual void ClearSurface() = 0;
    virtual void FillGradient(const FaceGradient& gradient) = 0;
    virtual void CopyPiece(FramePicture picture, const FramePiece& piece) = 0;
    virtual void ShowSurface() = 0;
    virtual bool Opaque() const = 0;
    virtual void SetOpaque(bool opaque) = 0;

    // The caption label (twips; text UTF-8; colours 0x00BBGGRR or system colours).
    virtual std::string CaptionText() const = 0;
    virtual void SetCaptionText(std::string_view caption) = 0;
    virtual runtime::FontDescription CaptionFont() const = 0;
    virtual void SetCaptionFace(std::string_view face) = 0;
    virtual std::uint32_t CaptionColour() const = 0;
    virtual void SetCaptionColour(std::uint32_t colour) = 0;
    virtual void SetCaptionEnabled(bool enabled) = 0;
    virtual double CaptionHeight() const = 0;
    virtual void PlaceCaption(double left, double top, double width) = 0;

    // The hover timer: on, ticking every interval.
    virtual void StartHoverTimer(unsigned interval_ms) = 0;

    // The host: its font, its notice that a saved property changed, Click.
    virtual runtime::FontDescription HostFont() const = 0;
    virtual void NotifyPropertyChanged(std::string_view name) = 0;
    virtual void RaiseClick() = 0;
};

// Whether a value names a colour: 0x00BBGGRR, or a system colour (the high
// bit set and an index the system knows). Anything else is refused.
bool IsColourValue(std::uint32_t value);

class CommandCore {
public:
    explicit CommandCore(CommandParts& parts) : m_parts(parts) {}

    // The instance fields, all zero when the control is made.
    Interaction& Fields() { return m_interaction; }
    bool EnabledFlag() const { return m_interaction.EnabledFlag; }
    ButtonState CurrentState() const { return m_interaction.CurrentState; }
    bool MouseDownFlag() const { return m_interaction.MouseDownFlag; }
    std::uint8_t FirstRunFlag() const { return m_first_run; }
    bool HoverScheme() const { return m_hover_scheme; }

    // Visible: the surface's background style. Reading an opaque surface
    // gives 255 and repaints the normal look; a transparent one gives 0.
    std::uint8_t Visible();
    void SetVisible(std::uint8_t New_Visible);
    // FontColour: the caption's colour; reading it repaints too.
    std::uint32_t FontColour();
    void SetFontColour(std::uint32_t New_FontColour);
    // Enabled: the first read of a control without stored properties turns
    // it on; every read and write paints the normal or the disabled look.
    bool Enabled();
    void SetEnabled(bool New_Enabled);
    // Caption: the caption label's text.
    std::string Caption() const { return m_parts.CaptionText(); }
    void SetCaption(std::string_view New_Caption);

    // The hover timer on, state Normal; nothing is painted.
    void Initialize();

    // The host restores and saves the properties through its store.
    void ReadProperties(const runtime::PropertyBag& stored);
    void WriteProperties(runtime::PropertyBag& store);

    // One event from the surface, the caption, the focus, the timer or a resize.
    void Handle(const ButtonEvent& event);

    // Repaints the whole control with a picture's frame.
    void PaintFace(FramePicture picture);
    // The normal or the disabled look, as EnabledFlag says.
    void ApplyEnabledLook();
    // The caption enabled and the normal look, if the control is enabled.
    void RestoreNormalLook();

private:
    void PaintGradient();

    CommandParts& m_parts;
    Interaction m_interaction;
    std::uint8_t m_first_run = 0; // 1 once the first-run defaults are applied; saved as FirstRun
    bool m_hover_scheme = false;  // the inverted face gradient
    FaceGeometry m_geometry;      // the pieces of the last repaint
};

} // namespace controls
