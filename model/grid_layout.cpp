// Pixel positions, the text layout of the cells, pencil-mark positions and the hit tests.

#include <algorithm>

#include "foundation/text.h"
#include "model/hex_grid.h"

namespace tamblo {

namespace {

std::int16_t saturate16(long v) { return static_cast<std::int16_t>(clamp(v, -32768, 32767)); }

}  // namespace

PixelPoint HexGrid::pointPixel(LatticeKey p) const {
    const DirectionTable& t = directions_.table();
    // The table keeps the lattice relations exactly, so two axial counts give the same sum as the
    // six counts of any form of the point.
    long x = static_cast<long>(p.a) * t.x(0) + static_cast<long>(p.b) * t.x(1);
    long y = static_cast<long>(p.a) * t.y(0) + static_cast<long>(p.b) * t.y(1);
    return {saturate16(x), saturate16(y)};
}

void HexGrid::computePositions() {
    if (positionsComputed_) return;
    buildCells();
    buildHexagons();
    const DirectionTable& t = directions_.table();
    for (int c = 1; c <= cellCount_; ++c) {
        const CellKey& key = cellKeys_[static_cast<size_t>(c)];
        PixelPoint p = pointPixel(key.point);
        GridCell& g = cells_[static_cast<size_t>(c)];
        g.x = saturate16(static_cast<long>(p.x) + t.centroidX(key.orientation));
        g.y = saturate16(static_cast<long>(p.y) + t.centroidY(key.orientation));
    }
    for (int h = 1; h <= hexagonCount_; ++h) {
        PixelPoint p = pointPixel(hexagonKeys_[static_cast<size_t>(h)]);
        hexagons_[static_cast<size_t>(h)].centreX = static_cast<std::int16_t>(p.x);
        hexagons_[static_cast<size_t>(h)].centreY = static_cast<std::int16_t>(p.y);
    }
    cellHits_.clear();
    fullHits_.clear();
    partialHits_.clear();
    touchingHits_.clear();
    positionsComputed_ = true;
}

void HexGrid::computeTextLayout() {
    // Walking an expanded name letter by letter adds 2a + b to the column counter and b to the
    // row counter, a and b being its steps along A and B.
    const int n = cellCount_;
    std::vector<int> rawColumn(static_cast<size_t>(n) + 1), rawRow(static_cast<size_t>(n) + 1);
    int minColumn = 7;
    int minRow = 7;
    for (int c = 1; c <= n; ++c) {
        const CellKey& key = cellKeys_[static_cast<size_t>(c)];
        int col = 2 * key.point.a + key.point.b + 1;
        int row = 1 - key.point.b + (key.orientation == Orientation::AF ? 1 : 0);
        rawColumn[static_cast<size_t>(c)] = col;
        rawRow[static_cast<size_t>(c)] = row;
        minColumn = std::min(minColumn, col);
        minRow = std::min(minRow, row);
    }
    rowCount_ = 0;
    columnCount_ = 0;
    for (int c = 1; c <= n && c < static_cast<int>(cells_.size()); ++c) {
        GridCell& g = cells_[static_cast<size_t>(c)];
        g.column = saturate16(rawColumn[static_cast<size_t>(c)] - minColumn + 1);
        g.row = saturate16(rawRow[static_cast<size_t>(c)] - minRow + 1);
        g.positionInRow = g.column;
        columnCount_ = std::max<int>(columnCount_, g.column);
        rowCount_ = std::max<int>(rowCount_, g.row);
    }
}

DynString HexGrid::cellLabel(int c, bool fullForm, TextRef separator) const {
    DynString label;
    label.set("L", intText(row(c)), separator);
    if (fullForm) label.append("C", intText(column(c)));
    else label.append("-P", intText(positionInRow(c)));
    return label;
}

void HexGrid::computeMarkOffsets(int layout) {
    if (layout != 6) return;
    const int h = directions_.table().y(1);  // the height of one lattice row
    const int r = static_cast<int>(h / 12.0 + 0.5);
    const int yu = h / 4;
    const int xu = stepSize_ / 8;
    static constexpr int kAB[6][2] = {{0, 1}, {-1, 0}, {1, 0}, {-2, -1}, {0, -1}, {2, -1}};
    static constexpr int kAF[6][2] = {{-2, 1}, {0, 1}, {2, 1}, {-1, 0}, {1, 0}, {0, -1}};
    for (size_t d = 0; d < 6; ++d) {
        markOffsetsAB_[d] = {kAB[d][0] * xu, kAB[d][1] * yu + r};
        markOffsetsAF_[d] = {kAF[d][0] * xu, kAF[d][1] * yu - r};
    }
}

PixelPoint HexGrid::markOffset(bool ab, int d) const {
    if (d < 1 || d > 6) return {};
    return ab ? markOffsetsAB_[static_cast<size_t>(d - 1)] : markOffsetsAF_[static_cast<size_t>(d - 1)];
}

PixelPoint HexGrid::markPosition(int c, int d) const {
    PixelPoint off = markOffset(isAB(c), d);
    return {x(c) + off.x, y(c) + off.y};
}

void HexGrid::buildHitIndexes() {
    computePositions();
    const int bucket = std::max(2, stepSize_ < 0 ? -stepSize_ : stepSize_);
    std::vector<std::int32_t> xs, ys;
    if (!cellHits_.isBuilt()) {
        for (int c = 1; c <= cellCount_; ++c) {
            xs.push_back(x(c));
            ys.push_back(y(c));
        }
        cellHits_.build(xs, ys, bucket);
    }
    if (!fullHits_.isBuilt() || !partialHits_.isBuilt()) {
        xs.clear();
        ys.clear();
        for (int h = 1; h <= fullCount_; ++h) {
            xs.push_back(centreX(h));
            ys.push_back(centreY(h));
        }
        fullHits_.build(xs, ys, bucket);
        xs.clear();
        ys.clear();
        for (int h = fullCount_ + 1; h <= hexagonCount_; ++h) {
            xs.push_back(centreX(h));
            ys.push_back(centreY(h));
        }
        partialHits_.build(xs, ys, bucket);
    }
    if (!touchingHits_.isBuilt()) {
        buildTouchingList();
        xs.clear();
        ys.clear();
        for (size_t i = 1; i < touchingKeys_.size(); ++i) {
            PixelPoint p = pointPixel(touchingKeys_[i]);
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
        touchingHits_.build(xs, ys, bucket);
    }
}

int HexGrid::cellAt(int px, int py) {
    buildHitIndexes();
    return cellHits_.nearest(px, py, stepSize_ / 2);
}

int HexGrid::markAt(int c, int px, int py) {
    computePositions();
    if (c < 1 || c > cellCount_) return 0;
    long best = 32760;
    int found = 0;
    for (int d = 1; d <= 6; ++d) {
        PixelPoint p = markPosition(c, d);
        long dist = manhattan(p.x, p.y, px, py);
        if (dist < best) {
            best = dist;
            found = d;
        }
    }
    return best > stepSize_ / 6 ? 0 : found;
}

int HexGrid::hexagonAt(int px, int py) {
    buildHitIndexes();
    return fullHits_.nearest(px, py, stepSize_ / 6);
}

int HexGrid::hexagonOrPartialAt(int px, int py) {
    int h = hexagonAt(px, py);
    if (h != 0) return h;
    int p = partialHits_.nearest(px, py, stepSize_ / 4);
    return p != 0 ? fullCount_ + p : 0;
}

int HexGrid::touchingHexagonAt(int px, int py) {
    buildHitIndexes();
    return touchingHits_.nearest(px, py, stepSize_ / 6);
}

GridRect HexGrid::cellBounds() {
    computePositions();
    if (cellCount_ < 1) return {};
    int minX = x(1), maxX = x(1), minY = y(1), maxY = y(1);
    for (int c = 2; c <= cellCount_; ++c) {
        minX = std::min(minX, x(c));
        maxX = std::max(maxX, x(c));
        minY = std::min(minY, y(c));
        maxY = std::max(maxY, y(c));
    }
    return {minX - stepSize_, maxY + stepSize_, maxX + stepSize_, minY - stepSize_};
}

CellOutline HexGrid::cellOutlineOfName(TextRef name) const {
    LatticeKey point;
    readPointText(name.view(), point);
    const bool ab = containsNoCase(name, ":AB");
    const DirectionTable& t = directions_.table();
    PixelPoint p0 = pointPixel(point);
    const int k = ab ? 1 : 5;  // B or F
    PixelPoint p1{p0.x + t.x(0), p0.y + t.y(0)};
    PixelPoint p2{p0.x + t.x(k), p0.y + t.y(k)};
    return {p0, p1, p2, p0};
}

CellOutline HexGrid::cellOutline(int c) const { return cellOutlineOfName(cellName(c)); }

}  // namespace tamblo
