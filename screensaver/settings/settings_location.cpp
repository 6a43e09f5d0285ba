#include "settings/settings_location.h"

std::string SettingsFileToRead(const SettingsFiles& files, const SettingsFileAccess& access) {
    if (files.per_user && access.exists(*files.per_user)) {
        return *files.per_user;
    }
    return files.beside_program;
}

std::optional<std::string> SettingsFileToWrite(const SettingsFiles& files,
                                               const SettingsFileAccess& access) {
    if (files.per_user && access.exists(*files.per_user)) {
        // It is the file that is read: saving anywhere else would be lost.
        if (access.can_write(*files.per_user)) {
            return files.per_user;
        }
        return std::nullopt;
    }
    if (access.can_write(files.beside_program)) {
        return files.beside_program;
    }
    if (!files.per_user) {
        return std::nullopt;
    }
    access.make_folder_for(*files.per_user);
    if (access.can_write(*files.per_user)) {
        return files.per_user;
    }
    return std::nullopt;
}
