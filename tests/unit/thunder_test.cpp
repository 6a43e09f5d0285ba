// The thunder's scheduling and mixing: how a bolt's distance and size set
// its thunder's delay, loudness and dullness, where a strike starts in the
// mix, that overlapping thunders never clip, and which sound files are
// refused.

#include "thunder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// A full-scale square wave of frames frames: the loudest a sound can be.
ThunderSound Loudest(std::size_t frames) {
    ThunderSound sound;
    for (std::size_t i = 0; i < frames; ++i) {
        sound.samples.push_back((i / 20) % 2 == 0 ? 32767 : -32768);
    }
    return sound;
}

// The first mixed frame that is not silent, or -1.
std::int64_t FirstSound(ThunderMixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> stereo(frames * 2);
    const std::int64_t from = mixer.mixed();
    mixer.mix(stereo);
    const auto at =
        std::find_if(stereo.begin(), stereo.end(), [](std::int16_t s) { return s != 0; });
    return at == stereo.end() ? -1 : from + (at - stereo.begin()) / 2;
}

TEST(Thunder, FartherBoltsThunderLaterSofterAndDuller) {
    const struct {
        Vec3 centre;
        float half_size;
        double delay; // seconds
        float gain;
    } bolts[] = {
        {{0, 50, -550}, 220.0f, 0.30, 1.0f},     // the nearest a bolt comes
        {{-400, 50, -1548}, 220.0f, 3.0, 0.43f}, // the farthest
        {{198, 50, -948}, 220.0f, 1.37, 0.66f},  // the second kind's farthest
        {{0, 50, -550}, 330.0f, 0.30, 1.5f},     // a bigger bolt is louder
    };
    for (const auto& b : bolts) {
        const ThunderShape shape = thunder_shape(b.centre, b.half_size);
        EXPECT_NEAR(shape.delay_seconds, b.delay, 0.1) << b.centre.z;
        EXPECT_NEAR(shape.gain, b.gain, 0.05) << b.centre.z;
    }
    EXPECT_GT(thunder_shape({0, 50, -550}, 220).brightness,
              thunder_shape({0, 50, -1548}, 220).brightness);
    EXPECT_LT(thunder_shape({-400, 50, -900}, 220).pan, 0.0f);
}

TEST(Thunder, AStrikeSoundsAfterItsDelayAndOverlapsNeverClip) {
    std::vector<ThunderSound> sounds{Loudest(3000)};
    ThunderMixer mixer(sounds);
    // Struck at frame 100 of the output: the first sound comes its delay
    // later, or at once where the mix is past that already.
    const Vec3 near{0, 50, -550};
    mixer.strike(100, near, 220.0f, 0);
    EXPECT_EQ(FirstSound(mixer, 8000),
              100 + std::llround(thunder_shape(near, 220.0f).delay_seconds * kThunderRate));
    for (int i = 0; i < 2; ++i) {
        mixer.strike(0, near, 220.0f, static_cast<unsigned>(i));
    }
    const std::int64_t now = mixer.mixed();
    EXPECT_EQ(FirstSound(mixer, 10), now);
    std::vector<std::int16_t> stereo(2000);
    mixer.mix(stereo);
    const auto [low, high] = std::minmax_element(stereo.begin(), stereo.end());
    EXPECT_GT(*high, 30000); // three full-scale thunders, twice full scale summed ...
    EXPECT_LT(*high, 32767); // ... bent below it, never clipped
    EXPECT_GT(*low, -32767);
    std::vector<std::int16_t> rest(8000);
    mixer.mix(rest);
    EXPECT_EQ(mixer.voices(), 0u); // all ended
    EXPECT_TRUE(std::all_of(rest.end() - 100, rest.end(), [](std::int16_t s) { return s == 0; }));
    ThunderMixer silent({});
    silent.strike(0, {0, 50, -550}, 220.0f, 0);
    EXPECT_EQ(FirstSound(silent, 20000), -1);
}

TEST(Thunder, OnlyMono16BitSoundsAtTheMixRateAreTaken) {
    const auto wav = [](std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                        std::uint32_t data_length, std::size_t data_given) {
        std::vector<std::uint8_t> file = {'R', 'I', 'F', 'F', 0,   0,  0, 0, 'W', 'A', 'V',
                                          'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,   1,   0};
        const auto put = [&](std::uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i) {
                file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
            }
        };
        put(channels, 2), put(rate, 4), put(rate * channels * bits / 8, 4);
        put(channels * bits / 8, 2), put(bits, 2);
        file.insert(file.end(), {'d', 'a', 't', 'a'});
        put(data_length, 4);
        file.resize(file.size() + data_given, 7);
        return file;
    };
    EXPECT_EQ(decode_thunder_wav(wav(1, kThunderRate, 16, 8, 8))->samples.size(), 4u);
    for (const auto& bad :
         {wav(2, kThunderRate, 16, 8, 8), wav(1, 44100, 16, 8, 8), wav(1, kThunderRate, 8, 8, 8),
          wav(1, kThunderRate, 16, 8, 7), wav(1, kThunderRate, 16, 0xFFFFFFF0, 8),
          wav(1, kThunderRate, 16, 0, 0), std::vector<std::uint8_t>{'R', 'I', 'F', 'F'}}) {
        EXPECT_FALSE(decode_thunder_wav(bad).has_value());
    }
}

} // namespace
