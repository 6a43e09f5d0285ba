// The thunder's mixing cost: the CPU time to mix one second of 16-bit
// stereo output with three thunders sounding at once (a busy storm: two of
// the first kind and one of the second overlap at most), from the sounds
// the renderer ships. The share of one core the mixing takes during a run
// is that time over a second.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "thunder.h"

namespace {

std::vector<ThunderSound> ShippedSounds() {
    std::vector<ThunderSound> sounds;
    for (const char* name : {"thunder_1.wav", "thunder_2.wav", "thunder_3.wav"}) {
        std::ifstream file(std::string(VELMORAN_RESOURCES) + "/" + name, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        if (auto sound = decode_thunder_wav(bytes)) {
            sounds.push_back(std::move(*sound));
        }
    }
    return sounds;
}

void BM_MixASecond(benchmark::State& state) {
    const std::vector<ThunderSound> sounds = ShippedSounds();
    std::vector<std::int16_t> block(1024 * 2); // one block of the renderer's output
    for (auto _ : state) {
        ThunderMixer mixer(sounds);
        for (int i = 0; i < static_cast<int>(state.range(0)); ++i) {
            mixer.strike(0, Vec3{-200.0f + 150.0f * i, 50.0f, -700.0f}, 220.0f, i);
        }
        // The first 0.3 s are the delay; a second of sounding thunder after it.
        for (int mixed = 0; mixed < kThunderRate * 13 / 10; mixed += 1024) {
            mixer.mix(block);
        }
        benchmark::DoNotOptimize(block.data());
    }
    state.counters["CPU share of a core, %"] = benchmark::Counter(
        0.013, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixASecond)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
