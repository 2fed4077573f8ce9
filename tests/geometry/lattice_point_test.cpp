#include "geometry/lattice_point.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>

namespace tamblo {
namespace {

// Independent lattice coordinates in the basis (A, B): C = B - A, D = -A, E = -B, F = A - B.
using Vec = std::pair<int, int>;
constexpr Vec kUnit[6] = {{1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}};

Vec vectorOf(std::string_view point) {
    Vec v{0, 0};
    int last = -1;
    for (char c : point) {
        if (c >= 'A' && c <= 'F') {
            last = c - 'A';
            v.first += kUnit[last].first;
            v.second += kUnit[last].second;
        } else if (c >= '1' && c <= '9' && last >= 0) {
            v.first += (c - '1') * kUnit[last].first;
            v.second += (c - '1') * kUnit[last].second;
        } else {
            break;
        }
    }
    return v;
}


// A normalised expanded point: letters in order, at most two distinct and neighbouring.
bool isNormalExpanded(std::string_view p) {
    if (!std::is_sorted(p.begin(), p.end())) return false;
    std::set<char> letters(p.begin(), p.end());
    for (char c : letters)
        if (c < 'A' || c > 'F') return false;
    if (letters.size() > 2) return false;
    if (letters.size() == 2) {
        int a = *letters.begin() - 'A', b = *letters.rbegin() - 'A';
        return b - a == 1 || (a == 0 && b == 5);
    }
    return true;
}

// ---- Point texts ----

struct FormCase {
    const char* text;
    const char* compact;
    const char* expanded;
};

TEST(LatticePoint, CanonicalFormsOfPointTexts) {
    const FormCase cases[] = {
        {"", "", ""},
        {"AD", "", ""},
        {"BE", "", ""},
        {"CF", "", ""},
        {"ACE", "", ""},
        {"AC", "B", "B"},
        {"AAC", "AB", "AB"},
        {"FB", "A", "A"},
        {"BA", "AB", "AB"},
        {"A1B", "AB", "AB"},
        {"A3", "A3", "AAA"},
        {"AAAAAAAAAAAA", "A9A3", "AAAAAAAAAAAA"},
        {"A9A3B", "A9A3B", "AAAAAAAAAAAAB"},
        {"FAA", "A2F", "AAF"},
        {"D2E9", "D2E9", "DDEEEEEEEEE"},
        {"CCDDEEFF", "D2E2", "DDEE"},
        {"AB0CC", "AB", "AB"},    // '0' ends the point
        {"A:BC", "A", "A"},       // so does the cell mark
        {"3A", "A", "A"},         // a leading digit has no step to repeat
        {"ab", "", ""},           // lower case is not read
        {"A b", "A", "A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LatticePoint p;
        p.read(c.text);
        EXPECT_EQ(p.compactText().str(), c.compact);
        EXPECT_EQ(p.expandedText().str(), c.expanded);
        EXPECT_EQ(p.compactText().str(), c.compact);  // from the cache again after the other form
    }
}

TEST(LatticePoint, ReadingClearsFlagsAndWritingNormalises) {
    LatticePoint p;
    EXPECT_FALSE(p.isRead());
    p.read("ACD");
    EXPECT_TRUE(p.isRead());
    EXPECT_FALSE(p.isNormalised());
    EXPECT_EQ(p.count(0), 1);
    EXPECT_EQ(p.count(2), 1);
    EXPECT_EQ(p.count(3), 1);
    EXPECT_EQ(p.expandedText().str(), "C");
    EXPECT_TRUE(p.isNormalised());
    EXPECT_EQ(p.count(0), 0);
    EXPECT_EQ(p.count(2), 1);
    p.read("BB");
    EXPECT_FALSE(p.isNormalised());
    EXPECT_EQ(p.expandedText().str(), "BB");
    EXPECT_EQ(p.text(kCompactForm).str(), "B2");
    EXPECT_EQ(p.count(-1), 0);
    EXPECT_EQ(p.count(6), 0);
}

TEST(LatticePoint, NormalisedTextsNameTheSamePosition) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 500; ++trial) {
        std::string text;
        int n = static_cast<int>(rng() % 12);
        for (int i = 0; i < n; ++i) {
            text.push_back(static_cast<char>('A' + rng() % 6));
            if (rng() % 4 == 0) text.push_back(static_cast<char>('1' + rng() % 9));
        }
        SCOPED_TRACE(text);
        LatticePoint p;
        p.read(text);
        std::string expanded = p.expandedText().str();
        std::string compact = p.compactText().str();
        EXPECT_TRUE(isNormalExpanded(expanded));
        EXPECT_EQ(vectorOf(expanded), vectorOf(text));
        EXPECT_EQ(vectorOf(compact), vectorOf(text));
        LatticePoint q;
        q.read(compact);
        EXPECT_EQ(q.expandedText().str(), expanded);
    }
}

TEST(LatticePoint, LongTextsSaturateAndAreWrittenInFull) {
    LatticePoint p;
    p.read(std::string(10000, 'A'));
    EXPECT_EQ(p.count(0), 10000);
    EXPECT_EQ(p.expandedText().str(), std::string(10000, 'A'));
    std::string groups;
    for (int i = 0; i < 1111; ++i) groups += "A9";
    EXPECT_EQ(p.compactText().str(), groups + "A");

    p.read(std::string(40000, 'B'));
    EXPECT_EQ(p.count(1), kMaxSteps);
    EXPECT_EQ(p.expandedText().length(), kMaxSteps);

    std::string nines;
    for (int i = 0; i < 5000; ++i) nines += "C9";
    p.read(nines);
    EXPECT_EQ(p.count(2), kMaxSteps);

    // Both directions saturate, so opposite steps still cancel to the origin.
    p.read(std::string(40000, 'A') + std::string(40000, 'D'));
    EXPECT_EQ(p.expandedText().str(), "");

    std::string cycle;
    for (int i = 0; i < 2000; ++i) cycle += "ABCDEF";
    p.read(cycle);
    EXPECT_EQ(p.expandedText().str(), "");
}

TEST(LatticePoint, ArbitraryBytesEndTheReadWithoutHarm) {
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    LatticePoint p;
    p.read(all);
    EXPECT_EQ(p.expandedText().str(), "");  // byte 1 ends the point at once
    p.read("AB" + all);
    EXPECT_EQ(p.expandedText().str(), "AB");
}

// ---- Direction tables and pixels ----

struct TableCase {
    int size, angle, storedSize;
    int xA, yA, xB, yB;
    int afX, afY, abX, abY;
};

TEST(DirectionTable, OffsetsAndCentroids) {
    const TableCase cases[] = {
        {40, 0, 40, 40, 0, 20, 35, 20, -11, 20, 11},
        {30, 0, 30, 30, 0, 15, 26, 15, -8, 15, 8},
        {13, 0, 14, 14, 0, 7, 12, 7, -4, 7, 4},
        {40, 90, 40, 0, 40, -35, 20, 11, 20, -11, 20},
        {-3, 0, -2, -2, 0, -1, -2, -1, 0, -1, -0},
        {32767, 0, 32766, 32766, 0, 16383, 28376, 16383, -9458, 16383, 9458},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " angle " << c.angle);
        DirectionTable t;
        t.setSizeAndAngle(c.size, c.angle);
        EXPECT_TRUE(t.computed());
        EXPECT_EQ(t.size(), c.storedSize);
        EXPECT_EQ(t.x(0), c.xA);
        EXPECT_EQ(t.y(0), c.yA);
        EXPECT_EQ(t.x(1), c.xB);
        EXPECT_EQ(t.y(1), c.yB);
        EXPECT_EQ(t.centroidX(Orientation::AF), c.afX);
        EXPECT_EQ(t.centroidY(Orientation::AF), c.afY);
        EXPECT_EQ(t.centroidX(Orientation::AB), c.abX);
        EXPECT_EQ(t.centroidY(Orientation::AB), c.abY);
    }
}

TEST(DirectionTable, SizeFortyReproducesAllSixDirections) {
    DirectionTable t;
    t.setSize(40);
    const int expected[6][2] = {{40, 0}, {20, 35}, {-20, 35}, {-40, 0}, {-20, -35}, {20, -35}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(t.x(k), expected[k][0]) << k;
        EXPECT_EQ(t.y(k), expected[k][1]) << k;
    }
}

TEST(DirectionTable, LatticeRelationsHoldInPixelsForEverySizeAndAngle) {
    for (int size : {2, 13, 30, 40, 57, 1000}) {
        for (int angle = -360; angle <= 720; angle += 7) {
            DirectionTable t;
            t.setSize(size);
            t.setAngle(angle);
            for (int k = 0; k < 6; ++k) {
                SCOPED_TRACE(testing::Message() << size << " " << angle << " " << k);
                EXPECT_EQ(t.x(k) + t.x((k + 2) % 6), t.x((k + 1) % 6));
                EXPECT_EQ(t.y(k) + t.y((k + 2) % 6), t.y((k + 1) % 6));
                EXPECT_EQ(t.x((k + 3) % 6), -t.x(k));
            }
        }
    }
}

TEST(DirectionTable, UncomputedTableGivesZeroOffsets) {
    DirectionTable t;
    EXPECT_FALSE(t.computed());
    EXPECT_EQ(t.size(), 30);
    EXPECT_EQ(t.x(0), 0);
    EXPECT_EQ(t.x(7), 0);
    LatticePoint p;
    p.read("AAB");
    EXPECT_EQ(p.pixelX(), 0);
    t.setSize(30);
    t.setSize(30);  // the same size recomputes as well
    EXPECT_TRUE(t.computed());
    EXPECT_EQ(t.x(0), 30);
}

TEST(DirectionTable, PixelPositionsOfPointsAndCells) {
    LatticePoint p;
    p.setSize(40);
    p.read("AB");
    EXPECT_EQ(p.pixelX(), 60);
    EXPECT_EQ(p.pixelY(), 35);
    p.read("AAC");  // the same point written differently
    EXPECT_EQ(p.pixelX(), 60);
    EXPECT_EQ(p.pixelY(), 35);
    p.read("");
    EXPECT_EQ(p.cellCentroidX(Orientation::AB), 20);
    EXPECT_EQ(p.cellCentroidY(Orientation::AB), 11);
    p.read("B");
    EXPECT_EQ(p.cellCentroidX(Orientation::AF), 40);
    EXPECT_EQ(p.cellCentroidY(Orientation::AF), 24);
    p.read(std::string(30000, 'A'));
    EXPECT_EQ(p.pixelX(), 32767);  // saturated, not wrapped
    p.read(std::string(30000, 'D'));
    EXPECT_EQ(p.pixelX(), -32768);
}

TEST(DirectionTable, DirectionSetDerivesNamedEntries) {
    DirectionSet set;
    EXPECT_EQ(set.count(), 6);
    EXPECT_EQ(set.half(), 3);
    EXPECT_EQ(set.radius(), 20);
    EXPECT_TRUE(set.derived());
    EXPECT_EQ(set.entry(0).x, 20);
    EXPECT_EQ(set.entry(1).x, 10);
    EXPECT_EQ(set.entry(1).y, 17);
    EXPECT_STREQ(set.entry(5).name, "F");
    EXPECT_EQ(set.entry(6).x, 0);
    EXPECT_STREQ(set.entry(-1).name, "");

    set.configure(13);
    EXPECT_EQ(set.radius(), 13);
    EXPECT_EQ(set.table().size(), 14);
    EXPECT_EQ(set.entry(0).x, 14);
    set.setAngle(90);
    EXPECT_EQ(set.angle(), 90.0f);
    EXPECT_EQ(set.entry(0).x, 0);
    EXPECT_EQ(set.entry(0).y, 14);
    EXPECT_EQ(set.pixelX("AB"), -12);
    EXPECT_EQ(set.pixelY("AB"), 21);
}

TEST(DirectionTable, HexagonFanAndCentroidRing) {
    DirectionTable t;
    t.setSize(30);
    auto fan = hexagonFan(t, 100, 200);
    ASSERT_EQ(fan.size(), 19u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(fan[static_cast<size_t>(3 * k)], (PixelPoint{100, 200}));
        EXPECT_EQ(fan[static_cast<size_t>(3 * k + 1)], (PixelPoint{100 + t.x(k), 200 + t.y(k)}));
        EXPECT_EQ(fan[static_cast<size_t>(3 * k + 2)], (PixelPoint{100 + t.x((k + 1) % 6), 200 + t.y((k + 1) % 6)}));
    }
    EXPECT_EQ(fan[18], (PixelPoint{100, 200}));

    auto ring = centroidRing(t, 100, 200);
    EXPECT_EQ(ring[0], (PixelPoint{115, 192}));  // (30 + 15) / 3, (0 + 26) / 3 subtracted
    EXPECT_EQ(ring[1], (PixelPoint{100, 183}));  // B + C = (0, 52)
    EXPECT_EQ(ring[5], (PixelPoint{115, 208}));  // (0 - 26) / 3 truncates to -8
}

}  // namespace
}  // namespace tamblo
