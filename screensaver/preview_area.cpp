#include "preview_area.h"

#include <algorithm>

namespace {

// Larger than any screen; keeps the twips within 32 bits for any rectangle.
constexpr std::int64_t kLargestSide = 1 << 20;

std::int32_t Side(std::int32_t low, std::int32_t high) {
    const std::int64_t side = static_cast<std::int64_t>(high) - low;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(side, 0, kLargestSide));
}

} // namespace

std::optional<PreviewSize> PreviewSizeForArea(const std::optional<AreaRectangle>& area,
                                              int twips_per_pixel) {
    if (!area) {
        return std::nullopt;
    }
    PreviewSize size;
    size.width_pixels = Side(area->left, area->right);
    size.height_pixels = Side(area->top, area->bottom);
    size.width_twips = size.width_pixels * twips_per_pixel;
    size.height_twips = size.height_pixels * twips_per_pixel;
    return size;
}
