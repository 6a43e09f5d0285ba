#include "settings/safe_save.h"

bool SaveThroughCopy(const SettingsFileCopy& copy,
                     const std::function<void(const WriteSettingsKey&)>& write_all) {
    if (!copy.make()) {
        copy.discard();
        return false;
    }
    bool written = true;
    write_all([&](const std::string& key, const std::string& value) {
        written = written && copy.write_key(key, value);
    });
    if (!written || !copy.flush() || !copy.put_in_place()) {
        copy.discard();
        return false;
    }
    return true;
}
