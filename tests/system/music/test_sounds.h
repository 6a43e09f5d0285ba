#pragma once

// Sounds and paths the music tests play.

#include <string>

namespace velmoran_test {

// Writes a 16-bit mono PCM WAV file (22050 Hz) of a sine tone at half of
// full scale; false when it cannot be written.
bool write_tone_wave(const std::string& path, int frequency, int milliseconds);

// The test MP3 (a 1.5 s tone of 440 Hz), in a folder whose name has blanks.
std::string test_mp3_path(const std::string& program_folder);

} // namespace velmoran_test
