#include "renderer_launch.h"

#include "program_names.h"

std::string RendererPathIn(std::string_view program_folder) {
    return std::string(program_folder) + std::string(kRendererFileName);
}

RendererLaunch LaunchOf(const std::string& renderer_path, std::string_view arguments) {
    std::string command_line = "\"" + renderer_path + "\"";
    if (!arguments.empty()) {
        command_line.append(" ").append(arguments);
    }
    return RendererLaunch{renderer_path, command_line, kRendererShowCommand};
}
