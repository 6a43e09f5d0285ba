#pragma once

// Where the hand-off pictures live, as both programs find them. The
// screensaver program writes them and the renderer reads them; neither tells
// the other where: each derives the same folder of the user who runs it,
// under that user's local application data, which other users of the
// machine cannot open. Nothing is read, written or removed there through a
// link (junction, symbolic link, mount point) or in an entry of the wrong
// kind.

#include <optional>
#include <string>
#include <string_view>

// How many hand-off pictures there are: 0 the photograph of the primary
// screen (the floor), 1 and 2 the two bolt pictures.
inline constexpr int kHandoffImageCount = 3;

// The hand-off folder under the user's local application data (such as
// "C:\Users\ann\AppData\Local", one trailing backslash or none): its
// "Velmoran" folder. Nothing when that path is empty or not absolute (a
// drive and a backslash, or a share "\\server\share"): a relative one would
// put the pictures in whatever folder is current.
std::optional<std::wstring> HandoffFolderIn(std::wstring_view local_app_data);

// "Velmoran0.bmp", "Velmoran1.bmp", "Velmoran2.bmp" for index 0, 1, 2.
std::wstring HandoffFileName(int index);

// The file of picture index directly inside folder.
std::wstring HandoffFilePath(std::wstring_view folder, int index);

// A path as the platform's final-path query gives it ("\\?\C:\x" or
// "\\?\UNC\server\share\x"), in the ordinary form ("C:\x",
// "\\server\share\x").
std::wstring WithoutLongPathPrefix(std::wstring_view final_path);

// Whether the platform's final path of an opened file or folder names the
// path that was asked for: the same letters, ignoring ASCII case, once both
// are in the ordinary form. A link anywhere on the way makes them differ.
bool IsFinalPathOf(std::wstring_view final_path, std::wstring_view wanted);

// What stands at a path, as the platform reports it without following links.
enum class PathEntry {
    Missing, // nothing
    File,    // a plain file on a disk
    Folder,  // a plain folder
    Link,    // a reparse point of any kind (junction, symbolic link, mount point)
    Unknown, // the platform cannot tell (no access, a bad path, a pipe or a device)
};

// Whether a hand-off picture may be read (by the renderer) or removed (at
// the end of a run): a plain file in the plain folder. Anything else counts
// as a missing picture.
bool IsPlainHandoffFile(PathEntry folder, PathEntry file);
