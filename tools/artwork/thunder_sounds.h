#pragma once

// The thunder the renderer plays after a strike, synthesised as the
// pictures are painted: a crack of filtered noise (and a few smaller ones
// after it), then a rumble of deep noise that rolls and dies away over a
// few seconds. Nothing recorded: the same program makes the same samples.

#include <cstdint>
#include <vector>

namespace artwork {

inline constexpr int kThunderVariants = 3;
inline constexpr int kThunderSampleRate = 22050; // the renderer's kThunderRate

// Variant 0, 1 or 2: mono samples at kThunderSampleRate.
std::vector<std::int16_t> SynthesiseThunder(int variant);

// Mono 16-bit samples as a WAV file (PCM, RIFF).
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sample_rate);

} // namespace artwork
