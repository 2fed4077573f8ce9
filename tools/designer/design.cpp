#include "tools/designer/design.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace tamblo::designer {

namespace {

// What each level may ask of the player, and the share of the cells it aims to show. The last
// two levels go as low as uniqueness and their deduction allow.
struct LevelAim {
    Deduction hardest;
    double shown;  // share of the cells shown at level 1; later levels are spaced from there
};

constexpr std::array<LevelAim, 8> kAims = {{
    {Deduction::None, 1.0},
    {Deduction::HiddenSingle, 0.60},
    {Deduction::NakedSingle, 0.0},
    {Deduction::NakedSingle, 0.0},
    {Deduction::Locked, 0.0},
    {Deduction::Subset, 0.0},
    {Deduction::Subset, 0.0},
    {Deduction::Trial, 0.0},
}};

int countGivens(const std::vector<int>& g) {
    return static_cast<int>(std::count_if(g.begin() + 1, g.end(), [](int d) { return d != 0; }));
}

// One design from one solution: the givens are thinned level by level in a random order; a
// cell goes when the rest still has one solution, needs no harder deduction than the level
// allows, and is at least as hard as before.
bool designOnce(const Figure& figure, std::uint32_t seed, bool level7, Design& out) {
    const int n = figure.graph.cellCount();
    Solver solver(figure.graph);
    std::vector<int> solution;
    if (!solver.solve({}, solution, seed)) return false;
    std::mt19937 rng(seed * 2654435761u + 17u);
    std::vector<int> current = solution;
    std::vector<int> removedIn(static_cast<size_t>(n + 1), 0);
    Grade grade = solver.grade(current);
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    const int last = level7 ? 7 : 6;
    // How low this solution goes at all: the levels in between share the way down evenly.
    int lowest = n;
    {
        std::mt19937 probeRng(seed + 99u);
        std::vector<int> probe = current;
        std::vector<int> probeOrder = order;
        std::shuffle(probeOrder.begin(), probeOrder.end(), probeRng);
        for (int c : probeOrder) {
            auto sc = static_cast<size_t>(c);
            int keep = probe[sc];
            probe[sc] = 0;
            if (solver.countSolutions(probe, 2) != 1) {
                probe[sc] = keep;
                continue;
            }
            Grade g = solver.grade(probe);
            if (!g.solvedByLogic() || g.hardest > Deduction::Subset) probe[sc] = keep;
        }
        lowest = countGivens(probe);
    }
    const double first = kAims[1].shown * n;
    out = Design{};
    for (int level = 1; level <= last; ++level) {
        const LevelAim& aim = kAims[static_cast<size_t>(level)];
        int target = 0;
        if (level <= 5) target = static_cast<int>(lowest + (first - lowest) * (6 - level) / 5.0 + 0.5);
        std::shuffle(order.begin(), order.end(), rng);
        for (int c : order) {
            if (countGivens(current) <= target) break;
            auto sc = static_cast<size_t>(c);
            if (current[sc] == 0) continue;
            std::vector<int> trial = current;
            trial[sc] = 0;
            if (solver.countSolutions(trial, 2) != 1) continue;
            Grade g = solver.grade(trial);
            if (!g.solvedByLogic() || g.hardest > aim.hardest || g.value < grade.value) continue;
            current = std::move(trial);
            grade = g;
            removedIn[sc] = level;
        }
        out.givens[static_cast<size_t>(level)] = countGivens(current);
        out.grades[static_cast<size_t>(level)] = grade;
    }
    bool has7 = level7 && out.givens[7] < out.givens[6];
    if (!has7) {
        out.givens[7] = out.givens[6];
        out.grades[7] = out.grades[6];
    }
    out.digits = solution;
    out.thresholds.assign(static_cast<size_t>(n + 1), 0);
    for (int c = 1; c <= n; ++c) {
        int k = removedIn[static_cast<size_t>(c)];
        out.thresholds[static_cast<size_t>(c)] =
            k == 0 ? (has7 ? 120 : 100) : kPercentages[static_cast<size_t>(k - 1)];
    }
    out.seed = seed;
    return true;
}

// Higher is better: every level below the next, few givens at the hardest levels, and the
// level-7 subset when one was asked for.
int score(const Design& d, bool level7) {
    int s = -d.givens[6] - d.givens[7];
    for (int level = 2; level <= 6; ++level)
        if (d.givens[static_cast<size_t>(level)] >= d.givens[static_cast<size_t>(level - 1)]) s -= 20;
    if (level7 && d.givens[7] >= d.givens[6]) s -= 100;
    return s;
}

char valueLetter(int d) { return static_cast<char>('J' + d - 1); }

void appendFields(std::vector<std::string>& lines, const std::string& lead, const std::vector<std::string>& fields) {
    constexpr size_t kWidth = 100;
    std::string line = lead;
    for (const auto& f : fields) {
        std::string next = line.empty() ? f : line + "," + f;
        if (next.size() > kWidth && line != lead) {
            lines.push_back(line);
            line = lead.empty() ? f : lead + "," + f;
        } else {
            line = std::move(next);
        }
    }
    if (line != lead) lines.push_back(line);
}

}  // namespace

bool designPuzzle(const Figure& figure, const DesignOptions& options, Design& design) {
    bool any = false;
    int best = 0;
    for (int i = 0; i < std::max(options.attempts, 1); ++i) {
        Design d;
        std::uint32_t seed = options.seed * 1000u + static_cast<std::uint32_t>(i) + 1u;
        if (!designOnce(figure, seed, options.level7, d)) continue;
        int s = score(d, options.level7);
        if (!any || s > best) {
            design = d;
            best = s;
            any = true;
        }
    }
    return any;
}

std::vector<int> givensAt(const Design& design, int percentage) {
    std::vector<int> g(design.digits.size(), 0);
    for (size_t c = 1; c < design.digits.size(); ++c)
        if (design.thresholds[c] >= percentage && design.thresholds[c] > 0) g[c] = design.digits[c];
    return g;
}

std::vector<std::string> bodyLines(const Figure& figure, const Design& design) {
    std::vector<std::string> lines;
    std::vector<std::string> centres;
    for (const auto& p : figure.centres) centres.push_back("X" + p);
    appendFields(lines, "", centres);
    for (int pct : kPercentages) {
        std::vector<std::string> fields;
        for (size_t c = 1; c < design.digits.size(); ++c) {
            if (design.thresholds[c] != pct) continue;
            fields.push_back(figure.cells[c - 1].entry + valueLetter(design.digits[c]) + "A");
        }
        if (fields.empty()) continue;
        appendFields(lines, pct == 0 ? "#never shown" : "%" + std::to_string(pct), fields);
    }
    return lines;
}

}  // namespace tamblo::designer
