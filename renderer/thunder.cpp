#include "thunder.h"

#include <algorithm>
#include <cmath>

namespace {

// The eye stands 240 units in front of the scene's origin (the camera's
// translation); bolts stand from about 790 (the nearest) to 1835 units
// (the farthest) away from it.
constexpr float kEyeZ = 240.0f;
constexpr double kNearest = 790.0;
constexpr double kFarthest = 1835.0;
// Sound lags light: a tenth of a second for every 34 metres; the scene's
// sky, read as a few kilometres deep, puts the near bolts at about 0.3 s
// and the far ones at about 3 s, the span a storm over a town has.
constexpr double kNearestDelay = 0.3;
constexpr double kFarthestDelay = 3.0;
// The low-pass's share of each new sample: a cut-off of about 3 kHz near,
// 450 Hz far, as air and distance take the crack and leave the rumble.
constexpr float kNearestBrightness = 0.58f;
constexpr float kFarthestBrightness = 0.12f;
constexpr float kHalfSize = 220.0f; // a bolt's usual half size
// Where the sky's sides are, for the pan.
constexpr float kSkySide = 400.0f;

// The limiter leaves sums up to half of full scale alone and bends larger
// ones towards full scale, which they never reach.
constexpr float kKnee = 0.5f;

float limited(float x) {
    const float size = std::fabs(x);
    if (size <= kKnee) {
        return x;
    }
    const float bent = kKnee + (1.0f - kKnee) * std::tanh((size - kKnee) / (1.0f - kKnee));
    return std::copysign(bent, x);
}

std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

} // namespace

std::optional<ThunderSound> decode_thunder_wav(std::span<const std::uint8_t> file) {
    constexpr std::size_t kLongest = std::size_t{kThunderRate} * 60 * 2; // bytes of a minute
    if (file.size() < 12 || read32(file, 0) != 0x46464952 /* RIFF */ ||
        read32(file, 8) != 0x45564157 /* WAVE */) {
        return std::nullopt;
    }
    bool format_ok = false;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::uint32_t id = read32(file, at);
        const std::uint32_t length = read32(file, at + 4);
        if (length > file.size() - at - 8) {
            return std::nullopt;
        }
        const std::span<const std::uint8_t> body = file.subspan(at + 8, length);
        if (id == 0x20746D66 /* fmt */) {
            format_ok = length >= 16 && read16(body, 0) == 1 && read16(body, 2) == 1 &&
                        read32(body, 4) == kThunderRate && read16(body, 14) == 16;
        } else if (id == 0x61746164 /* data */) {
            if (!format_ok || length % 2 != 0 || length > kLongest || length == 0) {
                return std::nullopt;
            }
            ThunderSound sound;
            sound.samples.resize(length / 2);
            for (std::size_t i = 0; i < sound.samples.size(); ++i) {
                sound.samples[i] = static_cast<std::int16_t>(read16(body, 2 * i));
            }
            return sound;
        }
        at += 8 + length + (length & 1);
    }
    return std::nullopt;
}

ThunderShape thunder_shape(const Vec3& centre, float half_size) {
    const double z = centre.z - kEyeZ;
    const double distance =
        std::sqrt(double{centre.x} * centre.x + double{centre.y} * centre.y + z * z);
    const double far = std::clamp((distance - kNearest) / (kFarthest - kNearest), 0.0, 1.0);
    ThunderShape shape;
    shape.delay_seconds = kNearestDelay + far * (kFarthestDelay - kNearestDelay);
    shape.gain = static_cast<float>(kNearest / std::max(distance, kNearest)) *
                 std::clamp(half_size / kHalfSize, 0.5f, 2.0f);
    shape.pan = std::clamp(centre.x / kSkySide, -1.0f, 1.0f);
    shape.brightness =
        static_cast<float>(kNearestBrightness + far * (kFarthestBrightness - kNearestBrightness));
    return shape;
}

void ThunderMixer::strike(std::int64_t played, const Vec3& centre, float half_size,
                          unsigned choice) {
    if (m_sounds.empty()) {
        return;
    }
    const ThunderShape shape = thunder_shape(centre, half_size);
    const auto delay = static_cast<std::int64_t>(std::llround(shape.delay_seconds * kThunderRate));
    // An equal-power pan: as loud in the middle as at either side.
    const float angle = (shape.pan + 1.0f) * 0.25f * 3.14159265f;
    m_voices.push_back(Voice{&m_sounds[choice % m_sounds.size()], std::max(played + delay, m_mixed),
                             shape.gain * std::cos(angle), shape.gain * std::sin(angle),
                             shape.brightness});
}

void ThunderMixer::mix(std::span<std::int16_t> stereo) {
    const std::size_t frames = stereo.size() / 2;
    for (std::size_t f = 0; f < frames; ++f) {
        const std::int64_t now = m_mixed + static_cast<std::int64_t>(f);
        float left = 0.0f;
        float right = 0.0f;
        for (Voice& voice : m_voices) {
            const std::int64_t at = now - voice.start;
            if (at < 0 || at >= static_cast<std::int64_t>(voice.sound->samples.size())) {
                continue;
            }
            const float sample = voice.sound->samples[static_cast<std::size_t>(at)] / 32768.0f;
            voice.filtered += voice.brightness * (sample - voice.filtered);
            left += voice.filtered * voice.left;
            right += voice.filtered * voice.right;
        }
        stereo[2 * f] = static_cast<std::int16_t>(std::lround(limited(left) * 32767.0f));
        stereo[2 * f + 1] = static_cast<std::int16_t>(std::lround(limited(right) * 32767.0f));
    }
    m_mixed += static_cast<std::int64_t>(frames);
    std::erase_if(m_voices, [this](const Voice& voice) {
        return m_mixed >= voice.start + static_cast<std::int64_t>(voice.sound->samples.size());
    });
}
