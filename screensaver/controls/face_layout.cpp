#include "face_layout.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/conversions.h"

namespace controls {

namespace {

// Frame pieces are cut 60 twips (4 pixels) deep; 840 x 255 twips of edge
// (56 x 17 pixels) are stretched along the sides.
constexpr double kDepth = 60;
constexpr double kEdgeStripWidth = 840;
constexpr double kEdgeStripHeight = 255;
constexpr double kPictureRight = 900;  // the picture's right-hand pieces
constexpr double kPictureBottom = 315; // the picture's bottom pieces

void TakeIfItFits(std::int16_t& field, double value) {
    if (const auto rounded = runtime::RoundToInt16(value)) {
        field = *rounded;
    }
}

} // namespace

void FaceGeometry::Update(double width, double height) {
    TakeIfItFits(edge_width, width - 120);
    TakeIfItFits(edge_height, height - 120);
    TakeIfItFits(right, width - 60);
    TakeIfItFits(bottom, height - 60);
}

std::array<FramePiece, 8> FramePieces(const FaceGeometry& g) {
    const double w = g.edge_width;
    const double h = g.edge_height;
    const double r = g.right;
    const double b = g.bottom;
    return {{
        {{1, 1, kDepth, kDepth}, {0, 0, kDepth, kDepth}},
        {{kDepth, 1, w, kDepth}, {kDepth, 1, kEdgeStripWidth, kDepth}},
        {{r, 1, kDepth, kDepth}, {kPictureRight, 1, kDepth, kDepth}},
        {{r, kDepth, kDepth, h}, {kPictureRight, kDepth, kDepth, kEdgeStripHeight}},
        {{r, b, kDepth, kDepth}, {kPictureRight, kPictureBottom, kDepth, kDepth}},
        {{kDepth, b, w, kDepth}, {kDepth, kPictureBottom, kEdgeStripWidth, kDepth}},
        {{1, b, kDepth, kDepth}, {0, kPictureBottom, kDepth, kDepth}},
        {{1, kDepth, kDepth, h}, {1, kDepth, kDepth, kEdgeStripHeight}},
    }};
}

float CaptionTop(double control_height, double caption_height) {
    const float height = static_cast<float>(control_height);
    const float caption = static_cast<float>(caption_height);
    return (height - caption - 20.0f) / 2.0f;
}

bool HoverSchemeFor(ButtonState state, bool current) {
    switch (state) {
    case ButtonState::Normal:
    case ButtonState::Selected:
        return false;
    case ButtonState::HighLight:
        return true;
    default:
        return current;
    }
}

std::optional<GradientColour> GradientColourOf(std::string_view constant) {
    if (constant.size() < 3 || constant.size() > 8 || constant.substr(0, 2) != "&H") {
        return std::nullopt;
    }
    const std::string digits(constant.substr(2));
    char* end = nullptr;
    const unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (end != digits.c_str() + digits.size() || value > 0xFFFFFF) {
        return std::nullopt;
    }
    char text[7];
    std::snprintf(text, sizeof text, "%06lX", value);
    const auto pair = [&text](int at) {
        const char two[3] = {text[at], text[at + 1], '\0'};
        return static_cast<std::uint16_t>(std::strtoul(two, nullptr, 16) << 8);
    };
    return GradientColour{pair(0), pair(2), pair(4)};
}

FaceGradient GradientFor(bool hover_scheme, int width_pixels, int height_pixels) {
    const GradientColour light = *GradientColourOf(kFaceLight);
    const GradientColour shade = *GradientColourOf(kFaceShade);
    FaceGradient gradient;
    gradient.vertices[0] = GradientVertex{0, 0, hover_scheme ? shade : light};
    gradient.vertices[1] =
        GradientVertex{width_pixels - 1, height_pixels - 1, hover_scheme ? light : shade};
    return gradient;
}

} // namespace controls
