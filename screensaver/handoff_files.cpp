#include "handoff_files.h"

#include "monitor_pictures.h"

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

HandoffAccess HandoffAccessOf(int index) {
    return IsMonitorPhotograph(index) ? HandoffAccess::OwnUserAndSystem
                                      : HandoffAccess::AsTheFolderGives;
}
