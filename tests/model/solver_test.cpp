#include "model/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "geometry/lattice_point.h"

namespace tamblo {
namespace {

// The peer graph of a figure given by its hexagon centres, worked out on lattice names: the six
// cells of every centre, then every lattice point with at least two of those cells as a group.
struct LatticeGraph {
    PeerGraph graph;
    std::vector<std::string> cells{""};  // cell c is cells[c]
    int fullGroups = 0;
    int partialGroups = 0;  // three to five cells
};

std::string canonical(const std::string& text) { return canonicalCell(kExpandedForm, text).str(); }

LatticeGraph latticeGraph(const std::vector<std::string>& centres) {
    static const char* const around[6] = {":AB", "C:AF", "D:AB", "D:AF", "E:AB", ":AF"};
    std::set<std::string> names;
    for (const auto& p : centres)
        for (const char* o : around) names.insert(canonical(p + o));
    LatticeGraph g;
    std::map<std::string, int> index;
    for (const auto& n : names) {
        g.cells.push_back(n);
        index[n] = static_cast<int>(g.cells.size()) - 1;
    }
    std::set<std::string> points;
    for (const auto& n : names) {
        std::string p = n.substr(0, n.size() - 3);
        points.insert(canonical(p));
        points.insert(canonical(p + "A"));
        points.insert(canonical(p + (n.back() == 'B' ? "B" : "F")));
    }
    g.graph.reset(static_cast<int>(names.size()));
    for (const auto& p : points) {
        std::vector<int> group;
        for (const char* o : around) {
            auto it = index.find(canonical(p + o));
            if (it != index.end()) group.push_back(it->second);
        }
        if (group.size() >= 2) g.graph.addHexagon(group);
        if (group.size() == 6) ++g.fullGroups;
        if (group.size() >= 3 && group.size() <= 5) ++g.partialGroups;
    }
    return g;
}

bool obeysRule(const PeerGraph& g, const std::vector<int>& digits) {
    if (static_cast<int>(digits.size()) != g.cellCount() + 1) return false;
    for (int c = 1; c <= g.cellCount(); ++c) {
        int d = digits[static_cast<size_t>(c)];
        if (d < 1 || d > 6) return false;
        for (int p : g.peers(c))
            if (digits[static_cast<size_t>(p)] == d) return false;
    }
    return true;
}

// A graph written by hand: links, groups, givens, and cells restricted to some candidates by
// extra given cells that see only them.
struct HandGraph {
    int n;
    std::vector<std::pair<int, int>> links;
    std::vector<std::vector<int>> groups;
    std::vector<int> givens;

    explicit HandGraph(int cells) : n(cells), givens(static_cast<size_t>(cells) + 1, 0) {}
    void link(int a, int b) { links.emplace_back(a, b); }
    void restrict(int c, int allowed) {
        for (int d = 1; d <= 6; ++d) {
            if (allowed & digitMask(d)) continue;
            givens.push_back(d);
            link(c, ++n);
        }
    }
    PeerGraph build() const {
        PeerGraph g(n);
        for (const auto& h : groups) g.addHexagon(h);
        for (auto [a, b] : links) g.addPeer(a, b);
        return g;
    }
};

TEST(PeerGraphTest, RejectsBadLinksAndGroups) {
    PeerGraph g(4);
    EXPECT_TRUE(g.addPeer(1, 2));
    EXPECT_FALSE(g.addPeer(2, 1));  // already linked
    EXPECT_FALSE(g.addPeer(3, 3));
    EXPECT_FALSE(g.addPeer(0, 1));
    EXPECT_FALSE(g.addPeer(1, 5));
    EXPECT_FALSE(g.addHexagon({1}));
    EXPECT_FALSE(g.addHexagon({1, 2, 2}));
    EXPECT_FALSE(g.addHexagon({1, 2, 9}));
    EXPECT_FALSE(g.addHexagon({1, 2, 3, 4, 1, 2, 3}));
    EXPECT_TRUE(g.addHexagon({2, 3, 4}));
    EXPECT_EQ(g.hexagons().size(), 1u);
    EXPECT_EQ(g.peers(2), (std::vector<int>{1, 3, 4}));
    EXPECT_TRUE(g.peers(0).empty());
    EXPECT_TRUE(g.peers(5).empty());
    EXPECT_EQ(PeerGraph(-3).cellCount(), 0);
}

TEST(SolverTest, CountsSolutionsOfSmallGraphs) {
    PeerGraph hexagon(6);
    hexagon.addHexagon({1, 2, 3, 4, 5, 6});
    PeerGraph pair(2);
    pair.addPeer(1, 2);
    struct Case {
        const char* name;
        const PeerGraph* graph;
        std::vector<int> givens;
        int limit;
        int expected;
    };
    const Case cases[] = {
        {"open hexagon", &hexagon, {}, 1000, 720},
        {"hexagon, limit reached", &hexagon, {}, 2, 2},
        {"five givens", &hexagon, {0, 1, 2, 3, 4, 5, 0}, 2, 1},
        {"four givens", &hexagon, {0, 1, 2, 3, 4, 0, 0}, 10, 2},
        {"repeated given", &hexagon, {0, 1, 1, 0, 0, 0, 0}, 10, 0},
        {"digits outside 1..6 are open", &hexagon, {0, 1, 2, 3, 4, 9, -1}, 10, 2},
        {"limit below one", &hexagon, {}, 0, 0},
        {"two peers", &pair, {}, 100, 30},
        {"short givens", &pair, {0, 4}, 100, 5},
        {"no cells", nullptr, {}, 5, 1},
    };
    PeerGraph none;
    for (const auto& c : cases) {
        Solver s(c.graph ? *c.graph : none);
        EXPECT_EQ(s.countSolutions(c.givens, c.limit), c.expected) << c.name;
    }
}

TEST(SolverTest, ReturnsTheUniqueSolutionAndGivesUpOnBudget) {
    PeerGraph hexagon(6);
    hexagon.addHexagon({1, 2, 3, 4, 5, 6});
    Solver s(hexagon);
    std::vector<int> first;
    EXPECT_EQ(s.countSolutions({0, 6, 5, 4, 3, 2, 0}, 2, &first), 1);
    EXPECT_EQ(first, (std::vector<int>{0, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(s.countSolutions({0, 6, 6}, 2, &first), 0);
    EXPECT_TRUE(first.empty());
    // 720 solutions cannot be counted in a handful of branchings.
    EXPECT_EQ(s.countSolutions({}, 1000, &first, 5), -1);
    EXPECT_TRUE(first.empty());
}

TEST(SolverTest, LatticeFiguresHaveTheExpectedGroups) {
    LatticeGraph one = latticeGraph({""});
    EXPECT_EQ(one.graph.cellCount(), 6);
    EXPECT_EQ(one.fullGroups, 1);
    EXPECT_EQ(one.partialGroups, 0);

    LatticeGraph ring = latticeGraph({"", "A", "B", "C", "D", "E", "F"});
    EXPECT_EQ(ring.graph.cellCount(), 24);
    EXPECT_EQ(ring.fullGroups, 7);
    EXPECT_EQ(ring.partialGroups, 6);
    size_t most = 0;
    for (int c = 1; c <= 24; ++c) most = std::max(most, ring.graph.peers(c).size());
    EXPECT_EQ(most, 12u);
}

TEST(SolverTest, SeededSolutionsObeyTheRuleAndDiffer) {
    LatticeGraph ring = latticeGraph({"", "A", "B", "C", "D", "E", "F"});
    Solver s(ring.graph);
    std::set<std::vector<int>> seen;
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        std::vector<int> solution;
        ASSERT_TRUE(s.solve({}, solution, seed));
        EXPECT_TRUE(obeysRule(ring.graph, solution));
        EXPECT_EQ(s.countSolutions(solution, 2), 1);
        seen.insert(solution);
    }
    EXPECT_GT(seen.size(), 1u);
    PeerGraph hexagon(6);
    hexagon.addHexagon({1, 2, 3, 4, 5, 6});
    std::vector<int> none{7};
    EXPECT_FALSE(Solver(hexagon).solve({0, 3, 3}, none, 1));
    EXPECT_TRUE(none.empty());
}

TEST(SolverTest, GradeRanksTheDeductionsNeeded) {
    // Hidden single: five digits of a hexagon given.
    PeerGraph hexagon(6);
    hexagon.addHexagon({1, 2, 3, 4, 5, 6});
    Grade all = Solver(hexagon).grade({0, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(all.hardest, Deduction::None);
    EXPECT_EQ(all.value, 0);
    std::vector<int> found;
    Grade hidden = Solver(hexagon).grade({0, 1, 2, 3, 4, 5, 0}, &found);
    EXPECT_EQ(hidden.hardest, Deduction::HiddenSingle);
    EXPECT_EQ(hidden.hiddenSingles, 1);
    EXPECT_EQ(found[6], 6);

    // Naked single: no full hexagon, one cell sees five digits.
    PeerGraph star(6);
    for (int p = 2; p <= 6; ++p) star.addPeer(1, p);
    Grade naked = Solver(star).grade({0, 0, 1, 2, 3, 4, 5}, &found);
    EXPECT_EQ(naked.hardest, Deduction::NakedSingle);
    EXPECT_TRUE(naked.solvedByLogic());
    EXPECT_EQ(found[1], 6);

    // Subset: cells 1 and 2 of the group {1, 2, 3} hold {5, 6}, which fixes cell 3 at 4, which
    // leaves cell 4 with 5 and settles the pair. No full hexagon, so no hidden single helps.
    HandGraph sub(4);
    sub.groups.push_back({1, 2, 3});
    sub.restrict(1, digitMask(5) | digitMask(6));
    sub.restrict(2, digitMask(5) | digitMask(6));
    sub.restrict(3, digitMask(4) | digitMask(5) | digitMask(6));
    sub.restrict(4, digitMask(4) | digitMask(5));
    sub.link(4, 3);
    sub.link(4, 1);
    PeerGraph subGraph = sub.build();
    Grade subset = Solver(subGraph).grade(sub.givens, &found);
    EXPECT_EQ(subset.hardest, Deduction::Subset);
    EXPECT_TRUE(subset.solvedByLogic());
    EXPECT_EQ((std::vector<int>(found.begin() + 1, found.begin() + 5)), (std::vector<int>{6, 5, 4, 5}));
    EXPECT_EQ(Solver(subGraph).countSolutions(sub.givens, 2), 1);

    // Trial: a in {1, 2}, b and c in {1, 3}, d in {2, 3}; a = 1 leaves c nothing, so a = 2,
    // d = 3, b = 1, c = 3. No group exists, so no subset can see it.
    HandGraph chain(4);
    chain.link(1, 2);
    chain.link(1, 3);
    chain.link(2, 3);
    chain.link(1, 4);
    chain.link(2, 4);
    chain.restrict(1, digitMask(1) | digitMask(2));
    chain.restrict(2, digitMask(1) | digitMask(3));
    chain.restrict(3, digitMask(1) | digitMask(3));
    chain.restrict(4, digitMask(2) | digitMask(3));
    PeerGraph chainGraph = chain.build();
    Grade trial = Solver(chainGraph).grade(chain.givens, &found);
    EXPECT_EQ(trial.hardest, Deduction::Trial);
    EXPECT_TRUE(trial.solvedByLogic());
    EXPECT_EQ((std::vector<int>(found.begin() + 1, found.begin() + 5)), (std::vector<int>{2, 1, 3, 3}));

    EXPECT_LT(all.value, hidden.value);
    EXPECT_LT(hidden.value, naked.value);
    EXPECT_LT(naked.value, subset.value);
    EXPECT_LT(subset.value, trial.value);
}

TEST(SolverTest, LockedDigitLeavesTheCellThatSeesItsPlaces) {
    // Digit 6 of the hexagon {1..6} can only go to cells 1 or 2; cell 7 sees both, so it is 5.
    HandGraph h(7);
    h.groups.push_back({1, 2, 3, 4, 5, 6});
    h.link(7, 1);
    h.link(7, 2);
    for (int c = 3; c <= 6; ++c) h.restrict(c, 31);
    h.restrict(7, digitMask(5) | digitMask(6));
    PeerGraph g = h.build();
    std::vector<int> found;
    Grade locked = Solver(g).grade(h.givens, &found);
    EXPECT_GE(locked.lockedSteps, 1);
    EXPECT_EQ(found[7], 5);
    EXPECT_FALSE(locked.solvedByLogic());
    EXPECT_EQ(locked.hardest, Deduction::Stuck);
}

TEST(SolverTest, GradeReportsBrokenGivens) {
    PeerGraph hexagon(6);
    hexagon.addHexagon({1, 2, 3, 4, 5, 6});
    Grade broken = Solver(hexagon).grade({0, 2, 2});
    EXPECT_TRUE(broken.contradiction);
    EXPECT_FALSE(broken.solvedByLogic());
    EXPECT_EQ(broken.hardest, Deduction::Stuck);
}

TEST(SolverTest, LogicNeverContradictsTheSolutionOfUniqueGivens) {
    LatticeGraph ring = latticeGraph({"", "A", "B", "C", "D", "E", "F", "AA", "AB"});
    Solver s(ring.graph);
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        std::vector<int> solution;
        ASSERT_TRUE(s.solve({}, solution, seed));
        std::vector<int> givens = solution;
        // Thin the givens in a seed-dependent order while they stay unique.
        for (int i = 0; i < ring.graph.cellCount(); ++i) {
            int c = 1 + static_cast<int>((static_cast<unsigned>(i) * 7u + seed * 5u) %
                                         static_cast<unsigned>(ring.graph.cellCount()));
            int keep = givens[static_cast<size_t>(c)];
            givens[static_cast<size_t>(c)] = 0;
            if (s.countSolutions(givens, 2) != 1) givens[static_cast<size_t>(c)] = keep;
        }
        std::vector<int> found;
        Grade g = s.grade(givens, &found);
        EXPECT_FALSE(g.contradiction) << seed;
        for (int c = 1; c <= ring.graph.cellCount(); ++c)
            if (found[static_cast<size_t>(c)] != 0) {
                EXPECT_EQ(found[static_cast<size_t>(c)], solution[static_cast<size_t>(c)]) << seed << " cell " << c;
            }
    }
}

}  // namespace
}  // namespace tamblo
