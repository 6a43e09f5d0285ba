#include "settings/win32/settings_files.h"

#include <windows.h>

#include <shlobj.h>

#include "file_paths.h"
#include "runtime/win32/text_encoding.h"
#include "settings/settings_file.h"

namespace {

// %APPDATA%\Velmoran\Velmoran.ini; nothing when the folder is unknown or its
// path has no ANSI form (the profile functions take ANSI paths).
std::optional<std::string> PerUserFile() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return std::nullopt;
    }
    return runtime::ExactAnsiFromWide(std::wstring(folder) + L"\\Velmoran" +
                                      runtime::WideFromUtf8(kSettingsFileName));
}

bool Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CanWrite(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

void MakeFolderFor(const std::string& path) {
    CreateDirectoryA(FolderOfPath(path, runtime::SystemLeadByte).c_str(), nullptr);
}

} // namespace

SettingsFiles SettingsFilesOf(const std::string& program_folder) {
    return SettingsFiles{SettingsFilePath(program_folder), PerUserFile()};
}

SettingsFileAccess PlatformSettingsFileAccess() {
    return SettingsFileAccess{Exists, CanWrite, MakeFolderFor};
}
