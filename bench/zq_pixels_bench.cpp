// Grayscale and frame composition beside a plain copy of the same buffer, which bounds what memory allows.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

#include "components/zq_frame_layout.h"
#include "components/zq_pixels.h"

namespace vistrel {
namespace {

using pixels::PixelImage;

constexpr int kSizes[][2] = {{497, 357}, {1920, 1080}};

PixelImage picture() {
    PixelImage image(250, 100);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 250; ++x) {
            image.view().set(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200});
        }
    }
    return image;
}

// Seconds a plain copy of the image's bytes takes, per copy.
double copy_seconds(const PixelImage& image) {
    PixelImage target(image.width(), image.height());
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        std::memcpy(target.view().bits, image.view().bits, image.bytes().size());
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRounds;
}

template <typename Work>
void run(benchmark::State& state, Work work) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    PixelImage image(width, height);
    pixels::fill(image.view(), {30, 60, 90});
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        work(image);
        benchmark::ClobberMemory();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                           static_cast<double>(state.iterations());
    state.counters["pixels_per_s"] = static_cast<double>(width) * height / seconds;
    state.counters["times_copy"] = seconds / copy_seconds(image);
}

void Copy(benchmark::State& state) {
    PixelImage target(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    run(state, [&](PixelImage& image) { std::memcpy(target.view().bits, image.view().bits, image.bytes().size()); });
}

void Grayscale(benchmark::State& state) {
    run(state, [](PixelImage& image) { pixels::grayscale(image.view()); });
}

void FrameComposition(benchmark::State& state) {
    const PixelImage source = picture();
    run(state, [&](PixelImage& image) { frame::compose(source.view(), image.view()); });
}

void sizes(benchmark::internal::Benchmark* b) {
    for (const auto& s : kSizes) {
        b->Args({s[0], s[1]});
    }
}

BENCHMARK(Copy)->Apply(sizes);
BENCHMARK(Grayscale)->Apply(sizes);
BENCHMARK(FrameComposition)->Apply(sizes);

}  // namespace
}  // namespace vistrel
