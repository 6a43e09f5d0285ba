#pragma once

// How the program writes into the hand-off folder and removes from it.
// Nothing is written or removed through a link (junction, symbolic link)
// where the folder or a file should be, a file where the folder should be, or
// a folder where a file should be (see handoff_location.h). An earlier file
// (one a killed run left behind, too) is replaced by removing it and creating a new one, never by
// opening the old one for writing; the photograph of the desktop is made
// readable by its own user (and the system) alone, and removed when the run
// ends.

#include "handoff_location.h"

// How one hand-off file is written, from what stands at the folder's path and
// at the file's.
enum class HandoffWrite {
    Create,           // the folder is there and the file is not: a new file
    RemoveThenCreate, // an earlier file: removed first, then a new one is made
    Refuse,           // anything else: nothing is written, as when a save fails
};
HandoffWrite HandoffWriteFor(PathEntry folder, PathEntry file);

// Who may use a new hand-off file.
enum class HandoffAccess {
    OwnUserAndSystem, // an access list of its own: the user who made it and the system
    AsTheFolderGives, // the entries the folder hands down
};
// The photographs (image 0, and 3 and after for further monitors) show the
// user's desktop: its own user's alone. The bolt pictures (1 and 2) are the
// program's own and stay as the folder gives.
HandoffAccess HandoffAccessOf(int index);
