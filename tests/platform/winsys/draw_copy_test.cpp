// Block copies and stretched copies between contexts; the test picture for people to look at.
#include "platform/winsys/draw.h"
#include "tests/platform/winsys/draw_test_support.h"

#include <gtest/gtest.h>

#include <climits>

namespace winsys {
namespace {

using testing::kFill;
using testing::kInk;
using testing::kPaper;
using testing::Surface;

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);

// A pattern in which every pixel differs from its neighbours.
void pattern(Bitmap& b) {
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) b.setPixel(x, y, rgb(x * 7, y * 5, (x + y) * 3));
    }
}

TEST(winsys_draw_BlockCopy, CopiesTheRectangleAndNothingElse) {
    Surface src(50, 40), dst(60, 50);
    pattern(src.bitmap);
    ASSERT_TRUE(dst.dc.blockCopy(10, 12, 20, 15, src.dc, 5, 7));
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 12 && y < 27;
            const Colour expected = inside ? src.at(x - 10 + 5, y - 12 + 7) : kPaper;
            ASSERT_EQ(dst.at(x, y), expected) << x << "," << y;
        }
    }
}

TEST(winsys_draw_BlockCopy, ClipsToBothBitmapsAndTheClipRegion) {
    Surface src(30, 30), dst(40, 40);
    pattern(src.bitmap);
    ASSERT_TRUE(dst.dc.blockCopy(-5, -5, 100, 100, src.dc, -3, 0));
    // Destination (x, y) reads source (x + 2, y + 5); source column < 0 is outside.
    EXPECT_EQ(dst.at(0, 0), src.at(2, 5));
    EXPECT_EQ(dst.at(27, 24), src.at(29, 29));
    EXPECT_EQ(dst.at(28, 10), kPaper);
    EXPECT_EQ(dst.at(10, 25), kPaper);

    Surface clipped(40, 40);
    clipped.dc.setClip(Region::ellipse(0, 0, 20, 20));
    clipped.dc.blockCopy(0, 0, 30, 30, src.dc, 0, 0);
    EXPECT_EQ(clipped.at(10, 10), src.at(10, 10));
    EXPECT_EQ(clipped.at(0, 0), kPaper);
    EXPECT_EQ(clipped.at(25, 5), kPaper);
}

TEST(winsys_draw_BlockCopy, OverlappingCopyWithinOneBitmapReadsTheOldPixels) {
    Surface s(40, 30);
    pattern(s.bitmap);
    const Bitmap before = s.bitmap.clone();
    ASSERT_TRUE(s.dc.blockCopy(5, 3, 30, 20, s.dc, 0, 0));
    for (int y = 3; y < 23; ++y) {
        for (int x = 5; x < 35; ++x) ASSERT_EQ(s.at(x, y), before.pixel(x - 5, y - 3)) << x << "," << y;
    }
    EXPECT_EQ(s.at(0, 0), before.pixel(0, 0));
}

TEST(winsys_draw_BlockCopy, FullSizeCopyMakesEqualBitmaps) {
    Surface a(980, 820), b(980, 820);
    a.dc.select(Pen::solid(3, kInk));
    a.dc.ellipse(100, 100, 800, 700);
    ASSERT_TRUE(b.dc.blockCopy(0, 0, 980, 820, a.bitmap, 0, 0));
    EXPECT_TRUE(b.bitmap.samePixels(a.bitmap));
}

TEST(winsys_draw_BlockCopy, BadSizesAndSources) {
    Surface s;
    EXPECT_FALSE(s.dc.blockCopy(0, 0, -1, 5, s.dc, 0, 0));
    EXPECT_FALSE(s.dc.blockCopy(0, 0, 5, 5, Bitmap(), 0, 0));
    EXPECT_TRUE(s.dc.blockCopy(0, 0, 0, 0, s.dc, 0, 0));
    EXPECT_TRUE(s.dc.blockCopy(0, 0, 5, 5, Bitmap::create(0, 0), 0, 0));
    EXPECT_TRUE(s.dc.blockCopy(INT_MAX, INT_MIN, INT_MAX, INT_MAX, s.dc, INT_MIN, INT_MAX));
    EXPECT_EQ(s.count(kPaper), 120 * 100);
}

// Vertical 1-pixel black lines every ten columns on white, like the outlines of a picture.
Bitmap linedPaper(int w, int h) {
    Bitmap b = Bitmap::create(w, h);
    b.fill(kWhite);
    for (int x = 0; x < w; x += 10) b.fillRect(Rect{x + 3, 0, x + 4, h}, kBlack);
    return b;
}

TEST(winsys_draw_StretchCopy, BlackOnWhiteKeepsThinBlackLinesWhenShrinking) {
    const Bitmap src = linedPaper(100, 100);
    Surface dst(25, 25);
    ASSERT_EQ(dst.dc.stretchMode(), StretchMode::BlackOnWhite);
    ASSERT_TRUE(dst.dc.stretchCopy(0, 0, 25, 25, src, 0, 0, 100, 100));
    // Destination column i merges source columns 4i .. 4i + 3.
    for (int i = 0; i < 25; ++i) {
        bool line = false;
        for (int x = 4 * i; x < 4 * i + 4; ++x) line = line || x % 10 == 3;
        for (int y = 0; y < 25; ++y) ASSERT_EQ(dst.at(i, y), line ? kBlack : kWhite) << i << "," << y;
    }
}

TEST(winsys_draw_StretchCopy, ColourOnColourKeepsOnePixelAndLosesLines) {
    const Bitmap src = linedPaper(100, 100);
    Surface dst(25, 25);
    dst.dc.setStretchMode(StretchMode::ColourOnColour);
    ASSERT_TRUE(dst.dc.stretchCopy(0, 0, 25, 25, src, 0, 0, 100, 100));
    for (int i = 0; i < 25; ++i) EXPECT_EQ(dst.at(i, 0), src.pixel(4 * i, 0)) << i;
    EXPECT_LT(dst.count(kBlack), 10 * 25);
}

TEST(winsys_draw_StretchCopy, EnlargingRepeatsPixels) {
    Bitmap src = Bitmap::create(4, 3);
    pattern(src);
    Surface dst(80, 60);
    ASSERT_TRUE(dst.dc.stretchCopy(0, 0, 80, 60, src, 0, 0, 4, 3));
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 80; ++x) ASSERT_EQ(dst.at(x, y), src.pixel(x / 20, y / 20)) << x << "," << y;
    }
    // A part of the source onto a part of the destination.
    Surface part(40, 40);
    ASSERT_TRUE(part.dc.stretchCopy(10, 10, 20, 10, src, 1, 1, 2, 1));
    EXPECT_EQ(part.at(10, 10), src.pixel(1, 1));
    EXPECT_EQ(part.at(29, 19), src.pixel(2, 1));
    EXPECT_EQ(part.at(30, 19), kPaper);
    EXPECT_EQ(part.at(9, 10), kPaper);
}

TEST(winsys_draw_StretchCopy, BadSizesAreRefused) {
    Surface s;
    const Bitmap src = linedPaper(10, 10);
    EXPECT_FALSE(s.dc.stretchCopy(0, 0, 0, 10, src, 0, 0, 10, 10));
    EXPECT_FALSE(s.dc.stretchCopy(0, 0, 10, 10, src, 0, 0, -10, 10));
    EXPECT_FALSE(s.dc.stretchCopy(0, 0, 10, 10, Bitmap(), 0, 0, 10, 10));
    EXPECT_TRUE(s.dc.stretchCopy(-1000000, 0, 10, 10, src, 0, 0, 10, 10));
    EXPECT_TRUE(s.dc.stretchCopy(0, 0, 120, 100, src, -50, -50, 1000000, 1000000));  // edge pixels repeat
    EXPECT_EQ(s.at(119, 99), kWhite);
}

// A picture of everything, written for a person to look at.
TEST(winsys_draw_TestPicture, WritesAPictureOfShapesAndText) {
    Surface s(480, 320, kWhite);
    DeviceContext& dc = s.dc;
    dc.select(Pen::solid(1, kBlack));
    dc.select(Brush::solid(rgb(0xFF, 0xFF, 0x00)));
    for (int i = 0; i < 6; ++i) {
        const int x = 20 + i * 40;
        const std::vector<Point> up{{x, 60}, {x + 20, 25}, {x + 40, 60}};
        const std::vector<Point> down{{x + 20, 25}, {x + 60, 25}, {x + 40, 60}};
        dc.polygon(up);
        dc.select(Brush::solid(rgb(0xC0, 0xE0, 0xFF)));
        dc.polygon(down);
        dc.select(Brush::solid(rgb(0xFF, 0xFF, 0x00)));
    }
    dc.select(Font::create(-22, 0, 0, 700, false, "Arial"));
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.setTextAlign(TextAlign::CentreTop);
    for (int i = 0; i < 6; ++i) dc.textOut(40 + i * 40, 36, std::string(1, static_cast<char>('1' + i)));
    dc.select(Pen::solid(4, rgb(0xC0, 0, 0)));
    dc.select(stockNullBrush());
    dc.ellipse(300, 80, 460, 200);
    dc.moveTo(20, 90);
    dc.lineTo(280, 130);
    dc.select(Pen::solid(1, kBlack));
    dc.moveTo(20, 100);
    dc.lineTo(280, 140);
    dc.select(stockLightGreyBrush());
    dc.rectangle(20, 160, 280, 200);
    dc.setTextAlign(TextAlign::LeftTop);
    dc.setTextColour(rgb(0, 0, 0xA0));
    dc.select(Font::create(18, 0, 0, 400, false, "Times New Roman"));
    dc.textOut(26, 170, "Times New Roman 18: caf\xC3\xA9 *** BRAVO ***");
    dc.select(Font::create(16, 0, 0, 400, true, "Arial"));
    dc.setBackgroundMode(BackgroundMode::Opaque);
    dc.setBackgroundColour(rgb(0xFF, 0xE0, 0xE0));
    dc.textOut(26, 215, "Arial italic 16, opaque");
    dc.select(Font::create(20, 0, 450, 400, false, "Arial"));
    dc.setBackgroundMode(BackgroundMode::Transparent);
    dc.textOut(330, 300, "escapement 45");
    dc.select(Pen::solid(1, rgb(0, 0x80, 0)));
    dc.select(Brush::solid(rgb(0xA0, 0xFF, 0xA0)));
    dc.polygon(std::vector<Point>{{40, 300}, {80, 230}, {120, 300}, {30, 255}, {130, 255}});
    const Bitmap small = linedPaper(100, 100);
    dc.stretchCopy(180, 240, 50, 50, small, 0, 0, 100, 100);
    const std::string path = testing::outputPath("winsys_draw_picture.png");
    ASSERT_TRUE(s.bitmap.writePng(path));
    EXPECT_TRUE(Bitmap::readPng(path).samePixels(s.bitmap));
}

}  // namespace
}  // namespace winsys
