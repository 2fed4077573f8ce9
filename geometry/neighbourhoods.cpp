#include "geometry/neighbourhoods.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <unordered_set>

#include "foundation/text.h"
#include "geometry/lattice_point.h"
#include "geometry/lattice_text.h"

namespace tamblo {

namespace {

// ---- Case-insensitive hashing (a..z folded, as everywhere in the lists) ----

struct NoCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const {
        std::size_t h = 1469598103934665603ull;
        for (char c : s) h = (h ^ static_cast<unsigned char>(upperOf(c))) * 1099511628211ull;
        return h;
    }
};

struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return equalsNoCase(a, b); }
};

using NameSet = std::unordered_set<std::string, NoCaseHash, NoCaseEqual>;

// ---- Offsets added to points ----

// The point followed by the offset, rewritten canonically (expanded form).
void addOffsetInto(std::string_view point, std::string_view offset, bool edge, std::string& out) {
    thread_local std::string joined;
    joined.assign(point);
    joined.append(offset);
    if (edge)
        lattice::canonicalEdgeInto(kExpandedForm, joined, out);
    else
        lattice::canonicalCellInto(kExpandedForm, joined, out);
}

struct Tables {
    std::vector<std::string> cellsAround, ring, spokes, perimeter;
    DynString cellsAroundText, ringText, spokesText, perimeterText;

    Tables() {
        grow({":AB"}, false, cellsAround);
        grow({"B:AF"}, false, ring);
        grow({"A:AB", "A:AF"}, false, ring);
        grow({":A"}, true, spokes);
        grow({"C:A"}, true, perimeter);
        cellsAroundText = joinItems(cellsAround);
        ringText = joinItems(ring);
        spokesText = joinItems(spokes);
        perimeterText = joinItems(perimeter);
    }

    // Six rounds: append the current items, then rotate each by 60 degrees and rewrite it.
    static void grow(std::vector<std::string> seeds, bool edge, std::vector<std::string>& items) {
        std::string rewritten;
        for (int round = 0; round < 6; ++round) {
            for (std::string& s : seeds) {
                items.push_back(s);
                rotate60(s);
                if (edge)
                    lattice::canonicalEdgeInto(kExpandedForm, s, rewritten);
                else
                    lattice::canonicalCellInto(kExpandedForm, s, rewritten);
                s = rewritten;
            }
        }
    }

    static DynString joinItems(const std::vector<std::string>& items) {
        std::string text;
        for (const auto& item : items) text.append(item).push_back(',');
        DynString out;
        out.adopt(std::move(text));
        return out;
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

std::string_view withoutCentreMark(std::string_view point) {
    std::size_t i = 0;
    while (i < point.size() && point[i] == ' ') ++i;
    if (i < point.size() && (point[i] == 'X' || point[i] == 'x')) return point.substr(i + 1);
    return point;
}

// P of a cell name (everything but its last three characters) and whether it is an AB cell.
std::string_view cellPoint(std::string_view cell, bool& ab) {
    ab = endsWithNoCase(cell, ":AB");
    return cell.size() >= 3 ? cell.substr(0, cell.size() - 3) : std::string_view();
}

constexpr std::string_view kCornersAB[3] = {"", "A", "B"};
constexpr std::string_view kCornersAF[3] = {"", "A", "F"};
constexpr std::string_view kEdgeNeighboursAB[3] = {":AF", "B:AF", "C:AF"};
constexpr std::string_view kEdgeNeighboursAF[3] = {":AB", "E:AB", "F:AB"};

template <std::size_t N>
std::array<DynString, N> offsetNames(std::string_view point, const std::string_view (&offsets)[N]) {
    std::array<DynString, N> names;
    std::string out;
    for (std::size_t i = 0; i < N; ++i) {
        addOffsetInto(point, offsets[i], false, out);
        names[i].set(out);
    }
    return names;
}

template <std::size_t N>
DynString commaText(const std::array<DynString, N>& names) {
    std::string text;
    for (const auto& n : names) text.append(n.view()).push_back(',');
    DynString out;
    out.adopt(std::move(text));
    return out;
}

// The list order: bytes compared unsigned after folding a..z (compareNoCase), inlined for sorting.
inline unsigned char folded(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

bool lessNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = folded(a[i]), y = folded(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

// Sorted and unique as TextLines::sortUnique leaves a list (equal lines in reverse order of
// arrival, the first of each run kept), without its line-by-line removal.
void sortUnique(std::vector<std::string>& lines) {
    std::reverse(lines.begin(), lines.end());
    std::stable_sort(lines.begin(), lines.end(), lessNoCase);
    lines.erase(std::unique(lines.begin(), lines.end(),
                            [](const std::string& a, const std::string& b) { return equalsNoCase(a, b); }),
                lines.end());
}

TextLines sortedUniqueLines(std::vector<std::string>&& lines) {
    sortUnique(lines);
    TextLines list;
    for (auto& line : lines) list.append(line);
    return list;
}

// ---- Segment merging ----

// Merges segments P:XX..X that continue one another into straight runs: a segment whose end point
// is the start of another takes over that one's letters. The lines keep their sorted order.
std::vector<std::string> mergeSegments(const TextLines& sorted) {
    const auto& lines = sorted.lines();
    const std::size_t n = lines.size();
    std::vector<std::string> ends(n);
    std::unordered_map<std::string, std::size_t, NoCaseHash, NoCaseEqual> byStart;
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view line = lines[i];
        std::size_t colon = line.find(':');
        std::string_view start = colon == std::string_view::npos ? line : line.substr(0, colon);
        byStart.emplace(std::string(start), i);  // the first line of a start wins
        std::string joined(line.substr(0, colon == std::string_view::npos ? line.size() : colon));
        if (colon != std::string_view::npos) joined.append(line.substr(colon + 1));
        lattice::canonicalCellInto(kExpandedForm, joined, ends[i]);
    }
    std::vector<std::ptrdiff_t> next(n, -1);
    std::vector<bool> hasPrevious(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        auto it = byStart.find(std::string_view(ends[i]));
        if (it != byStart.end() && it->second != i && !hasPrevious[it->second]) {
            next[i] = static_cast<std::ptrdiff_t>(it->second);
            hasPrevious[it->second] = true;
        }
    }
    std::vector<bool> used(n, false);
    auto follow = [&](std::size_t head) {
        std::string run = lines[head];
        used[head] = true;
        for (std::ptrdiff_t j = next[head]; j >= 0 && !used[static_cast<std::size_t>(j)];
             j = next[static_cast<std::size_t>(j)]) {
            used[static_cast<std::size_t>(j)] = true;
            std::string_view line = lines[static_cast<std::size_t>(j)];
            std::size_t colon = line.find(':');
            if (colon != std::string_view::npos) run.append(line.substr(colon + 1));
        }
        return run;
    };
    // Runs start at lines nothing leads into; a closed ring (only from malformed names) stays as
    // it was read, each line on its own.
    std::vector<std::string> out;
    std::vector<std::string> runAt(n);
    std::vector<bool> isRun(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        if (!hasPrevious[i]) {
            runAt[i] = follow(i);
            isRun[i] = true;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (isRun[i])
            out.push_back(std::move(runAt[i]));
        else if (!used[i])
            out.push_back(lines[i]);
    }
    return out;
}

int edgeDirection(std::string_view edge) {
    if (edge.size() < 2 || edge[edge.size() - 2] != ':') return -1;
    switch (upperOf(edge.back())) {
        case 'A': return 0;
        case 'B': return 1;
        case 'C': return 2;
        default: return -1;
    }
}

}  // namespace

// ---- Tables ----

void buildNeighbourTables() { (void)tables(); }
const DynString& cellsAroundTable() { return tables().cellsAroundText; }
const DynString& ringTable() { return tables().ringText; }
const DynString& spokesTable() { return tables().spokesText; }
const DynString& perimeterTable() { return tables().perimeterText; }
const std::vector<std::string>& cellsAroundOffsets() { return tables().cellsAround; }
const std::vector<std::string>& ringOffsets() { return tables().ring; }
const std::vector<std::string>& spokeOffsets() { return tables().spokes; }
const std::vector<std::string>& perimeterOffsets() { return tables().perimeter; }

// ---- NameIndex ----

void NameIndex::build(const TextLines& lines) {
    positions_.clear();
    positions_.reserve(lines.lines().size());
    int position = 0;
    for (const auto& line : lines.lines()) {
        ++position;
        std::string key(line);
        for (char& c : key) c = upperOf(c);
        positions_.emplace(std::move(key), position);  // the first of equal lines wins
    }
}

int NameIndex::indexOf(std::string_view name) const {
    // The keys are folded; the probe keeps its capacity, so a lookup does not allocate.
    thread_local std::string probe;
    probe.assign(name);
    for (char& c : probe) c = upperOf(c);
    auto it = positions_.find(probe);
    return it == positions_.end() ? 0 : it->second;
}

// ---- Cells around, corners, edge neighbours ----

std::array<DynString, 6> cellsAroundNames(TextRef point) {
    std::string_view p = withoutCentreMark(point.view());
    std::array<DynString, 6> names;
    std::string out;
    const auto& offsets = tables().cellsAround;
    for (std::size_t i = 0; i < 6; ++i) {
        addOffsetInto(p, offsets[i], false, out);
        names[i].set(out);
    }
    return names;
}

DynString cellsAround(TextRef point) { return commaText(cellsAroundNames(point)); }

int countOwnCells(TextRef point, const TextLines& cells) {
    int n = 0;
    for (const auto& name : cellsAroundNames(point))
        if (cells.indexOf(name) != 0) ++n;
    return n;
}

int countOwnCells(TextRef point, const NameIndex& cells) {
    std::string_view p = withoutCentreMark(point.view());
    std::string out;
    int n = 0;
    for (const auto& offset : tables().cellsAround) {
        addOffsetInto(p, offset, false, out);
        if (cells.contains(out)) ++n;
    }
    return n;
}

std::array<DynString, 3> cornerNames(TextRef cell) {
    bool ab = false;
    std::string_view p = cellPoint(cell.view(), ab);
    return offsetNames(p, ab ? kCornersAB : kCornersAF);
}

DynString corners(TextRef cell) { return commaText(cornerNames(cell)); }

std::array<DynString, 3> edgeNeighbourNames(TextRef cell) {
    bool ab = false;
    std::string_view p = cellPoint(cell.view(), ab);
    return offsetNames(p, ab ? kEdgeNeighboursAB : kEdgeNeighboursAF);
}

DynString edgeNeighbours(TextRef cell) { return commaText(edgeNeighbourNames(cell)); }

// ---- Corner lists ----

void cornerLists(const TextLines& hexagons, const TextLines& cells, TextLines& gaps, TextLines& outer) {
    const Tables& t = tables();
    NameSet cellSet(cells.lines().begin(), cells.lines().end());

    std::vector<std::string> ring;
    std::string name;
    for (const auto& hexagon : hexagons.lines()) {
        for (const auto& offset : t.ring) {
            addOffsetInto(hexagon, offset, false, name);
            if (!cellSet.contains(name)) ring.push_back(name);
        }
    }
    sortUnique(ring);
    std::vector<lattice::Counts> steps(ring.size());
    for (std::size_t i = 0; i < ring.size(); ++i) lattice::readCounts(ring[i], steps[i]);

    // The outermost free cell in each of the six directions between neighbouring letters (the
    // largest letter sum of the pair; among equal sums the line nearest the end wins, and with all
    // sums 0 the first line).
    std::vector<std::string> work;
    for (std::size_t first = 0; first < 6 && !ring.empty(); ++first) {
        const std::size_t second = (first + 1) % 6;
        int best = 0;
        std::size_t kept = 0;
        for (std::size_t i = ring.size(); i-- > 0;) {
            int sum = steps[i][first] + steps[i][second];
            if (sum > best) {
                best = sum;
                kept = i;
            }
        }
        work.push_back(std::move(ring[kept]));
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(kept));
        steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(kept));
    }

    // Flood the outside from them through free ring cells that share an edge.
    NameSet remaining(ring.begin(), ring.end());
    std::vector<std::string> reached;
    std::string neighbour;
    for (std::size_t head = 0; head < work.size(); ++head) {
        std::string x = work[head];
        bool ab = false;
        std::string_view p = cellPoint(x, ab);
        for (std::string_view offset : ab ? kEdgeNeighboursAB : kEdgeNeighboursAF) {
            addOffsetInto(p, offset, false, neighbour);
            auto it = remaining.find(std::string_view(neighbour));
            if (it != remaining.end()) {
                remaining.erase(it);
                work.push_back(neighbour);
            }
        }
        reached.push_back(std::move(x));
    }

    std::vector<std::string> enclosed;
    for (auto& line : ring)
        if (remaining.contains(std::string_view(line))) enclosed.push_back(std::move(line));
    gaps = sortedUniqueLines(std::move(enclosed));
    outer = sortedUniqueLines(std::move(reached));
}

// ---- Outline lists ----

void outlineLists(const TextLines& hexagons, TextLines& inner, TextLines& boundary) {
    const Tables& t = tables();
    std::vector<std::string> spokes[3];
    NameSet spokeSets[3];
    std::vector<std::string> perimeter[3];
    std::string edge;

    for (const auto& hexagon : hexagons.lines()) {
        for (const auto& offset : t.spokes) {
            addOffsetInto(hexagon, offset, true, edge);
            int k = edgeDirection(edge);
            if (k >= 0 && spokeSets[k].insert(edge).second) spokes[k].push_back(edge);
        }
        for (const auto& offset : t.perimeter) {
            addOffsetInto(hexagon, offset, true, edge);
            int k = edgeDirection(edge);
            if (k >= 0) perimeter[k].push_back(edge);
        }
    }

    TextLines innerRuns[3];
    TextLines boundaryRuns[3];
    for (int k = 0; k < 3; ++k) {
        // Perimeter edges that are spokes are inner; an edge on the perimeter of two hexagons is
        // inner too; the rest is boundary. Counting by hash keeps this linear in the grid's size.
        std::unordered_map<std::string, int, NoCaseHash, NoCaseEqual> seen;
        seen.reserve(perimeter[k].size());
        for (auto& e : perimeter[k])
            if (!spokeSets[k].contains(std::string_view(e))) ++seen[std::move(e)];
        std::vector<std::string> kept;
        for (auto& [e, count] : seen) {
            if (count >= 2) spokes[k].push_back(e);
            if (count % 2 == 1) kept.push_back(e);
        }
        innerRuns[k] = sortedUniqueLines(std::move(spokes[k]));
        boundaryRuns[k] = sortedUniqueLines(std::move(kept));
    }

    TextLines in, out;
    for (int k = 0; k < 3; ++k) {
        for (auto& run : mergeSegments(innerRuns[k])) in.append(run);
        for (auto& run : mergeSegments(boundaryRuns[k])) out.append(run);
    }
    inner = std::move(in);
    boundary = std::move(out);
}

}  // namespace tamblo
