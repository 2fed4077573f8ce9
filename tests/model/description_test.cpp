#include <gtest/gtest.h>

#include <string>

#include "grid_test_util.h"
#include "model/hex_grid.h"

namespace tamblo {
namespace {

using test::build;
using test::entries;

TEST(Description, CatalogueLineGivesOneHexagonWithItsDefinitions) {
    HexGrid grid;
    grid.setfromgrivecdef(test::loneHexagon());
    EXPECT_EQ(grid.cellCount(), 6);
    EXPECT_EQ(grid.fullHexagonCount(), 1);
    EXPECT_TRUE(grid.hasDefinitionValues());
    ASSERT_EQ(grid.definitionValues().count(), 6);
    DynString v;
    const std::pair<const char*, const char*> expected[] = {{":AB", "1,100"}, {"D:AF", "4,100"}, {":AF", "6,100"},
                                                             {"C:AF", "2,90"}, {"D:AB", "3,75"},  {"E:AB", "5,80"}};
    for (auto [name, value] : expected) {
        EXPECT_NE(grid.definitionValues().getValue(name, v), 0) << name;
        EXPECT_EQ(v, value) << name;
    }
    // Key=value lines stay in order.
    EXPECT_STREQ(grid.definitionValues().lineAt(1), ":AB=1,100");
    EXPECT_STREQ(grid.definitionValues().lineAt(6), "E:AB=5,80");
}

TEST(Description, LaterEntryForTheSameCellWins) {
    HexGrid grid;
    build(grid, {"AWLA%75", "AWNA%90"});
    EXPECT_EQ(grid.cellCount(), 1);
    ASSERT_EQ(grid.definitionValues().count(), 1);
    EXPECT_STREQ(grid.definitionValues().lineAt(1), "A:AB=5,90");
}

TEST(Description, EntryForms) {
    struct Case {
        const char* entry;
        int cells, full;
        const char* definition;  // expected definition line, or null for none
    };
    const Case cases[] = {
        {"XA2BWPJ", 6, 1, "AAB:AB=1,0"},  // centre and one of its cells
        {"A2BWJK%60", 1, 0, "AAB:AB=1,60"},
        {"A2B:AF", 1, 0, nullptr},
        {"XA2B", 6, 1, nullptr},
        {"xa2b", 6, 1, nullptr},
        {"  XA  ", 6, 1, nullptr},
        {":AB%100", 1, 0, nullptr},
        {"X%100", 6, 1, nullptr},
        {"A9A3VSA%-5", 1, 0, "AAAAAAAAAAAA:AF=4,-5"},
        {"BW" "QZ", 1, 0, "B:AB=2,0"},
    };
    for (const Case& c : cases) {
        HexGrid grid;
        grid.setfromgrivecdef(entries({c.entry}));
        EXPECT_EQ(grid.cellCount(), c.cells) << c.entry;
        EXPECT_EQ(grid.fullHexagonCount(), c.full) << c.entry;
        if (c.definition) {
            ASSERT_EQ(grid.definitionValues().count(), 1) << c.entry;
            EXPECT_STREQ(grid.definitionValues().lineAt(1), c.definition);
        } else {
            EXPECT_EQ(grid.definitionValues().count(), 0) << c.entry;
            EXPECT_FALSE(grid.hasDefinitionValues());
        }
    }
}

// Broken entries add nothing; the rest of the description still builds.
TEST(Description, MalformedEntriesAddNothing) {
    const char* bad[] = {"",        "   ",     "A2B",     "XYZ",    "XA2B:AX", "W",       "WJ",
                         "WJ%60",   "A0B:AB",  "X2",      "XA%",    "XA%-",    "XA%1x",   ":AC",
                         "#note",   "\xff\x01", "XA2BWJK%60junk", "A2B?WJA", "AW1A",   "XA B"};
    HexGrid baseline;
    build(baseline, {"XD", "EVLA%80"});
    for (const char* entry : bad) {
        EXPECT_FALSE(HexGrid::isWellFormedEntry(entry)) << entry;
        HexGrid grid;
        grid.setfromgrivecdef(entries({"XD", entry, "EVLA%80"}));
        EXPECT_EQ(grid.cellCount(), baseline.cellCount()) << entry;
        EXPECT_EQ(grid.hexagonCount(), baseline.hexagonCount()) << entry;
        EXPECT_EQ(grid.definitionValues().count(), 1) << entry;
    }
    EXPECT_TRUE(HexGrid::isWellFormedEntry("XA2BWPJ"));
}

TEST(Description, DuplicatesAreRemovedAndANewLoadReplacesTheOld) {
    HexGrid grid;
    build(grid, {"X", "X", "XAD", ":AB", "WJA"});
    EXPECT_EQ(grid.fullHexagonCount(), 1);
    EXPECT_EQ(grid.cellCount(), 6);
    build(grid, {"A:AF"});
    EXPECT_EQ(grid.cellCount(), 1);
    EXPECT_EQ(grid.hexagonCount(), 0);
    EXPECT_FALSE(grid.hasDefinitionValues());
    build(grid, {});
    EXPECT_EQ(grid.cellCount(), 0);
    EXPECT_TRUE(grid.progressText().isEmpty());
}

}  // namespace
}  // namespace tamblo
