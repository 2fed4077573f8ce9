// Makes a puzzle of a figure: a solution digit for every cell and the threshold that decides
// from which level on a cell is no longer shown.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/solver.h"
#include "tools/designer/figure.h"

namespace tamblo::designer {

// Level percentages 1..7; index 0 stands for "never shown" (no percentage in the entry).
inline constexpr std::array<int, 8> kPercentages = {0, 75, 80, 85, 90, 95, 100, 120};

struct DesignOptions {
    std::uint32_t seed = 1;
    bool level7 = false;  // make a level-7 subset as well
    int attempts = 8;     // solutions tried; the best design wins
};

struct Design {
    std::vector<int> digits;      // per cell, entry 0 unused
    std::vector<int> thresholds;  // per cell: one of kPercentages
    std::array<int, 8> givens{};  // givens at the percentage of level 1..7
    std::array<Grade, 8> grades{};
    std::uint32_t seed = 0;       // the seed of the solution that won
};

// False when the figure has no solution or no unique set of givens could be found.
bool designPuzzle(const Figure& figure, const DesignOptions& options, Design& design);

// The givens at a level percentage: every cell whose threshold reaches it.
std::vector<int> givensAt(const Design& design, int percentage);

// The body lines: the hexagon centres, then the cells grouped by threshold, each line in the
// catalogue's field format (a "%" field sets the suffix of the fields after it).
std::vector<std::string> bodyLines(const Figure& figure, const Design& design);

}  // namespace tamblo::designer
