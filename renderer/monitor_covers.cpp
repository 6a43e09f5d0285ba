#include "monitor_covers.h"

#include <algorithm>

namespace {

bool contains_origin(const ScreenRect& rect) {
    return rect.left <= 0 && rect.top <= 0 && rect.right > 0 && rect.bottom > 0;
}

const MonitorArea* find_primary(const std::vector<MonitorArea>& monitors) {
    const auto marked = std::find_if(monitors.begin(), monitors.end(),
                                     [](const MonitorArea& monitor) { return monitor.primary; });
    if (marked != monitors.end()) {
        return &*marked;
    }
    const auto at_origin = std::find_if(monitors.begin(), monitors.end(), [](const MonitorArea& m) {
        return contains_origin(m.rect);
    });
    return at_origin != monitors.end() ? &*at_origin : nullptr;
}

// The parts of area outside hole: none, area itself, or up to four bands
// (above, below, left and right of the hole).
std::vector<ScreenRect> subtract(const ScreenRect& area, const ScreenRect& hole) {
    const ScreenRect common{std::max(area.left, hole.left), std::max(area.top, hole.top),
                            std::min(area.right, hole.right), std::min(area.bottom, hole.bottom)};
    if (common.empty()) {
        return {area};
    }
    const ScreenRect bands[] = {
        {area.left, area.top, area.right, common.top},
        {area.left, common.bottom, area.right, area.bottom},
        {area.left, common.top, common.left, common.bottom},
        {common.right, common.top, area.right, common.bottom},
    };
    std::vector<ScreenRect> parts;
    for (const ScreenRect& band : bands) {
        if (!band.empty()) {
            parts.push_back(band);
        }
    }
    return parts;
}

} // namespace

std::vector<ScreenRect> cover_rects(const std::vector<MonitorArea>& monitors) {
    const MonitorArea* primary = find_primary(monitors);
    std::vector<ScreenRect> covers;
    if (primary == nullptr) {
        return covers;
    }
    for (const MonitorArea& monitor : monitors) {
        if (&monitor == primary || monitor.rect.empty()) {
            continue;
        }
        for (const ScreenRect& part : subtract(monitor.rect, primary->rect)) {
            if (std::find(covers.begin(), covers.end(), part) == covers.end()) {
                covers.push_back(part);
            }
        }
    }
    return covers;
}
