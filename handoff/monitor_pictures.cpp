#include "monitor_pictures.h"

#include <algorithm>

namespace {

bool HoldsOrigin(const MonitorPlace& m) {
    return m.left <= 0 && m.top <= 0 && m.right > 0 && m.bottom > 0;
}

bool Empty(const MonitorPlace& m) {
    return m.right <= m.left || m.bottom <= m.top;
}

} // namespace

std::vector<MonitorPlace> SceneMonitors(std::vector<MonitorPlace> monitors) {
    std::erase_if(monitors, Empty);
    if (monitors.empty()) {
        return monitors;
    }
    auto primary = std::find_if(monitors.begin(), monitors.end(),
                                [](const MonitorPlace& m) { return m.primary; });
    if (primary == monitors.end()) {
        primary = std::find_if(monitors.begin(), monitors.end(), HoldsOrigin);
    }
    if (primary == monitors.end()) {
        primary = monitors.begin();
    }
    std::iter_swap(monitors.begin(), primary);
    std::stable_sort(monitors.begin() + 1, monitors.end(),
                     [](const MonitorPlace& a, const MonitorPlace& b) {
                         return a.left != b.left ? a.left < b.left : a.top < b.top;
                     });
    if (monitors.size() > static_cast<std::size_t>(kMostSceneMonitors)) {
        monitors.resize(kMostSceneMonitors);
    }
    return monitors;
}

int MonitorPictureIndex(int position) {
    return position == 0 ? 0 : 2 + position;
}

bool IsMonitorPhotograph(int index) {
    return index == 0 || (index >= 3 && index <= kLastMonitorPicture);
}
