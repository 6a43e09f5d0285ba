#pragma once

// A Command button's constituents without a platform: it remembers what was
// painted (one repaint per PaintFace), the caption label's state, the
// property-changed notices and the clicks.

#include <optional>
#include <string>
#include <vector>

#include "command_core.h"

class FakeCommandParts : public controls::CommandParts {
public:
    double width_twips = 1215;
    double height_twips = 375;
    bool opaque = true;
    std::string caption = "Command";
    runtime::FontDescription font{"ＭＳ Ｐゴシック", 9.75, 400, false, false, false, 128};
    runtime::FontDescription host_font{"Tahoma", 8.25, 400, false, false, false, 0};
    std::uint32_t colour = 0;
    bool caption_enabled = true;
    double caption_top = 90;
    unsigned hover_interval = 0; // 0 while the timer is off
    std::vector<std::string> notices;
    int clicks = 0;

    // One entry per repaint: the picture whose frame was painted.
    std::vector<controls::FramePicture> repaints;
    std::optional<controls::FaceGradient> last_gradient;
    std::vector<controls::FramePiece> last_pieces;

    double SurfaceWidth() const override { return width_twips; }
    double SurfaceHeight() const override { return height_twips; }
    int PixelWidth() const override { return static_cast<int>(width_twips / 15); }
    int PixelHeight() const override { return static_cast<int>(height_twips / 15); }
    void ClearSurface() override { m_pieces_started = false; }
    void FillGradient(const controls::FaceGradient& gradient) override { last_gradient = gradient; }
    void CopyPiece(controls::FramePicture picture, const controls::FramePiece& piece) override {
        if (!m_pieces_started) {
            m_pieces_started = true;
            repaints.push_back(picture);
            last_pieces.clear();
        }
        last_pieces.push_back(piece);
    }
    void ShowSurface() override {}
    bool Opaque() const override { return opaque; }
    void SetOpaque(bool value) override { opaque = value; }
    std::string CaptionText() const override { return caption; }
    void SetCaptionText(std::string_view text) override { caption = std::string(text); }
    runtime::FontDescription CaptionFont() const override { return font; }
    void SetCaptionFace(std::string_view face) override { font.face = std::string(face); }
    std::uint32_t CaptionColour() const override { return colour; }
    void SetCaptionColour(std::uint32_t value) override { colour = value; }
    void SetCaptionEnabled(bool enabled) override { caption_enabled = enabled; }
    double CaptionHeight() const override { return 195; }
    void PlaceCaption(double, double top, double) override { caption_top = top; }
    void StartHoverTimer(unsigned interval_ms) override { hover_interval = interval_ms; }
    runtime::FontDescription HostFont() const override { return host_font; }
    void NotifyPropertyChanged(std::string_view name) override { notices.emplace_back(name); }
    void RaiseClick() override { ++clicks; }

private:
    bool m_pieces_started = false;
};
