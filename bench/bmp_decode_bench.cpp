// Decoding desktop-sized BMP files: the renderer's decoder side by side with
// a plain memcpy of the same bytes and with stb_image's BMP loader. Ends with
// the ratios the decoder is held to: no slower than stb_image, within 3x of memcpy.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bmp_decoder.h"
#include "desktop_bmp.h"
#include "stb_image_bmp.h"

namespace {

struct Picture {
    int width;
    int height;
    int bits;
    std::string label() const {
        return std::to_string(width) + "x" + std::to_string(height) + "/" + std::to_string(bits);
    }
};

std::map<std::string, double> g_nanoseconds; // per iteration, by benchmark name

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                g_nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    const Picture pictures[] = {
        {1920, 1080, 24}, {1920, 1080, 32}, {3840, 2160, 24}, {3840, 2160, 32}};
    std::vector<std::vector<std::uint8_t>> files;
    for (const Picture& p : pictures) {
        files.push_back(desktop_bmp(p.width, p.height, p.bits));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::vector<std::uint8_t>* file = &files[i];
        const std::string label = pictures[i].label();
        benchmark::RegisterBenchmark(("decode/" + label).c_str(), [file](benchmark::State& state) {
            for (auto _ : state) {
                BmpDecodeResult result = decode_bmp(*file);
                benchmark::DoNotOptimize(result.image->pixels.get());
            }
            state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->size()));
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("memcpy/" + label).c_str(), [file](benchmark::State& state) {
            std::vector<std::uint8_t> copy(file->size());
            for (auto _ : state) {
                std::memcpy(copy.data(), file->data(), file->size());
                benchmark::DoNotOptimize(copy.data());
                benchmark::ClobberMemory();
            }
            state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->size()));
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("stb_image/" + label).c_str(), [file](
                                                                         benchmark::State& state) {
            for (auto _ : state) {
                int w = 0, h = 0, channels = 0;
                unsigned char* pixels = stb_load_bmp_rgb(
                    file->data(), static_cast<int>(file->size()), &w, &h, &channels);
                benchmark::DoNotOptimize(pixels);
                stb_free_image(pixels);
            }
            state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->size()));
        })->Unit(benchmark::kMillisecond);
    }

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-16s %18s %18s\n", "picture", "decode / memcpy", "decode / stb_image");
    for (const Picture& p : pictures) {
        const std::string label = p.label();
        const double decode = g_nanoseconds["decode/" + label];
        const double copy = g_nanoseconds["memcpy/" + label];
        const double stb = g_nanoseconds["stb_image/" + label];
        if (decode > 0 && copy > 0 && stb > 0) {
            std::printf("%-16s %17.2fx %17.2fx\n", label.c_str(), decode / copy, decode / stb);
        }
    }
    return 0;
}
