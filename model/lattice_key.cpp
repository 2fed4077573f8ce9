#include "model/lattice_key.h"

namespace tamblo {

namespace {

constexpr LatticeKey kSteps[6] = {{1, 0}, {0, 1}, {-1, 1}, {-1, 0}, {0, -1}, {1, -1}};


}  // namespace

LatticeKey directionStep(int k) { return kSteps[((k % 6) + 6) % 6]; }

int readPointText(std::string_view text, LatticeKey& point) {
    int counts[6] = {0, 0, 0, 0, 0, 0};
    int selected = -1;
    int used = 0;
    for (char c : text) {
        int k = directionIndex(c);
        if (k >= 0) {
            selected = k;
            counts[k] += 1;
        } else if (c >= '1' && c <= '9') {
            if (selected >= 0) counts[selected] += c - '1';
        } else {
            break;
        }
        if (selected >= 0 && counts[selected] > kMaxSteps) counts[selected] = kMaxSteps;
        ++used;
    }
    point = {};
    for (int k = 0; k < 6; ++k) {
        point.a += counts[k] * kSteps[k].a;
        point.b += counts[k] * kSteps[k].b;
    }
    return used;
}

bool readCellName(std::string_view text, CellKey& cell) {
    size_t colon = text.find(':');
    if (colon == std::string_view::npos || text.size() != colon + 3) return false;
    LatticeKey p;
    if (readPointText(text.substr(0, colon), p) != static_cast<int>(colon)) return false;
    char first = text[colon + 1];
    char second = text[colon + 2];
    if (first != 'A' && first != 'a') return false;
    if (second == 'B' || second == 'b') cell.orientation = Orientation::AB;
    else if (second == 'F' || second == 'f') cell.orientation = Orientation::AF;
    else return false;
    cell.point = p;
    return true;
}

void normalisedCounts(LatticeKey p, int counts[6]) {
    for (int k = 0; k < 6; ++k) counts[k] = 0;
    int a = p.a;
    int b = p.b;
    if (a >= 0 && b >= 0) {
        counts[0] = a;
        counts[1] = b;
    } else if (a < 0 && b > 0) {
        if (-a <= b) {
            counts[2] = -a;  // C = B − A
            counts[1] = b + a;
        } else {
            counts[2] = b;
            counts[3] = -a - b;
        }
    } else if (a <= 0 && b <= 0) {
        counts[3] = -a;
        counts[4] = -b;
    } else {  // a > 0, b < 0
        if (a >= -b) {
            counts[5] = -b;  // F = A − B
            counts[0] = a + b;
        } else {
            counts[5] = a;
            counts[4] = -b - a;
        }
    }
}

std::string expandedText(LatticeKey p) {
    int counts[6];
    normalisedCounts(p, counts);
    std::string out;
    out.reserve(static_cast<size_t>(counts[0] + counts[1] + counts[2] + counts[3] + counts[4] + counts[5]) + 3);
    for (int k = 0; k < 6; ++k) out.append(static_cast<size_t>(counts[k]), static_cast<char>('A' + k));
    return out;
}

std::string compactText(LatticeKey p) {
    int counts[6];
    normalisedCounts(p, counts);
    std::string out;
    for (int k = 0; k < 6; ++k) {
        for (int c = counts[k]; c > 0;) {
            int d = c < 9 ? c : 9;
            out.push_back(static_cast<char>('A' + k));
            if (d > 1) out.push_back(static_cast<char>('0' + d));
            c -= d;
        }
    }
    return out;
}

std::string cellNameText(const CellKey& c) {
    std::string out = expandedText(c.point);
    out.append(c.orientation == Orientation::AB ? ":AB" : ":AF");
    return out;
}

void cellsAroundPoint(LatticeKey p, CellKey out[6]) {
    const LatticeKey c = p.plus(kSteps[2]);
    const LatticeKey d = p.plus(kSteps[3]);
    const LatticeKey e = p.plus(kSteps[4]);
    out[0] = {p, Orientation::AB};
    out[1] = {c, Orientation::AF};
    out[2] = {d, Orientation::AB};
    out[3] = {d, Orientation::AF};
    out[4] = {e, Orientation::AB};
    out[5] = {p, Orientation::AF};
}

void hexagonsOfCell(const CellKey& c, LatticeKey out[3]) {
    out[0] = c.point;
    out[1] = c.point.plus(kSteps[0]);
    out[2] = c.point.plus(c.orientation == Orientation::AB ? kSteps[1] : kSteps[5]);
}

}  // namespace tamblo
