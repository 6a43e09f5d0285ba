#include "renderer_launch.h"

#include "program_names.h"

std::string RendererPathIn(std::string_view program_folder) {
    return std::string(program_folder) + std::string(kRendererFileName);
}

RendererLaunch LaunchOf(const std::string& renderer_path) {
    return RendererLaunch{renderer_path, "\"" + renderer_path + "\"", kRendererShowCommand};
}
