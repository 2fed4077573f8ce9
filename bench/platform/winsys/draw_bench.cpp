// Drawing into a memory bitmap the size of a large main window: triangles, digits and copies.
#include "platform/winsys/draw.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace winsys;

constexpr int kWidth = 980;
constexpr int kHeight = 820;
constexpr int kSide = 40;

// 500 triangles of side 40 laid out as a triangular lattice, alternately up and down.
std::vector<std::vector<Point>> lattice() {
    std::vector<std::vector<Point>> out;
    const int h = static_cast<int>(std::lround(kSide * std::sqrt(3.0) / 2));
    for (int row = 0; out.size() < 500; ++row) {
        const int y = 10 + (row % 20) * h;
        for (int col = 0; col < 46 && out.size() < 500; ++col) {
            const int x = 10 + (col / 2) * kSide + (row % 2) * (kSide / 2);
            if (col % 2 == 0) {
                out.push_back({{x, y + h}, {x + kSide / 2, y}, {x + kSide, y + h}});
            } else {
                out.push_back({{x + kSide / 2, y}, {x + kSide + kSide / 2, y}, {x + kSide, y + h}});
            }
        }
    }
    return out;
}

void BM_FillAndOutlineTriangles(benchmark::State& state) {
    const auto triangles = lattice();
    Bitmap bitmap = Bitmap::create(kWidth, kHeight);
    DeviceContext dc;
    dc.select(bitmap);
    const Pen pen = Pen::solid(static_cast<int>(state.range(0)), rgb(0, 0, 0));
    const Brush brush = Brush::solid(rgb(0xFF, 0xFF, 0xC0));
    dc.select(pen);
    dc.select(brush);
    for (auto _ : state) {
        for (const auto& t : triangles) dc.polygon(t);
        benchmark::DoNotOptimize(bitmap.pixels());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(triangles.size()));
}
BENCHMARK(BM_FillAndOutlineTriangles)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_DrawDigits(benchmark::State& state) {
    Bitmap bitmap = Bitmap::create(kWidth, kHeight);
    DeviceContext dc;
    dc.select(bitmap);
    dc.select(Font::create(-22, 0, 0, 700, false, "Arial"));
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.setTextAlign(TextAlign::CentreTop);
    for (auto _ : state) {
        for (int i = 0; i < 200; ++i) {
            const char digit[2] = {static_cast<char>('1' + i % 6), 0};
            dc.textOut(20 + (i % 20) * 47, 20 + (i / 20) * 78, digit);
        }
        benchmark::DoNotOptimize(bitmap.pixels());
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_DrawDigits)->Unit(benchmark::kMicrosecond);

void BM_BlockCopyFullSize(benchmark::State& state) {
    Bitmap from = Bitmap::create(kWidth, kHeight), to = Bitmap::create(kWidth, kHeight);
    from.fill(rgb(0x00, 0xFF, 0xFF));
    DeviceContext src{from}, dst{to};
    for (auto _ : state) {
        dst.blockCopy(0, 0, kWidth, kHeight, src, 0, 0);
        benchmark::DoNotOptimize(to.pixels());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(kWidth) * kHeight * 4);
}
BENCHMARK(BM_BlockCopyFullSize)->Unit(benchmark::kMicrosecond);

}  // namespace
