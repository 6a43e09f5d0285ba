#include "win32/handoff_folder_access.h"

#include <shlobj.h>

#include <vector>

FileHandle::~FileHandle() {
    if (valid()) {
        CloseHandle(m_handle);
    }
}

FileHandle::FileHandle(FileHandle&& other) noexcept : m_handle(other.m_handle) {
    other.m_handle = INVALID_HANDLE_VALUE;
}

namespace {

// The platform's final path of an open handle; empty when it cannot tell.
std::wstring FinalPathOf(HANDLE handle) {
    std::vector<wchar_t> path(MAX_PATH);
    for (int tries = 0; tries < 2; ++tries) {
        const DWORD length = GetFinalPathNameByHandleW(
            handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            return std::wstring(path.data(), length);
        }
        path.resize(length + 1);
    }
    return {};
}

std::wstring EnvironmentValue(const wchar_t* name) {
    std::vector<wchar_t> value(MAX_PATH);
    DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) {
        value.resize(length);
        length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    }
    return length > 0 && length < value.size() ? std::wstring(value.data(), length)
                                               : std::wstring();
}

// The shell's local application data folder of the user; empty when it
// cannot tell. The shell is loaded for that alone.
std::wstring ShellLocalAppData() {
    using FolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    const auto folder_path =
        shell != nullptr ? reinterpret_cast<FolderPath>(
                               reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathW")))
                         : nullptr;
    wchar_t folder[MAX_PATH] = {};
    if (folder_path == nullptr ||
        FAILED(folder_path(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return folder;
}

} // namespace

std::optional<std::wstring> UserHandoffFolder() {
    std::wstring local = EnvironmentValue(L"LOCALAPPDATA");
    if (local.empty()) {
        local = ShellLocalAppData();
    }
    if (!HandoffFolderIn(local)) {
        return std::nullopt;
    }
    // The user's own folder: where it is redirected, the redirection is the user's.
    const FileHandle folder(CreateFileW(
        local.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    if (!folder.valid()) {
        return std::nullopt;
    }
    return HandoffFolderIn(WithoutLongPathPrefix(FinalPathOf(folder.get())));
}

PathEntry EntryAt(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathEntry::Missing
                                                                              : PathEntry::Unknown;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return PathEntry::Link;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathEntry::Folder : PathEntry::File;
}

PathEntry EntryOf(HANDLE handle) {
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        return PathEntry::Unknown;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) {
        return PathEntry::Unknown;
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return PathEntry::Link;
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathEntry::Folder;
    }
    return information.nNumberOfLinks > 1 ? PathEntry::Link : PathEntry::File;
}

bool HandleIsAt(HANDLE handle, const std::wstring& path) {
    return IsFinalPathOf(FinalPathOf(handle), path);
}

HeldHandoffFolder::HeldHandoffFolder(const std::wstring& path)
    // NOTE: share modes bind only opens that ask for more than the
    // attributes, so the folder is opened to be listed.
    : m_path(path), m_handle(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS | kHandoffOpenFlags, nullptr)) {
}

PathEntry HeldHandoffFolder::Entry() const {
    if (!m_handle.valid()) {
        return EntryAt(m_path);
    }
    const PathEntry entry = EntryOf(m_handle.get());
    // NOTE: opened as a reparse point, a junction shows as one; where the
    // platform follows the link all the same, the final path tells.
    if (entry == PathEntry::Folder && !HandleIsAt(m_handle.get(), m_path)) {
        return PathEntry::Link;
    }
    return entry;
}

namespace {

struct MonitorList {
    std::vector<MonitorPlace> monitors;
    bool complete = true;
};

// NOTE: nothing may be thrown through the system's frames that call this;
// a failure stops the listing and is reported.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    auto* found = reinterpret_cast<MonitorList*>(list);
    try {
        MONITORINFOEXW info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(monitor, &info)) {
            const RECT& r = info.rcMonitor;
            std::string device;
            for (const wchar_t* c = info.szDevice; *c != L'\0'; ++c) {
                device.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
            }
            found->monitors.push_back({r.left, r.top, r.right, r.bottom,
                                       (info.dwFlags & MONITORINFOF_PRIMARY) != 0, device});
        }
        return TRUE;
    } catch (...) {
        found->complete = false;
        return FALSE;
    }
}

} // namespace

std::optional<std::vector<MonitorPlace>> CurrentMonitors() {
    MonitorList list;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    if (!list.complete) {
        return std::nullopt;
    }
    return std::move(list.monitors);
}
