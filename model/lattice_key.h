// Integer lattice coordinates behind the model's name lists.
//
// The grid keeps its points and cells as canonical texts in sorted lists, but deriving a grid
// adds offsets to thousands of names. Doing that by rewriting texts would cost a parse and a
// rewrite per neighbour, so the model reads every name once into two axial counts (steps along
// A and along B), does the neighbourhood arithmetic on integers, and writes the canonical
// expanded text only for names that end up in a list. The texts written here are exactly the
// normalised expanded forms of the lattice vocabulary.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "geometry/lattice_point.h"

namespace tamblo {

// A lattice point as a·A + b·B (C = B − A, D = −A, E = −B, F = A − B).
struct LatticeKey {
    int a = 0;
    int b = 0;

    friend bool operator==(const LatticeKey&, const LatticeKey&) = default;
    LatticeKey plus(LatticeKey o) const { return {a + o.a, b + o.b}; }
};

struct CellKey {
    LatticeKey point;
    Orientation orientation = Orientation::AB;

    friend bool operator==(const CellKey&, const CellKey&) = default;
};

// Unit step of direction k (0 = A … 5 = F).
LatticeKey directionStep(int k);

// Reads a point text the way LatticePoint does: a letter A–F adds one step, a digit 1–9 adds d − 1
// further steps in the direction of the letter before it, any other byte ends the text; counts
// saturate at 32767 per direction. Returns the number of bytes read.
int readPointText(std::string_view text, LatticeKey& point);

// Reads a cell name "P:AB" or "P:AF" (suffix in either case, nothing after it). False when the
// text is not such a name.
bool readCellName(std::string_view text, CellKey& cell);

// Normalised step counts: at most two non-zero, in neighbouring directions.
void normalisedCounts(LatticeKey p, int counts[6]);

// Canonical texts.
std::string expandedText(LatticeKey p);
std::string compactText(LatticeKey p);
std::string cellNameText(const CellKey& c);

// The six cells around a point, in the order P:AB, (P+C):AF, (P+D):AB, (P+D):AF, (P+E):AB, P:AF.
void cellsAroundPoint(LatticeKey p, CellKey out[6]);
// The three points whose hexagons hold a cell: P, P+A and P+B (AB) or P+F (AF).
void hexagonsOfCell(const CellKey& c, LatticeKey out[3]);

struct LatticeKeyHash {
    std::size_t operator()(const LatticeKey& p) const noexcept {
        std::uint64_t v = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.a)) << 32) |
                          static_cast<std::uint32_t>(p.b);
        return std::hash<std::uint64_t>{}(v * 0x9E3779B97F4A7C15ULL);
    }
};

struct CellKeyHash {
    std::size_t operator()(const CellKey& c) const noexcept {
        return LatticeKeyHash{}(c.point) ^ (c.orientation == Orientation::AF ? 0x5bd1e995u : 0u);
    }
};

}  // namespace tamblo
