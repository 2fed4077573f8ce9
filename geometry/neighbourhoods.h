// Lattice neighbourhoods on names: the cells around a point, the corners and edge neighbours of a
// cell, and the two pairs of lists the painting needs: the corner lists (enclosed gaps and the free
// ring outside the hexagons) and the outline lists (inner and boundary edges merged into runs).
//
// All results are canonical expanded names. Adding an offset to a point means writing the point
// text followed by the offset text and rewriting the whole canonically.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/dyn_string.h"
#include "foundation/text_lines.h"

namespace tamblo {

// The offset tables, each a text of items every one followed by a comma. They are built once, by
// rotating a seed in steps of 60 degrees, on the first call of any function here; calling
// buildNeighbourTables at start-up just does that early.
void buildNeighbourTables();
const DynString& cellsAroundTable();  // ":AB,C:AF,D:AB,D:AF,E:AB,:AF,"
const DynString& ringTable();         // the 18 cells sharing only a corner or an outer edge
const DynString& spokesTable();       // ":A,:B,:C,D:A,E:B,F:C,"
const DynString& perimeterTable();    // "C:A,D:B,E:C,E:A,F:B,A:C,"
// The same items as lists, for callers that iterate.
const std::vector<std::string>& cellsAroundOffsets();
const std::vector<std::string>& ringOffsets();
const std::vector<std::string>& spokeOffsets();
const std::vector<std::string>& perimeterOffsets();

// A case-insensitive index of the lines of a list, for membership tests and line numbers without a
// linear search. It is a snapshot: rebuild it after the list changes.
class NameIndex {
public:
    NameIndex() = default;
    explicit NameIndex(const TextLines& lines) { build(lines); }
    void build(const TextLines& lines);
    void clear() { positions_.clear(); }
    // The position (1-based) of the first line equal to the name ignoring case, 0 when absent.
    int indexOf(std::string_view name) const;
    bool contains(std::string_view name) const { return indexOf(name) != 0; }
    int size() const { return static_cast<int>(positions_.size()); }

private:
    std::unordered_map<std::string, int> positions_;  // key folded to upper case
};

// The six cells of the hexagon of a point, as a comma text ("a,b,c,d,e,f,") and as names. A
// leading hexagon-centre mark "X" of the point is dropped.
DynString cellsAround(TextRef point);
std::array<DynString, 6> cellsAroundNames(TextRef point);
// How many of the six cells of the point are lines of the list (ignoring case). The list form
// searches the list; in a loop over many points build a NameIndex once and use the second form.
int countOwnCells(TextRef point, const TextLines& cells);
int countOwnCells(TextRef point, const NameIndex& cells);

// The three corners of a cell (P, P+A and P+B for a name ending in ":AB", ignoring case; P, P+A and
// P+F otherwise), P being the name without its last three characters ("" for shorter names).
DynString corners(TextRef cell);
std::array<DynString, 3> cornerNames(TextRef cell);
// The three cells sharing an edge with a cell: P:AF, PB:AF, PC:AF for an AB cell; P:AB, PE:AB,
// PF:AB otherwise (P as for the corners).
DynString edgeNeighbours(TextRef cell);
std::array<DynString, 3> edgeNeighbourNames(TextRef cell);

// Corner lists of a grid from its full hexagons and its cells: `gaps` gets the free ring cells that
// are enclosed by the grid, `outer` those connected to the outside. Both come out sorted and free
// of duplicates; previous contents are dropped. Empty hexagon list: both lists empty.
void cornerLists(const TextLines& hexagons, const TextLines& cells, TextLines& gaps, TextLines& outer);

// Outline lists of a grid from its full hexagons: segments P:XX..X of the edges shared by two
// hexagons or that are spokes (`inner`), and of the edges on the outline of only one hexagon
// (`boundary`), merged into straight runs. Previous contents are dropped.
void outlineLists(const TextLines& hexagons, TextLines& inner, TextLines& boundary);

}  // namespace tamblo
