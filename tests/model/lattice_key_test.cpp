#include <gtest/gtest.h>

#include <set>
#include <string>

#include "geometry/lattice_point.h"
#include "model/lattice_key.h"

namespace tamblo {
namespace {

// The integer arithmetic must write exactly the texts the lattice vocabulary writes.
TEST(LatticeKey, WritesTheSameCanonicalFormsAsTheLatticePoint) {
    const char* texts[] = {"",     "A",   "AD",   "BE",   "CF",      "ACE",  "AC",   "AAC",   "FB",
                           "A9A3", "A9A3B", "CCD", "DDDE", "EEF",    "FFA",   "A2F",  "CDDD",  "ECC",
                           "BBBBBDDDDDDDF", "F9E9", "E2A5", "AB:AF", "C3x", "A0B", "3A"};
    for (const char* t : texts) {
        LatticePoint point;
        point.read(t);
        LatticeKey key;
        readPointText(t, key);
        EXPECT_EQ(expandedText(key), point.expandedText().str()) << t;
        EXPECT_EQ(compactText(key), point.compactText().str()) << t;
    }
}

TEST(LatticeKey, ReadsOnlyCanonicalCellNames) {
    struct Case {
        const char* text;
        bool ok;
        int a, b;
        Orientation o;
    };
    const Case cases[] = {
        {":AB", true, 0, 0, Orientation::AB}, {"AAB:AF", true, 2, 1, Orientation::AF},
        {"D:AB", true, -1, 0, Orientation::AB}, {"A:BC", false, 0, 0, Orientation::AB},
        {"A", false, 0, 0, Orientation::AB}, {"A:AB ", false, 0, 0, Orientation::AB},
        {"A?:AB", false, 0, 0, Orientation::AB},
    };
    for (const Case& c : cases) {
        CellKey cell;
        ASSERT_EQ(readCellName(c.text, cell), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(cell.point, (LatticeKey{c.a, c.b})) << c.text;
        EXPECT_EQ(cell.orientation, c.o) << c.text;
        EXPECT_EQ(cellNameText(cell), c.text);
    }
}

TEST(LatticeKey, NeighbourhoodsMatchTheNamedOffsets) {
    CellKey six[6];
    cellsAroundPoint(LatticeKey{1, 0}, six);
    std::set<std::string> names;
    for (const CellKey& c : six) names.insert(cellNameText(c));
    EXPECT_EQ(names, (std::set<std::string>{"A:AB", "B:AF", ":AB", ":AF", "F:AB", "A:AF"}));

    // Every cell lies in the hexagons of its three corners, and in no other.
    LatticeKey three[3];
    hexagonsOfCell(CellKey{{0, 1}, Orientation::AF}, three);  // "B:AF": corners B, AB, A
    std::set<std::string> corners;
    for (LatticeKey p : three) {
        corners.insert(expandedText(p));
        CellKey around[6];
        cellsAroundPoint(p, around);
        int hits = 0;
        for (const CellKey& c : around) hits += cellNameText(c) == "B:AF" ? 1 : 0;
        EXPECT_EQ(hits, 1) << expandedText(p);
    }
    EXPECT_EQ(corners, (std::set<std::string>{"B", "AB", "A"}));
}

}  // namespace
}  // namespace tamblo
