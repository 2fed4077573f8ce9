// Candidates, placements and the return to the givens.

#include "model/hex_grid.h"

namespace tamblo {

void HexGrid::recomputeCandidates() {
    buildCells();
    buildPeerTable();
    for (int c = 1; c <= cellCount_; ++c) cells_[static_cast<size_t>(c)].candidates = kAllDigits;
    for (int c = 1; c <= cellCount_; ++c) {
        int d = cells_[static_cast<size_t>(c)].value;
        if (d >= 1 && d <= 6) assignDigit(c, d);
    }
}

void HexGrid::assignDigit(int c, int d) {
    if (c < 1 || c > cellCount_ || d < 1 || d > 6 || !cell(c)) return;
    GridCell& g = *cell(c);
    if (g.value != d) g.value = static_cast<std::int16_t>(d);
    g.candidates = static_cast<std::int16_t>(digitBit(d));
    // Filled peers keep their own digit as their only candidate.
    for (int i = 0; i < PeerTable::kMaxPeers; ++i) {
        int p = peers_.at(c, i);
        if (p <= 0 || !cell(p) || cell(p)->value > 0) continue;
        int m = cell(p)->candidates;
        if ((m & digitNotBit(d)) != m) cell(p)->candidates = static_cast<std::int16_t>(m & digitNotBit(d));
    }
}

bool HexGrid::isComplete() const {
    for (int c = 1; c <= cellCount_; ++c)
        if (value(c) <= 0) return false;
    return true;
}

void HexGrid::returnToGivens() {
    for (int c = 1; c < static_cast<int>(cells_.size()); ++c) {
        GridCell& g = cells_[static_cast<size_t>(c)];
        if (g.given == 0) g.value = 0;
        g.candidates = 0;
    }
}

}  // namespace tamblo
