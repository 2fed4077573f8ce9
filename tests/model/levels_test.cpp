#include <gtest/gtest.h>

#include <string>

#include "grid_test_util.h"
#include "model/hex_grid.h"

namespace tamblo {
namespace {

using test::entries;
using test::loadLikeCatalogue;

TEST(LevelTable, PercentagesNamesAndInverse) {
    const int percentages[] = {75, 75, 80, 85, 90, 95, 100, 120, 75};
    for (int level = 0; level <= 8; ++level) EXPECT_EQ(levelPercentage(level), percentages[level]) << level;
    for (int level = 1; level <= 7; ++level) EXPECT_EQ(levelOfPercentage(levelPercentage(level)), level);
    EXPECT_EQ(levelOfPercentage(50), 1);
    EXPECT_EQ(levelOfPercentage(110), 1);
    EXPECT_STREQ(levelName(4, false), "4-high middle");
    EXPECT_STREQ(levelName(1, true), "1-tr\xc3\xa8s facile");
    EXPECT_STREQ(levelName(0, true), "xxx");
}

TEST(LevelOffset, FollowsTheBestConnectedHexagon) {
    struct Case {
        TextLines description;
        int offset;
    };
    const Case cases[] = {
        {entries({}), 3},
        {entries({"X"}), 3},
        {entries({"X", "XA", "XB", "XC"}), 3},
        {entries({"X", "XA", "XB", "XC", "XD"}), 2},
        {entries({"X", "XA", "XB", "XC", "XD", "XE"}), 1},
        {entries({"X", "XA", "XB", "XC", "XD", "XE", "XF"}), 0},
    };
    for (const Case& c : cases) {
        HexGrid grid;
        grid.setfromgrivecdef(c.description);
        EXPECT_EQ(grid.computeLevelOffset(), c.offset) << c.description.count();
    }
}

// Level asked, givens shown (by definition digit) for the lone hexagon, whose offset is 3.
TEST(Levels, CatalogueLevelsShowTheirGivens) {
    struct Case {
        int level;
        int effective;
        std::string givens;
    };
    const Case cases[] = {{1, 4, "1246"}, {2, 5, "146"}, {3, 6, "146"}, {6, 6, "146"}, {7, 6, "146"}};
    for (const Case& c : cases) {
        HexGrid grid;
        loadLikeCatalogue(grid, test::loneHexagon(), c.level);
        grid.prepare();
        EXPECT_EQ(grid.effectiveLevel(), c.effective) << c.level;
        std::string givens;
        for (int d = 1; d <= 6; ++d)
            for (int cell = 1; cell <= 6; ++cell)
                if (grid.isGiven(cell) && grid.value(cell) == d) givens.push_back(static_cast<char>('0' + d));
        EXPECT_EQ(givens, c.givens) << c.level;
        for (int cell = 1; cell <= 6; ++cell)
            if (!grid.isGiven(cell)) {
                EXPECT_EQ(grid.value(cell), 0);
            }
    }
}

// On a grid without offset every threshold from 75 to 100 picks out its own level.
TEST(Levels, ThresholdsSpreadOverTheLevels) {
    TextLines d = entries({"X", "XA", "XB", "XC", "XD", "XE", "XF", "WJA%75", "VKA%80", "CVLA%85", "DWMA%90",
                           "DVNA%95", "EWOA%100", "AWJA"});
    for (int level = 1; level <= 7; ++level) {
        HexGrid grid;
        loadLikeCatalogue(grid, d, level);
        grid.prepare();
        int givens = 0;
        for (int c = 1; c <= grid.cellCount(); ++c) givens += grid.isGiven(c) ? 1 : 0;
        EXPECT_EQ(givens, level == 7 ? 1 : 7 - level) << level;  // level 7 plays as 6
        EXPECT_FALSE(grid.isGiven(grid.cellIndex("A:AB")));     // a digit without percentage
        EXPECT_EQ(grid.definitionDigit(grid.cellIndex("A:AB")), 1);
    }
}

TEST(Levels, SeventhLevel) {
    // With thresholds of 120 and 100 the grid has a seventh level.
    HexGrid both;
    both.setfromgrivecdef(entries({"X", "WJA%120", "VKA%100", "CVLA%90"}));
    both.prepare();
    both.setLevel(7);
    both.prepare();
    EXPECT_EQ(both.effectiveLevel(), 7);
    EXPECT_EQ(both.shownLevel(), 7);
    EXPECT_EQ(both.effectivePercentage(), 120);
    EXPECT_TRUE(both.isGiven(1));
    EXPECT_FALSE(both.isGiven(2));

    // 120 without 100: level 7 plays as 6 and the 120s become 100s, givens at level 6.
    HexGrid only;
    only.setfromgrivecdef(entries({"X", "WJA%120", "CVLA%90"}));
    only.prepare();
    only.setLevel(7);
    EXPECT_EQ(only.effectiveLevel(), 6);
    EXPECT_EQ(only.threshold(1), 100);
    only.prepare();
    EXPECT_TRUE(only.isGiven(1));
    EXPECT_FALSE(only.isGiven(3));
    only.setLevelPercentage(120);
    EXPECT_EQ(only.requestedPercentage(), 100);
}

TEST(Levels, LowPercentageIsRaisedAndTheSameLevelIsNotReapplied) {
    HexGrid grid;
    grid.setfromgrivecdef(test::loneHexagon());
    grid.setLevelPercentage(50);
    grid.prepare();
    EXPECT_EQ(grid.effectiveLevel(), 6);
    EXPECT_EQ(grid.requestedPercentage(), 100);
    EXPECT_EQ(grid.appliedPercentage(), 100);

    grid.setValue(3, 2);  // the player's digit
    grid.setLevel(6);
    grid.setLevel(6);
    grid.prepare();
    EXPECT_EQ(grid.value(3), 2);
    grid.setValue(4, 5);
    grid.setLevel(1);  // 90 % here: a new application empties the player's cells
    grid.prepare();
    EXPECT_EQ(grid.value(4), 0);
    EXPECT_EQ(grid.value(3), 2);  // cell 3 is now a given with its definition digit 2
    EXPECT_TRUE(grid.isGiven(3));
    EXPECT_EQ(grid.appliedPercentage(), 90);
}

TEST(Levels, Labels) {
    HexGrid grid;
    grid.setfromgrivecdef(entries({"X", "XA", "XB", "XC", "XD", "WJA%100"}));
    grid.setLevel(3);
    ASSERT_EQ(grid.levelOffset(), 2);
    struct Case {
        int kind;
        bool named;
        const char* text;
        int level;
    };
    const Case cases[] = {
        {11, false, "3", 3},       {10, true, "3-middle", 3}, {11, true, "3-moyen", 3},
        {13, true, "3-middle", 3}, {14, true, "3-moyen", 3},  {15, false, "3", 3},
        {12, false, "5", 5},       {12, true, "5-difficile", 5},
    };
    for (const Case& c : cases) {
        LevelLabel label = grid.levelLabel(c.kind, c.named);
        EXPECT_EQ(label.text, c.text) << c.kind << c.named;
        EXPECT_EQ(label.level, c.level) << c.kind;
    }
    grid.setLevel(9);
    EXPECT_EQ(grid.levelLabel(11, false).text, "x");
    EXPECT_EQ(grid.levelLabel(10, true).text, "xxx");
}

}  // namespace
}  // namespace tamblo
