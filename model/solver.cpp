#include "model/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <random>

namespace tamblo {

namespace {

constexpr int kFull = 63;

int bitCount(int mask) { return std::popcount(static_cast<unsigned>(mask)); }

// Open cells carry their candidates; a placed cell has one candidate and has removed it from
// every peer already.
struct State {
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> placed;
    int open = 0;
};

// Weights of one step of each deduction, and the cap that keeps the rank of the hardest one
// dominant in the grade value.
constexpr int kHiddenCost = 1;
constexpr int kNakedCost = 2;
constexpr int kLockedCost = 4;
constexpr int kSubsetCostBase = 3;  // plus twice the subset size
constexpr int kTrialCost = 20;
constexpr int kEffortCap = 999;

class Engine {
public:
    explicit Engine(const PeerGraph& g) : g_(g), n_(g.cellCount()) {
        for (const auto& h : g.hexagons())
            if (h.size() == 6) full_.push_back(&h);
    }

    // Starting state from the givens; false when two given peers share a digit.
    bool start(const std::vector<int>& givens, State& s, std::vector<int>& queue) const {
        s.mask.assign(static_cast<size_t>(n_ + 1), kFull);
        s.placed.assign(static_cast<size_t>(n_ + 1), 0);
        s.mask[0] = 0;
        s.placed[0] = 1;
        s.open = n_;
        queue.clear();
        for (int c = 1; c <= n_ && c < static_cast<int>(givens.size()); ++c) {
            int bit = digitMask(givens[static_cast<size_t>(c)]);
            if (bit == 0) continue;
            s.mask[static_cast<size_t>(c)] = static_cast<std::uint8_t>(bit);
            queue.push_back(c);
        }
        return true;
    }

    // Naked and hidden singles until nothing changes. False on a contradiction.
    bool propagate(State& s, std::vector<int>& queue) const {
        for (;;) {
            while (!queue.empty()) {
                int c = queue.back();
                queue.pop_back();
                auto sc = static_cast<size_t>(c);
                if (s.placed[sc]) continue;
                int m = s.mask[sc];
                if (m == 0) return false;
                if (bitCount(m) != 1) continue;
                s.placed[sc] = 1;
                --s.open;
                for (int p : g_.peers(c)) {
                    auto sp = static_cast<size_t>(p);
                    if (s.placed[sp]) {
                        if (s.mask[sp] == m) return false;
                        continue;
                    }
                    if ((s.mask[sp] & m) == 0) continue;
                    s.mask[sp] = static_cast<std::uint8_t>(s.mask[sp] & ~m);
                    if (s.mask[sp] == 0) return false;
                    if (bitCount(s.mask[sp]) == 1) queue.push_back(p);
                }
            }
            bool progress = false;
            for (const auto* h : full_) {
                // Digits seen once and digits seen more than once, in one sweep.
                int once = 0, twice = 0;
                for (int c : *h) {
                    int m = s.mask[static_cast<size_t>(c)];
                    twice |= once & m;
                    once |= m;
                }
                if (once != kFull) return false;
                int lone = once & ~twice;
                if (lone == 0) continue;
                for (int c : *h) {
                    auto sc = static_cast<size_t>(c);
                    int m = s.mask[sc] & lone;
                    if (m == 0 || s.placed[sc]) continue;
                    if (bitCount(m) > 1) return false;  // one cell cannot take two digits
                    s.mask[sc] = static_cast<std::uint8_t>(m);
                    queue.push_back(c);
                    progress = true;
                }
            }
            if (!progress) return true;
        }
    }

    int branchCell(const State& s) const {
        int best = 0, bestCount = 7;
        for (int c = 1; c <= n_; ++c) {
            if (s.placed[static_cast<size_t>(c)]) continue;
            int k = bitCount(s.mask[static_cast<size_t>(c)]);
            if (k < bestCount) {
                best = c;
                bestCount = k;
                if (k == 2) break;
            }
        }
        return best;
    }

    struct Search {
        int limit = 2;
        int found = 0;
        long budget = 0;
        bool gaveUp = false;
        std::vector<int>* first = nullptr;
        std::mt19937* rng = nullptr;
    };

    void search(State& s, Search& k) const {
        if (k.found >= k.limit || k.gaveUp) return;
        if (s.open == 0) {
            if (k.found == 0 && k.first) {
                k.first->assign(static_cast<size_t>(n_ + 1), 0);
                for (int c = 1; c <= n_; ++c)
                    (*k.first)[static_cast<size_t>(c)] =
                        std::countr_zero(static_cast<unsigned>(s.mask[static_cast<size_t>(c)])) + 1;
            }
            ++k.found;
            return;
        }
        if (--k.budget < 0) {
            k.gaveUp = true;
            return;
        }
        int c = branchCell(s);
        std::array<int, 6> digits{};
        int nd = 0;
        for (int bit = 1; bit < 64; bit <<= 1)
            if (s.mask[static_cast<size_t>(c)] & bit) digits[static_cast<size_t>(nd++)] = bit;
        if (k.rng) std::shuffle(digits.begin(), digits.begin() + nd, *k.rng);
        std::vector<int> queue;
        for (int i = 0; i < nd && k.found < k.limit && !k.gaveUp; ++i) {
            State t = s;
            t.mask[static_cast<size_t>(c)] = static_cast<std::uint8_t>(digits[static_cast<size_t>(i)]);
            queue.assign(1, c);
            if (propagate(t, queue)) search(t, k);
        }
    }

    Grade grade(const std::vector<int>& givens, std::vector<int>* found) const;

private:
    // Grader steps on a state whose placed cells have removed their digit from their peers.
    bool place(State& s, int c, int bit) const;
    bool hiddenSingle(State& s) const;
    bool nakedSingle(State& s) const;
    int locked(State& s) const;
    int subset(State& s) const;
    int trial(State& s) const;
    bool broken(const State& s) const;

    const PeerGraph& g_;
    int n_;
    std::vector<const std::vector<int>*> full_;
};

bool Engine::place(State& s, int c, int bit) const {
    auto sc = static_cast<size_t>(c);
    s.mask[sc] = static_cast<std::uint8_t>(bit);
    s.placed[sc] = 1;
    --s.open;
    bool ok = true;
    for (int p : g_.peers(c)) {
        auto sp = static_cast<size_t>(p);
        if (s.placed[sp]) {
            if (s.mask[sp] == bit) ok = false;
            continue;
        }
        s.mask[sp] = static_cast<std::uint8_t>(s.mask[sp] & ~bit);
        if (s.mask[sp] == 0) ok = false;
    }
    return ok;
}

bool Engine::broken(const State& s) const {
    for (int c = 1; c <= n_; ++c)
        if (s.mask[static_cast<size_t>(c)] == 0) return true;
    for (const auto* h : full_) {
        int all = 0;
        for (int c : *h) all |= s.mask[static_cast<size_t>(c)];
        if (all != kFull) return true;
    }
    return false;
}

bool Engine::hiddenSingle(State& s) const {
    for (const auto* h : full_) {
        for (int bit = 1; bit < 64; bit <<= 1) {
            int count = 0, last = 0;
            for (int c : *h)
                if (s.mask[static_cast<size_t>(c)] & bit) {
                    ++count;
                    last = c;
                }
            if (count == 1 && !s.placed[static_cast<size_t>(last)]) {
                place(s, last, bit);
                return true;
            }
        }
    }
    return false;
}

bool Engine::nakedSingle(State& s) const {
    for (int c = 1; c <= n_; ++c) {
        auto sc = static_cast<size_t>(c);
        if (!s.placed[sc] && bitCount(s.mask[sc]) == 1) {
            place(s, c, s.mask[sc]);
            return true;
        }
    }
    return false;
}

// A digit that a full hexagon can only hold in cells all of which see some other cell: that
// cell cannot hold it. Returns the number of candidates removed.
int Engine::locked(State& s) const {
    for (const auto* h : full_) {
        for (int bit = 1; bit < 64; bit <<= 1) {
            std::array<int, 6> where{};
            int count = 0;
            bool placedHere = false;
            for (int c : *h) {
                if (!(s.mask[static_cast<size_t>(c)] & bit)) continue;
                if (s.placed[static_cast<size_t>(c)]) placedHere = true;
                where[static_cast<size_t>(count++)] = c;
            }
            if (placedHere || count < 2) continue;
            int removed = 0;
            // Candidates are the peers of the first place that see every other place too.
            for (int y : g_.peers(where[0])) {
                auto sy = static_cast<size_t>(y);
                if (s.placed[sy] || !(s.mask[sy] & bit)) continue;
                if (std::find(h->begin(), h->end(), y) != h->end()) continue;
                bool seesAll = true;
                for (int i = 1; i < count && seesAll; ++i) {
                    const auto& pi = g_.peers(where[static_cast<size_t>(i)]);
                    seesAll = std::find(pi.begin(), pi.end(), y) != pi.end();
                }
                if (seesAll) {
                    s.mask[sy] = static_cast<std::uint8_t>(s.mask[sy] & ~bit);
                    ++removed;
                }
            }
            if (removed) return removed;
        }
    }
    return 0;
}

// k open cells of a hexagon whose candidates together are k digits: no other open cell of the
// hexagon holds those digits. Returns the size of the subset used, 0 when none removes anything.
int Engine::subset(State& s) const {
    for (int k = 2; k <= 5; ++k) {
        for (const auto& h : g_.hexagons()) {
            std::array<int, 6> open{};
            int no = 0;
            for (int c : h)
                if (!s.placed[static_cast<size_t>(c)]) open[static_cast<size_t>(no++)] = c;
            if (no <= k) continue;
            for (int pick = 1; pick < (1 << no); ++pick) {
                if (bitCount(pick) != k) continue;
                int all = 0;
                for (int i = 0; i < no; ++i)
                    if (pick & (1 << i)) all |= s.mask[static_cast<size_t>(open[static_cast<size_t>(i)])];
                if (bitCount(all) != k) continue;
                bool removed = false;
                for (int i = 0; i < no; ++i) {
                    if (pick & (1 << i)) continue;
                    auto sc = static_cast<size_t>(open[static_cast<size_t>(i)]);
                    if (s.mask[sc] & all) {
                        s.mask[sc] = static_cast<std::uint8_t>(s.mask[sc] & ~all);
                        removed = true;
                    }
                }
                if (removed) return k;
            }
        }
    }
    return 0;
}

// Tries the candidates of the cells with fewest first; a candidate whose singles end in a
// contradiction is removed. Returns 1 when one was removed.
int Engine::trial(State& s) const {
    std::vector<int> queue;
    for (int want = 2; want <= 6; ++want) {
        for (int c = 1; c <= n_; ++c) {
            auto sc = static_cast<size_t>(c);
            if (s.placed[sc] || bitCount(s.mask[sc]) != want) continue;
            for (int bit = 1; bit < 64; bit <<= 1) {
                if (!(s.mask[sc] & bit)) continue;
                State t = s;
                t.mask[sc] = static_cast<std::uint8_t>(bit);
                queue.assign(1, c);
                for (int o = 1; o <= n_; ++o)
                    if (!t.placed[static_cast<size_t>(o)] && bitCount(t.mask[static_cast<size_t>(o)]) == 1)
                        queue.push_back(o);
                if (!propagate(t, queue)) {
                    s.mask[sc] = static_cast<std::uint8_t>(s.mask[sc] & ~bit);
                    return 1;
                }
            }
        }
    }
    return 0;
}

Grade Engine::grade(const std::vector<int>& givens, std::vector<int>* found) const {
    Grade out;
    State s;
    std::vector<int> queue;
    start(givens, s, queue);
    // Givens are placed as they stand, each removing its digit from its peers.
    for (int c : queue) {
        int bit = s.mask[static_cast<size_t>(c)];
        if (bit == 0 || !place(s, c, bit)) out.contradiction = true;
    }
    int effort = 0;
    auto need = [&out](Deduction d) {
        if (d > out.hardest) out.hardest = d;
    };
    while (!out.contradiction && s.open > 0) {
        if (broken(s)) {
            out.contradiction = true;
            break;
        }
        if (hiddenSingle(s)) {
            ++out.hiddenSingles;
            effort += kHiddenCost;
            need(Deduction::HiddenSingle);
            continue;
        }
        if (nakedSingle(s)) {
            ++out.nakedSingles;
            effort += kNakedCost;
            need(Deduction::NakedSingle);
            continue;
        }
        if (locked(s)) {
            ++out.lockedSteps;
            effort += kLockedCost;
            need(Deduction::Locked);
            continue;
        }
        if (int k = subset(s)) {
            ++out.subsetSteps;
            effort += kSubsetCostBase + 2 * k;
            need(Deduction::Subset);
            continue;
        }
        if (trial(s)) {
            ++out.trials;
            effort += kTrialCost;
            need(Deduction::Trial);
            continue;
        }
        need(Deduction::Stuck);
        break;
    }
    if (!out.contradiction && s.open == 0 && broken(s)) out.contradiction = true;
    out.openCells = s.open;
    if (out.contradiction) need(Deduction::Stuck);
    out.value = 1000 * static_cast<int>(out.hardest) + std::min(effort + 2 * out.openCells, kEffortCap);
    if (found) {
        found->assign(static_cast<size_t>(n_ + 1), 0);
        for (int c = 1; c <= n_; ++c)
            if (s.placed[static_cast<size_t>(c)])
                (*found)[static_cast<size_t>(c)] =
                    std::countr_zero(static_cast<unsigned>(s.mask[static_cast<size_t>(c)])) + 1;
    }
    return out;
}

}  // namespace

void PeerGraph::reset(int cellCount) {
    peers_.assign(static_cast<size_t>(std::max(cellCount, 0) + 1), {});
    hexagons_.clear();
}

bool PeerGraph::addPeer(int a, int b) {
    int n = cellCount();
    if (a < 1 || b < 1 || a > n || b > n || a == b) return false;
    auto& pa = peers_[static_cast<size_t>(a)];
    if (std::find(pa.begin(), pa.end(), b) != pa.end()) return false;
    pa.push_back(b);
    peers_[static_cast<size_t>(b)].push_back(a);
    return true;
}

bool PeerGraph::addHexagon(const std::vector<int>& cells) {
    int n = cellCount();
    if (cells.size() < 2 || cells.size() > 6) return false;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] < 1 || cells[i] > n) return false;
        for (size_t j = 0; j < i; ++j)
            if (cells[j] == cells[i]) return false;
    }
    for (size_t i = 0; i < cells.size(); ++i)
        for (size_t j = 0; j < i; ++j) addPeer(cells[i], cells[j]);
    hexagons_.push_back(cells);
    return true;
}

const std::vector<int>& PeerGraph::peers(int c) const {
    static const std::vector<int> none;
    return (c >= 1 && c <= cellCount()) ? peers_[static_cast<size_t>(c)] : none;
}

int Solver::countSolutions(const std::vector<int>& givens, int limit, std::vector<int>* first,
                           long nodeBudget) const {
    if (first) first->clear();
    if (limit < 1) return 0;
    Engine e(graph_);
    State s;
    std::vector<int> queue;
    e.start(givens, s, queue);
    if (!e.propagate(s, queue)) return 0;
    Engine::Search k;
    k.limit = limit;
    k.budget = nodeBudget;
    k.first = first;
    e.search(s, k);
    if (k.gaveUp) {
        if (first) first->clear();
        return -1;
    }
    return k.found;
}

bool Solver::solve(const std::vector<int>& givens, std::vector<int>& solution, std::uint32_t seed) const {
    solution.clear();
    Engine e(graph_);
    State s;
    std::vector<int> queue;
    e.start(givens, s, queue);
    if (!e.propagate(s, queue)) return false;
    std::mt19937 rng(seed);
    Engine::Search k;
    k.limit = 1;
    k.budget = 2'000'000;
    k.first = &solution;
    k.rng = seed != 0 ? &rng : nullptr;
    e.search(s, k);
    if (k.gaveUp || k.found == 0) {
        solution.clear();
        return false;
    }
    return true;
}

Grade Solver::grade(const std::vector<int>& givens, std::vector<int>* found) const {
    return Engine(graph_).grade(givens, found);
}

}  // namespace tamblo
