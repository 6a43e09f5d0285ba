#include "music_settings_loading.h"

#include "file_paths.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"

void LoadMusicSettingsFrom(MusicSettings& settings, const SettingsReader& reader) {
    if (const auto kind = NumericSettingFromText(reader.read_key(ProfileKey(kKeyMusicKind)))) {
        settings.BgmKind = *kind;
    }
    if (const auto repeat = NumericSettingFromText(reader.read_key(ProfileKey(kKeyMusicRepeat)))) {
        settings.BgmRepeat = *repeat;
    }
    settings.BgmFile = reader.read_key(ProfileKey(kKeyMusicFile));
    if (!settings.BgmFile.empty() && !reader.file_exists(settings.BgmFile)) {
        settings.BgmFile.clear();
    }
    if (settings.BgmFile.empty()) {
        if (settings.BgmKind == 2) {
            settings.BgmKind = 0; // no file, no file music
        }
        settings.BgmFolder = reader.program_folder;
    } else {
        settings.BgmFolder = FolderOfPath(settings.BgmFile, reader.lead_byte);
    }
}
