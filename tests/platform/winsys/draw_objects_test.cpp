// Drawing objects: selection displaces, lifetimes are safe, stock objects and bitmaps behave.
#include "platform/winsys/draw.h"
#include "tests/platform/winsys/draw_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

namespace winsys {
namespace {

using testing::kFill;
using testing::kInk;
using testing::kPaper;
using testing::Surface;

TEST(winsys_draw_Selection, EachSelectionReturnsTheObjectItDisplaced) {
    DeviceContext dc;
    const Pen red = Pen::solid(3, kInk), blue = Pen::solid(1, rgb(0, 0, 255));
    EXPECT_EQ(dc.select(red), stockBlackPen());
    EXPECT_EQ(dc.select(blue), red);
    EXPECT_EQ(dc.pen(), blue);

    const Brush green = Brush::solid(kFill);
    EXPECT_EQ(dc.select(green), stockWhiteBrush());
    EXPECT_EQ(dc.select(stockNullBrush()), green);

    const Font f = Font::create(12, 0, 0, 0, false, "Arial");
    EXPECT_EQ(dc.select(f), stockSystemFont());
    EXPECT_EQ(dc.font(), f);

    const Bitmap a = Bitmap::create(10, 10), b = Bitmap::create(20, 5);
    const Bitmap original = dc.select(a);
    EXPECT_TRUE(original.isStock());
    EXPECT_EQ(original.size(), (Size{1, 1}));
    EXPECT_EQ(dc.select(b), a);
    EXPECT_EQ(dc.pixelSize(), (Size{20, 5}));
    EXPECT_EQ(dc.select(original), b);
}

TEST(winsys_draw_Selection, NullHandlesAndFixedTargetsRefuseAndChangeNothing) {
    DeviceContext dc;
    const Pen before = dc.pen();
    EXPECT_TRUE(dc.select(Pen()).isNull());
    EXPECT_EQ(dc.pen(), before);
    EXPECT_TRUE(dc.select(Brush()).isNull());
    EXPECT_TRUE(dc.select(Font()).isNull());
    EXPECT_TRUE(dc.select(Bitmap()).isNull());

    const Bitmap client = Bitmap::create(30, 30);
    DeviceContext window{client};
    EXPECT_TRUE(window.hasFixedTarget());
    EXPECT_TRUE(window.select(Bitmap::create(5, 5)).isNull());
    EXPECT_EQ(window.bitmap(), client);
}

TEST(winsys_draw_Selection, GenericObjectsSelectLikeTypedOnes) {
    DeviceContext dc;
    const DrawObject old = dc.select(DrawObject{stockNullBrush()});
    ASSERT_TRUE(std::holds_alternative<Brush>(old));
    EXPECT_EQ(std::get<Brush>(old), stockWhiteBrush());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(dc.select(DrawObject{})));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(dc.select(DrawObject{Pen()})));
    EXPECT_TRUE(std::holds_alternative<Pen>(stockObject(StockObject::BlackPen)));
    EXPECT_EQ(std::get<Brush>(stockObject(StockObject::LightGreyBrush)).colour(), rgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(std::get<Font>(stockObject(StockObject::GuiFont)), stockGuiFont());
}

TEST(winsys_draw_Lifetime, DroppingTheHandleOfASelectedObjectKeepsItUsable) {
    Surface s;
    {
        Pen pen = Pen::solid(1, kInk);
        s.dc.select(pen);
        pen = Pen();  // the owner deletes it while it is still selected
    }
    s.dc.moveTo(0, 0);
    s.dc.lineTo(10, 0);
    EXPECT_EQ(s.at(5, 0), kInk);

    DeviceContext memory;
    Bitmap original;
    {
        Bitmap temporary = Bitmap::create(8, 8);
        original = memory.select(temporary);
    }
    memory.fillRect(Rect{0, 0, 8, 8}, kFill);
    const Bitmap back = memory.select(original);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.pixel(7, 7), kFill);
}

TEST(winsys_draw_Lifetime, ContextsMoveAndTheMovedFromOneIsAFreshContext) {
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    DeviceContext moved = std::move(s.dc);
    EXPECT_EQ(moved.bitmap(), s.bitmap);
    moved.moveTo(0, 1);
    moved.lineTo(4, 1);
    EXPECT_EQ(s.at(2, 1), kInk);
    EXPECT_EQ(s.dc.pen(), stockBlackPen());  // NOLINT: moved-from is defined here
    EXPECT_EQ(s.dc.pixelSize(), (Size{1, 1}));
}

TEST(winsys_draw_Defaults, FreshContextState) {
    DeviceContext dc;
    EXPECT_EQ(dc.pen(), stockBlackPen());
    EXPECT_EQ(dc.brush(), stockWhiteBrush());
    EXPECT_EQ(dc.textColour(), rgb(0, 0, 0));
    EXPECT_EQ(dc.backgroundColour(), rgb(255, 255, 255));
    EXPECT_EQ(dc.backgroundMode(), BackgroundMode::Opaque);
    EXPECT_EQ(dc.textAlign(), TextAlign::LeftTop);
    EXPECT_EQ(dc.stretchMode(), StretchMode::BlackOnWhite);
    EXPECT_EQ(dc.currentPosition(), (Point{0, 0}));
    EXPECT_FALSE(dc.hasClip());
}

TEST(winsys_draw_Defaults, SettersReturnThePreviousValueAndIgnoreUnknownModes) {
    DeviceContext dc;
    EXPECT_EQ(dc.setTextColour(kInk), rgb(0, 0, 0));
    EXPECT_EQ(dc.setTextColour(0xFF123456u), kInk);
    EXPECT_EQ(dc.textColour(), 0x00123456u);
    EXPECT_EQ(dc.setBackgroundMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
    EXPECT_EQ(dc.setBackgroundMode(static_cast<BackgroundMode>(77)), BackgroundMode::Transparent);
    EXPECT_EQ(dc.backgroundMode(), BackgroundMode::Transparent);
    EXPECT_EQ(dc.setTextAlign(TextAlign::CentreTop), TextAlign::LeftTop);
    EXPECT_EQ(dc.setTextAlign(static_cast<TextAlign>(3)), TextAlign::CentreTop);
    EXPECT_EQ(dc.setStretchMode(StretchMode::ColourOnColour), StretchMode::BlackOnWhite);
    EXPECT_EQ(dc.moveTo(5, 6), (Point{0, 0}));
    EXPECT_EQ(dc.moveTo(1, 1), (Point{5, 6}));
}

TEST(winsys_draw_StockObjects, AreSharedAndHaveTheirColours) {
    EXPECT_EQ(stockNullBrush(), stockNullBrush());
    EXPECT_FALSE(stockNullBrush().fills());
    EXPECT_FALSE(stockNullPen().draws());
    EXPECT_TRUE(stockBlackPen().draws());
    EXPECT_EQ(stockBlackPen().width(), 1);
    EXPECT_EQ(stockLightGreyBrush().colour(), rgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(stockWhiteBrush().colour(), rgb(255, 255, 255));
    EXPECT_TRUE(stockGuiFont().isStock());
    EXPECT_FALSE(Pen::solid(2, 0).isStock());
    EXPECT_EQ(Pen::solid(-3, 0).width(), 1);
    EXPECT_EQ(Pen::solid(INT_MAX, 0).width(), kMaxPenWidth);
    EXPECT_EQ(Pen::solid(7, 0x00ABCDEF).colour(), 0x00ABCDEFu);
}

TEST(winsys_draw_DeviceCaps, SizeAndLogicalInch) {
    DeviceContext dc{Bitmap::create(980, 820)};
    EXPECT_EQ(dc.deviceCaps(DeviceCap::HorizontalResolution), 980);
    EXPECT_EQ(dc.deviceCaps(DeviceCap::VerticalResolution), 820);
    EXPECT_EQ(dc.deviceCaps(DeviceCap::PixelsPerInchX), 96);
    EXPECT_EQ(dc.deviceCaps(DeviceCap::PixelsPerInchY), 96);
    EXPECT_EQ(dc.deviceCaps(DeviceCap::BitsPerPixel), 24);
    dc.setReportedSize(Size{1280, 1024});
    EXPECT_EQ(dc.pixelSize(), (Size{1280, 1024}));
    dc.setReportedSize(Size{});
    EXPECT_EQ(dc.pixelSize(), (Size{980, 820}));
}

// --- bitmaps ----------------------------------------------------------------------------------

TEST(winsys_draw_BitmapTest, SizesOutsideTheRangeGiveTheNullBitmap) {
    struct Case {
        int w, h;
        bool valid;
    };
    for (const Case c : {Case{10, 10, true}, Case{0, 0, true}, Case{0, 7, true}, Case{-1, 5, false}, Case{5, -1, false},
                         Case{kMaxBitmapSide + 1, 1, false}, Case{1, kMaxBitmapSide, true}}) {
        const Bitmap b = Bitmap::create(c.w, c.h);
        EXPECT_EQ(!b.isNull(), c.valid) << c.w << "x" << c.h;
        if (c.valid) {
            EXPECT_EQ(b.size(), (Size{c.w, c.h}));
        }
    }
}

TEST(winsys_draw_BitmapTest, PixelsReadBackAsColoursAndOutsideIsInvalid) {
    Bitmap b = Bitmap::create(4, 3);
    EXPECT_EQ(b.pixel(0, 0), rgb(0, 0, 0));
    EXPECT_TRUE(b.setPixel(1, 2, rgb(1, 2, 3)));
    EXPECT_EQ(b.pixel(1, 2), rgb(1, 2, 3));
    EXPECT_EQ(b.pixels()[2 * b.stride() / 4 + 1], 0x010203u);  // native layout is 0x00RRGGBB
    EXPECT_FALSE(b.setPixel(4, 0, 0));
    EXPECT_EQ(b.pixel(-1, 0), kInvalidColour);
    EXPECT_EQ(b.pixel(0, 3), kInvalidColour);
    b.fill(kFill);
    EXPECT_EQ(b.pixel(3, 2), kFill);
    b.fillRect(Rect{-5, -5, 2, 1}, kInk);
    EXPECT_EQ(b.pixel(1, 0), kInk);
    EXPECT_EQ(b.pixel(2, 0), kFill);
    EXPECT_EQ(Bitmap().pixel(0, 0), kInvalidColour);
}

TEST(winsys_draw_BitmapTest, ResizeKeepsTheOverlapAndEveryHandleSeesIt) {
    Bitmap b = Bitmap::create(10, 10);
    b.fill(kFill);
    const Bitmap other = b;
    DeviceContext dc{b};
    ASSERT_TRUE(b.resize(20, 5));
    EXPECT_EQ(other.size(), (Size{20, 5}));
    EXPECT_EQ(dc.pixelSize(), (Size{20, 5}));
    EXPECT_EQ(b.pixel(9, 4), kFill);
    EXPECT_EQ(b.pixel(10, 4), rgb(0, 0, 0));
    dc.fillRect(Rect{15, 0, 20, 5}, kInk);  // the context draws on the new pixels
    EXPECT_EQ(b.pixel(19, 4), kInk);
    EXPECT_FALSE(b.resize(-1, 5));
    EXPECT_EQ(b.size(), (Size{20, 5}));
    EXPECT_TRUE(b.resize(0, 0));
    EXPECT_FALSE(Bitmap().resize(5, 5));
}

TEST(winsys_draw_BitmapTest, CloneIsIndependentAndWrappedPixelsAreShared) {
    Bitmap b = Bitmap::create(6, 6);
    b.fill(kFill);
    Bitmap c = b.clone();
    EXPECT_TRUE(c.samePixels(b));
    c.setPixel(0, 0, kInk);
    EXPECT_FALSE(c.samePixels(b));
    EXPECT_FALSE(c == b);

    std::vector<std::uint32_t> memory(8 * 4, 0x00FF0000u);  // red in the native layout
    Bitmap w = Bitmap::wrap(memory.data(), 5, 4, 8 * 4);
    ASSERT_FALSE(w.isNull());
    EXPECT_EQ(w.pixel(4, 3), rgb(255, 0, 0));
    DeviceContext dc{w};
    dc.fillRect(Rect{0, 0, 1, 1}, rgb(0, 0, 255));
    EXPECT_EQ(memory[0] & 0xFFFFFF, 0x0000FFu);
    EXPECT_FALSE(w.resize(10, 10));
    EXPECT_TRUE(Bitmap::wrap(nullptr, 5, 4, 32).isNull());
    EXPECT_TRUE(Bitmap::wrap(memory.data(), 9, 4, 32).isNull());  // stride too small
    EXPECT_TRUE(Bitmap::wrap(memory.data(), 5, 4, 30).isNull());  // not whole words
    std::vector<std::uint32_t> bigger(16 * 4, 0);
    EXPECT_TRUE(w.rewrap(bigger.data(), 16, 4, 64));
    EXPECT_EQ(dc.pixelSize(), (Size{16, 4}));
}

TEST(winsys_draw_BitmapTest, PngRoundTripAndUnreadableFiles) {
    Surface s(64, 48);
    s.dc.select(Pen::solid(3, kInk));
    s.dc.select(Brush::solid(kFill));
    s.dc.ellipse(4, 4, 60, 44);
    const std::string path = testing::outputPath("winsys_draw_roundtrip.png");
    ASSERT_TRUE(s.bitmap.writePng(path));
    const Bitmap back = Bitmap::readPng(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_TRUE(back.samePixels(s.bitmap));
    EXPECT_TRUE(Bitmap::readPng(testing::outputPath("no-such-file.png")).isNull());
    const std::string junk = testing::outputPath("winsys_draw_junk.png");
    if (FILE* f = std::fopen(junk.c_str(), "wb")) {
        std::fputs("\x89PNG\r\n\x1a\n truncated", f);
        std::fclose(f);
    }
    EXPECT_TRUE(Bitmap::readPng(junk).isNull());
    EXPECT_FALSE(Bitmap::create(0, 0).writePng(testing::outputPath("winsys_draw_empty.png")));
    EXPECT_FALSE(s.bitmap.writePng("/nonexistent-dir/x.png"));
}

}  // namespace
}  // namespace winsys
