#include "win32/monitor_photographs.h"

#include <windows.h>

#include <vector>

#include "handoff_folder.h"
#include "monitor_pictures.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/retained_image.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<MonitorPlace>*>(list)->push_back(
            {r.left, r.top, r.right, r.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

// The monitor's part of the screen as a BMP file's bytes; nothing when it
// cannot be copied.
std::optional<std::vector<std::uint8_t>> Photograph(const MonitorPlace& monitor) {
    const int width = monitor.right - monitor.left;
    const int height = monitor.bottom - monitor.top;
    runtime::ScreenDc screen;
    runtime::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!bitmap) {
        return std::nullopt;
    }
    HDC copy = CreateCompatibleDC(screen.get());
    HGDIOBJ old = SelectObject(copy, bitmap.get());
    std::optional<std::vector<std::uint8_t>> file;
    if (BitBlt(copy, 0, 0, width, height, screen.get(), monitor.left, monitor.top, SRCCOPY)) {
        file = runtime::EncodeDcAsBmp(copy, width, height);
    }
    SelectObject(copy, old);
    DeleteDC(copy);
    return file;
}

} // namespace

void PhotographOtherMonitors(const std::wstring& folder) {
    std::vector<MonitorPlace> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    monitors = SceneMonitors(monitors);
    for (int position = 1; position < kMostSceneMonitors; ++position) {
        const int index = MonitorPictureIndex(position);
        if (position >= static_cast<int>(monitors.size())) {
            RemoveHandoffFile(folder, index);
            continue;
        }
        const auto file = Photograph(monitors[static_cast<std::size_t>(position)]);
        if (!file || !WriteHandoffFile(folder, index, *file)) {
            RemoveHandoffFile(folder, index); // never an earlier run's picture
        }
    }
}

void RemoveOtherMonitorPhotographs(const std::wstring& folder) {
    for (int position = 1; position < kMostSceneMonitors; ++position) {
        RemoveHandoffFile(folder, MonitorPictureIndex(position));
    }
}
