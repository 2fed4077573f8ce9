#include "tools/designer/figure.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "geometry/lattice_point.h"

namespace tamblo::designer {

namespace {

using Point = std::pair<int, int>;  // (a, b)

constexpr Point kSteps[6] = {{1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}};  // A .. F

// The six cells around a point, in the lattice's order: P:AB, (P+C):AF, (P+D):AB, (P+D):AF,
// (P+E):AB, P:AF.
struct CellKey {
    int a, b;
    bool up;
    friend bool operator<(const CellKey& x, const CellKey& y) {
        return std::tie(x.a, x.b, x.up) < std::tie(y.a, y.b, y.up);
    }
};

void cellsAround(Point p, CellKey out[6]) {
    auto [a, b] = p;
    out[0] = {a, b, true};
    out[1] = {a - 1, b + 1, false};
    out[2] = {a - 1, b, true};
    out[3] = {a - 1, b, false};
    out[4] = {a, b - 1, true};
    out[5] = {a, b, false};
}

std::string expandedPoint(int a, int b) {
    std::string t;
    t.append(static_cast<size_t>(a > 0 ? a : -a), a > 0 ? 'A' : 'D');
    t.append(static_cast<size_t>(b > 0 ? b : -b), b > 0 ? 'B' : 'E');
    return t;
}

// Tile (k, t) of the map, with k + t even, is the point a = (3k + t) / 2, b = -t: neighbouring
// tiles are AB, BC, CD ... apart, so the drawn hexagons share edges like a honeycomb.
Point tilePoint(int k, int t) { return {(3 * k + t) / 2, -t}; }

}  // namespace

std::string pointText(int a, int b) {
    LatticePoint p;
    p.read(expandedPoint(a, b));
    return p.compactText().str();
}

bool readFigure(const std::vector<std::string>& rows, Figure& figure, std::string& error) {
    figure = Figure{};
    std::set<Point> tiles;
    std::set<std::pair<int, int>> drawn;  // (k, t) after the parity shift
    int parity = -1;
    for (size_t t = 0; t < rows.size(); ++t) {
        for (size_t j = 0; j < rows[t].size(); ++j) {
            if (rows[t][j] != '#') continue;
            int k = static_cast<int>(j / 2);
            int tt = static_cast<int>(t);
            if (j % 2 != 0 || (parity >= 0 && (k + tt) % 2 != parity)) {
                error = "row " + std::to_string(t + 1) + ", column " + std::to_string(j + 1) +
                        ": a hexagon off the honeycomb";
                return false;
            }
            parity = (k + tt) % 2;
            drawn.insert({k, tt + parity});
        }
    }
    if (drawn.empty()) {
        error = "no hexagon in the map";
        return false;
    }
    for (auto [k, t] : drawn) tiles.insert(tilePoint(k, t));

    // Holes: free tiles whose six tile neighbours are all drawn.
    const std::pair<int, int> tileSteps[6] = {{0, -2}, {1, -1}, {1, 1}, {0, 2}, {-1, 1}, {-1, -1}};
    std::set<std::pair<int, int>> holes;
    for (auto [k, t] : drawn)
        for (auto [dk, dt] : tileSteps) {
            std::pair<int, int> q{k + dk, t + dt};
            if (drawn.count(q)) continue;
            bool closed = true;
            for (auto [ek, et] : tileSteps) closed = closed && drawn.count({q.first + ek, q.second + et});
            if (closed) holes.insert(q);
        }
    figure.gaps = static_cast<int>(holes.size());

    std::set<CellKey> cells;
    CellKey six[6];
    for (const Point& p : tiles) {
        figure.centres.push_back(pointText(p.first, p.second));
        cellsAround(p, six);
        for (const auto& c : six) cells.insert(c);
    }
    // Number the cells in the order of their names, as the grid does.
    std::map<std::string, CellKey> byName;
    for (const auto& c : cells) {
        std::string name = canonicalCell(kExpandedForm, expandedPoint(c.a, c.b) + (c.up ? ":AB" : ":AF")).str();
        byName.emplace(name, c);
    }
    std::map<CellKey, int> number;
    for (const auto& [name, c] : byName) {
        FigureCell fc;
        fc.a = c.a;
        fc.b = c.b;
        fc.up = c.up;
        fc.name = name;
        fc.entry = pointText(c.a, c.b) + (c.up ? "W" : "V");
        figure.cells.push_back(fc);
        number[c] = static_cast<int>(figure.cells.size());
    }
    figure.graph.reset(static_cast<int>(figure.cells.size()));

    // Every lattice point that holds cells of the figure is a group; six cells make it full.
    std::set<Point> points;
    for (const auto& c : cells) {
        points.insert({c.a, c.b});
        points.insert({c.a + 1, c.b});
        points.insert(c.up ? Point{c.a, c.b + 1} : Point{c.a + 1, c.b - 1});
    }
    std::set<Point> full;
    for (const Point& p : points) {
        cellsAround(p, six);
        std::vector<int> group;
        for (const auto& c : six) {
            auto it = number.find(c);
            if (it != number.end()) group.push_back(it->second);
        }
        if (group.size() >= 2) figure.graph.addHexagon(group);
        if (group.size() == 6) full.insert(p);
        if (group.size() >= 3 && group.size() <= 5) ++figure.partialHexagons;
    }
    figure.fullHexagons = static_cast<int>(full.size());
    int most = 0;
    for (const Point& p : full) {
        int n = 0;
        for (auto [da, db] : kSteps) n += full.count({p.first + da, p.second + db}) ? 1 : 0;
        most = std::max(most, n);
    }
    figure.levelOffset = full.empty() ? 3 : std::min(3, 6 - most);
    return true;
}

std::string cellArt(const Figure& figure) {
    if (figure.cells.empty()) return {};
    // The band between lattice rows b - 1 and b holds the up cells of row b - 1 and the down
    // cells of row b; the centroid of either lies at the doubled abscissa 2a + b (+1 for down).
    std::map<std::pair<int, int>, char> art;  // (band, column)
    int top = -1000000, bottom = 1000000, left = 1000000, right = -1000000;
    for (const auto& c : figure.cells) {
        int band = c.up ? c.b + 1 : c.b;
        int column = 2 * c.a + c.b + 1;
        art[{band, column}] = c.up ? '^' : 'v';
        top = std::max(top, band);
        bottom = std::min(bottom, band);
        left = std::min(left, column);
        right = std::max(right, column);
    }
    std::string out;
    for (int band = top; band >= bottom; --band) {
        std::string line;
        for (int x = left; x <= right; ++x) {
            auto it = art.find({band, x});
            line += it == art.end() ? ' ' : it->second;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

}  // namespace tamblo::designer
