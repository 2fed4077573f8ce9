// Proving that every built-in puzzle has one solution at every level.
#include <benchmark/benchmark.h>

#include <vector>

#include "library/catalogue.h"
#include "library/catalogue_check.h"
#include "model/hex_grid.h"
#include "model/solver.h"

namespace tamblo {
namespace {

struct Proof {
    PeerGraph graph;
    std::vector<std::vector<int>> givens;  // one set per level 1..7
};

std::vector<Proof> collect() {
    BuiltInCatalogue catalogue;
    std::vector<Proof> proofs;
    for (int i = 1; i <= catalogue.count(); ++i) {
        HexGrid grid;
        TextLines description;
        catalogue.loadIntoGrid(grid, description, catalogue.idAt(i));
        grid.prepare();
        Proof p;
        p.graph = peerGraphOf(grid);
        for (int level = 1; level <= 7; ++level) {
            grid.setLevel(level);
            grid.prepare();
            p.givens.push_back(givensOf(grid));
        }
        proofs.push_back(std::move(p));
    }
    return proofs;
}

// The uniqueness proofs alone: 10 puzzles times 7 levels.
void BM_ProveAllLevels(benchmark::State& state) {
    const std::vector<Proof> proofs = collect();
    for (auto _ : state) {
        int unique = 0;
        for (const auto& p : proofs) {
            Solver solver(p.graph);
            for (const auto& g : p.givens) unique += solver.countSolutions(g, 2) == 1;
        }
        benchmark::DoNotOptimize(unique);
        if (unique != 70) state.SkipWithError("a puzzle is not unique");
    }
}
BENCHMARK(BM_ProveAllLevels)->Unit(benchmark::kMillisecond);

// The whole walk: load every puzzle through the catalogue, prepare each level, prove it.
void BM_LoadPrepareAndProve(benchmark::State& state) {
    BuiltInCatalogue catalogue;
    for (auto _ : state) {
        int unique = 0;
        for (int i = 1; i <= catalogue.count(); ++i) {
            HexGrid grid;
            TextLines description;
            catalogue.loadIntoGrid(grid, description, catalogue.idAt(i));
            grid.prepare();
            PeerGraph graph = peerGraphOf(grid);
            Solver solver(graph);
            for (int level = 1; level <= 7; ++level) {
                grid.setLevel(level);
                grid.prepare();
                unique += solver.countSolutions(givensOf(grid), 2) == 1;
            }
        }
        benchmark::DoNotOptimize(unique);
        if (unique != 70) state.SkipWithError("a puzzle is not unique");
    }
}
BENCHMARK(BM_LoadPrepareAndProve)->Unit(benchmark::kMillisecond);

// Grading every level, as the designer does for each candidate removal.
void BM_GradeAllLevels(benchmark::State& state) {
    const std::vector<Proof> proofs = collect();
    for (auto _ : state) {
        int total = 0;
        for (const auto& p : proofs) {
            Solver solver(p.graph);
            for (const auto& g : p.givens) total += solver.grade(g).value;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_GradeAllLevels)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamblo
