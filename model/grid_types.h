// The records a grid keeps per cell, per hexagon and per peer row, and the digit-mask tables.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/lattice_point.h"

namespace tamblo {

// Digit d (1..6) is bit d − 1 of a 6-bit mask.
inline constexpr int kAllDigits = 63;

struct DigitMaskTables {
    std::array<int, 7> bit{};
    std::array<int, 7> notBit{};
    std::array<int, 64> bitCount{};
};

inline constexpr DigitMaskTables makeDigitMaskTables() {
    DigitMaskTables t{};
    for (int d = 1; d <= 6; ++d) {
        t.bit[static_cast<size_t>(d)] = 1 << (d - 1);
        t.notBit[static_cast<size_t>(d)] = kAllDigits - (1 << (d - 1));
    }
    for (int m = 0; m < 64; ++m) {
        int n = 0;
        for (int v = m; v != 0; v >>= 1) n += v & 1;
        t.bitCount[static_cast<size_t>(m)] = n;
    }
    return t;
}

inline constexpr DigitMaskTables kDigitMasks = makeDigitMaskTables();

// bit(d) and notbit(d); both 0 outside 1..6.
constexpr int digitBit(int d) { return (d >= 1 && d <= 6) ? kDigitMasks.bit[static_cast<size_t>(d)] : 0; }
constexpr int digitNotBit(int d) { return (d >= 1 && d <= 6) ? kDigitMasks.notBit[static_cast<size_t>(d)] : 0; }
constexpr int maskBitCount(int mask) { return kDigitMasks.bitCount[static_cast<size_t>(mask & kAllDigits)]; }

struct GridCell {
    std::int16_t x = 0;  // centroid, grid frame, y up; 0 until positions are computed
    std::int16_t y = 0;
    std::int16_t row = 0;  // text layout, from 1
    std::int16_t column = 0;
    std::int16_t positionInRow = 0;
    std::int16_t value = 0;  // 1..6, 0 = empty
    std::int16_t candidates = 0;
    std::int16_t marks = 0;
    std::uint8_t given = 0;
    std::int16_t definitionDigit = 0;  // the digit the description gives, 0 = none
    std::int16_t threshold = 0;        // level percentage of the definition digit, 0 = none
};

struct GridHexagon {
    std::int16_t centreX = 0;
    std::int16_t centreY = 0;
};

// One row of 15 entries per cell: the peers in entries 0..11, then three reserved zeros.
class PeerTable {
public:
    static constexpr int kRowLength = 15;
    static constexpr int kMaxPeers = 12;

    void allocate(int rows) { entries_.assign(static_cast<size_t>(rows > 0 ? rows : 0) * kRowLength, 0); }
    void clear() { entries_.clear(); }
    int rowCount() const { return static_cast<int>(entries_.size() / kRowLength); }
    bool isEmpty() const { return entries_.empty(); }
    std::int16_t* row(int c) {
        return (c >= 0 && c < rowCount()) ? entries_.data() + static_cast<size_t>(c) * kRowLength : nullptr;
    }
    // Entry i of row c; 0 outside the table.
    int at(int c, int i) const {
        if (c < 0 || c >= rowCount() || i < 0 || i >= kRowLength) return 0;
        return entries_[static_cast<size_t>(c) * kRowLength + static_cast<size_t>(i)];
    }

private:
    std::vector<std::int16_t> entries_;
};

// A rectangle of the grid frame, y up: top is the larger y.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// The closed triangle of a cell: its three corners and the first one again.
using CellOutline = std::array<PixelPoint, 4>;

// The result of a level label: the text and the level number it stands for.
struct LevelLabel {
    DynString text;
    int level = 0;
};

}  // namespace tamblo
