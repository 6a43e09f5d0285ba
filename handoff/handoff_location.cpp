#include "handoff_location.h"

namespace {

constexpr std::wstring_view kFolderName = L"Velmoran";
constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongSharePrefix = L"\\\\?\\UNC\\";

wchar_t LowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool IsAbsolute(std::wstring_view path) {
    const bool drive = path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
                       LowerAscii(path[0]) >= L'a' && LowerAscii(path[0]) <= L'z';
    const bool share = path.size() >= 3 && path.substr(0, 2) == L"\\\\" && path[2] != L'\\';
    return drive || share;
}

} // namespace

std::optional<std::wstring> HandoffFolderIn(std::wstring_view local_app_data) {
    if (!IsAbsolute(local_app_data)) {
        return std::nullopt;
    }
    std::wstring folder(local_app_data);
    if (folder.back() != L'\\') {
        folder.push_back(L'\\');
    }
    return folder.append(kFolderName);
}

std::wstring HandoffFileName(int index) {
    return L"Velmoran" + std::to_wstring(index) + L".bmp";
}

std::wstring HandoffFilePath(std::wstring_view folder, int index) {
    return std::wstring(folder) + L"\\" + HandoffFileName(index);
}

std::wstring WithoutLongPathPrefix(std::wstring_view final_path) {
    if (final_path.substr(0, kLongSharePrefix.size()) == kLongSharePrefix) {
        return L"\\\\" + std::wstring(final_path.substr(kLongSharePrefix.size()));
    }
    if (final_path.substr(0, kLongPathPrefix.size()) == kLongPathPrefix) {
        final_path.remove_prefix(kLongPathPrefix.size());
    }
    return std::wstring(final_path);
}

bool IsFinalPathOf(std::wstring_view final_path, std::wstring_view wanted) {
    const std::wstring found = WithoutLongPathPrefix(final_path);
    const std::wstring asked = WithoutLongPathPrefix(wanted);
    if (found.size() != asked.size() || asked.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < asked.size(); ++i) {
        if (LowerAscii(found[i]) != LowerAscii(asked[i])) {
            return false;
        }
    }
    return true;
}

bool IsPlainHandoffFile(PathEntry folder, PathEntry file) {
    return folder == PathEntry::Folder && file == PathEntry::File;
}
