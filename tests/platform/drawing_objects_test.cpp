#include "platform/drawing_objects.h"

#include <gtest/gtest.h>

namespace tamblo {
namespace {

using winsys::Bitmap;
using winsys::Brush;
using winsys::DeviceContext;
using winsys::Pen;

TEST(Holders, ReleasePutsTheDisplacedObjectBack) {
    DeviceContext dc(Bitmap::create(20, 20));
    Pen original = dc.pen();
    PenHolder holder;
    Pen red = Pen::solid(3, 0x0000FF);
    holder.adoptAndSelect(dc, red);
    EXPECT_EQ(dc.pen(), red);
    EXPECT_TRUE(holder.owned);
    // A second pen: the first is put back out of the context before it goes.
    Pen blue = Pen::solid(1, 0xFF0000);
    holder.adopt(blue);
    EXPECT_EQ(dc.pen(), original);
    EXPECT_TRUE(holder.handle() == blue);
    holder.selectInto(dc);
    EXPECT_EQ(dc.pen(), blue);
    holder.release();
    EXPECT_EQ(dc.pen(), original);
    EXPECT_FALSE(holder.owned);
    EXPECT_TRUE(holder.handle().isNull());
    // Releasing again touches nothing, even after the context got another pen.
    Pen green = Pen::solid(2, 0x00FF00);
    dc.select(green);
    holder.release();
    EXPECT_EQ(dc.pen(), green);
}

TEST(Holders, FirstSelectionKeepsTheMemoryOfWhatItDisplaced) {
    DeviceContext a(Bitmap::create(4, 4)), b(Bitmap::create(4, 4));
    Brush aOriginal = a.brush();
    BrushHolder holder;
    holder.adopt(Brush::solid(0x123456));
    holder.selectInto(a);
    holder.selectInto(b);  // later selections leave the remembered brush alone
    holder.release();      // back into the last context
    EXPECT_EQ(b.brush(), aOriginal);
}

TEST(Holders, FontDrawsInItsColoursAndRotatedOffsets) {
    DeviceContext dc(Bitmap::create(60, 40));
    dc.fillRect({0, 0, 60, 40}, 0xFFFFFF);
    FontHolder font;
    font.create(24, 0, 0, false, 700, "Arial");
    font.selectInto(dc);
    font.setTextColour(0x0000FF);
    font.setCentred(true);
    font.drawText(30, 5, "8");
    bool red = false;
    for (int y = 5; y < 29; ++y)
        for (int x = 20; x < 40; ++x) red = red || dc.pixel({x, y}) == 0x0000FF;
    EXPECT_TRUE(red);
    EXPECT_EQ(dc.pixel({2, 2}), 0xFFFFFFu);  // transparent background once a text colour is set
    font.release();

    struct Case {
        int height, escapement, x, y;
    };
    for (const Case& c : {Case{40, 0, 0, 20}, Case{40, 900, -20, 0}, Case{40, 450, -16, 16}, Case{41, 200, -8, 22}}) {
        FontHolder f;
        f.createRotated(c.height, 0, c.escapement, false, 400, "Arial");
        EXPECT_EQ(f.offsetX, c.x) << c.escapement;
        EXPECT_EQ(f.offsetY, c.y) << c.escapement;
    }
}

TEST(Holders, ResourceBitmapStretchesWhole) {
    setResourceProvider([](int id) {
        if (id != 3) return Bitmap();
        Bitmap b = Bitmap::create(4, 3);
        b.fill(0x00FF00);
        b.setPixel(3, 2, 0x000000);
        return b;
    });
    ResBitmap missing;
    EXPECT_FALSE(missing.loadResource(9));
    EXPECT_EQ(missing.width, 0);
    ResBitmap page;
    ASSERT_TRUE(page.loadResource(3));
    EXPECT_EQ(page.width, 4);
    EXPECT_EQ(page.height, 3);
    DeviceContext dc(Bitmap::create(800, 600));
    EXPECT_TRUE(page.stretchDraw(dc, 0, 0, 800, 600, 0, 0, 0, 0));
    EXPECT_EQ(dc.pixel({10, 10}), 0x00FF00u);
    EXPECT_EQ(dc.pixel({799, 599}), 0x000000u);
    EXPECT_EQ(dc.pixel({590, 390}), 0x00FF00u);
    page.release();
    EXPECT_EQ(page.width, 0);
    EXPECT_FALSE(page.stretchDraw(dc, 0, 0, 8, 6, 0, 0, 0, 0));
    setResourceProvider(nullptr);
}

TEST(Colours, GreyLightenAndRounding) {
    EXPECT_EQ(greyOf(0), 0xFFFFFFu);
    EXPECT_EQ(greyOf(50), 0x7F7F7Fu);
    EXPECT_EQ(greyOf(100), 0x000000u);
    EXPECT_EQ(lighten(0x000010), 0x999999u);
    EXPECT_EQ(lighten(0xFF00AA), 0xFF99BBu);
    EXPECT_EQ(roundToShort(2.5f), 3);
    EXPECT_EQ(roundToShort(-2.5f), -3);
    EXPECT_EQ(roundToShort(2.49f), 2);
    EXPECT_EQ(roundToShort(1e9f), 32767);
    ShortRect r = ShortRect::centredSquare(7);
    EXPECT_EQ(r.left, -3);
    EXPECT_EQ(r.bottom, 3);
    winsys::Point in[2] = {{1, 2}, {-3, 4}}, out[2];
    offsetPoints(in, out, 2, 10, -10);
    EXPECT_EQ(out[1], (winsys::Point{7, -6}));
    mirrorPoints(in, out, 2);
    EXPECT_EQ(out[0], (winsys::Point{1, -2}));
}

}  // namespace
}  // namespace tamblo
