// Small helpers shared by the model tests.
#pragma once

#include <initializer_list>

#include "foundation/text_lines.h"
#include "model/hex_grid.h"

namespace tamblo::test {

inline TextLines entries(std::initializer_list<const char*> lines) {
    TextLines out;
    for (const char* line : lines) out.append(line);
    return out;
}

inline void build(HexGrid& grid, std::initializer_list<const char*> lines) { grid.setfromgrivecdef(entries(lines)); }

// What the catalogue does after building a grid from its description.
inline void loadLikeCatalogue(HexGrid& grid, const TextLines& description, int level) {
    grid.setfromgrivecdef(description);
    grid.setLevelPercentage(100);
    if (level > 0) grid.setLevel(level);
    grid.buildCells();
    grid.buildPeerTable();
    grid.recomputeCandidates();
}

// One hexagon at the origin with its six cells: ":AB" = 1, ":AF" = 6, "D:AF" = 4 at 100 %,
// "C:AF" = 2 at 90 %, "D:AB" = 3 at 75 %, "E:AB" = 5 at 80 %.
inline TextLines loneHexagon() {
    return entries({"X%100", "WJA%100", "DVMA%100", "VOA%100", "CVKA%90", "DWLA%75", "EWNA%80"});
}

inline int peerCount(const HexGrid& grid, int c) {
    int n = 0;
    for (int i = 0; i < 12; ++i) n += grid.peer(c, i) > 0 ? 1 : 0;
    return n;
}

}  // namespace tamblo::test
