#include "settings/display_settings.h"

#include "renderer_command_line.h"
#include "settings/settings_file.h"

bool ChoiceFrom(std::string_view stored_value) {
    return stored_value == "1";
}

void SaveDisplaySettings(const DisplaySettings& settings, const WriteSettingsKey& write) {
    write(ProfileKey(kKeyKeepResolution), settings.KeepResolution ? "1" : "0");
    write(ProfileKey(kKeyEveryMonitor), settings.EveryMonitor ? "1" : "0");
    write(ProfileKey(kKeyThunder), settings.Thunder ? "1" : "0");
}

std::string RendererArgumentsFor(const DisplaySettings& settings) {
    std::string arguments;
    for (const auto& [on, word] : {std::pair{settings.KeepResolution, kKeepResolutionArgument},
                                   std::pair{settings.EveryMonitor, kEveryMonitorArgument},
                                   std::pair{settings.Thunder, kThunderArgument}}) {
        if (on) {
            arguments.append(arguments.empty() ? "" : " ").append(word);
        }
    }
    return arguments;
}
