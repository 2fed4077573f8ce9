// The canonical rewrite is the model's inner loop; the corner and outline lists are built once per
// grid before its first paint.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/text_lines.h"
#include "geometry/lattice_point.h"
#include "geometry/neighbourhoods.h"

namespace {

using namespace tamblo;

void BM_CanonicalCellRewrite(benchmark::State& state) {
    const char* name = "AABBCD:FE";  // ten letters, an ending that is rewritten
    for (auto _ : state) {
        DynString out = canonicalCell(kExpandedForm, name);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CanonicalCellRewrite);

void BM_CanonicalCellRewriteInPlace(benchmark::State& state) {
    DynString out;
    for (auto _ : state) {
        canonicalCell(kExpandedForm, "AABBCD:FE", out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CanonicalCellRewriteInPlace);

// A block of 10 x 10 hexagons whose centres are two steps apart in A and in B: neighbouring
// hexagons share edges and enclose nothing, as in the built-in puzzles.
TextLines hundredHexagons() {
    TextLines hexagons;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j)
            hexagons.append(canonicalCell(kExpandedForm, std::string(static_cast<size_t>(i), 'A') +
                                                             std::string(static_cast<size_t>(i), 'F') +
                                                             std::string(static_cast<size_t>(2 * j), 'B')));
    hexagons.sortUnique();
    return hexagons;
}

TextLines cellsOf(const TextLines& hexagons) {
    TextLines cells;
    for (const auto& h : hexagons.lines())
        for (const auto& c : cellsAroundNames(h)) cells.append(c);
    cells.sortUnique();
    return cells;
}

void BM_CornerAndOutlineLists100(benchmark::State& state) {
    TextLines hexagons = hundredHexagons();
    TextLines cells = cellsOf(hexagons);
    TextLines gaps, outer, inner, boundary;
    for (auto _ : state) {
        cornerLists(hexagons, cells, gaps, outer);
        outlineLists(hexagons, inner, boundary);
        benchmark::DoNotOptimize(boundary);
    }
    state.counters["hexagons"] = hexagons.count();
    state.counters["cells"] = cells.count();
    state.counters["segments"] = inner.count() + boundary.count();
}
BENCHMARK(BM_CornerAndOutlineLists100)->Unit(benchmark::kMillisecond);

}  // namespace
