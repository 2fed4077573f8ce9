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
    const char* name = "AAABBCD:FE";  // ten characters, an ending that is rewritten
    for (auto _ : state) {
        DynString out = canonicalCell(kExpandedForm, name);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CanonicalCellRewrite);

void BM_CanonicalCellRewriteInPlace(benchmark::State& state) {
    DynString out;
    for (auto _ : state) {
        canonicalCell(kExpandedForm, "AAABBCD:FE", out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CanonicalCellRewriteInPlace);

// A block of 10 x 10 hexagons whose centres are two steps apart in A and in B: neighbouring
// hexagons share edges and enclose nothing, as in the built-in puzzles.
// With `dense`, the centres are the 10 x 10 neighbouring lattice points instead, so that the
// hexagons overlap and share cells.
TextLines hundredHexagons(bool dense) {
    TextLines hexagons;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            std::string centre = dense ? std::string(static_cast<size_t>(i), 'A') + std::string(static_cast<size_t>(j), 'B')
                                       : std::string(static_cast<size_t>(i), 'A') + std::string(static_cast<size_t>(i), 'F') +
                                             std::string(static_cast<size_t>(2 * j), 'B');
            hexagons.append(canonicalCell(kExpandedForm, centre));
        }
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
    TextLines hexagons = hundredHexagons(state.range(0) != 0);
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
BENCHMARK(BM_CornerAndOutlineLists100)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
