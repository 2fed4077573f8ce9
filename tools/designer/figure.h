// A figure to make a puzzle of: its hexagon centres drawn as a honeycomb map, the cells they
// cover, and the peer graph of those cells.
#pragma once

#include <string>
#include <vector>

#include "model/solver.h"

namespace tamblo::designer {

struct FigureCell {
    int a = 0;  // the cell's point as a·A + b·B
    int b = 0;
    bool up = true;    // P:AB (pointing up) or P:AF
    std::string name;  // canonical expanded name, as the grid keeps it
    std::string entry; // compact point text followed by "W" (AB) or "V" (AF), for the body
};

struct Figure {
    std::vector<std::string> centres;  // compact point texts of the drawn hexagons
    std::vector<FigureCell> cells;     // cell c is cells[c - 1], sorted by name
    PeerGraph graph;
    int fullHexagons = 0;     // every point whose six cells are all present
    int partialHexagons = 0;  // points with three to five of their cells
    int levelOffset = 0;      // from how many full neighbours the best-connected full hexagon has
    int gaps = 0;             // hexagon-sized holes: missing tiles with all six tile neighbours
};

// Reads a honeycomb map: every '#' is a hexagon, the hexagons of one text row sit four columns
// apart, and the rows alternate by two columns (a hexagon's neighbours above and below are two
// rows away, the slanted ones one row away and two columns aside). Any other character is empty;
// '.' marks a hole. False, with a message, for a '#' off the pattern or a map without hexagons.
bool readFigure(const std::vector<std::string>& rows, Figure& figure, std::string& error);

// The cells as text: one line per band of triangles, '^' for an up cell and 'v' for a down one.
std::string cellArt(const Figure& figure);

// Compact point text of a·A + b·B.
std::string pointText(int a, int b);

}  // namespace tamblo::designer
