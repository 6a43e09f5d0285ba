#include "display_choice.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

RendererOptions ParseRendererOptions(std::string_view command_line) {
    RendererOptions options;
    std::size_t at = 0;
    while (at < command_line.size()) {
        while (at < command_line.size() && IsBlank(command_line[at])) {
            ++at;
        }
        std::size_t end = at;
        while (end < command_line.size() && !IsBlank(command_line[end])) {
            ++end;
        }
        const std::string_view word = command_line.substr(at, end - at);
        options.keep_resolution =
            options.keep_resolution || SameWord(word, kKeepResolutionArgument);
        options.every_monitor = options.every_monitor || SameWord(word, kEveryMonitorArgument);
        options.unpaced = options.unpaced || SameWord(word, kUnpacedArgument);
        options.thunder = options.thunder || SameWord(word, kThunderArgument);
        options.photograph = options.photograph && !SameWord(word, kNoPhotographArgument);
        if (auto monitor = ReadMonitorPhotograph(word)) {
            options.monitor_photographs.push_back(std::move(*monitor));
        }
        at = end;
    }
    return options;
}

std::vector<ModeChange> ModeChangesToTry(bool current_settings_known, bool keep_resolution) {
    if (!current_settings_known || keep_resolution) {
        return {};
    }
    return {ModeChange::SizeAtCurrentRefresh, ModeChange::SizeAtAnyRefresh};
}
