#include "library/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "library/catalogue_check.h"
#include "model/hex_grid.h"
#include "model/solver.h"

namespace tamblo {
namespace {

std::vector<std::string> entriesOf(std::initializer_list<const char*> body) {
    TextLines lines;
    for (const char* l : body) lines.append(l);
    TextLines description;
    BuiltInCatalogue::appendEntries(lines, description);
    return description.lines();
}

std::set<int> givenDigits(HexGrid& grid) {
    std::set<int> digits;
    for (int c = 1; c <= grid.cellCount(); ++c)
        if (grid.isGiven(c)) digits.insert(grid.value(c));
    return digits;
}

TEST(CatalogueFieldsTest, ExampleLineBuildsOneHexagonWithItsLevels) {
    const char* line = "X,%100,WJA,DVMA,VOA,%90,CVKA,%75,DWLA,%80,EWNA";
    // The centre comes before the first suffix field and stays bare; a suffix would change
    // nothing on it anyway.
    EXPECT_EQ(entriesOf({line}), (std::vector<std::string>{"X", "WJA%100", "DVMA%100", "VOA%100", "CVKA%90",
                                                         "DWLA%75", "EWNA%80"}));
    TextLines body, description;
    body.append(line);
    BuiltInCatalogue::appendEntries(body, description);
    HexGrid grid;
    grid.setfromgrivecdef(description);
    grid.setLevel(1);
    grid.prepare();
    ASSERT_EQ(grid.cellCount(), 6);
    ASSERT_EQ(grid.fullHexagonCount(), 1);
    struct Cell {
        const char* name;
        int digit;
        int threshold;
    };
    const Cell cells[] = {{":AB", 1, 100}, {"D:AF", 4, 100}, {":AF", 6, 100},
                          {"C:AF", 2, 90},  {"D:AB", 3, 75},  {"E:AB", 5, 80}};
    for (const auto& c : cells) {
        int n = grid.cellIndex(c.name);
        ASSERT_GT(n, 0) << c.name;
        EXPECT_EQ(grid.definitionDigit(n), c.digit) << c.name;
        EXPECT_EQ(grid.threshold(n), c.threshold) << c.name;
    }
    // A lone hexagon has offset 3: level 1 plays at 90 %, level 3 at 100 %.
    EXPECT_EQ(grid.levelOffset(), 3);
    EXPECT_EQ(givenDigits(grid), (std::set<int>{1, 2, 4, 6}));
    grid.setLevel(3);
    grid.prepare();
    EXPECT_EQ(givenDigits(grid), (std::set<int>{1, 4, 6}));
}

TEST(CatalogueFieldsTest, SuffixCommentAndTrimmingRules) {
    struct Case {
        const char* name;
        std::initializer_list<const char*> body;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"%0 empties the suffix", {"%90,AWJA,%0,BWKA"}, {"AWJA%90", "BWKA"}},
        {"every line starts bare", {"%90,AWJA", "BWKA"}, {"AWJA%90", "BWKA"}},
        {"comments are dropped", {"#a rabbit,AWJA, # ears ,%80,#x,BWKA"}, {"AWJA", "BWKA%80"}},
        {"fields are trimmed", {"  %85 ,  AWJA  ,\tBVKA\t"}, {"AWJA%85", "BVKA%85"}},
        {"empty fields add nothing", {",,AWJA,, ,"}, {"AWJA"}},
        {"the suffix keeps 15 characters", {"%1234567890123456789,AWJA"}, {"AWJA%12345678901234"}},
        {"a blank line", {""}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(entriesOf(c.body), c.entries) << c.name;
}

TEST(CatalogueTest, TableIdsLevelsAndLookUp) {
    BuiltInCatalogue catalogue;
    const std::vector<std::pair<std::string, int>> table = {
        {"2046-11", 3}, {"1928-13", 3}, {"1709-13", 4}, {"1932-35", 5}, {"2043-10", 6},
        {"1251-1", 2},  {"1251-2", 3},  {"1251-3", 4},  {"1222-65", 5}, {"1239-1", 6}};
    ASSERT_EQ(catalogue.count(), 10);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(catalogue.idAt(i), table[static_cast<size_t>(i - 1)].first);
        EXPECT_EQ(catalogue.levelAt(i), table[static_cast<size_t>(i - 1)].second);
        int level = -1;
        EXPECT_TRUE(catalogue.lookUp(catalogue.idAt(i), level));
        EXPECT_EQ(level, catalogue.levelAt(i));
        EXPECT_GT(catalogue.lines().count(), 0);
    }
    EXPECT_STREQ(catalogue.idAt(0), "");
    EXPECT_STREQ(catalogue.idAt(11), "");
    int level = -1;
    for (const char* unknown : {"", "2046-1", "2046-110", " 2046-11"}) {
        EXPECT_FALSE(catalogue.lookUp(unknown, level)) << unknown;
        EXPECT_EQ(level, 0);
        EXPECT_EQ(catalogue.lines().count(), 0);
    }
    EXPECT_TRUE(BuiltInCatalogue::idsMatch("abc-1z", "ABC-1Z"));
    EXPECT_FALSE(BuiltInCatalogue::idsMatch("abc", "abd"));
    EXPECT_FALSE(BuiltInCatalogue::idsMatch("\xe9", "\xc9"));  // only a..z fold
    EXPECT_FALSE(BuiltInCatalogue::idsMatch("abc", "abcd"));
}

TEST(CatalogueTest, SlotsBindFiveIdsEasiestFirst) {
    BuiltInCatalogue catalogue;
    int previous = 0;
    for (int s = 1; s <= slotCount; ++s) {
        DynString id = catalogue.slotId(s);
        int level = 0;
        ASSERT_TRUE(catalogue.lookUp(id, level)) << s;
        EXPECT_GT(level, previous) << s;
        previous = level;
    }
    EXPECT_TRUE(catalogue.slotId(slotCount + 1).isEmpty());
    EXPECT_TRUE(catalogue.slotId(0).isEmpty());
    EXPECT_TRUE(catalogue.slotId(-4).isEmpty());
}

TEST(CatalogueTest, UnknownIdLeavesTheGridAsItWas) {
    BuiltInCatalogue catalogue;
    HexGrid grid;
    TextLines description;
    ASSERT_TRUE(catalogue.loadIntoGrid(grid, description, catalogue.slotId(1)));
    grid.prepare();
    const int cells = grid.cellCount();
    const int entries = description.count();
    const std::string id = grid.idText().str();
    const std::vector<int> givens = givensOf(grid);
    EXPECT_FALSE(catalogue.loadIntoGrid(grid, description, "no-such-id"));
    EXPECT_FALSE(catalogue.loadIntoGrid(grid, description, catalogue.slotId(slotCount + 1)));
    EXPECT_EQ(grid.cellCount(), cells);
    EXPECT_EQ(description.count(), entries);
    EXPECT_EQ(grid.idText().str(), id);
    EXPECT_EQ(givensOf(grid), givens);
    EXPECT_EQ(catalogue.lines().count(), 0);
}

TEST(CatalogueTest, GridIndexGoesThroughTheRegistry) {
    BuiltInCatalogue catalogue;
    BuiltInCatalogue::setGridRegistry(nullptr);
    EXPECT_FALSE(catalogue.loadIntoGrid(0, "2046-11"));
    HexGrid grid;
    TextLines description;
    BuiltInCatalogue::setGridRegistry([&](int index, GridBinding& b) {
        if (index != 3) return false;
        b.grid = &grid;
        b.description = &description;
        b.display.levelPercentage = 85;
        return true;
    });
    EXPECT_FALSE(catalogue.loadIntoGrid(2, "2046-11"));
    EXPECT_EQ(grid.cellCount(), 0);
    EXPECT_TRUE(catalogue.loadIntoGrid(3, "2046-11"));
    EXPECT_EQ(grid.idText().str(), "2046-11");
    EXPECT_GT(grid.cellCount(), 0);
    EXPECT_EQ(grid.requestedLevel(), 3);
    BuiltInCatalogue::setGridRegistry(nullptr);
    EXPECT_FALSE(catalogue.loadIntoGrid(3, "2046-11"));
}

TEST(CatalogueTest, LoadPutsTheDisplaySettingsBack) {
    BuiltInCatalogue catalogue;
    HexGrid grid;
    TextLines description;
    grid.setStepSize(24);
    grid.setAngle(30);
    ASSERT_TRUE(catalogue.loadIntoGrid(grid, description, "1251-1"));
    EXPECT_EQ(grid.stepSize(), 24);
    EXPECT_EQ(grid.angle(), 30);
    GridDisplaySettings display;
    display.stepSize = 50;
    display.angle = 0;
    ASSERT_TRUE(catalogue.loadIntoGrid(grid, description, "1251-1", display));
    EXPECT_EQ(grid.stepSize(), 50);
    EXPECT_EQ(grid.angle(), 0);
}

// Every puzzle, through the real loader, at every level the player can choose.
TEST(CatalogueTest, EveryPuzzleIsUniqueAtEveryLevel) {
    BuiltInCatalogue catalogue;
    int withGaps = 0, withLevel7 = 0;
    for (int i = 1; i <= catalogue.count(); ++i) {
        const std::string id = catalogue.idAt(i);
        SCOPED_TRACE(id);
        HexGrid grid;
        TextLines description;
        ASSERT_TRUE(catalogue.loadIntoGrid(grid, description, id));
        grid.prepare();
        ASSERT_GT(grid.cellCount(), 0);
        PeerGraph graph = peerGraphOf(grid);
        Solver solver(graph);
        const std::vector<int> digits = definitionDigitsOf(grid);
        for (int c = 1; c <= grid.cellCount(); ++c) {
            int d = digits[static_cast<size_t>(c)];
            ASSERT_TRUE(d >= 1 && d <= 6) << grid.cellName(c);
            for (int k = 0; k < PeerTable::kMaxPeers; ++k)
                if (int p = grid.peer(c, k)) {
                    EXPECT_NE(digits[static_cast<size_t>(p)], d) << grid.cellName(c);
                }
        }
        int lastGivens = grid.cellCount() + 1, lastGrade = -1;
        for (int level = 1; level <= 7; ++level) {
            SCOPED_TRACE(level);
            grid.setLevel(level);
            grid.prepare();
            std::vector<int> givens = givensOf(grid);
            std::vector<int> solution;
            EXPECT_EQ(solver.countSolutions(givens, 2, &solution), 1);
            EXPECT_EQ(solution, digits);
            int count = 0;
            for (size_t c = 1; c < givens.size(); ++c) count += givens[c] != 0;
            EXPECT_LE(count, lastGivens);
            Grade grade = solver.grade(givens);
            EXPECT_GE(grade.value, lastGrade);
            lastGivens = count;
            lastGrade = grade.value;
        }
        if (grid.hasLevel7Data()) ++withLevel7;
        grid.buildCornerLists();
        if (grid.gapList().notEmpty()) ++withGaps;
    }
    EXPECT_GE(withGaps, 3);
    EXPECT_GE(withLevel7, 1);
}

}  // namespace
}  // namespace tamblo
