#pragma once

// The geometry of a Command button's face: the eight frame pieces cut from a
// 64 x 25 state picture and stretched to the control, the face gradient's
// vertices and colours, and where the caption sits. Pieces and the caption
// are in twips, the gradient in the surface's pixels.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "button_behaviour.h"

namespace controls {

// A state picture is 64 x 25 pixels, laid out at 15 twips per pixel.
inline constexpr int kPictureWidthPixels = 64;
inline constexpr int kPictureHeightPixels = 25;
inline constexpr int kPictureTwipsPerPixel = 15;

struct TwipsRect {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// One piece: a source rectangle of the picture copied to a destination
// rectangle of the surface, stretched when the sizes differ.
struct FramePiece {
    TwipsRect destination;
    TwipsRect source;
};

// The lengths and positions of the pieces, held as 16-bit twips. A value that
// does not fit (a control wider or taller than about 32,800 twips) keeps the
// one of the previous repaint, 0 before the first.
struct FaceGeometry {
    std::int16_t edge_width = 0;  // W - 120: the top and bottom edges
    std::int16_t edge_height = 0; // H - 120: the side edges
    std::int16_t right = 0;       // W - 60: where the right-hand pieces start
    std::int16_t bottom = 0;      // H - 60: where the bottom pieces start

    // Takes what fits of a width x height twips control (rounded, halves to even).
    void Update(double width, double height);
};

// The pieces in painting order: top-left corner, top edge, top-right corner,
// right edge, bottom-right corner, bottom edge, bottom-left corner, left edge.
std::array<FramePiece, 8> FramePieces(const FaceGeometry& geometry);

// The caption label's top for a control height (twips), computed in single
// precision: centred, 20 twips above the middle.
float CaptionTop(double control_height, double caption_height);

// The gradient scheme a repaint in state uses: Normal and Selected the normal
// one, HighLight the hover one; any other state keeps the current scheme.
bool HoverSchemeFor(ButtonState state, bool current);

// A channel value as the gradient fill takes it: the colour byte in the upper 8 bits.
struct GradientColour {
    std::uint16_t red = 0, green = 0, blue = 0;
    bool operator==(const GradientColour&) const = default;
};

// A colour constant written "&H" and hexadecimal digits, read the way the
// face's colours are: its six upper-case digits split into red, green and
// blue pairs in the order written, so "&HC6C5D7" is (198, 197, 215).
std::optional<GradientColour> GradientColourOf(std::string_view constant);

// The two ends of the face gradient.
inline constexpr std::string_view kFaceLight = "&HFFFFFF";
inline constexpr std::string_view kFaceShade = "&HC6C5D7";

struct GradientVertex {
    std::int32_t x = 0, y = 0; // pixels
    GradientColour colour;     // alpha is 0
};

// Two vertices and one rectangle that names vertex 1 as its upper-left and
// vertex 0 as its lower-right corner; the fill follows the positions, so
// vertex 0's colour is the top row's.
struct FaceGradient {
    std::array<GradientVertex, 2> vertices;
    std::uint32_t upper_left = 1;
    std::uint32_t lower_right = 0;
};

// The normal scheme runs from white at the top to the shade at the bottom,
// the hover scheme the other way round, over a surface of width x height pixels.
FaceGradient GradientFor(bool hover_scheme, int width_pixels, int height_pixels);

} // namespace controls
