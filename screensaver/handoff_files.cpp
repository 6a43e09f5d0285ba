#include "handoff_files.h"

namespace {

constexpr std::string_view kLongPathPrefix = "\\\\?\\";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

HandoffWrite HandoffWriteFor(PathEntry folder, PathEntry file) {
    if (folder != PathEntry::Folder) {
        return HandoffWrite::Refuse;
    }
    switch (file) {
    case PathEntry::Missing:
        return HandoffWrite::Create;
    case PathEntry::File:
        return HandoffWrite::RemoveThenCreate;
    case PathEntry::Folder:
    case PathEntry::Link:
    case PathEntry::Unknown:
        break;
    }
    return HandoffWrite::Refuse;
}

bool MayRemoveHandoffFile(PathEntry folder, PathEntry file) {
    return folder == PathEntry::Folder && file == PathEntry::File;
}

HandoffAccess HandoffAccessOf(int index) {
    return index == 0 ? HandoffAccess::OwnUserAndSystem : HandoffAccess::AsTheFolderGives;
}

bool IsFinalPathOf(std::string_view final_path, std::string_view wanted) {
    if (final_path.substr(0, kLongPathPrefix.size()) == kLongPathPrefix) {
        final_path.remove_prefix(kLongPathPrefix.size());
    }
    if (final_path.size() != wanted.size() || wanted.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (LowerAscii(final_path[i]) != LowerAscii(wanted[i])) {
            return false;
        }
    }
    return true;
}
