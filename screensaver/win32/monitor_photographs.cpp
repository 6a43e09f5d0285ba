#include "win32/monitor_photographs.h"

#include <windows.h>

#include <vector>

#include "renderer_command_line.h"

#include "handoff_folder.h"
#include "monitor_pictures.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/retained_image.h"
#include "win32/handoff_folder_access.h"

namespace {

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

std::vector<MonitorPhotograph> PhotographOtherMonitors(const std::wstring& folder) {
    const std::vector<MonitorPlace> monitors =
        SceneMonitors(CurrentMonitors().value_or(std::vector<MonitorPlace>{}));
    std::vector<MonitorPhotograph> written;
    for (int position = 1; position < kMostSceneMonitors; ++position) {
        const int index = MonitorPictureIndex(position);
        if (position >= static_cast<int>(monitors.size())) {
            RemoveHandoffFile(folder, index);
            continue;
        }
        const MonitorPlace& monitor = monitors[static_cast<std::size_t>(position)];
        const auto file = Photograph(monitor);
        if (file && WriteHandoffFile(folder, index, *file)) {
            written.push_back({index, monitor.device});
        } else {
            RemoveHandoffFile(folder, index); // never an earlier run's picture
        }
    }
    return written;
}

void RemoveOtherMonitorPhotographs(const std::wstring& folder) {
    for (int position = 1; position < kMostSceneMonitors; ++position) {
        RemoveHandoffFile(folder, MonitorPictureIndex(position));
    }
}
