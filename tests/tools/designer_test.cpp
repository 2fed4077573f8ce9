#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/solver.h"
#include "tools/designer/design.h"
#include "tools/designer/figure.h"
#include "tools/designer/outlines.h"

namespace tamblo::designer {
namespace {

TEST(DesignerFigureTest, ReadsHoneycombMaps) {
    struct Case {
        const char* name;
        std::vector<std::string> map;
        int cells;
        int full;
        int holes;
    };
    const Case cases[] = {
        {"one hexagon", {"#"}, 6, 1, 0},
        {"two neighbours share an edge", {"#", "  #"}, 12, 2, 0},
        // Six around an empty middle: the middle's six cells are missing.
        {"ring with a hole", {"  #", "#   #", "  .", "#   #", "  #"}, 36, 6, 1},
        {"rosette", {"  #", "#   #", "  #", "#   #", "  #"}, 42, 13, 0},
    };
    for (const auto& c : cases) {
        Figure f;
        std::string error;
        ASSERT_TRUE(readFigure(c.map, f, error)) << c.name << ": " << error;
        EXPECT_EQ(f.graph.cellCount(), c.cells) << c.name;
        EXPECT_EQ(f.fullHexagons, c.full) << c.name;
        EXPECT_EQ(f.gaps, c.holes) << c.name;
        EXPECT_EQ(static_cast<int>(f.cells.size()), c.cells) << c.name;
    }
}

TEST(DesignerFigureTest, RejectsMapsOffTheHoneycomb) {
    Figure f;
    std::string error;
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {}, {"   "}, {" #"}, {"# #"}, {"#", "#"}}) {
        EXPECT_FALSE(readFigure(bad, f, error));
        EXPECT_FALSE(error.empty());
        error.clear();
    }
}

TEST(DesignerFigureTest, CellArtShowsEveryCell) {
    Figure f;
    std::string error;
    ASSERT_TRUE(readFigure({"#"}, f, error));
    EXPECT_EQ(cellArt(f), "^v^\nv^v\n");
}

TEST(DesignerTest, LevelsShowNestedUniqueAndHarderGivens) {
    Figure f;
    std::string error;
    ASSERT_TRUE(readFigure({"  #", "#   #", "  #", "#   #", "  #"}, f, error));
    DesignOptions options;
    options.attempts = 2;
    options.level7 = true;
    Design d;
    ASSERT_TRUE(designPuzzle(f, options, d));
    Solver solver(f.graph);
    for (int c = 1; c <= f.graph.cellCount(); ++c)
        for (int p : f.graph.peers(c)) EXPECT_NE(d.digits[static_cast<size_t>(c)], d.digits[static_cast<size_t>(p)]);
    int lastCount = f.graph.cellCount() + 1, lastGrade = -1;
    for (int level = 1; level <= 7; ++level) {
        std::vector<int> givens = givensAt(d, kPercentages[static_cast<size_t>(level)]);
        std::vector<int> solution;
        EXPECT_EQ(solver.countSolutions(givens, 2, &solution), 1) << level;
        EXPECT_EQ(solution, d.digits) << level;
        int count = 0;
        for (size_t c = 1; c < givens.size(); ++c) count += givens[c] != 0;
        EXPECT_EQ(count, d.givens[static_cast<size_t>(level)]) << level;
        EXPECT_LE(count, lastCount) << level;
        int grade = solver.grade(givens).value;
        EXPECT_GE(grade, lastGrade) << level;
        lastCount = count;
        lastGrade = grade;
    }
    EXPECT_LT(d.givens[6], d.givens[1]);
    std::vector<std::string> lines = bodyLines(f, d);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().substr(0, 1), "X");
}

TEST(DesignerTest, EveryOutlineReads) {
    EXPECT_EQ(outlines().size(), 10u);
    for (const auto& o : outlines()) {
        Figure f;
        std::string error;
        EXPECT_TRUE(readFigure(o.map, f, error)) << o.id << ": " << error;
    }
}

}  // namespace
}  // namespace tamblo::designer
