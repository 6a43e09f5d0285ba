#include "settings/display_settings.h"

#include "renderer_command_line.h"
#include "settings/settings_file.h"

bool KeepResolutionFrom(std::string_view stored_value) {
    return stored_value == "1";
}

void SaveDisplaySettings(const DisplaySettings& settings, const WriteSettingsKey& write) {
    write(ProfileKey(kKeyKeepResolution), settings.KeepResolution ? "1" : "0");
}

std::string RendererArgumentsFor(const DisplaySettings& settings) {
    return settings.KeepResolution ? std::string(kKeepResolutionArgument) : std::string();
}
