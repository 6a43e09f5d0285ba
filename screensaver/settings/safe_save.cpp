#include "settings/safe_save.h"

namespace {

// Runs write_all onto write; false when a write failed.
bool WriteAll(const std::function<void(const WriteSettingsKey&)>& write_all,
              const std::function<bool(const std::string&, const std::string&)>& write) {
    bool written = true;
    write_all([&](const std::string& key, const std::string& value) {
        written = written && write(key, value);
    });
    return written;
}

} // namespace

bool SaveThroughCopy(const SettingsFileCopy& copy,
                     const std::function<void(const WriteSettingsKey&)>& write_all) {
    try {
        const CopyMade made = copy.make();
        if (made == CopyMade::NoRoom) {
            return WriteAll(write_all, copy.write_in_place);
        }
        if (made == CopyMade::Made && WriteAll(write_all, copy.write_key) && copy.flush() &&
            copy.put_in_place()) {
            return true;
        }
    } catch (...) {
        // Out of memory, say: the same as a step that failed.
    }
    try {
        copy.discard();
    } catch (...) {
    }
    return false;
}
