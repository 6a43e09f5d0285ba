#include "handoff_paths.h"

#include <windows.h>

#include "win32/handoff_folder_access.h"

namespace velmoran_test {

std::string HandoffFolderPath() {
    const auto folder = UserHandoffFolder();
    if (!folder) {
        return "C:\\no hand-off folder";
    }
    std::string ansi(folder->size(), '\0');
    for (std::size_t i = 0; i < folder->size(); ++i) {
        ansi[i] = static_cast<char>((*folder)[i]);
    }
    return ansi;
}

std::string HandoffPath(int index) {
    return HandoffFolderPath() + "\\Velmoran" + std::to_string(index) + ".bmp";
}

} // namespace velmoran_test
