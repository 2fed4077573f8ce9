// A solver for the hexagon rule on a plain peer graph: it counts solutions, finds one, and grades
// how hard a set of givens is to solve by the deductions a player makes.
//
// Cells are numbered 1..N; every per-cell vector has an unused entry 0. Candidates are digit masks
// (digit d is bit d - 1, 63 is all six). Two peers never hold the same digit; a hexagon is a group
// of mutually peered cells, and a hexagon of six cells holds every digit exactly once.
#pragma once

#include <cstdint>
#include <vector>

namespace tamblo {

class PeerGraph {
public:
    PeerGraph() = default;
    explicit PeerGraph(int cellCount) { reset(cellCount); }

    // Cells 1..N, no peers, no hexagons. A negative count gives an empty graph.
    void reset(int cellCount);
    int cellCount() const { return static_cast<int>(peers_.size()) - 1; }

    // Links two cells both ways. False (and nothing changes) for a cell outside 1..N, a cell with
    // itself, or a pair already linked.
    bool addPeer(int a, int b);
    // Records a group of different digits and links all its pairs. False when a cell is outside
    // 1..N, a cell is listed twice, or the group has fewer than two or more than six cells.
    bool addHexagon(const std::vector<int>& cells);

    const std::vector<int>& peers(int c) const;  // empty outside 1..N
    const std::vector<std::vector<int>>& hexagons() const { return hexagons_; }

private:
    std::vector<std::vector<int>> peers_{{}};
    std::vector<std::vector<int>> hexagons_;
};

// The deductions of the grader, easiest first.
enum class Deduction : std::uint8_t {
    None = 0,       // every cell was given
    HiddenSingle,   // a digit has one place left in a full hexagon
    NakedSingle,    // a cell has one candidate left
    Locked,         // a digit of a full hexagon is confined to the cells it shares with another hexagon
    Subset,         // k cells of a hexagon share k candidates, or k digits of a full hexagon k cells
    Trial,          // one candidate leads by singles to a contradiction
    Stuck,          // none of the above makes progress
};

struct Grade {
    // Comparable: 1000 per rank of the hardest deduction needed, plus the effort of all steps.
    int value = 0;
    Deduction hardest = Deduction::None;
    int hiddenSingles = 0;
    int nakedSingles = 0;
    int lockedSteps = 0;
    int subsetSteps = 0;
    int trials = 0;
    int openCells = 0;  // cells still open when the deductions ran out (0 when solved)
    bool contradiction = false;  // the givens break the rule or run into a dead end

    bool solvedByLogic() const { return openCells == 0 && !contradiction; }
};

class Solver {
public:
    // The solver keeps a reference: the graph must outlive it and stay unchanged.
    explicit Solver(const PeerGraph& graph) : graph_(graph) {}

    // Givens: a digit per cell (entry c for cell c); 0 and anything outside 1..6 is an open cell,
    // missing entries count as open. Counts solutions up to `limit` (2 proves uniqueness); 0 for
    // a limit below 1. When `first` is given it receives the first solution found (N + 1 entries)
    // or is left empty. -1 when the search gave up after `nodeBudget` branchings.
    int countSolutions(const std::vector<int>& givens, int limit, std::vector<int>* first = nullptr,
                       long nodeBudget = 2'000'000) const;

    // One solution, trying the digits of every branch in an order drawn from the seed, so
    // different seeds give different solutions of an open graph. False when there is none (or
    // the search gave up); the solution is then empty.
    bool solve(const std::vector<int>& givens, std::vector<int>& solution, std::uint32_t seed = 0) const;

    // Solves by deductions only, always taking the easiest one available, and grades the work.
    // `found`, when given, receives the digits the deductions placed (0 for cells left open).
    Grade grade(const std::vector<int>& givens, std::vector<int>* found = nullptr) const;

private:
    const PeerGraph& graph_;
};

// The mask of digit d (1..6), 0 outside.
constexpr int digitMask(int d) { return (d >= 1 && d <= 6) ? 1 << (d - 1) : 0; }

}  // namespace tamblo
