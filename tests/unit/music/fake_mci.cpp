#include "fake_mci.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

namespace {

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Splits a command string at blanks; a double-quoted part is one word without its quotes.
std::vector<std::string> words_of(const std::string& command) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < command.size()) {
        if (command[i] == ' ') {
            ++i;
            continue;
        }
        if (command[i] == '"') {
            const std::size_t close = command.find('"', i + 1);
            const std::size_t end = close == std::string::npos ? command.size() : close;
            words.push_back(command.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        const std::size_t end = std::min(command.find(' ', i), command.size());
        words.push_back(command.substr(i, end - i));
        i = end;
    }
    return words;
}

std::optional<int> whole_number(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoi(text);
}

// Reads "keyword value" pairs such as "from X to Y"; false for an unknown keyword or a missing
// value.
bool read_options(const std::vector<std::string>& words, std::size_t first,
                  const std::vector<std::string>& keywords,
                  std::map<std::string, std::string>& options) {
    for (std::size_t i = first; i < words.size(); i += 2) {
        const std::string keyword = lower(words[i]);
        if (std::find(keywords.begin(), keywords.end(), keyword) == keywords.end() ||
            i + 1 >= words.size()) {
            return false;
        }
        options[keyword] = words[i + 1];
    }
    return true;
}

} // namespace

FakeMci::FakeMci() {
    m_error_texts = {
        {kUnrecognizedKeyword, "The driver cannot recognize the specified command parameter."},
        {kUnrecognizedCommand, "The driver cannot recognize the specified command."},
        {kHardware, "There is a problem with your media device."},
        {kInvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
        {kDeviceOpen, "The device name is already being used as an alias by this application."},
        {kCannotLoadDriver,
         "There is an undetectable problem in loading the specified device driver."},
        {kBadInteger, "The specified integer is invalid for this command."},
        {kFileNotFound, "Cannot find the specified file."},
        {kDeviceNotReady, "The device is not ready."},
        {kOutOfRange, "The specified parameter is out of range for the specified command."},
        {kDuplicateAlias, "The specified alias is already being used in this application."},
        {kBadTimeFormat, "The specified MCI time format is invalid."},
    };
}

MciPlatform FakeMci::platform() {
    return MciPlatform{this, send_string, error_string, wave_devices, play_sound};
}

std::vector<std::string> FakeMci::take_commands() {
    std::vector<std::string> taken(m_commands.begin() + static_cast<std::ptrdiff_t>(m_taken),
                                   m_commands.end());
    m_taken = m_commands.size();
    return taken;
}

void FakeMci::fail_next(const std::string& command, std::uint32_t code) {
    m_scripted[command] = ScriptedAnswer{code, ""};
}

void FakeMci::answer_next(const std::string& command, const std::string& reply) {
    m_scripted[command] = ScriptedAnswer{0, reply};
}

void FakeMci::advance(int milliseconds) {
    if (m_cd.playing) {
        m_cd.position += milliseconds;
        if (m_cd.position >= m_cd.play_end) {
            m_cd.position = m_cd.play_end;
            m_cd.playing = false;
            // A drive that has played to the end of the disc returns to its start.
            if (m_cd.position >= disc_length()) {
                m_cd.position = 0;
            }
        }
    }
    for (auto& [alias, device] : m_devices) {
        if (!device.playing) {
            continue;
        }
        device.position += milliseconds;
        if (device.position >= device.length) {
            device.position = device.length;
            device.playing = false;
            device.ended = true;
            device.reports_stopped = false;
        }
    }
}

void FakeMci::insert_disc(const std::vector<int>& track_seconds) {
    std::vector<int> lengths;
    for (int seconds : track_seconds) {
        lengths.push_back(seconds * 1000);
    }
    m_cd.tracks = lengths;
    m_cd.position = 0;
    m_cd.playing = false;
}

void FakeMci::eject_disc() {
    m_cd.tracks.reset();
    m_cd.position = 0;
    m_cd.playing = false;
}

void FakeMci::play_track_directly(int track) {
    m_cd.position = track_start(track);
    m_cd.play_end = disc_length();
    m_cd.playing = true;
}

int FakeMci::track_start(int track) const {
    const auto& tracks = *m_cd.tracks;
    return std::accumulate(tracks.begin(), tracks.begin() + (track - 1), 0);
}

int FakeMci::disc_length() const {
    return m_cd.tracks ? std::accumulate(m_cd.tracks->begin(), m_cd.tracks->end(), 0) : 0;
}

int FakeMci::cd_track() const {
    if (!m_cd.tracks) {
        return 0;
    }
    const auto& tracks = *m_cd.tracks;
    int start = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (m_cd.position < start + tracks[i]) {
            return static_cast<int>(i) + 1;
        }
        start += tracks[i];
    }
    return static_cast<int>(tracks.size());
}

int FakeMci::cd_seconds_into_track() const {
    if (!m_cd.tracks) {
        return 0;
    }
    return (m_cd.position - track_start(cd_track())) / 1000;
}

void FakeMci::add_file(const std::string& path, int length_milliseconds) {
    m_files[path] = length_milliseconds;
}

bool FakeMci::file_open(const std::string& alias) const {
    return m_devices.count(lower(alias)) != 0;
}

bool FakeMci::file_playing(const std::string& alias) const {
    const auto it = m_devices.find(lower(alias));
    return it != m_devices.end() && it->second.playing;
}

int FakeMci::file_position(const std::string& alias) const {
    const auto it = m_devices.find(lower(alias));
    return it == m_devices.end() ? -1 : it->second.position;
}

std::uint32_t FakeMci::execute(const std::vector<std::string>& words, std::string& reply) {
    if (words.size() < 2) {
        return words.empty() ? kUnrecognizedCommand : kInvalidDeviceName;
    }
    const std::string verb = lower(words[0]);
    const std::string device = lower(words[1]);
    if (device == "cdaudio") {
        return cd_command(words, reply);
    }
    if (verb == "open") {
        return open_file(words);
    }
    const auto it = m_devices.find(device);
    if (it == m_devices.end()) {
        return kInvalidDeviceName;
    }
    return file_command(it->second, words, reply);
}

std::uint32_t FakeMci::cd_command(const std::vector<std::string>& words, std::string& reply) {
    if (!m_cd.present) {
        return kCannotLoadDriver;
    }
    const std::string verb = lower(words[0]);
    if (verb == "open") {
        if (words.size() != 2) {
            return kUnrecognizedKeyword;
        }
        if (m_cd.open) {
            return kDeviceOpen;
        }
        m_cd.open = true;
        m_cd.tmsf = false;
        return 0;
    }
    if (!m_cd.open) {
        return kInvalidDeviceName;
    }
    if (verb == "set") {
        if (words.size() != 5 || lower(words[2]) != "time" || lower(words[3]) != "format") {
            return kUnrecognizedKeyword;
        }
        const std::string format = lower(words[4]);
        if (format != "tmsf" && format != "msf") {
            return kBadTimeFormat;
        }
        m_cd.tmsf = format == "tmsf";
        return 0;
    }
    if (verb == "status") {
        return cd_status(words, reply);
    }
    if (verb == "play") {
        return cd_play(words);
    }
    if (verb == "stop" || verb == "close") {
        if (words.size() != 2) {
            return kUnrecognizedKeyword;
        }
        m_cd.playing = false;
        m_cd.open = verb == "stop";
        return 0;
    }
    return kUnrecognizedCommand;
}

std::uint32_t FakeMci::cd_status(const std::vector<std::string>& words, std::string& reply) const {
    std::string item;
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (i > 2) {
            item += ' ';
        }
        item += lower(words[i]);
    }
    if (item == "mode") {
        reply = !m_cd.tracks ? "not ready" : m_cd.playing ? "playing" : "stopped";
        return 0;
    }
    if (!m_cd.tracks) {
        return kDeviceNotReady;
    }
    if (item == "current track") {
        reply = std::to_string(cd_track());
    } else if (item == "number of tracks") {
        reply = std::to_string(m_cd.tracks->size());
    } else if (item == "position") {
        reply = cd_format(m_cd.position);
    } else if (item.rfind("position track ", 0) == 0) {
        const auto track = whole_number(item.substr(15));
        if (!track) {
            return kBadInteger;
        }
        if (*track < 1 || *track > static_cast<int>(m_cd.tracks->size())) {
            return kOutOfRange;
        }
        reply = cd_format(track_start(*track));
    } else {
        return kUnrecognizedKeyword;
    }
    return 0;
}

std::uint32_t FakeMci::cd_play(const std::vector<std::string>& words) {
    std::map<std::string, std::string> options;
    if (!read_options(words, 2, {"from", "to"}, options)) {
        return kUnrecognizedKeyword;
    }
    if (!m_cd.tracks) {
        return kDeviceNotReady;
    }
    std::uint32_t error = 0;
    int from = m_cd.position;
    int to = disc_length();
    if (options.count("from")) {
        const auto position = cd_parse(options["from"], error);
        if (!position) {
            return error;
        }
        from = *position;
    }
    if (options.count("to")) {
        const auto position = cd_parse(options["to"], error);
        if (!position) {
            return error;
        }
        to = *position;
    }
    if (from > to) {
        return kOutOfRange;
    }
    m_cd.position = from;
    m_cd.play_end = to;
    m_cd.playing = from < to;
    return 0;
}

// Positions are written tt:mm:ss:ff (track, then minutes, seconds and
// frames of 1/75 s into it) in tmsf, mm:ss:ff from the start of the disc in msf.
std::string FakeMci::cd_format(int position) const {
    int track = 0;
    int offset = position;
    if (m_cd.tmsf) {
        int start = 0;
        for (track = 1; track < static_cast<int>(m_cd.tracks->size()); ++track) {
            if (position < start + (*m_cd.tracks)[track - 1]) {
                break;
            }
            start += (*m_cd.tracks)[track - 1];
        }
        offset = position - start;
    }
    char text[32];
    const int minutes = offset / 60000;
    const int seconds = offset / 1000 % 60;
    const int frames = offset % 1000 * 75 / 1000;
    if (m_cd.tmsf) {
        std::snprintf(text, sizeof(text), "%02d:%02d:%02d:%02d", track, minutes, seconds, frames);
    } else {
        std::snprintf(text, sizeof(text), "%02d:%02d:%02d", minutes, seconds, frames);
    }
    return text;
}

std::optional<int> FakeMci::cd_parse(const std::string& text, std::uint32_t& error) const {
    std::vector<int> fields;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t colon = std::min(text.find(':', start), text.size());
        const auto field = whole_number(text.substr(start, colon - start));
        if (!field) {
            error = kBadInteger;
            return std::nullopt;
        }
        fields.push_back(*field);
        start = colon + 1;
    }
    const std::size_t most = m_cd.tmsf ? 4 : 3;
    if (fields.size() > most) {
        error = kBadInteger;
        return std::nullopt;
    }
    fields.resize(most, 0);
    int position = 0;
    if (m_cd.tmsf) {
        const int track = fields[0];
        if (track < 1 || track > static_cast<int>(m_cd.tracks->size())) {
            error = kOutOfRange;
            return std::nullopt;
        }
        position = track_start(track);
        fields.erase(fields.begin());
    }
    position += (fields[0] * 60 + fields[1]) * 1000 + fields[2] * 1000 / 75;
    if (position > disc_length()) {
        error = kOutOfRange;
        return std::nullopt;
    }
    return position;
}

std::uint32_t FakeMci::open_file(const std::vector<std::string>& words) {
    std::map<std::string, std::string> options;
    if (!read_options(words, 2, {"type", "alias"}, options)) {
        return kUnrecognizedKeyword;
    }
    const auto file = m_files.find(words[1]);
    if (file == m_files.end()) {
        return kFileNotFound;
    }
    const std::string alias = lower(options.count("alias") ? options["alias"] : words[1]);
    if (m_devices.count(alias)) {
        return kDuplicateAlias;
    }
    m_devices[alias] = FileDevice{file->first, file->second};
    return 0;
}

std::uint32_t FakeMci::file_command(FileDevice& device, const std::vector<std::string>& words,
                                    std::string& reply) {
    const std::string verb = lower(words[0]);
    if (verb == "status") {
        const std::string item = words.size() == 3 ? lower(words[2]) : "";
        if (item == "mode") {
            reply = device.playing && !device.reports_stopped ? "playing" : "stopped";
        } else if (item == "position") {
            reply = std::to_string(device.position);
        } else if (item == "length") {
            reply = std::to_string(device.length);
        } else {
            return kUnrecognizedKeyword;
        }
        return 0;
    }
    if (verb == "play") {
        std::map<std::string, std::string> options;
        if (!read_options(words, 2, {"from", "to"}, options) || options.count("to")) {
            return kUnrecognizedKeyword;
        }
        if (options.count("from")) {
            const auto from = whole_number(options["from"]);
            if (!from) {
                return kBadInteger;
            }
            if (*from > device.length) {
                return kOutOfRange;
            }
            device.position = *from;
        }
        device.playing = device.position < device.length;
        // As the platform's MPEG device does: once it has played to its end,
        // a new play without a stop first sounds but goes on reporting "stopped".
        device.reports_stopped = device.ended;
        return 0;
    }
    if (words.size() != 2) {
        return kUnrecognizedKeyword;
    }
    if (verb == "stop") {
        device.playing = false;
        device.ended = false;
        device.reports_stopped = false;
        return 0;
    }
    if (verb == "close") {
        m_devices.erase(lower(words[1]));
        return 0;
    }
    return kUnrecognizedCommand;
}

std::uint32_t FakeMci::send_string(void* context, const char* command, char* reply,
                                   std::uint32_t reply_size, void* callback_window) {
    auto& self = *static_cast<FakeMci*>(context);
    self.m_commands.push_back(command);
    if (callback_window != nullptr) {
        return kUnrecognizedKeyword; // no command asks for notification
    }
    std::string text;
    std::uint32_t code = 0;
    const auto scripted = self.m_scripted.find(command);
    if (scripted != self.m_scripted.end()) {
        code = scripted->second.code;
        text = scripted->second.reply;
        self.m_scripted.erase(scripted);
    } else {
        code = self.execute(words_of(command), text);
    }
    if (reply != nullptr && reply_size > 0) {
        const std::size_t n = std::min<std::size_t>(text.size(), reply_size - 1);
        std::memcpy(reply, text.data(), n);
        reply[n] = '\0';
    }
    return code;
}

std::int32_t FakeMci::error_string(void* context, std::uint32_t error, char* text,
                                   std::uint32_t text_size) {
    auto& self = *static_cast<FakeMci*>(context);
    const auto it = self.m_error_texts.find(error);
    if (it == self.m_error_texts.end() || text_size == 0) {
        return 0;
    }
    const std::size_t n = std::min<std::size_t>(it->second.size(), text_size - 1);
    std::memcpy(text, it->second.data(), n);
    text[n] = '\0';
    return 1;
}

std::uint32_t FakeMci::wave_devices(void* context) {
    return static_cast<FakeMci*>(context)->m_wave_devices;
}

std::int32_t FakeMci::play_sound(void* context, const char* sound, void* module,
                                 std::uint32_t flags) {
    auto& self = *static_cast<FakeMci*>(context);
    ++self.m_wave.calls;
    self.m_wave.last_flags = flags;
    self.m_wave.sound.clear();
    self.m_wave.looping = false;
    if (sound == nullptr) {
        return 1; // stops whatever this program plays
    }
    if (module != nullptr || self.m_wave_devices == 0) {
        return 0;
    }
    if (!self.m_files.count(sound)) {
        // A sound that cannot be played: the system's default sound instead,
        // unless the caller said no default (SND_NODEFAULT).
        if ((flags & 2) == 0) {
            self.m_wave.sound = kDefaultSound;
            self.m_wave.looping = (flags & 8) != 0;
        }
        return 0;
    }
    self.m_wave.sound = sound;
    self.m_wave.looping = (flags & 8) != 0;
    return 1;
}
