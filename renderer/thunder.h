#pragma once

// Thunder after every strike ("/thunder"): the renderer knows where each bolt
// is and how big, so it schedules that bolt's thunder as sound lags light,
// later, softer and duller the farther the bolt stands, and mixes the
// thunders that overlap into 16-bit stereo blocks for the platform to play.
// Nothing here touches a device: blocks go out through the platform's wave
// output, whose played position comes back in as a frame count.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "fade_sprite.h"

// Frames (one sample per channel) per second, of the sounds and of the mix.
inline constexpr int kThunderRate = 22050;

// One thunder sound: mono 16-bit samples at kThunderRate.
struct ThunderSound {
    std::vector<std::int16_t> samples;
};

// A thunder sound from the bytes of a WAV file: 16-bit PCM, mono, at
// kThunderRate, at most a minute long. Nothing for any other or a damaged file.
std::optional<ThunderSound> decode_thunder_wav(std::span<const std::uint8_t> file);

// How a bolt's thunder sounds where the viewer stands.
struct ThunderShape {
    double delay_seconds; // after the bolt appears: 0.3 s for the nearest, 3 s for the farthest
    float gain;           // 1 for the nearest bolt, down to about 0.4 for the farthest
    float pan;            // -1 left to 1 right, by the bolt's side of the sky
    float brightness;     // the low-pass's share of each new sample: 1 bright, lower duller
};

// The shape of the thunder of a bolt centred at centre (scene units), half
// size wide: the distance to the eye decides the delay, the loudness and the
// dullness, and a bigger bolt is louder.
ThunderShape thunder_shape(const Vec3& centre, float half_size);

class ThunderMixer {
public:
    explicit ThunderMixer(std::vector<ThunderSound> sounds) : m_sounds(std::move(sounds)) {}

    // Whether there is any sound to play.
    bool has_sounds() const { return !m_sounds.empty(); }

    // A bolt appeared while the output stood at frame played: its thunder,
    // one of the sounds (chosen by choice), starts its delay later, or at the
    // next frame mixed when that is later still.
    void strike(std::int64_t played, const Vec3& centre, float half_size, unsigned choice);

    // Mixes the next frames (left, right, left, ...; an even count of
    // samples), the thunders summed through a soft limiter so that no number
    // of them clips. Silence where none sounds.
    void mix(std::span<std::int16_t> stereo);

    std::size_t voices() const { return m_voices.size(); }
    std::int64_t mixed() const { return m_mixed; } // frames mixed so far

private:
    struct Voice {
        const ThunderSound* sound;
        std::int64_t start; // the frame its first sample sounds at
        float left;
        float right;
        float brightness;
        float filtered = 0.0f; // the low-pass's last output
    };

    std::vector<ThunderSound> m_sounds;
    std::vector<Voice> m_voices;
    std::int64_t m_mixed = 0;
};
