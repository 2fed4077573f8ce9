#include "library/catalogue_check.h"

#include "model/hex_grid.h"

namespace tamblo {

PeerGraph peerGraphOf(HexGrid& grid) {
    grid.buildPeerTable();
    PeerGraph graph(grid.cellCount());
    for (int h = 1; h <= grid.hexagonCount(); ++h) {
        std::vector<int> group;
        for (int k = 0; k < 6; ++k)
            if (int c = grid.hexagonCell(h, k)) group.push_back(c);
        graph.addHexagon(group);
    }
    // Cells that only share a hexagon of one or two cells are peers too.
    for (int c = 1; c <= grid.cellCount(); ++c)
        for (int i = 0; i < PeerTable::kMaxPeers; ++i)
            if (int p = grid.peer(c, i)) graph.addPeer(c, p);
    return graph;
}

std::vector<int> givensOf(const HexGrid& grid) {
    std::vector<int> g(static_cast<size_t>(grid.cellCount() + 1), 0);
    for (int c = 1; c <= grid.cellCount(); ++c)
        if (grid.isGiven(c)) g[static_cast<size_t>(c)] = grid.value(c);
    return g;
}

std::vector<int> definitionDigitsOf(const HexGrid& grid) {
    std::vector<int> d(static_cast<size_t>(grid.cellCount() + 1), 0);
    for (int c = 1; c <= grid.cellCount(); ++c) d[static_cast<size_t>(c)] = grid.definitionDigit(c);
    return d;
}

}  // namespace tamblo
