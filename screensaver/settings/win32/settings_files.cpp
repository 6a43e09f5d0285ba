#include "settings/win32/settings_files.h"

#include <windows.h>

#include <aclapi.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "file_paths.h"
#include "settings/win32/profile_store.h"
#include "win32/program_globals.h"
#include "runtime/win32/system_function.h"
#include "runtime/win32/text_encoding.h"
#include "settings/settings_file.h"
#include "win32/handoff_folder_access.h"

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

// The copy of one save: made new beside the settings file, written by the
// profile functions by its name once the name is known to lead to it, then
// put in place of the file by a handle of its own, once that is known to be
// the very file this save made.
// NOTE: the copy is not held open while the profile functions write it:
// they may lock the file for themselves, and a handle of ours would make
// every save fail.
class SettingsCopy {
public:
    SettingsCopy(std::string ansi_path)
        : m_ansi_copy(ansi_path + ".saving"), m_path(runtime::WideFromAnsi(ansi_path)),
          m_copy(runtime::WideFromAnsi(m_ansi_copy)) {}

    CopyMade Make();
    bool WriteKey(const std::string& key, const std::string& value);
    bool Flush();
    bool PutInPlace();
    void Discard();

private:
    bool IsOurs(HANDLE file) const;
    FileHandle OpenOurs(DWORD access) const;
    bool TakeOverAccessAndAttributes(HANDLE copy) const;
    bool RenameOverFile(HANDLE copy) const;

    std::string m_ansi_copy;
    std::wstring m_path;
    std::wstring m_copy;
    BY_HANDLE_FILE_INFORMATION m_id{}; // which file the copy is
    bool m_made = false;
};

// A plain file of one name, at path itself (no link on the way).
bool IsPlainFileAt(HANDLE file, const std::wstring& path) {
    return EntryOf(file) == PathEntry::File && HandleIsAt(file, path);
}

// The bytes of the file at path (followed as the profile functions follow
// it), appended to copy. False when it cannot be read, or is read-only: a
// read-only file is not replaced, whoever the program runs as.
bool CopyBytes(const std::wstring& path, HANDLE copy, bool* no_file) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        *no_file = GetLastError() == ERROR_FILE_NOT_FOUND;
        return *no_file;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        DWORD written = 0;
        if (!WriteFile(copy, buffer, got, &written, nullptr) || written != got) {
            return false;
        }
    }
}

CopyMade SettingsCopy::Make() {
    // A copy a killed save left behind goes first, by a handle of its own,
    // once that handle is known to be a plain file at that name.
    const PathEntry at_copy = EntryAt(m_copy);
    if (at_copy != PathEntry::Missing && at_copy != PathEntry::File) {
        return CopyMade::Refused; // a link, a folder or what cannot be told
    }
    {
        const FileHandle leftover(CreateFileW(
            m_copy.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, kHandoffOpenFlags, nullptr));
        FILE_DISPOSITION_INFO remove{};
        remove.DeleteFile = TRUE;
        if (leftover.valid() && (!IsPlainFileAt(leftover.get(), m_copy) ||
                                 !SetFileInformationByHandle(leftover.get(), FileDispositionInfo,
                                                             &remove, sizeof(remove)))) {
            return CopyMade::Refused;
        }
    }
    FileHandle copy(CreateFileW(m_copy.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | kHandoffOpenFlags, nullptr));
    if (!copy.valid()) {
        // Nothing may be made beside the file: the profile writes go to it.
        return GetLastError() == ERROR_ACCESS_DENIED ? CopyMade::NoRoom : CopyMade::Refused;
    }
    m_made = true;
    bool no_file = false;
    if (!IsPlainFileAt(copy.get(), m_copy) || !GetFileInformationByHandle(copy.get(), &m_id) ||
        !CopyBytes(m_path, copy.get(), &no_file)) {
        return CopyMade::Refused;
    }
    return CopyMade::Made;
}

// The copy by a handle of its own with access, when its name still leads to
// the very file this save made.
FileHandle SettingsCopy::OpenOurs(DWORD access) const {
    FileHandle copy(CreateFileW(m_copy.c_str(), access | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, kHandoffOpenFlags, nullptr));
    return copy.valid() && IsOurs(copy.get()) ? std::move(copy) : FileHandle();
}

bool SettingsCopy::WriteKey(const std::string& key, const std::string& value) {
    if (!OpenOurs(0).valid()) {
        return false; // something else stands at the copy's name now
    }
    WriteIni(std::string(kSettingsSection), key, value, m_ansi_copy);
    return LastApiResult != 0;
}

bool SettingsCopy::Flush() {
    const FileHandle copy = OpenOurs(GENERIC_WRITE);
    return copy.valid() && FlushFileBuffers(copy.get()) != FALSE;
}

bool SettingsCopy::IsOurs(HANDLE file) const {
    BY_HANDLE_FILE_INFORMATION id{};
    return IsPlainFileAt(file, m_copy) && GetFileInformationByHandle(file, &id) &&
           id.dwVolumeSerialNumber == m_id.dwVolumeSerialNumber &&
           id.nFileIndexHigh == m_id.nFileIndexHigh && id.nFileIndexLow == m_id.nFileIndexLow;
}

// The file's access list (whether it inherits, too) and attributes onto the
// copy, as replacing a file keeps them. With no file, the copy keeps its own.
bool SettingsCopy::TakeOverAccessAndAttributes(HANDLE copy) const {
    FileHandle file(CreateFileW(m_path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file.get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                        &access, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const SECURITY_INFORMATION which =
        DACL_SECURITY_INFORMATION |
        ((control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION
                                            : UNPROTECTED_DACL_SECURITY_INFORMATION);
    const bool taken = SetSecurityInfo(copy, SE_FILE_OBJECT, which, nullptr, nullptr, access,
                                       nullptr) == ERROR_SUCCESS;
    LocalFree(descriptor);
    FILE_BASIC_INFO basic{};
    FILE_BASIC_INFO copied{};
    return taken &&
           GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof(basic)) &&
           GetFileInformationByHandleEx(copy, FileBasicInfo, &copied, sizeof(copied)) &&
           (copied.FileAttributes = basic.FileAttributes, copied.CreationTime = basic.CreationTime,
            SetFileInformationByHandle(copy, FileBasicInfo, &copied, sizeof(copied)));
}

// Renames the open copy over the file, in one step.
bool SettingsCopy::RenameOverFile(HANDLE copy) const {
    const std::size_t name_bytes = m_path.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name_bytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name_bytes);
    std::copy(m_path.begin(), m_path.end(), rename->FileName);
    return SetFileInformationByHandle(copy, FileRenameInfo, rename,
                                      static_cast<DWORD>(buffer.size())) != FALSE;
}

bool SettingsCopy::PutInPlace() {
    // Renamed by this handle: what goes in place is the file it opened.
    const FileHandle copy = OpenOurs(DELETE | WRITE_DAC | FILE_WRITE_ATTRIBUTES | GENERIC_WRITE);
    if (!copy.valid() || !TakeOverAccessAndAttributes(copy.get()) || !RenameOverFile(copy.get())) {
        return false;
    }
    m_made = false; // it is the file now
    FlushFileBuffers(copy.get());
    return true;
}

void SettingsCopy::Discard() {
    if (!m_made) {
        return;
    }
    const FileHandle copy = OpenOurs(DELETE);
    FILE_DISPOSITION_INFO remove{};
    remove.DeleteFile = TRUE;
    if (copy.valid()) {
        SetFileInformationByHandle(copy.get(), FileDispositionInfo, &remove, sizeof(remove));
    }
    m_made = false;
}

} // namespace

SettingsFileCopy PlatformSettingsFileCopy(const std::string& ansi_path) {
    const auto copy = std::make_shared<SettingsCopy>(ansi_path);
    SettingsFileCopy saving;
    saving.make = [copy] { return copy->Make(); };
    saving.write_key = [copy](const std::string& key, const std::string& value) {
        return copy->WriteKey(key, value);
    };
    saving.flush = [copy] { return copy->Flush(); };
    saving.put_in_place = [copy] { return copy->PutInPlace(); };
    saving.discard = [copy] { copy->Discard(); };
    saving.write_in_place = [ansi_path](const std::string& key, const std::string& value) {
        WriteIni(std::string(kSettingsSection), key, value, ansi_path);
        return LastApiResult != 0;
    };
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
