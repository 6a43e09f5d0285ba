#include "test_sounds.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace velmoran_test {

namespace {

void put16(std::vector<char>& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::vector<char>& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xffff));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

void put_tag(std::vector<char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool write_tone_wave(const std::string& path, int frequency, int milliseconds) {
    constexpr std::uint32_t rate = 22050;
    const auto samples = static_cast<std::uint32_t>(rate * milliseconds / 1000);
    std::vector<char> file;
    put_tag(file, "RIFF");
    put32(file, 36 + samples * 2);
    put_tag(file, "WAVE");
    put_tag(file, "fmt ");
    put32(file, 16);
    put16(file, 1); // PCM
    put16(file, 1); // mono
    put32(file, rate);
    put32(file, rate * 2);
    put16(file, 2);
    put16(file, 16);
    put_tag(file, "data");
    put32(file, samples * 2);
    const double step = 2.0 * 3.14159265358979 * frequency / rate;
    for (std::uint32_t i = 0; i < samples; ++i) {
        put16(file,
              static_cast<std::uint16_t>(static_cast<std::int16_t>(16384 * std::sin(step * i))));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

std::string test_mp3_path(const std::string& program_folder) {
    return program_folder + "\\music data\\tone 440 Hz.mp3";
}

} // namespace velmoran_test
