#include "handoff_folder.h"

#include <windows.h>

#include "handoff_files.h"
#include "win32/handoff_folder_access.h"

namespace {

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
bool RemoveFileAt(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, kHandoffOpenFlags, nullptr));
    return file.valid() && HandleIsAt(file.get(), path) && RemoveOnClose(file.get());
}

bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    DWORD written = 0;
    return bytes.size() <= MAXDWORD &&
           WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace

bool WriteHandoffFile(const std::wstring& folder_path, int index,
                      const std::vector<std::uint8_t>& bytes) {
    const std::wstring path = HandoffFilePath(folder_path, index);
    const HeldHandoffFolder folder(folder_path);
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
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, attributes, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | kHandoffOpenFlags, nullptr));
    if (!file.valid()) {
        return false;
    }
    if (!HandleIsAt(file.get(), path) || !WriteAll(file.get(), bytes)) {
        RemoveOnClose(file.get());
        return false;
    }
    return true;
}

bool RemoveHandoffFile(const std::wstring& folder_path, int index) {
    const std::wstring path = HandoffFilePath(folder_path, index);
    const HeldHandoffFolder folder(folder_path);
    if (!IsPlainHandoffFile(folder.Entry(), EntryAt(path))) {
        return false;
    }
    return RemoveFileAt(path);
}
