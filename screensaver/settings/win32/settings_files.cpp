#include "settings/win32/settings_files.h"

#include <windows.h>

#include <shlobj.h>

#include "file_paths.h"
#include "settings/win32/profile_store.h"
#include "win32/program_globals.h"
#include "runtime/win32/system_function.h"
#include "runtime/win32/text_encoding.h"
#include "settings/settings_file.h"

namespace {

// The user's roaming application data folder: the environment's APPDATA, as
// every program of the user's session gets it, or the shell's answer where it
// is not set (the shell is loaded for that alone).
std::wstring ApplicationDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return folder;
    }
    auto* shell_folder =
        runtime::SystemFunction<decltype(SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
    if (shell_folder == nullptr ||
        FAILED(shell_folder(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return folder;
}

// %APPDATA%\Velmoran\Velmoran.ini; nothing when the folder is unknown or its
// path has no ANSI form (the profile functions take ANSI paths).
std::optional<std::string> PerUserFile() {
    const std::wstring folder = ApplicationDataFolder();
    if (folder.empty()) {
        return std::nullopt;
    }
    return runtime::ExactAnsiFromWide(folder + L"\\Velmoran" +
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

// Copies the file at path to copy, or makes copy empty when there is no file.
bool MakeCopy(const std::wstring& path, const std::wstring& copy) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
        HANDLE file = CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        CloseHandle(file);
        return true;
    }
    // A read-only file is not replaced, whoever the program runs as.
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    return CopyFileW(path.c_str(), copy.c_str(), FALSE) != FALSE;
}

bool Flush(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

} // namespace

SettingsFileCopy PlatformSettingsFileCopy(const std::string& ansi_path) {
    const std::string ansi_copy = ansi_path + ".saving";
    const std::wstring path = runtime::WideFromAnsi(ansi_path);
    const std::wstring copy = runtime::WideFromAnsi(ansi_copy);
    SettingsFileCopy saving;
    saving.make = [=] { return MakeCopy(path, copy); };
    saving.write_key = [=](const std::string& key, const std::string& value) {
        WriteIni(std::string(kSettingsSection), key, value, ansi_copy);
        return LastApiResult != 0;
    };
    saving.flush = [=] { return Flush(copy); };
    saving.put_in_place = [=] {
        return MoveFileExW(copy.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    };
    saving.discard = [=] { DeleteFileW(copy.c_str()); };
    return saving;
}

SettingsFiles SettingsFilesOf(const std::string& program_folder) {
    const auto per_user = PerUserFile();
    if (program_folder.empty()) {
        // A folder the profile functions cannot name: the user's own file serves.
        return SettingsFiles{per_user.value_or(std::string()), per_user};
    }
    return SettingsFiles{SettingsFilePath(program_folder), per_user};
}

SettingsFileAccess PlatformSettingsFileAccess() {
    return SettingsFileAccess{Exists, CanWrite, MakeFolderFor};
}
