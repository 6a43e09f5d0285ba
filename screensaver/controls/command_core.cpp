#include "command_core.h"

#include "runtime/conversions.h"

namespace controls {

namespace {

using runtime::PropertyValue;

constexpr unsigned kHoverIntervalMs = 100;
constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
constexpr std::uint32_t kHighestSystemColour = 30; // the menu bar's colour

// Background styles as the store holds them.
constexpr std::int64_t kTransparent = 0;
constexpr std::int64_t kOpaque = 1;

std::optional<std::int64_t> WholeNumberIn(const PropertyValue& value, std::int64_t low,
                                          std::int64_t high) {
    const auto number = runtime::PropertyAsNumber(value);
    if (!number) {
        return std::nullopt;
    }
    const auto whole = runtime::RoundToInt32(*number);
    if (!whole || *whole < low || *whole > high) {
        return std::nullopt;
    }
    return *whole;
}

} // namespace

bool IsColourValue(std::uint32_t value) {
    if ((value & kSystemColourFlag) != 0) {
        return (value & ~kSystemColourFlag) <= kHighestSystemColour;
    }
    return value <= 0x00FFFFFFu;
}

std::uint8_t CommandCore::Visible() {
    if (!m_parts.Opaque()) {
        return 0;
    }
    RestoreNormalLook();
    return 255;
}

void CommandCore::SetVisible(std::uint8_t New_Visible) {
    m_parts.SetOpaque(New_Visible != 0);
    if (New_Visible != 0) {
        RestoreNormalLook();
    }
    m_parts.NotifyPropertyChanged("Visible");
}

std::uint32_t CommandCore::FontColour() {
    const std::uint32_t colour = m_parts.CaptionColour();
    RestoreNormalLook();
    return colour;
}

void CommandCore::SetFontColour(std::uint32_t New_FontColour) {
    if (!IsColourValue(New_FontColour)) {
        // Refused: the look is restored and nothing is reported changed.
        RestoreNormalLook();
        return;
    }
    m_parts.SetCaptionColour(New_FontColour);
    RestoreNormalLook();
    m_parts.NotifyPropertyChanged("FontColour");
}

bool CommandCore::Enabled() {
    if (m_first_run == 0) {
        RestoreNormalLook();
        m_first_run = 1;
        m_interaction.EnabledFlag = true;
    }
    const bool enabled = m_interaction.EnabledFlag;
    ApplyEnabledLook();
    return enabled;
}

void CommandCore::SetEnabled(bool New_Enabled) {
    m_interaction.EnabledFlag = New_Enabled;
    m_parts.NotifyPropertyChanged("Enabled");
    ApplyEnabledLook();
}

void CommandCore::SetCaption(std::string_view New_Caption) {
    m_parts.SetCaptionText(New_Caption);
    m_parts.NotifyPropertyChanged("Caption");
}

void CommandCore::Initialize() {
    m_interaction.CurrentState = ButtonState::Normal;
    m_parts.StartHoverTimer(kHoverIntervalMs);
}

void CommandCore::ReadProperties(const runtime::PropertyBag& stored) {
    // A value that does not convert leaves what the control had.
    if (const auto enabled = runtime::PropertyAsBool(stored.Read("Enabled", true))) {
        m_interaction.EnabledFlag = *enabled;
    }
    if (const auto caption =
            runtime::PropertyAsText(stored.Read("Caption", std::string("Command1")))) {
        m_parts.SetCaptionText(*caption);
    }
    // Only a stored font's face name is taken over; size, weight, style and
    // character set stay the caption's own.
    if (const auto face = runtime::PropertyAsText(stored.Read("Font", m_parts.HostFont()))) {
        m_parts.SetCaptionFace(*face);
    }
    if (const auto first_run = WholeNumberIn(stored.Read("FirstRun", std::string("1")), 0, 255)) {
        m_first_run = static_cast<std::uint8_t>(*first_run);
    }
    if (const auto colour =
            WholeNumberIn(stored.Read("FontColour", std::string("0")), INT32_MIN, INT32_MAX)) {
        const auto value = static_cast<std::uint32_t>(static_cast<std::int32_t>(*colour));
        if (IsColourValue(value)) {
            m_parts.SetCaptionColour(value);
        }
    }
    if (const auto style =
            WholeNumberIn(stored.Read("Visible", std::string("1")), kTransparent, kOpaque)) {
        m_parts.SetOpaque(*style == kOpaque);
    }
    RestoreNormalLook();
}

void CommandCore::WriteProperties(runtime::PropertyBag& store) {
    store.Write("Enabled", m_interaction.EnabledFlag, true);
    store.Write("Caption", m_parts.CaptionText(), std::string("Command"));
    store.Write("FirstRun", std::int64_t{m_first_run}, std::string("1"));
    store.Write("Font", m_parts.CaptionFont(), m_parts.HostFont());
    store.Write("FontColour", std::int64_t{static_cast<std::int32_t>(m_parts.CaptionColour())},
                std::string("0"));
    store.Write("Visible", m_parts.Opaque() ? kOpaque : kTransparent, std::string("1"));
    RestoreNormalLook();
}

void CommandCore::Handle(const ButtonEvent& event) {
    if (event.kind == ButtonEventKind::SizeChanged) {
        ApplyEnabledLook(); // the caption's enabled state follows too
        return;
    }
    const Reaction reaction = React(m_interaction, event);
    if (reaction.paint) {
        PaintFace(*reaction.paint);
    }
    if (reaction.click) {
        m_parts.RaiseClick();
    }
}

void CommandCore::PaintFace(FramePicture picture) {
    m_hover_scheme = HoverSchemeFor(m_interaction.CurrentState, m_hover_scheme);
    const double width = m_parts.SurfaceWidth();
    const double height = m_parts.SurfaceHeight();
    m_geometry.Update(width, height);
    m_parts.ClearSurface();
    PaintGradient();
    for (const FramePiece& piece : FramePieces(m_geometry)) {
        m_parts.CopyPiece(picture, piece);
    }
    m_parts.ShowSurface();
    m_parts.PlaceCaption(0, CaptionTop(height, m_parts.CaptionHeight()), width);
}

void CommandCore::PaintGradient() {
    m_parts.FillGradient(GradientFor(m_hover_scheme, m_parts.PixelWidth(), m_parts.PixelHeight()));
    m_parts.ShowSurface();
}

void CommandCore::ApplyEnabledLook() {
    if (m_interaction.EnabledFlag) {
        PaintFace(FramePicture::Normal);
        m_parts.SetCaptionEnabled(true);
    } else {
        PaintFace(FramePicture::Disable);
        m_parts.SetCaptionEnabled(false);
    }
}

void CommandCore::RestoreNormalLook() {
    if (!m_interaction.EnabledFlag) {
        return;
    }
    m_parts.SetCaptionEnabled(true);
    if (m_first_run == 0) {
        m_parts.SetCaptionColour(0); // black until the first-run defaults are applied
    }
    PaintFace(FramePicture::Normal);
}

} // namespace controls
