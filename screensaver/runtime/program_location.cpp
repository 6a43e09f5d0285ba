#include "runtime/program_location.h"

namespace runtime {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string ArgumentsAfterProgramName(std::string_view command_line) {
    std::size_t i = 0;
    if (!command_line.empty() && command_line.front() == '"') {
        const auto closing = command_line.find('"', 1);
        i = closing == std::string_view::npos ? command_line.size() : closing + 1;
    } else {
        while (i < command_line.size() && !IsBlank(command_line[i])) {
            ++i;
        }
    }
    while (i < command_line.size() && IsBlank(command_line[i])) {
        ++i;
    }
    return std::string(command_line.substr(i));
}

std::string FolderOfProgramPath(std::string_view program_path) {
    const auto separator = program_path.find_last_of("\\/");
    if (separator == std::string_view::npos) {
        return {};
    }
    return std::string(program_path.substr(0, separator));
}

} // namespace runtime
