#include "settings/settings_file.h"

#include "runtime/shift_jis.h"

std::string SettingsFilePath(std::string_view program_folder) {
    return std::string(program_folder) + std::string(kSettingsFileName);
}

std::string ProfileKey(std::string_view utf8_key) {
    return runtime::ShiftJisFromUtf8(utf8_key).value_or(std::string(utf8_key));
}
