#pragma once

// How the program writes into the hand-off folder and removes from it. The
// folder has a fixed path that every user of the machine can write to, so
// nothing is written or removed through whatever another user may have put
// there: a link (junction, symbolic link) where the folder or a file should
// be, a file where the folder should be, a folder where a file should be. An
// earlier file is replaced by removing it and creating a new one, never by
// opening the old one for writing; the photograph of the desktop is made
// readable by its own user (and the system) alone, and removed when the run
// ends.

#include <string_view>

// What stands at a path, as the platform reports it without following links.
enum class PathEntry {
    Missing, // nothing
    File,    // a plain file
    Folder,  // a plain folder
    Link,    // a reparse point of any kind (junction, symbolic link, mount point)
    Unknown, // the platform cannot tell (no access, a bad path)
};

// How one hand-off file is written, from what stands at the folder's path and
// at the file's.
enum class HandoffWrite {
    Create,           // the folder is there and the file is not: a new file
    RemoveThenCreate, // an earlier file: removed first, then a new one is made
    Refuse,           // anything else: nothing is written, as when a save fails
};
HandoffWrite HandoffWriteFor(PathEntry folder, PathEntry file);

// Whether a hand-off file may be removed: a plain file in the plain folder.
bool MayRemoveHandoffFile(PathEntry folder, PathEntry file);

// Who may use a new hand-off file.
enum class HandoffAccess {
    OwnUserAndSystem, // an access list of its own: the user who made it and the system
    AsTheFolderGives, // the entries the folder hands down
};
// The photograph (image 0) shows the user's desktop: its own user's alone.
// The bolt pictures (1 and 2) are the program's own and stay as the folder gives.
HandoffAccess HandoffAccessOf(int index);

// Whether the platform's final path of an opened file or folder (such as
// "\\?\C:\q_velk\Velmoran0.bmp") names the path that was asked for (such as
// "C:\q_velk\Velmoran0.bmp"): the same letters, ignoring ASCII case, after
// the "\\?\" prefix. A link anywhere on the way makes them differ.
bool IsFinalPathOf(std::string_view final_path, std::string_view wanted);
