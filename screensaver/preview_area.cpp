#include "preview_area.h"

#include <algorithm>

#include "runtime/twips.h"

namespace {

// Larger than any screen; keeps the twips within 32 bits for any rectangle.
constexpr std::int64_t kLargestSide = 1 << 20;

std::int32_t Side(std::int32_t low, std::int32_t high) {
    const std::int64_t side = static_cast<std::int64_t>(high) - low;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(side, 0, kLargestSide));
}

} // namespace

std::optional<PreviewSize> PreviewSizeForArea(const std::optional<AreaRectangle>& area,
                                              int dots_per_inch) {
    if (!area) {
        return std::nullopt;
    }
    PreviewSize size;
    size.width_pixels = Side(area->left, area->right);
    size.height_pixels = Side(area->top, area->bottom);
    size.width_twips = runtime::TwipsFromPixels(size.width_pixels, dots_per_inch);
    size.height_twips = runtime::TwipsFromPixels(size.height_pixels, dots_per_inch);
    return size;
}
