#include "geometry/lattice_point.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "foundation/text.h"
#include "geometry/lattice_text.h"

namespace tamblo {

namespace {

constexpr std::int32_t kInt16Min = -32768;
constexpr std::int32_t kInt16Max = 32767;

std::int16_t saturate16(long long v) {
    return static_cast<std::int16_t>(std::clamp<long long>(v, kInt16Min, kInt16Max));
}

std::int16_t addSteps(std::int16_t count, std::int32_t more) {
    return static_cast<std::int16_t>(std::min<std::int32_t>(count + more, kMaxSteps));
}

// Rounds half away from zero into the 16-bit range; the offsets stay within +-32767 so that their
// negatives exist too.
std::int16_t roundOffset(float v) {
    double r = std::round(static_cast<double>(v));
    if (!(r == r)) return 0;
    return static_cast<std::int16_t>(std::clamp(r, -32767.0, 32767.0));
}

std::int16_t clampOffset(std::int32_t v) { return static_cast<std::int16_t>(std::clamp(v, -32767, 32767)); }

struct RotationTable {
    std::array<char, 256> map{};
    RotationTable() {
        for (int c = 0; c < 256; ++c) map[static_cast<std::size_t>(c)] = static_cast<char>(c);
        const char* from = "ABCDEF-abcdef";
        const char* to = "BCDEFA-BCDEFA";
        for (std::size_t i = 0; from[i] != '\0'; ++i)
            map[static_cast<unsigned char>(from[i])] = to[i];
    }
};

const RotationTable& rotationTable() {
    static const RotationTable table;
    return table;
}

}  // namespace

namespace lattice {

std::size_t readCounts(std::string_view text, Counts& counts) {
    counts.fill(0);
    int selected = -1;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int k = directionIndex(c);
        if (k >= 0) {
            selected = k;
            counts[static_cast<std::size_t>(k)] = addSteps(counts[static_cast<std::size_t>(k)], 1);
        } else if (c >= '1' && c <= '9') {
            // A digit before any letter has no step to repeat.
            if (selected >= 0)
                counts[static_cast<std::size_t>(selected)] =
                    addSteps(counts[static_cast<std::size_t>(selected)], c - '1');
        } else {
            break;
        }
    }
    return i;
}

void normaliseCounts(Counts& counts) {
    // The normal form is unique, so it is computed from the displacement in the basis (A, B)
    // (C = B - A, D = -A, E = -B, F = A - B) instead of cancelling steps one by one: the
    // displacement falls into one of six sectors, each spanned by two neighbouring directions.
    const std::int32_t a = counts[0] - counts[2] - counts[3] + counts[5];
    const std::int32_t b = counts[1] + counts[2] - counts[4] - counts[5];
    std::int32_t n[kDirections] = {};
    if (a >= 0 && b >= 0) {
        n[0] = a;
        n[1] = b;
    } else if (a < 0 && b > 0) {
        if (b >= -a) {
            n[2] = -a;
            n[1] = b + a;
        } else {
            n[2] = b;
            n[3] = -a - b;
        }
    } else if (a <= 0 && b <= 0) {
        n[3] = -a;
        n[4] = -b;
    } else if (a >= -b) {  // a > 0 > b
        n[5] = -b;
        n[0] = a + b;
    } else {
        n[5] = a;
        n[4] = -b - a;
    }
    for (std::size_t k = 0; k < kDirections; ++k)
        counts[k] = static_cast<std::int16_t>(std::min<std::int32_t>(n[k], kMaxSteps));
}

void appendForm(bool compact, const Counts& counts, std::string& out) {
    for (std::size_t k = 0; k < 6; ++k) {
        char letter = static_cast<char>('A' + k);
        int c = counts[k];
        if (!compact) {
            if (c > 0) out.append(static_cast<std::size_t>(c), letter);
            continue;
        }
        while (c > 0) {
            int d = std::min(c, 9);
            out.push_back(letter);
            if (d > 1) out.push_back(static_cast<char>('0' + d));
            c -= d;
        }
    }
}

namespace {

bool sameNoCase(char a, char b) { return upperOf(a) == upperOf(b); }

std::string_view skipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return s.substr(i);
}

// Writes the point text in the chosen form, plus one more step in `extra` (a direction index, or
// -1) when the point was read up to its end: a joined letter only counts when nothing stopped
// the reading before it.
void appendPoint(bool compact, std::string_view point, int extra, std::string& out) {
    Counts counts;
    std::size_t used = readCounts(point, counts);
    if (extra >= 0 && used == point.size())
        counts[static_cast<std::size_t>(extra)] = addSteps(counts[static_cast<std::size_t>(extra)], 1);
    normaliseCounts(counts);
    appendForm(compact, counts, out);
}

}  // namespace

// The rewrite works in one pass over the text: the letters after the first colon are sorted, and
// an ending ":BC", ":CD", ":DE" or ":EF" whose colon is that first colon moves its first letter
// into the point (the ending becomes ":AF" or ":AB"). An ending whose colon lies further on is
// replaced within the rest, as a textual rewrite would do.
void canonicalCellInto(char mode, std::string_view text, std::string& out) {
    out.clear();
    std::string_view s = skipBlanks(text);
    if (!s.empty() && (s[0] == 'X' || s[0] == 'x')) {
        s.remove_prefix(1);
        out.push_back('X');
    }
    const bool compact = isCompact(mode);
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos) {
        appendPoint(compact, s, -1, out);
        return;
    }
    std::string tail(s.substr(colon + 1));
    if (tail.size() == 2) {
        if (tail[1] < tail[0]) std::swap(tail[0], tail[1]);
    } else if (tail.size() > 2) {
        std::sort(tail.begin(), tail.end(),
                  [](char x, char y) { return static_cast<signed char>(x) < static_cast<signed char>(y); });
    }
    static constexpr struct {
        char first, second, joined;
        const char* owned;
    } kEndings[4] = {{'B', 'C', 'C', "AF"}, {'C', 'D', 'D', "AB"}, {'D', 'E', 'D', "AF"}, {'E', 'F', 'E', "AB"}};
    int extra = -1;
    if (tail.size() >= 2 && (tail.size() == 2 || tail[tail.size() - 3] == ':')) {
        const char x = tail[tail.size() - 2], y = tail[tail.size() - 1];
        for (const auto& e : kEndings) {
            if (sameNoCase(x, e.first) && sameNoCase(y, e.second)) {
                if (tail.size() == 2) {
                    extra = directionIndex(e.joined);
                    tail.assign(e.owned);
                } else {
                    tail.resize(tail.size() - 3);
                    tail.push_back(e.joined);
                    tail.push_back(':');
                    tail.append(e.owned);
                }
                break;
            }
        }
    }
    appendPoint(compact, s.substr(0, colon), extra, out);
    out.push_back(':');
    out.append(tail);
}

void canonicalEdgeInto(char mode, std::string_view text, std::string& out) {
    out.clear();
    std::string_view s = skipBlanks(text);
    const bool compact = isCompact(mode);
    const std::size_t colon = s.find(':');
    if (colon == std::string_view::npos) {
        appendPoint(compact, s, -1, out);
        return;
    }
    std::string_view tail = s.substr(colon + 1);
    // ":D", ":E" and ":F" are the edges of the point one step that way, in A, B and C.
    int extra = -1;
    char owned = '\0';
    if (!tail.empty() && (tail.size() == 1 || tail[tail.size() - 2] == ':')) {
        int k = directionIndex(upperOf(tail.back()));
        if (k >= 3) {
            extra = k;
            owned = directionLetter(k - 3);
        }
    }
    if (extra >= 0 && tail.size() == 1) {
        appendPoint(compact, s.substr(0, colon), extra, out);
        out.push_back(':');
        out.push_back(owned);
        return;
    }
    appendPoint(compact, s.substr(0, colon), -1, out);
    out.push_back(':');
    if (extra >= 0) {
        out.append(tail.substr(0, tail.size() - 2));
        out.push_back(directionLetter(extra));
        out.push_back(':');
        out.push_back(owned);
    } else {
        out.append(tail);
    }
}

}  // namespace lattice

// ---- DirectionTable ----

void DirectionTable::setSize(int size) {
    size_ = saturate16(size);
    compute();
}

void DirectionTable::setAngle(int degrees) {
    angle_ = saturate16(degrees);
    compute();
}

void DirectionTable::setSizeAndAngle(int size, int degrees) {
    size_ = saturate16(size);
    angle_ = saturate16(degrees);
    compute();
}

void DirectionTable::compute() {
    if (size_ % 2 != 0) size_ = static_cast<std::int16_t>(size_ == kInt16Max ? size_ - 1 : size_ + 1);
    const double twoPi = 6.283185307179586;
    const float a0 = static_cast<float>(angle_ / 360.0 * twoPi);
    const float a1 = static_cast<float>((angle_ + 60) / 360.0 * twoPi);
    const double s = size_;
    auto product = [s](double trig) { return static_cast<float>(trig * s); };
    x_[0] = roundOffset(product(std::cos(static_cast<double>(a0))));
    y_[0] = roundOffset(product(std::sin(static_cast<double>(a0))));
    x_[1] = roundOffset(product(std::cos(static_cast<double>(a1))));
    y_[1] = roundOffset(product(std::sin(static_cast<double>(a1))));
    x_[2] = clampOffset(x_[1] - x_[0]);
    y_[2] = clampOffset(y_[1] - y_[0]);
    for (std::size_t k = 0; k < 3; ++k) {
        x_[k + 3] = static_cast<std::int16_t>(-x_[k]);
        y_[k + 3] = static_cast<std::int16_t>(-y_[k]);
    }
    afX_ = static_cast<std::int16_t>((x_[0] + x_[5]) / 3);
    afY_ = static_cast<std::int16_t>((y_[0] + y_[5]) / 3);
    abX_ = static_cast<std::int16_t>((x_[0] + x_[1]) / 3);
    abY_ = static_cast<std::int16_t>((y_[0] + y_[1]) / 3);
    computed_ = true;
}

// ---- LatticePoint ----

void LatticePoint::read(TextRef text) {
    lattice::readCounts(text.view(), counts_);
    read_ = true;
    normalised_ = false;
    compactValid_ = false;
    expandedValid_ = false;
}

void LatticePoint::normalise() {
    if (normalised_) return;
    lattice::normaliseCounts(counts_);
    normalised_ = true;
    compactValid_ = false;
    expandedValid_ = false;
}

const DynString& LatticePoint::compactText() {
    normalise();
    if (!compactValid_) {
        std::string out;
        lattice::appendForm(true, counts_, out);
        cache_.adopt(std::move(out));
        compactValid_ = true;
        expandedValid_ = false;
    }
    return cache_;
}

const DynString& LatticePoint::expandedText() {
    normalise();
    if (!expandedValid_) {
        std::string out;
        lattice::appendForm(false, counts_, out);
        cache_.adopt(std::move(out));
        expandedValid_ = true;
        compactValid_ = false;
    }
    return cache_;
}

int LatticePoint::pixelX() const {
    long long sum = 0;
    for (int k = 0; k < kDirections; ++k) sum += static_cast<long long>(counts_[static_cast<std::size_t>(k)]) * table_.x(k);
    return saturate16(sum);
}

int LatticePoint::pixelY() const {
    long long sum = 0;
    for (int k = 0; k < kDirections; ++k) sum += static_cast<long long>(counts_[static_cast<std::size_t>(k)]) * table_.y(k);
    return saturate16(sum);
}

int LatticePoint::cellCentroidX(Orientation o) const { return saturate16(pixelX() + table_.centroidX(o)); }
int LatticePoint::cellCentroidY(Orientation o) const { return saturate16(pixelY() + table_.centroidY(o)); }

// ---- Text operations ----


void canonicalCell(char mode, TextRef text, DynString& out) {
    std::string result;
    lattice::canonicalCellInto(mode, text.view(), result);
    out.adopt(std::move(result));
}


void canonicalEdge(char mode, TextRef text, DynString& out) {
    std::string result;
    lattice::canonicalEdgeInto(mode, text.view(), result);
    out.adopt(std::move(result));
}

DynString canonicalCell(char mode, TextRef text) {
    DynString result;
    canonicalCell(mode, text, result);
    return result;
}

DynString canonicalEdge(char mode, TextRef text) {
    DynString result;
    canonicalEdge(mode, text, result);
    return result;
}

char rotated60(char c) { return rotationTable().map[static_cast<unsigned char>(c)]; }

void rotate60(std::string& text) {
    const auto& map = rotationTable().map;
    for (char& c : text) c = map[static_cast<unsigned char>(c)];
}

void rotate60(DynString& text) {
    std::string s = text.str();
    rotate60(s);
    text.adopt(std::move(s));
}

int letterSum(TextRef point, TextRef letters) {
    lattice::Counts counts;
    lattice::readCounts(point.view(), counts);
    int sum = 0;
    for (char c : letters.view()) {
        int k = directionIndex(upperOf(c));
        if (k >= 0) sum = std::min<int>(sum + counts[static_cast<std::size_t>(k)], kMaxSteps);
    }
    return sum;
}

// ---- DirectionSet ----

DirectionSet::DirectionSet() { configure(20); }

void DirectionSet::configure(int radius) {
    n_ = kDirections;
    radius_ = saturate16(radius);
    entries_ = {};
    point_.setSize(radius_);
    derive();
}

void DirectionSet::setAngle(int degrees) {
    angle_ = static_cast<float>(saturate16(degrees));
    point_.setAngle(degrees);
    derive();
}

void DirectionSet::derive() {
    const DirectionTable& t = point_.table();
    for (int k = 0; k < n_; ++k) {
        Entry& e = entries_[static_cast<std::size_t>(k)];
        e.x = static_cast<std::int16_t>(t.x(k));
        e.y = static_cast<std::int16_t>(t.y(k));
        e.name[0] = directionLetter(k);
        e.name[1] = '\0';
    }
    derived_ = true;
}

const DirectionSet::Entry& DirectionSet::entry(int k) const {
    static const Entry none{};
    return (k >= 0 && k < n_) ? entries_[static_cast<std::size_t>(k)] : none;
}

int DirectionSet::pixelX(TextRef text) {
    point_.read(text);
    return point_.pixelX();
}

int DirectionSet::pixelY(TextRef text) {
    point_.read(text);
    return point_.pixelY();
}

// ---- Hexagon paths ----

std::array<PixelPoint, 19> hexagonFan(const DirectionTable& t, int x0, int y0) {
    std::array<PixelPoint, 19> points{};
    const PixelPoint centre{x0, y0};
    for (int k = 0; k < 6; ++k) {
        int j = (k + 1) % 6;
        points[static_cast<std::size_t>(3 * k)] = centre;
        points[static_cast<std::size_t>(3 * k + 1)] = {x0 + t.x(k), y0 + t.y(k)};
        points[static_cast<std::size_t>(3 * k + 2)] = {x0 + t.x(j), y0 + t.y(j)};
    }
    points[18] = centre;
    return points;
}

std::array<PixelPoint, 6> centroidRing(const DirectionTable& t, int x0, int y0) {
    std::array<PixelPoint, 6> points{};
    for (int k = 0; k < 6; ++k) {
        int j = (k + 1) % 6;
        points[static_cast<std::size_t>(k)] = {x0 + (t.x(k) + t.x(j)) / 3, y0 - (t.y(k) + t.y(j)) / 3};
    }
    return points;
}

}  // namespace tamblo
