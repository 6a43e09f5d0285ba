// libFuzzer target: the settings file's values as the program loads them at
// its start: the music kind, the repeat, the music file (Shift-JIS text on
// a Japanese code page), and the display choices and thunder, one field each after a
// byte that says the code page and whether the music file exists. The load
// rules' verdicts must hold: file music needs a file, the chooser's folder
// is the program's without one, a number loads back as saved.

#include <cstdlib>
#include <map>
#include <string>

#include "fuzz_fields.h"
#include "music_settings_loading.h"
#include "runtime/shift_jis.h"
#include "settings/display_settings.h"
#include "settings/music_choice.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto fields = FuzzFields(data + 1, size - 1);
    const std::map<std::string, std::string_view> file = {
        {ProfileKey(kKeyMusicKind), FuzzField(fields, 0)},
        {ProfileKey(kKeyMusicRepeat), FuzzField(fields, 1)},
        {ProfileKey(kKeyMusicFile), FuzzField(fields, 2)},
        {ProfileKey(kKeyKeepResolution), FuzzField(fields, 3)},
        {ProfileKey(kKeyEveryMonitor), FuzzField(fields, 4)},
        {ProfileKey(kKeyThunder), FuzzField(fields, 5)}};
    SettingsReader reader;
    reader.read_key = [&](const std::string& key) {
        const auto found = file.find(key);
        return found == file.end() ? std::string() : std::string(found->second);
    };
    reader.file_exists = [&](const std::string&) { return (data[0] & 2) != 0; };
    reader.program_folder = "C:\\Program Files\\Velmoran";
    reader.lead_byte = (data[0] & 1) != 0 ? runtime::IsShiftJisLeadByte : runtime::NoLeadBytes;
    MusicSettings settings;
    LoadMusicSettingsFrom(settings, reader);
    if ((settings.BgmKind == 2 && settings.BgmFile.empty()) ||
        (settings.BgmFile.empty() && settings.BgmFolder != reader.program_folder) ||
        NumericSettingFromText(NumericSettingText(settings.BgmRepeat)) != settings.BgmRepeat) {
        std::abort();
    }
    if (MusicFilePathOf(std::string(FuzzField(fields, 2))) == MusicFilePath::Usable &&
        FuzzField(fields, 2).size() > 254) {
        std::abort();
    }
    for (std::size_t choice = 3; choice <= 5; ++choice) {
        if (ChoiceFrom(FuzzField(fields, choice)) != (FuzzField(fields, choice) == "1")) {
            std::abort();
        }
    }
    return 0;
}
