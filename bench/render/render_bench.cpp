// Painting the largest catalogue puzzle: the background pass, one ordinary paint, and the two
// full-size block copies that are the floor of every paint.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "tests/render/render_test_support.h"

namespace tamblo {
namespace {

struct Scene {
    PaintedGrid grid;
    std::unique_ptr<test::PaintBench> bench;

    Scene(int cellSize, bool marks) {
        static const std::string id = test::largestCataloguePuzzle();
        test::loadCataloguePuzzle(grid, id, cellSize);
        if (marks) {
            // Every other empty cell carries three marks.
            int n = 0;
            for (int c = 1; c <= grid.cellCount(); ++c)
                if (grid.isEmpty(c) && (n++ % 2) == 0) grid.setMarks(c, digitBit(1) | digitBit(3) | digitBit(6));
        }
        bench = std::make_unique<test::PaintBench>(grid);
    }
};

void annotate(benchmark::State& state, const Scene& s) {
    state.counters["cells"] = s.grid.cellCount();
    state.counters["width"] = s.bench->client.width;
    state.counters["height"] = s.bench->client.height;
}

void BM_BackgroundPass(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), false);
    PaintPasses passes = s.bench->passes(s.grid);
    PaintPasses backgroundOnly{passes.background, {}};
    for (auto _ : state) {
        s.bench->buffer.dropBackground();
        paintThroughBackBuffer(s.bench->buffer, s.bench->canvas, s.bench->windowDc, backgroundOnly);
    }
    annotate(state, s);
}

void BM_OrdinaryPaint(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), state.range(1) != 0);
    s.bench->paint(s.grid);  // the background is cached from here on
    for (auto _ : state) s.bench->paint(s.grid);
    annotate(state, s);
}

void BM_TwoBlockCopies(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)), false);
    s.bench->paint(s.grid);
    winsys::Bitmap scratch = winsys::Bitmap::create(s.bench->client.width, s.bench->client.height);
    winsys::DeviceContext scratchDc;
    scratchDc.select(scratch);
    int w = s.bench->client.width, h = s.bench->client.height;
    for (auto _ : state) {
        scratchDc.blockCopy(0, 0, w, h, s.bench->buffer.background(), 0, 0);
        s.bench->windowDc.blockCopy(0, 0, w, h, scratchDc, 0, 0);
    }
    annotate(state, s);
}

BENCHMARK(BM_BackgroundPass)->Arg(40)->Arg(70)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdinaryPaint)->Args({40, 0})->Args({70, 0})->Args({40, 1})->Args({70, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TwoBlockCopies)->Arg(40)->Arg(70)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tamblo
