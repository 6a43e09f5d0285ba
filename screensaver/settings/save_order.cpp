#include "settings/save_order.h"

#include "settings/setting_values.h"
#include "settings/settings_file.h"

void SaveMusicSettings(MusicSettings& settings, std::string_view track_box_text,
                       const WriteSettingsKey& write) {
    write(ProfileKey(kKeyMusicKind), NumericSettingText(settings.BgmKind));
    settings.BgmRepeat = RepeatFromTrackText(track_box_text);
    write(ProfileKey(kKeyMusicRepeat), NumericSettingText(settings.BgmRepeat));
    write(ProfileKey(kKeyMusicFile), settings.BgmFile);
}
