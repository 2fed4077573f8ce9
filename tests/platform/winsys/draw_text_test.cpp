// Fonts and text: faces resolve as expected, extents measure, text lands where it is asked.
#include "platform/winsys/draw.h"
#include "tests/platform/winsys/draw_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace winsys {
namespace {

using testing::kInk;
using testing::kPaper;
using testing::Surface;

TEST(winsys_draw_FontResolve, ClassicFacesMapToTheMetricCompatibleOnes) {
    struct Case {
        const char* face;
        const char* family;
    };
    for (const Case c : {Case{"Arial", "Liberation Sans"}, Case{"Times New Roman", "Liberation Serif"}}) {
        const Font f = Font::create(20, 0, 0, 400, false, c.face);
        ASSERT_FALSE(f.isNull()) << c.face;
        EXPECT_EQ(f.resolvedFamily(), c.family) << c.face;
        EXPECT_FALSE(f.resolvedFile().empty());
    }
    // Whatever fontconfig says, a face is found.
    EXPECT_FALSE(Font::create(20, 0, 0, 400, false, "Helvetica").isNull());
    EXPECT_FALSE(Font::create(20, 0, 0, 400, false, "No Such Face At All").isNull());
    EXPECT_FALSE(Font::create(20, 0, 0, 400, false, "").isNull());
}

TEST(winsys_draw_FontResolve, BoldAndItalicPickOtherFiles) {
    const Font regular = Font::create(20, 0, 0, 400, false, "Arial");
    const Font bold = Font::create(20, 0, 0, 700, false, "Arial");
    const Font italic = Font::create(20, 0, 0, 400, true, "Arial");
    EXPECT_NE(regular.resolvedFile(), bold.resolvedFile());
    EXPECT_NE(regular.resolvedFile(), italic.resolvedFile());
    EXPECT_EQ(Font::create(20, 0, 0, 500, false, "Arial").resolvedFile(), regular.resolvedFile());
    EXPECT_EQ(Font::create(20, 0, 0, 600, false, "Arial").resolvedFile(), bold.resolvedFile());
    // Bold text is wider.
    EXPECT_GT(bold.textExtent("mmmmmmmmmm").cx, regular.textExtent("mmmmmmmmmm").cx);
}

TEST(winsys_draw_FontMetricsTest, PositiveHeightIsTheCellAndNegativeTheEm) {
    const Font cell = Font::create(20, 0, 0, 0, false, "Arial");
    EXPECT_EQ(cell.metrics().height, 20);
    EXPECT_EQ(cell.metrics().ascent + cell.metrics().descent, 20);
    EXPECT_EQ(cell.metrics().ascent, 16);  // 20 * 1854 / 2288, rounded
    // em 20 gives a cell of 20 * 2288 / 2048 = 22.3.
    EXPECT_EQ(Font::create(-20, 0, 0, 0, false, "Arial").metrics().height, 22);
    // Average width: 904 / 2048 of the em, the classic figure of the face.
    EXPECT_EQ(Font::create(-20, 0, 0, 0, false, "Arial").metrics().averageWidth, 9);
    EXPECT_EQ(Font::create(-100, 0, 0, 0, false, "Arial").metrics().averageWidth, 44);
    EXPECT_EQ(Font::create(-100, 0, 0, 0, false, "Times New Roman").metrics().averageWidth, 40);
}

TEST(winsys_draw_FontMetricsTest, WidthScalesTheTextHorizontally) {
    const Font natural = Font::create(-40, 0, 0, 0, false, "Arial");
    const Font narrow = Font::create(-40, 9, 0, 0, false, "Arial");
    const Font wide = Font::create(-40, 36, 0, 0, false, "Arial");
    EXPECT_EQ(narrow.metrics().averageWidth, 9);
    const int n = natural.textExtent("abcdefghijklmnop").cx;
    const int a = narrow.textExtent("abcdefghijklmnop").cx;
    const int b = wide.textExtent("abcdefghijklmnop").cx;
    EXPECT_LT(a, n);
    EXPECT_GT(b, n);
    // Four times the width, four times the extent (give or take the hinting of each glyph).
    EXPECT_NEAR(static_cast<double>(b) / a, 4.0, 0.5);
    EXPECT_EQ(narrow.metrics().height, natural.metrics().height);
}

TEST(winsys_draw_TextExtent, GrowsWithTheStringAndTheFontHeight) {
    DeviceContext dc;
    const Font small = Font::create(14, 0, 0, 0, false, "Arial");
    const Font big = Font::create(28, 0, 0, 0, false, "Arial");
    dc.select(small);
    const Size one = dc.textExtent("8");
    const Size three = dc.textExtent("888");
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(three.cx, 3 * one.cx);  // digits share one advance
    EXPECT_EQ(one.cy, 14);
    EXPECT_EQ(dc.textExtent("").cx, 0);
    EXPECT_EQ(dc.textExtent("").cy, 14);
    EXPECT_LT(dc.textExtent("Tamblo").cx, dc.textExtent("Tamblo Tamblo").cx);
    dc.select(big);
    EXPECT_GT(dc.textExtent("888").cx, three.cx);
    EXPECT_EQ(dc.textExtent("888").cy, 28);
    EXPECT_EQ(dc.textMetrics().height, 28);
}

TEST(winsys_draw_TextExtent, ByteStringsThatAreNotUtf8StillMeasure) {
    const Font f = Font::create(20, 0, 0, 0, false, "Arial");
    const std::string latin1 = "caf\xE9";  // é in Latin-1
    const std::string utf8 = "caf\xC3\xA9";
    EXPECT_EQ(f.textExtent(latin1).cx, f.textExtent(utf8).cx);
    EXPECT_GT(f.textExtent(std::string("a\0b", 3)).cx, f.textExtent("a").cx);
    EXPECT_GT(f.textExtent("\xFF\xFE\x80").cx, 0);
}

struct Placement {
    TextAlign align;
    const char* text;
};

void PrintTo(const Placement& p, std::ostream* os) {
    *os << (p.align == TextAlign::CentreTop ? "centre-top \"" : "left-top \"") << p.text << '"';
}

class winsys_draw_TextPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(winsys_draw_TextPlacement, InkLiesInTheBoxTheExtentGives) {
    Surface s(200, 80);
    s.dc.select(Font::create(30, 0, 0, 0, false, "Arial"));
    s.dc.setBackgroundMode(BackgroundMode::Transparent);
    s.dc.setTextColour(kInk);
    s.dc.setTextAlign(GetParam().align);
    const Point at{100, 20};
    ASSERT_TRUE(s.dc.textOut(at, GetParam().text));
    const Size ext = s.dc.textExtent(GetParam().text);
    const int left = GetParam().align == TextAlign::CentreTop ? at.x - ext.cx / 2 : at.x;
    const Rect ink = s.inkBox();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left, left - 1);
    EXPECT_LE(ink.right, left + ext.cx + 1);
    EXPECT_GE(ink.top, at.y);
    EXPECT_LE(ink.bottom, at.y + ext.cy);
    // Digits reach from near the ascent line down to the baseline.
    EXPECT_LT(ink.top, at.y + 10);
    EXPECT_GT(ink.bottom, at.y + 18);
    if (GetParam().align == TextAlign::CentreTop) {
        EXPECT_NEAR((ink.left + ink.right) / 2.0, at.x, 2.0);
    }
    // Crisp: only the text colour and the paper.
    EXPECT_EQ(s.count(kInk) + s.count(kPaper), 200 * 80);
}

INSTANTIATE_TEST_SUITE_P(Alignments, winsys_draw_TextPlacement,
                         ::testing::Values(Placement{TextAlign::LeftTop, "8"}, Placement{TextAlign::CentreTop, "8"},
                                           Placement{TextAlign::LeftTop, "1234"}, Placement{TextAlign::CentreTop, "5"},
                                           Placement{TextAlign::CentreTop, "3 6"}));

TEST(winsys_draw_TextDraw, OpaqueBackgroundFillsTheCell) {
    Surface s(200, 80);
    s.dc.select(Font::create(24, 0, 0, 0, false, "Times New Roman"));
    s.dc.setTextColour(kInk);
    s.dc.setBackgroundColour(rgb(255, 255, 255));
    EXPECT_EQ(s.dc.backgroundMode(), BackgroundMode::Opaque);  // the default
    s.dc.textOut(10, 30, "Ab");
    const Size ext = s.dc.textExtent("Ab");
    EXPECT_EQ(s.inkBox(), (Rect{10, 30, 10 + ext.cx, 30 + 24}));
    EXPECT_EQ(s.count(rgb(255, 255, 255)) + s.count(kInk), ext.cx * 24);
    EXPECT_GT(s.count(kInk), 20);
}

TEST(winsys_draw_TextDraw, EscapementTurnsTheBaselineCounterClockwise) {
    Surface s(120, 200);
    s.dc.select(Font::create(20, 0, 900, 0, false, "Arial"));
    s.dc.setBackgroundMode(BackgroundMode::Transparent);
    s.dc.setTextColour(kInk);
    const Point at{40, 150};
    s.dc.textOut(at, "123456");
    const int advance = s.dc.textExtent("123456").cx;
    const Rect ink = s.inkBox();
    ASSERT_FALSE(ink.isEmpty());
    // Rotated by 90 degrees: the text runs upwards from the point, its top to the left.
    EXPECT_GE(ink.left, at.x - 1);
    EXPECT_LE(ink.right, at.x + 21);
    EXPECT_LE(ink.bottom, at.y + 1);
    EXPECT_GE(ink.top, at.y - advance - 1);
    EXPECT_GT(ink.height(), advance - 8);
}

TEST(winsys_draw_TextDraw, StockFontsDrawAndFreshContextsHaveOne) {
    Surface s(200, 60);
    EXPECT_EQ(s.dc.font(), stockSystemFont());
    s.dc.setTextColour(kInk);
    s.dc.setBackgroundMode(BackgroundMode::Transparent);
    s.dc.textOut(2, 2, "System");
    s.dc.select(stockGuiFont());
    s.dc.textOut(2, 30, "Gui");
    EXPECT_GT(s.count(kInk), 20);
    EXPECT_EQ(stockGuiFont().metrics().height, 12);  // em 11 of Liberation Sans
    EXPECT_EQ(stockGuiFont().resolvedFamily(), "Liberation Sans");
}

TEST(winsys_draw_TextDraw, BadFontRequestsAreBoundedAndDraw) {
    const Font zero = Font::create(0, 0, 0, 0, false, "Arial");
    EXPECT_EQ(zero.metrics().height, 16);
    const Font huge = Font::create(1000000, -5, 123456, 99999, true, "Arial");
    ASSERT_FALSE(huge.isNull());
    EXPECT_LE(huge.metrics().height, 4096);
    EXPECT_GT(huge.textExtent("x").cx, 0);
    const Font tiny = Font::create(-1, 0, -900, -10, false, "Arial");
    ASSERT_FALSE(tiny.isNull());
    Surface s;
    s.dc.select(huge);
    EXPECT_TRUE(s.dc.textOut(0, 0, "x"));
    s.dc.select(tiny);
    EXPECT_TRUE(s.dc.textOut(10, 10, "\xC3\x28 bad utf-8"));
}

}  // namespace
}  // namespace winsys
