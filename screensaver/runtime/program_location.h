#pragma once

// What the program knows about how it was started: the command line without
// the program's own name, and the folder it was started from.

#include <string>
#include <string_view>

namespace runtime {

// The command line without the program name: the first token (up to its
// closing quote when it starts with one, else up to the first blank) and the
// blanks after it are dropped; the rest stays as it is.
std::string ArgumentsAfterProgramName(std::string_view command_line);

// The folder of a program's full path, without a trailing backslash (a
// program in the root of drive C gives "C:").
std::string FolderOfProgramPath(std::string_view program_path);

} // namespace runtime
