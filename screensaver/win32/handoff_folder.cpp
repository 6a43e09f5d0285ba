#include "handoff_folder.h"

#include <windows.h>

#include "handoff_files.h"
#include "program_names.h"

namespace {

// Owns a file or folder handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (valid()) {
            CloseHandle(m_handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// What stands at a path. GetFileAttributes does not follow a link at the
// path's end: a junction or symbolic link shows its reparse-point attribute.
PathEntry EntryAt(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
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

// Whether an open handle is the file or folder at path, and not one that a
// link on the way leads to.
bool HandleIsAt(HANDLE handle, const std::string& path) {
    char final_path[MAX_PATH * 2] = {};
    const DWORD length =
        GetFinalPathNameByHandleA(handle, final_path, sizeof(final_path), FILE_NAME_NORMALIZED);
    return length > 0 && length < sizeof(final_path) && IsFinalPathOf(final_path, path);
}

// The hand-off folder, opened so that nobody can rename or remove it while
// this program writes into it (no delete sharing), and checked to be the
// plain folder at its path.
class HeldFolder {
public:
    HeldFolder()
        : m_handle(CreateFileA(
              kHandoffFolder, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {}

    PathEntry Entry() const {
        if (!m_handle.valid()) {
            return EntryAt(kHandoffFolder);
        }
        // NOTE: opened as a reparse point, a junction shows as one; where the
        // platform follows the link all the same, the final path tells.
        BY_HANDLE_FILE_INFORMATION information{};
        if (!GetFileInformationByHandle(m_handle.get(), &information)) {
            return PathEntry::Unknown;
        }
        if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
            !HandleIsAt(m_handle.get(), kHandoffFolder)) {
            return PathEntry::Link;
        }
        return (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathEntry::Folder
                                                                              : PathEntry::File;
    }

private:
    FileHandle m_handle;
};

// Marks an open file for removal when its handle closes.
bool RemoveOnClose(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != FALSE;
}

// An access list for the photograph: full access for the user this program
// runs as and for the system, nothing handed down from the folder, and that
// user as the owner.
class PrivateAccess {
public:
    PrivateAccess() {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            return;
        }
        DWORD size = 0;
        const BOOL got = GetTokenInformation(token, TokenUser, m_user, sizeof(m_user), &size);
        CloseHandle(token);
        DWORD system_size = sizeof(m_system);
        if (!got || !CreateWellKnownSid(WinLocalSystemSid, nullptr, m_system, &system_size)) {
            return;
        }
        PSID user = reinterpret_cast<TOKEN_USER*>(m_user)->User.Sid;
        auto* acl = reinterpret_cast<PACL>(m_acl);
        m_ready = InitializeAcl(acl, sizeof(m_acl), ACL_REVISION) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, user) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, m_system) &&
                  InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                  SetSecurityDescriptorOwner(&m_descriptor, user, FALSE) &&
                  SetSecurityDescriptorDacl(&m_descriptor, TRUE, acl, FALSE) &&
                  SetSecurityDescriptorControl(&m_descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
        m_attributes.nLength = sizeof(m_attributes);
        m_attributes.lpSecurityDescriptor = &m_descriptor;
        m_attributes.bInheritHandle = FALSE;
    }
    PrivateAccess(const PrivateAccess&) = delete;
    PrivateAccess& operator=(const PrivateAccess&) = delete;

    // Null when the list could not be made.
    SECURITY_ATTRIBUTES* Attributes() { return m_ready ? &m_attributes : nullptr; }

private:
    alignas(8) BYTE m_user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
    alignas(8) BYTE m_system[SECURITY_MAX_SID_SIZE] = {};
    alignas(
        8) BYTE m_acl[sizeof(ACL) + 2 * (sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE)] = {};
    SECURITY_DESCRIPTOR m_descriptor{};
    SECURITY_ATTRIBUTES m_attributes{};
    bool m_ready = false;
};

// Removes the file at path by a handle of its own, once that handle is
// known to be the file at path.
// NOTE: Wine follows a symbolic link at the path's end even when asked to
// open the link itself, and removing through such a handle would remove the
// file it leads to; the final path check refuses it.
bool RemoveFileAt(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return file.valid() && HandleIsAt(file.get(), path) && RemoveOnClose(file.get());
}

bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    DWORD written = 0;
    return bytes.size() <= MAXDWORD &&
           WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace

bool WriteHandoffFile(int index, const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const HeldFolder folder;
    const HandoffWrite write = HandoffWriteFor(folder.Entry(), EntryAt(path));
    if (write == HandoffWrite::Refuse) {
        return false;
    }
    if (write == HandoffWrite::RemoveThenCreate && !RemoveFileAt(path)) {
        return false; // not ours to replace (another user's, in use, read-only)
    }
    PrivateAccess access;
    SECURITY_ATTRIBUTES* attributes = nullptr;
    if (HandoffAccessOf(index) == HandoffAccess::OwnUserAndSystem) {
        attributes = access.Attributes();
        if (attributes == nullptr) {
            return false; // a photograph others could read is not written at all
        }
    }
    // A new file only: whatever has appeared at the path since is left alone.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, attributes, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    if (!HandleIsAt(file.get(), path) || !WriteAll(file.get(), bytes)) {
        RemoveOnClose(file.get());
        return false;
    }
    return true;
}

bool RemoveHandoffFile(const std::string& path) {
    const HeldFolder folder;
    if (!MayRemoveHandoffFile(folder.Entry(), EntryAt(path))) {
        return false;
    }
    return RemoveFileAt(path);
}
