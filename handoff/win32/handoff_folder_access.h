#pragma once

// The user's hand-off folder on Win32, and the checks both programs make
// before they touch anything in it: what stands at a path without following
// a link, and whether an opened handle is the entry at the path that was
// asked for.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "handoff_location.h"
#include "monitor_pictures.h"

// Owns a file or folder handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&&) = delete;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Flags for every open in the hand-off folder: a link at the path's end is
// opened as itself, and should the path be a pipe, its server may only
// identify this user, never act in the user's name.
inline constexpr DWORD kHandoffOpenFlags =
    FILE_FLAG_OPEN_REPARSE_POINT | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION;

// %LOCALAPPDATA%\Velmoran, with the local application data folder as the
// platform names it once opened (long names, the letters' case on disk), so
// that it compares with final paths. Where the environment has no
// LOCALAPPDATA, the shell's local application data folder of the user.
// Nothing when that folder is unknown or cannot be opened.
std::optional<std::wstring> UserHandoffFolder();

// What stands at path; a link at its end is not followed.
PathEntry EntryAt(const std::wstring& path);

// What an open handle is: a plain file on a disk, a plain folder, a reparse
// point or a file with more than one name (a hard link: Link, since what is
// done to it is done to another file too), or something else (a pipe, a
// device: Unknown).
PathEntry EntryOf(HANDLE handle);

// Whether an open handle is the file or folder at path, and not one that a
// link on the way leads to.
bool HandleIsAt(HANDLE handle, const std::wstring& path);

// The hand-off folder, held open while its files are read, written or
// removed: opened to list it and shared for reading and writing, not for
// deleting, so nobody can rename or remove it meanwhile.
class HeldHandoffFolder {
public:
    explicit HeldHandoffFolder(const std::wstring& path);

    // Folder only when the plain folder itself is there: a link, a junction
    // or a folder that a link leads to counts as Link.
    PathEntry Entry() const;

private:
    std::wstring m_path;
    FileHandle m_handle;
};

// The monitors as the system reports them now, in its order, with their
// names. Nothing when they could not be listed (memory ran out).
std::optional<std::vector<MonitorPlace>> CurrentMonitors();
