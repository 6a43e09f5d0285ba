#include "file_paths.h"

namespace {

// The byte offset just past the last single-byte character that is one of
// separators, or 0 when there is none.
std::size_t EndOfLastSeparator(std::string_view path, std::string_view separators,
                               runtime::LeadByteTest lead_byte) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size();) {
        if (lead_byte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            i += 2;
            continue;
        }
        if (separators.find(path[i]) != std::string_view::npos) {
            end = i + 1;
        }
        ++i;
    }
    return end;
}

} // namespace

std::string FolderOfPath(std::string_view path, runtime::LeadByteTest lead_byte) {
    std::string folder(path.substr(0, EndOfLastSeparator(path, ":\\", lead_byte)));
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back(); // the character ended with a separator, so this is one
    }
    return folder;
}

std::string PathToOpen(std::string_view path, runtime::LeadByteTest lead_byte) {
    if (!path.empty() && EndOfLastSeparator(path, "\\", lead_byte) == path.size()) {
        path.remove_suffix(1);
    }
    return std::string(path);
}
