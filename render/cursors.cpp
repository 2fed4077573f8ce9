#include "render/cursors.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace tamblo {

namespace {

constexpr int kSide = winsys::kCursorSide;

// A 32 x 32 picture of black, white and transparent pixels turned into the two planes.
class CursorPicture {
public:
    enum Ink : std::uint8_t { Clear, Black, White };

    void set(int x, int y, Ink ink) {
        if (x >= 0 && x < kSide && y >= 0 && y < kSide) pixels_[y * kSide + x] = ink;
    }
    Ink at(int x, int y) const { return pixels_[y * kSide + x]; }

    // A line of round dots `thickness` pixels across.
    void line(int x0, int y0, int x1, int y1, int thickness, Ink ink) {
        int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i) {
            int x = steps == 0 ? x0 : x0 + (x1 - x0) * i / steps;
            int y = steps == 0 ? y0 : y0 + (y1 - y0) * i / steps;
            for (int dy = 0; dy < thickness; ++dy)
                for (int dx = 0; dx < thickness; ++dx) set(x + dx - thickness / 2, y + dy - thickness / 2, ink);
        }
    }

    // AND 0 XOR 0 is black, AND 0 XOR 1 white, AND 1 XOR 0 transparent.
    void toPlanes(CursorPlanes& out) const {
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                int byte = y * (kSide / 8) + x / 8;
                auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
                Ink ink = at(x, y);
                if (ink == Clear) out.andPlane[byte] |= bit;
                if (ink == White) out.xorPlane[byte] |= bit;
            }
        }
    }

private:
    std::array<Ink, kSide * kSide> pixels_{};
};

// Digits 1..6 in a 5 x 7 face, drawn twice the size beside the arrow.
constexpr std::array<std::array<const char*, 7>, 6> kDigitFace = {{
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."},
}};

// The arrow pointer: a black outline round a white body, tip at (1, 1).
void drawArrow(CursorPicture& p) {
    for (int y = 0; y < 16; ++y) {
        int width = y < 11 ? y + 1 : 11 - (y - 11) * 2;
        for (int x = 0; x < width; ++x) {
            bool edge = x == 0 || x == width - 1 || y == 15 || (y == 10 && x >= 5);
            p.set(1 + x, 1 + y, edge ? CursorPicture::Black : CursorPicture::White);
        }
    }
    // The tail.
    for (int y = 11; y < 19; ++y) {
        int x = 5 + (y - 11) / 2;
        p.set(1 + x, 1 + y, CursorPicture::Black);
        p.set(2 + x, 1 + y, CursorPicture::White);
        p.set(3 + x, 1 + y, CursorPicture::White);
        p.set(4 + x, 1 + y, CursorPicture::Black);
    }
}

void drawDigit(CursorPicture& p, int digit, int left, int top) {
    const auto& rows = kDigitFace[static_cast<size_t>(digit - 1)];
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 5; ++c) {
            if (rows[static_cast<size_t>(r)][c] != '#') continue;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) p.set(left + 2 * c + dx, top + 2 * r + dy, CursorPicture::Black);
        }
    }
}

void drawCross(CursorPicture& p) {
    p.line(6, 6, 26, 26, 3, CursorPicture::Black);
    p.line(26, 6, 6, 26, 3, CursorPicture::Black);
}

void drawHexagon(CursorPicture& p) {
    // Corners at radius 13 round (16, 16), the first one to the right.
    int cx[6], cy[6];
    for (int k = 0; k < 6; ++k) {
        double a = k * std::numbers::pi / 3.0;
        cx[k] = 16 + static_cast<int>(std::lround(13.0 * std::cos(a)));
        cy[k] = 16 - static_cast<int>(std::lround(13.0 * std::sin(a)));
    }
    for (int k = 0; k < 6; ++k) p.line(cx[k], cy[k], cx[(k + 1) % 6], cy[(k + 1) % 6], 2, CursorPicture::Black);
    for (int k = 0; k < 3; ++k) p.line(cx[k], cy[k], cx[k + 3], cy[k + 3], 1, CursorPicture::Black);
}

void drawBurst(CursorPicture& p) {
    // Twelve rays round (15, 22), clear in the middle so the hot spot stays visible.
    for (int k = 0; k < 12; ++k) {
        double a = k * std::numbers::pi / 6.0;
        double inner = 3.0, outer = (k % 2 == 0) ? 9.0 : 6.0;
        int x0 = 15 + static_cast<int>(std::lround(inner * std::cos(a)));
        int y0 = 22 - static_cast<int>(std::lround(inner * std::sin(a)));
        int x1 = 15 + static_cast<int>(std::lround(outer * std::cos(a)));
        int y1 = 22 - static_cast<int>(std::lround(outer * std::sin(a)));
        p.line(x0, y0, x1, y1, 2, CursorPicture::Black);
    }
}

}  // namespace

bool ownCursorPlanes(int index, CursorPlanes& out) {
    out = CursorPlanes{};
    CursorPicture picture;
    if (index == kCursorErase) {
        drawCross(picture);
        out.hotSpot = {16, 16};
    } else if (index >= 1 && index <= 6) {
        drawArrow(picture);
        drawDigit(picture, index, 16, 16);
        out.hotSpot = {1, 1};
    } else if (index == kCursorHexagon) {
        drawHexagon(picture);
        out.hotSpot = {16, 16};
    } else if (index == kCursorBurst) {
        drawBurst(picture);
        out.hotSpot = {15, 22};
    } else {
        return false;
    }
    picture.toPlanes(out);
    return true;
}

CursorSet& cursors() {
    static CursorSet set;
    return set;
}

void CursorSet::createAll() {
    handles_[kCursorWait] = winsys::loadSystemCursor(winsys::SystemCursor::Wait);
    handles_[kCursorArrow] = winsys::loadSystemCursor(winsys::SystemCursor::Arrow);
    for (int i = 0; i < kCursorCount; ++i) {
        CursorPlanes planes;
        if (!ownCursorPlanes(i, planes)) continue;
        if (handles_[static_cast<size_t>(i)]) winsys::destroyCursor(handles_[static_cast<size_t>(i)]);
        handles_[static_cast<size_t>(i)] = winsys::createCursor(planes.hotSpot, planes.andPlane, planes.xorPlane);
    }
}

void CursorSet::destroyAll() {
    for (int i = 0; i < kCursorCount; ++i) {
        if (i == kCursorWait || i == kCursorArrow) continue;
        auto& h = handles_[static_cast<size_t>(i)];
        if (h) winsys::destroyCursor(h);
        h = {};
    }
}

winsys::CursorHandle CursorSet::handle(int index) const {
    return (index >= 0 && index < kCursorCount) ? handles_[static_cast<size_t>(index)] : winsys::CursorHandle{};
}

int CursorSet::chosenIndex() const {
    if (busy_ > 0) return kCursorWait;
    if (conditions.rulesMode) return kCursorArrow;
    if (conditions.hover) return kCursorHexagon;
    if (conditions.eraseFeedback) return kCursorBurst;
    int n = conditions.selectedNumber;
    return (n >= 0 && n <= 6) ? n : kCursorErase;
}

void CursorSet::choose(bool force) {
    int index = chosenIndex();
    if (!force && index == last_) return;
    last_ = index;
    winsys::setCursor(handle(index));
    ++sets_;
}

void CursorSet::enterBusy() {
    if (busy_ < 32767) ++busy_;
    if (busy_ == 1) choose(false);
}

void CursorSet::leaveBusy() {
    --busy_;
    if (busy_ == 0) choose(false);
    if (busy_ < 0) busy_ = 0;
}

}  // namespace tamblo
