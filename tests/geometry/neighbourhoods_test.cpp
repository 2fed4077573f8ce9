#include "geometry/neighbourhoods.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "geometry/lattice_point.h"

namespace tamblo {
namespace {

using Lines = std::vector<std::string>;

TextLines listOf(const Lines& lines) {
    TextLines list;
    for (const auto& l : lines) list.append(l);
    return list;
}

// The cell list a grid of these hexagons has: every cell of every hexagon.
TextLines cellsOf(const TextLines& hexagons) {
    TextLines cells;
    for (const auto& h : hexagons.lines())
        for (const auto& c : cellsAroundNames(h)) cells.append(c);
    cells.sortUnique();
    return cells;
}

Lines split(const DynString& commaText) {
    Lines items;
    DynString rest(commaText.view()), item;
    while (rest.notEmpty()) {
        item.popItem(rest);
        items.push_back(item.str());
    }
    return items;
}

std::string edgeAt(const std::string& point, char direction) {
    return canonicalEdge('D', point + ":" + direction).str();
}

// ---- Tables ----

TEST(Neighbourhoods, OffsetTablesAreBuiltByRotation) {
    EXPECT_EQ(cellsAroundTable().str(), ":AB,C:AF,D:AB,D:AF,E:AB,:AF,");
    EXPECT_EQ(ringTable().str(),
              "B:AF,C:AB,CD:AF,DE:AB,E:AF,F:AB,"
              "A:AB,A:AF,BC:AF,B:AB,CD:AB,CC:AF,DD:AF,DD:AB,EE:AB,DE:AF,F:AF,EF:AB,");
    EXPECT_EQ(spokesTable().str(), ":A,:B,:C,D:A,E:B,F:C,");
    EXPECT_EQ(perimeterTable().str(), "C:A,D:B,E:C,E:A,F:B,A:C,");
    EXPECT_EQ(split(ringTable()), ringOffsets());
    EXPECT_EQ(split(cellsAroundTable()), cellsAroundOffsets());
    EXPECT_EQ(spokeOffsets().size(), 6u);
    EXPECT_EQ(perimeterOffsets().size(), 6u);
}

// ---- Cells around, corners, edge neighbours ----

struct NameCase {
    const char* input;
    const char* expected;
};

TEST(Neighbourhoods, CellsCornersAndEdgeNeighbours) {
    const NameCase around[] = {
        {"", ":AB,C:AF,D:AB,D:AF,E:AB,:AF,"},
        {"A", "A:AB,B:AF,:AB,:AF,F:AB,A:AF,"},
        {"XA", "A:AB,B:AF,:AB,:AF,F:AB,A:AF,"},
        {" xA", "A:AB,B:AF,:AB,:AF,F:AB,A:AF,"},
        {"DA", ":AB,C:AF,D:AB,D:AF,E:AB,:AF,"},
    };
    for (const auto& c : around) EXPECT_EQ(cellsAround(c.input).str(), c.expected) << c.input;

    const NameCase cornerCases[] = {
        {":AB", ",A,B,"},
        {"B:AF", "B,AB,A,"},
        {"AA:ab", "AA,AAA,AAB,"},  // the ending compares ignoring case
        {"AB", ",A,F,"},           // no colon: P is "" and the cell is taken as AF
        {"", ",A,F,"},
    };
    for (const auto& c : cornerCases) EXPECT_EQ(corners(c.input).str(), c.expected) << c.input;

    const NameCase neighbourCases[] = {
        {":AB", ":AF,B:AF,C:AF,"},
        {":AF", ":AB,E:AB,F:AB,"},
        {"A:AB", "A:AF,AB:AF,B:AF,"},
        {"x", ":AB,E:AB,F:AB,"},
    };
    for (const auto& c : neighbourCases) EXPECT_EQ(edgeNeighbours(c.input).str(), c.expected) << c.input;
}

TEST(Neighbourhoods, EdgeNeighboursShareTwoCornersBothWays) {
    std::mt19937 rng(5);
    for (int trial = 0; trial < 200; ++trial) {
        std::string p;
        for (int i = static_cast<int>(rng() % 6); i > 0; --i) p.push_back(static_cast<char>('A' + rng() % 6));
        std::string cell = canonicalCell('D', p + (rng() % 2 ? ":AB" : ":AF")).str();
        auto mine = cornerNames(cell);
        std::set<std::string> myCorners;
        for (const auto& c : mine) myCorners.insert(c.str());
        ASSERT_EQ(myCorners.size(), 3u) << cell;
        for (const auto& n : edgeNeighbourNames(cell)) {
            SCOPED_TRACE(cell + " / " + n.str());
            int shared = 0;
            for (const auto& c : cornerNames(n)) shared += static_cast<int>(myCorners.count(c.str()));
            EXPECT_EQ(shared, 2);
            int back = 0;
            for (const auto& m : edgeNeighbourNames(n)) back += m.str() == cell;
            EXPECT_EQ(back, 1);
        }
        // The cell is one of the six cells around each of its corners.
        for (const auto& c : mine) {
            auto six = cellsAroundNames(c);
            EXPECT_EQ(std::count_if(six.begin(), six.end(), [&](const DynString& s) { return s.str() == cell; }), 1);
        }
    }
}

TEST(Neighbourhoods, CountOwnCellsAndNameIndex) {
    TextLines cells = listOf({":ab", "C:AF", "D:AB", "A:AB", "A:AB", "ZZZ"});
    NameIndex index(cells);
    EXPECT_EQ(index.size(), 5);
    EXPECT_EQ(index.indexOf(":AB"), 1);  // ignoring case
    EXPECT_EQ(index.indexOf("a:ab"), 4);  // the first of equal lines
    EXPECT_EQ(index.indexOf("ZZZ"), 6);
    EXPECT_EQ(index.indexOf("E:AB"), 0);
    EXPECT_EQ(index.indexOf(""), 0);
    EXPECT_EQ(index.indexOf(std::string(10000, 'A')), 0);

    EXPECT_EQ(countOwnCells("", cells), 3);
    EXPECT_EQ(countOwnCells("", index), 3);
    EXPECT_EQ(countOwnCells("X", index), 3);
    EXPECT_EQ(countOwnCells("A", cells), 2);  // A:AB and :AB
    EXPECT_EQ(countOwnCells("A", index), 2);
    EXPECT_EQ(countOwnCells("BB", index), 0);

    TextLines empty;
    EXPECT_EQ(countOwnCells("", empty), 0);
    EXPECT_EQ(countOwnCells("", NameIndex(empty)), 0);
    index.build(empty);
    EXPECT_EQ(index.indexOf(":AB"), 0);
}

// ---- Corner lists ----

struct CornerCase {
    const char* name;
    Lines hexagons;
    Lines gaps;
    int outerCount;
};

TEST(Outlines, CornerListsFindEnclosedGaps) {
    const CornerCase cases[] = {
        {"none", {}, {}, 0},
        {"one hexagon", {""}, {}, 18},
        {"two neighbours", {"", "AB"}, {}, 0},
        {"ring of six", {"AB", "BC", "CD", "DE", "EF", "AF"}, {":AB", ":AF", "C:AF", "D:AB", "D:AF", "E:AB"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextLines hexagons = listOf(c.hexagons);
        TextLines cells = cellsOf(hexagons);
        TextLines gaps = listOf({"stale"}), outer = listOf({"stale"});
        cornerLists(hexagons, cells, gaps, outer);
        EXPECT_EQ(gaps.lines(), c.gaps);
        if (c.outerCount > 0) {
            EXPECT_EQ(outer.count(), c.outerCount);
        }

        // Every free ring cell is in exactly one list, and no outer cell has a gap beside it.
        NameIndex cellIndex(cells);
        std::set<std::string> free;
        for (const auto& h : hexagons.lines())
            for (const auto& r : ringOffsets()) {
                std::string name = canonicalCell('D', h + r).str();
                if (!cellIndex.contains(name)) free.insert(name);
            }
        std::set<std::string> both(gaps.lines().begin(), gaps.lines().end());
        both.insert(outer.lines().begin(), outer.lines().end());
        EXPECT_EQ(both, free);
        EXPECT_EQ(static_cast<size_t>(gaps.count() + outer.count()), free.size());
        NameIndex gapIndex(gaps);
        for (const auto& o : outer.lines())
            for (const auto& n : edgeNeighbourNames(o)) EXPECT_FALSE(gapIndex.contains(n.view())) << o;
    }
}

TEST(Outlines, OneHexagonsOuterListIsItsRing) {
    TextLines hexagons = listOf({""});
    TextLines gaps, outer;
    cornerLists(hexagons, cellsOf(hexagons), gaps, outer);
    TextLines ring = listOf(ringOffsets());
    ring.sortUnique();
    EXPECT_EQ(outer.lines(), ring.lines());
    EXPECT_TRUE(gaps.isEmpty());
}

// ---- Outline lists ----

struct OutlineCase {
    const char* name;
    Lines hexagons;
    Lines inner;
    Lines boundary;
};

TEST(Outlines, InnerAndBoundarySegments) {
    const OutlineCase cases[] = {
        {"none", {}, {}, {}},
        {"one hexagon", {""}, {"D:AA", "E:BB", "F:CC"}, {"C:A", "E:A", "D:B", "F:B", "A:C", "E:C"}},
        {"two neighbours",
         {"", "AB"},
         {"B:AA", "D:AA", "A:BB", "E:BB", "A:C", "AA:CC", "F:CC"},
         {"A:A", "BB:A", "C:A", "E:A", "AA:B", "B:B", "D:B", "F:B", "AAB:C", "E:C"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextLines inner = listOf({"stale"}), boundary = listOf({"stale"});
        outlineLists(listOf(c.hexagons), inner, boundary);
        EXPECT_EQ(inner.lines(), c.inner);
        EXPECT_EQ(boundary.lines(), c.boundary);
    }
}

TEST(Outlines, TouchingHexagonsJoinTheirSpokes) {
    TextLines inner, boundary;
    outlineLists(listOf({"", "AA"}), inner, boundary);
    EXPECT_NE(inner.indexOf("D:AAAA"), 0);
    EXPECT_EQ(inner.indexOf("D:AA"), 0);
}

// Splits segments into their unit edges, checking that each is a straight run.
std::map<std::string, int> unitEdges(const TextLines& segments) {
    std::map<std::string, int> edges;
    for (const auto& s : segments.lines()) {
        size_t colon = s.find(':');
        EXPECT_NE(colon, std::string::npos) << s;
        std::string point = s.substr(0, colon), letters = s.substr(colon + 1);
        EXPECT_FALSE(letters.empty()) << s;
        EXPECT_EQ(letters.find_first_not_of(letters[0]), std::string::npos) << s;
        EXPECT_TRUE(letters[0] >= 'A' && letters[0] <= 'C') << s;
        for (char d : letters) {
            ++edges[edgeAt(point, d)];
            point = canonicalCell('D', point + d).str();
        }
    }
    return edges;
}

// Whatever the hexagons, the two lists hold every spoke and perimeter edge once, boundary exactly
// when it lies on one hexagon's perimeter only, in runs that cannot be merged further.
TEST(Outlines, SegmentsCoverEveryEdgeOnceAndAreMaximal) {
    std::mt19937 rng(21);
    const char* letters = "ABCDEF";
    for (int trial = 0; trial < 40; ++trial) {
        std::set<std::string> centres;
        int n = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < n; ++i) {
            std::string p;
            for (int j = static_cast<int>(rng() % 5); j > 0; --j) p.push_back(letters[rng() % 6]);
            centres.insert(canonicalCell('D', p).str());
        }
        TextLines hexagons;
        for (const auto& c : centres) hexagons.append(c);
        TextLines inner, boundary;
        outlineLists(hexagons, inner, boundary);

        std::map<std::string, int> perimeterUses;
        std::set<std::string> spokes;
        for (const auto& h : centres) {
            for (const auto& o : spokeOffsets()) spokes.insert(canonicalEdge('D', h + o).str());
            for (const auto& o : perimeterOffsets()) ++perimeterUses[canonicalEdge('D', h + o).str()];
        }
        auto in = unitEdges(inner), out = unitEdges(boundary);
        for (const auto& [e, k] : in) {
            EXPECT_EQ(k, 1) << e;
            EXPECT_EQ(out.count(e), 0u) << e;
            EXPECT_TRUE(spokes.count(e) || perimeterUses[e] == 2) << e;
        }
        for (const auto& [e, k] : out) {
            EXPECT_EQ(k, 1) << e;
            EXPECT_TRUE(!spokes.count(e) && perimeterUses[e] == 1) << e;
        }
        EXPECT_EQ(in.size() + out.size(), [&] {
            std::set<std::string> all(spokes);
            for (const auto& [e, k] : perimeterUses) all.insert(e);
            return all.size();
        }());
        for (const TextLines* list : {&inner, &boundary}) {
            std::set<std::string> starts;
            for (const auto& s : list->lines()) starts.insert(s.substr(0, s.find(':')) + s.back());
            for (const auto& s : list->lines()) {
                size_t colon = s.find(':');
                std::string end = canonicalCell('D', s.substr(0, colon) + s.substr(colon + 1)).str();
                EXPECT_EQ(starts.count(end + s.back()), 0u) << "mergeable " << s;
            }
        }
    }
}

TEST(Outlines, RingOfSixOutlinesTheHole) {
    TextLines hexagons = listOf({"AB", "BC", "CD", "DE", "EF", "AF"});
    TextLines inner, boundary;
    outlineLists(hexagons, inner, boundary);
    auto out = unitEdges(boundary);
    for (const auto& o : perimeterOffsets()) EXPECT_EQ(out.count(canonicalEdge('D', o).str()), 1u) << o;
    auto in = unitEdges(inner);
    for (const auto& o : spokeOffsets()) EXPECT_EQ(in.count(canonicalEdge('D', o).str()), 0u) << o;
}

TEST(Outlines, BadInputIsAbsorbed) {
    TextLines hexagons = listOf({"zz", std::string(10000, 'A'), "A:B:C", "", "", "\x01\xff"});
    TextLines inner, boundary, gaps, outer;
    outlineLists(hexagons, inner, boundary);
    cornerLists(hexagons, TextLines(), gaps, outer);
    EXPECT_TRUE(inner.notEmpty());
    EXPECT_TRUE(boundary.notEmpty());
    EXPECT_TRUE(outer.notEmpty());
    TextLines none;
    cornerLists(none, none, gaps, outer);
    outlineLists(none, inner, boundary);
    EXPECT_TRUE(gaps.isEmpty() && outer.isEmpty() && inner.isEmpty() && boundary.isEmpty());
}

}  // namespace
}  // namespace tamblo
