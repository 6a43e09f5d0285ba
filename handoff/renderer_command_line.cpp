#include "renderer_command_line.h"

#include <charconv>

#include "monitor_pictures.h"

std::string PhotographArguments(bool photograph_written,
                                const std::vector<MonitorPhotograph>& monitors) {
    std::string words = photograph_written ? "" : std::string(kNoPhotographArgument);
    for (const MonitorPhotograph& monitor : monitors) {
        words.append(words.empty() ? "" : " ")
            .append(kMonitorPhotographArgument)
            .append(std::to_string(monitor.picture))
            .append(":")
            .append(monitor.device);
    }
    return words;
}

std::optional<MonitorPhotograph> ReadMonitorPhotograph(std::string_view word) {
    if (word.substr(0, kMonitorPhotographArgument.size()) != kMonitorPhotographArgument) {
        return std::nullopt;
    }
    word.remove_prefix(kMonitorPhotographArgument.size());
    MonitorPhotograph photograph;
    const auto [end, error] =
        std::from_chars(word.data(), word.data() + word.size(), photograph.picture);
    if (error != std::errc() || end == word.data() || end == word.data() + word.size() ||
        *end != ':' || photograph.picture == 0 || !IsMonitorPhotograph(photograph.picture)) {
        return std::nullopt;
    }
    photograph.device = std::string(end + 1, word.data() + word.size());
    if (photograph.device.empty() ||
        photograph.device.find_first_of(" \t\"") != std::string::npos) {
        return std::nullopt;
    }
    return photograph;
}
