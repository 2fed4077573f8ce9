// The bridge between a loaded grid and the solver, for the checks and the designer's review.
#pragma once

#include <vector>

#include "model/solver.h"

namespace tamblo {

class HexGrid;

// The grid's cells and peers as a solver graph, with every full and partial hexagon as a group.
// Builds the peer table when the grid has none yet.
PeerGraph peerGraphOf(HexGrid& grid);

// The values of the given cells (0 elsewhere), and the definition digits, per cell number.
std::vector<int> givensOf(const HexGrid& grid);
std::vector<int> definitionDigitsOf(const HexGrid& grid);

}  // namespace tamblo
