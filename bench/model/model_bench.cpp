// Deriving synthetic grids of growing size, and the cell hit test on the largest.
//
// The grids are hexagon centres on every other lattice point (every other step along A) of a
// hexagon-shaped region, with a definition digit and a percentage for every cell, as a catalogue
// puzzle has them.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "foundation/text_lines.h"
#include "model/hex_grid.h"
#include "model/lattice_key.h"

namespace tamblo {
namespace {

int hexDistance(int a, int b) {
    int c = -a - b;
    int m = a < 0 ? -a : a;
    if ((b < 0 ? -b : b) > m) m = b < 0 ? -b : b;
    if ((c < 0 ? -c : c) > m) m = c < 0 ? -c : c;
    return m;
}

// About `target` hexagons; the exact count is reported by the benchmark.
TextLines syntheticDescription(int target) {
    for (int r = 1;; ++r) {
        TextLines d;
        for (int a = -r; a <= r; ++a)
            for (int b = -r; b <= r; ++b)
                if (hexDistance(a, b) <= r && (a % 2) == 0) d.append("X" + compactText(LatticeKey{a, b}));
        if (d.count() < target / 2) continue;  // about as many hexagons again become full between them
        // Definition entries for every cell, written the way the catalogue writes them.
        HexGrid grid;
        grid.setfromgrivecdef(d);
        for (int c = 1; c <= grid.cellCount(); ++c) {
            std::string name = grid.cellName(c);
            std::string point = name.substr(0, name.find(':'));
            CellKey key;
            readCellName(name, key);
            std::string entry = compactText(key.point);
            entry += grid.isAB(c) ? "W" : "V";
            entry += static_cast<char>('J' + c % 6);
            entry += "A%";
            entry += std::to_string(75 + 5 * (c % 6));
            d.append(entry);
        }
        return d;
    }
}

void BM_DeriveAndPrepare(benchmark::State& state) {
    const TextLines description = syntheticDescription(static_cast<int>(state.range(0)));
    int hexagons = 0;
    int cells = 0;
    for (auto _ : state) {
        state.PauseTiming();  // making and dropping the grid object is not part of the work
        auto grid = std::make_unique<HexGrid>();
        state.ResumeTiming();
        grid->setfromgrivecdef(description);
        grid->buildPeerTable();
        grid->prepare();
        benchmark::DoNotOptimize(grid->peer(1, 0));
        state.PauseTiming();
        hexagons = grid->fullHexagonCount();
        cells = grid->cellCount();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["full_hexagons"] = hexagons;
    state.counters["cells"] = cells;
}
BENCHMARK(BM_DeriveAndPrepare)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

// The same without the outline lists that the painting asks for, to tell the two costs apart.
void BM_DeriveWithoutOutlines(benchmark::State& state) {
    const TextLines description = syntheticDescription(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<HexGrid>();
        state.ResumeTiming();
        grid->setfromgrivecdef(description);
        grid->buildPeerTable();
        grid->buildTouchingList();
        grid->computePositions();
        grid->applyLevelIfNeeded();
        benchmark::DoNotOptimize(grid->value(1));
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeriveWithoutOutlines)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_CellAt(benchmark::State& state) {
    HexGrid grid;
    grid.setfromgrivecdef(syntheticDescription(5000));
    grid.prepare();
    const GridRect bounds = grid.cellBounds();
    std::mt19937 random(3);
    std::vector<std::pair<int, int>> points(1024);
    for (auto& p : points)
        p = {bounds.left + static_cast<int>(random() % static_cast<unsigned>(bounds.right - bounds.left)),
             bounds.bottom + static_cast<int>(random() % static_cast<unsigned>(bounds.top - bounds.bottom))};
    grid.cellAt(0, 0);  // builds the index
    size_t i = 0;
    for (auto _ : state) {
        const auto& p = points[i++ & 1023];
        benchmark::DoNotOptimize(grid.cellAt(p.first, p.second));
    }
    state.counters["cells"] = grid.cellCount();
}
BENCHMARK(BM_CellAt);

}  // namespace
}  // namespace tamblo
