#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "geometry/lattice_point.h"

namespace tamblo {
namespace {

struct RewriteCase {
    char mode;
    const char* text;
    const char* expected;
};

TEST(CellNames, CanonicalCellRewrites) {
    const RewriteCase cases[] = {
        {'D', "", ""},
        {'D', ":AB", ":AB"},
        {'D', ":AF", ":AF"},
        {'D', ":FA", ":AF"},
        {'D', ":BA", ":AB"},
        {'D', ":CB", "C:AF"},
        {'D', "A:BC", "B:AF"},
        {'D', ":CD", "D:AB"},
        {'D', ":DE", "D:AF"},
        {'D', ":EF", "E:AB"},
        {'D', "A:ED", ":AF"},     // sorted, then rewritten: the point cancels to the origin
        {'D', "BC:AF", "BC:AF"},
        {'D', "AD:AB", ":AB"},
        {'D', "XAC:AB", "XB:AB"},
        {'D', "  xAC:AB", "XB:AB"},
        {'D', "  AC:AB", "B:AB"},
        {'D', "A:bc", "B:AF"},     // endings compare ignoring case
        {'D', "A:ab", "A:ab"},     // the part from the colon on is kept as it is
        {'D', "A:XY", "A:XY"},     // other endings stay
        {'D', "AAC", "AB"},        // no colon: the canonical point
        {'D', "XAAD", "XA"},
        {'D', "X", "X"},
        {'D', "A0:BC", "A:AF"},    // the joined letter is lost behind the '0', as in the text
        {'C', "AAAAAAAAAAAA:AB", "A9A3:AB"},
        {'C', "AAC:EF", "A:AB"},
        {'C', "AAB:CD", "AB:AB"},
        {'D', "AAB:CD", "AB:AB"},
        {'D', "A9A3:AB", "AAAAAAAAAAAA:AB"},
        {'Q', "A2:AB", "AA:AB"},   // an unknown mode writes the expanded form
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " '" << c.text << "'");
        EXPECT_EQ(canonicalCell(c.mode, c.text).str(), c.expected);
        DynString out("stale");
        canonicalCell(c.mode, c.text, out);
        EXPECT_EQ(out.str(), c.expected);
    }
}

TEST(CellNames, CanonicalEdgeRewrites) {
    const RewriteCase cases[] = {
        {'D', ":A", ":A"},
        {'D', ":D", "D:A"},
        {'D', ":E", "E:B"},
        {'D', ":F", "F:C"},
        {'D', "A:D", ":A"},
        {'D', "FD:A", "E:A"},
        {'D', "C:f", ":C"},     // C + F cancels to the origin
        {'D', "AD", ""},
        {'D', "XA:B", ":B"},    // no "X" handling: the X ends the point
        {'D', "B:CA", "B:CA"},  // no sorting
        {'C', "AAA:E", "A2F:B"},  // A + E join into F
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(canonicalEdge(c.mode, c.text).str(), c.expected);
    }
}

TEST(CellNames, RewriteIntoTheTextItself) {
    DynString s("XA:BC");
    canonicalCell('D', s, s);
    EXPECT_EQ(s.str(), "XB:AF");
    s.set("AAA:D");
    canonicalEdge('C', s, s);
    EXPECT_EQ(s.str(), "A2:A");
}

// Every name of a triangle, whichever of its corners and corner order it is written from, comes
// out as the one name of that triangle.
TEST(CellNames, EveryNameOfATriangleGivesItsOneCanonicalName) {
    std::mt19937 rng(11);
    const char* letters = "ABCDEF";
    for (int trial = 0; trial < 300; ++trial) {
        std::string p;
        int n = static_cast<int>(rng() % 8);
        for (int i = 0; i < n; ++i) p.push_back(letters[rng() % 6]);
        // The up triangle P, P+A, P+B written from each corner: P:AB, (P+A):CD, (P+B):EF.
        std::string up = canonicalCell('D', p + ":AB").str();
        EXPECT_EQ(canonicalCell('D', p + "A:DC").str(), up) << p;
        EXPECT_EQ(canonicalCell('D', p + "B:FE").str(), up) << p;
        // The down triangle P, P+A, P+F: P:AF, (P+A):DE, (P+F):BC.
        std::string down = canonicalCell('D', p + ":FA").str();
        EXPECT_EQ(canonicalCell('D', p + "A:ED").str(), down) << p;
        EXPECT_EQ(canonicalCell('D', p + "F:CB").str(), down) << p;
        EXPECT_NE(up, down);
        // Idempotent, and the compact name reads back to the same expanded one.
        EXPECT_EQ(canonicalCell('D', up).str(), up);
        EXPECT_EQ(canonicalCell('D', canonicalCell('C', up)).str(), up);
    }
}

TEST(CellNames, RotationBySixtyDegrees) {
    DynString s("A:AB");
    rotate60(s);
    EXPECT_EQ(s.str(), "B:BC");
    EXPECT_EQ(canonicalCell('D', s).str(), "BC:AF");
    std::string t = "abcdef-ABCDEF:XYZ 09";
    rotate60(t);
    EXPECT_EQ(t, "BCDEFA-BCDEFA:XYZ 09");
    EXPECT_EQ(rotated60('F'), 'A');
    EXPECT_EQ(rotated60('\xE9'), '\xE9');
    // Six rotations of an upper-case name give it back.
    std::string u = "A2C:AF";
    for (int i = 0; i < 6; ++i) rotate60(u);
    EXPECT_EQ(u, "A2C:AF");
}

TEST(CellNames, LetterSums) {
    struct Case {
        const char* point;
        const char* letters;
        int sum;
    } cases[] = {
        {"A2B", "AB", 3}, {"CD:AF", "CD", 2}, {"AD", "AD", 2},  // not normalised
        {"A3", "AA", 6},  {"", "AB", 0},      {"B", "", 0},
        {"E", "ef", 1},   {"A", "XYZ", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(letterSum(c.point, c.letters), c.sum) << c.point << " " << c.letters;
    EXPECT_EQ(letterSum(std::string(40000, 'A'), "AA"), kMaxSteps);
}

TEST(CellNames, BadInputGivesDefinedNames) {
    // Ten thousand letters: A + C join into B.
    EXPECT_EQ(canonicalCell('D', std::string(10000, 'A') + ":BC").str(), std::string(9999, 'A') + "B:AF");
    EXPECT_EQ(canonicalCell('C', std::string(10000, 'A') + ":AB").length(), 2 * 1111 + 1 + 3);
    EXPECT_EQ(canonicalEdge('D', std::string(10000, 'D') + ":D").str(), std::string(10001, 'D') + ":A");
    EXPECT_EQ(canonicalCell('D', ":").str(), ":");
    EXPECT_EQ(canonicalCell('D', "::::").str(), "::::");
    EXPECT_EQ(canonicalEdge('D', ":").str(), ":");

    // Random bytes: whatever comes in, the point part that comes out is in normal form.
    std::mt19937 rng(3);
    for (int trial = 0; trial < 2000; ++trial) {
        std::string text;
        int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            unsigned r = rng() % 4;
            char c = r == 0 ? static_cast<char>(1 + rng() % 255) : r == 1 ? ':' : static_cast<char>('A' + rng() % 6);
            text.push_back(c);
        }
        for (char mode : {'C', 'D'}) {
            for (const DynString& out : {canonicalCell(mode, text), canonicalEdge(mode, text)}) {
                std::string_view v = out.view();
                if (!v.empty() && v[0] == 'X') v.remove_prefix(1);
                std::string_view point = v.substr(0, v.find(':'));
                LatticePoint p;
                p.read(point);
                ASSERT_EQ(std::string(point), mode == 'C' ? p.compactText().str() : p.expandedText().str())
                    << "'" << text << "'";
            }
        }
    }
}

}  // namespace
}  // namespace tamblo
