#include "thunder_sounds.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "canvas.h"

namespace artwork {

namespace {

constexpr double kPi = 3.14159265358979;

// A one-pole low-pass's share of each new sample for a cut-off in hertz.
double LowPassShare(double cutoff) {
    return 1.0 - std::exp(-2.0 * kPi * cutoff / kThunderSampleRate);
}

// A crack at start seconds: a burst of bright noise, gone within a tenth of a second.
void AddCrack(std::vector<double>& sound, double start, double loudness, Random& random) {
    const auto first = static_cast<std::size_t>(start * kThunderSampleRate);
    double previous = 0.0;
    for (std::size_t i = first; i < sound.size() && i < first + kThunderSampleRate / 8; ++i) {
        const double t = static_cast<double>(i - first) / kThunderSampleRate;
        const double noise = random.Uniform(-1.0, 1.0);
        const double bright = noise - 0.7 * previous; // a gentle high-pass
        previous = noise;
        const double envelope = std::min(1.0, t / 0.002) * std::exp(-t / 0.03);
        sound[i] += loudness * envelope * bright;
    }
}

// The rumble: deep noise that swells, rolls a few times and dies away.
void AddRumble(std::vector<double>& sound, Random& random) {
    const double duration = static_cast<double>(sound.size()) / kThunderSampleRate;
    struct Roll {
        double at, width, strength;
    };
    std::vector<Roll> rolls;
    const int count = 3 + static_cast<int>(random.Next() % 3);
    for (int r = 0; r < count; ++r) {
        rolls.push_back({random.Uniform(0.4, duration - 0.6), random.Uniform(0.15, 0.4),
                         random.Uniform(0.4, 0.9)});
    }
    const double share = LowPassShare(random.Uniform(180.0, 320.0));
    double brown = 0.0;
    double low = 0.0;
    for (std::size_t i = 0; i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / kThunderSampleRate;
        brown = 0.997 * brown + 0.06 * random.Uniform(-1.0, 1.0);
        low += share * (brown - low);
        double swell = 1.0;
        for (const Roll& roll : rolls) {
            const double d = (t - roll.at) / roll.width;
            swell += roll.strength * std::exp(-d * d);
        }
        const double envelope =
            SmoothStep(0.02, 0.35, t) * std::exp(-std::max(0.0, t - 0.35) / 1.1);
        const double fade = std::min(1.0, (duration - t) / 0.3);
        sound[i] += 2.5 * low * swell * envelope * std::max(fade, 0.0);
    }
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::vector<std::int16_t> SynthesiseThunder(int variant) {
    Random random(0x7D0C3A51u + 977u * static_cast<std::uint32_t>(variant));
    const double duration = 3.2 + 0.4 * variant;
    std::vector<double> sound(static_cast<std::size_t>(duration * kThunderSampleRate), 0.0);
    AddCrack(sound, 0.0, 3.0, random);
    const int echoes = 2 + variant;
    for (int c = 0; c < echoes; ++c) {
        AddCrack(sound, random.Uniform(0.05, 0.5), random.Uniform(0.6, 1.4), random);
    }
    AddRumble(sound, random);
    double peak = 1e-9;
    for (const double s : sound) {
        peak = std::max(peak, std::fabs(s));
    }
    std::vector<std::int16_t> samples(sound.size());
    for (std::size_t i = 0; i < sound.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(sound[i] / peak * 0.9 * 32767.0));
    }
    return samples;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sample_rate) {
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + data_bytes);
    for (const char c : std::string_view("RIFF")) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    Put32(out, 36 + data_bytes);
    for (const char c : std::string_view("WAVEfmt ")) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, static_cast<std::uint32_t>(sample_rate));
    Put32(out, static_cast<std::uint32_t>(sample_rate) * 2);
    Put16(out, 2);
    Put16(out, 16);
    for (const char c : std::string_view("data")) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    Put32(out, data_bytes);
    for (const std::int16_t s : samples) {
        Put16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

} // namespace artwork
