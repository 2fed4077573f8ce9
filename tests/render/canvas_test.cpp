#include "render/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tamblo {
namespace {

winsys::Bitmap whiteBitmap(int w, int h) {
    winsys::Bitmap b = winsys::Bitmap::create(w, h);
    b.fill(0xFFFFFF);
    return b;
}

TEST(Canvas, ResetState) {
    Canvas c;
    EXPECT_EQ(c.resolutionX(), 300);
    EXPECT_EQ(c.resolutionY(), 300);
    EXPECT_FLOAT_EQ(c.zoom(), 1.0f);
    EXPECT_FALSE(c.isNamed());
    EXPECT_EQ(c.deviceContext(), nullptr);
}

TEST(Canvas, AttachReadsTheDevice) {
    winsys::DeviceContext dc(whiteBitmap(801, 601));
    Canvas c;
    c.attach(&dc, "ecran");
    EXPECT_EQ(c.resolutionX(), 96);
    EXPECT_EQ(c.pageWidth(), 801);
    EXPECT_EQ(c.usableHeight(), 601);
    EXPECT_EQ(c.defaultOriginX(), 400);
    EXPECT_EQ(c.defaultOriginY(), 300);
    EXPECT_EQ(c.pageWidthMm(), 801 * 254 / 960);
    EXPECT_FALSE(c.isPdf());
    EXPECT_TRUE(c.isNamed());
}

TEST(Canvas, MillimetresToPixels) {
    Canvas c;
    c.setResolution(96, 96);
    EXPECT_EQ(c.mmToPxX(10), 37);
    EXPECT_EQ(c.mmToPxY(10), 37);
    EXPECT_EQ(c.mmToPxX(-10), -37);
    c.setZoom(2.0f);
    EXPECT_EQ(c.mmToPxX(10), 75);
    EXPECT_NEAR(c.pxToMmX(75), 75 * 25.4f / 192.0f, 1e-4);
    c.setZoom(1.0f);
    EXPECT_EQ(c.sixHundredthsToPx(10), 2);
    EXPECT_EQ(c.sixHundredthsToPx(600), 96);
    // Far beyond the 16-bit range the result saturates instead of wrapping.
    EXPECT_EQ(c.mmToPxX(1e9f), 32767);
}

TEST(Canvas, PdfNameMovesTheDefaultOrigin) {
    struct Case {
        const char* name;
        bool pdf;
        int originY;
    };
    for (const Case& k : {Case{"ecran", false, 300}, Case{"PDFCreator", true, 301}, Case{"my pdfcreator x", true, 301}}) {
        Canvas c;
        c.setResolution(96, 96);
        c.setPageSize(801, 601);
        c.setUsableSize(801, 601);
        c.setName(k.name);
        c.centreDefaultOrigin();
        EXPECT_EQ(c.isPdf(), k.pdf) << k.name;
        EXPECT_EQ(c.defaultOriginX(), 400) << k.name;
        EXPECT_EQ(c.defaultOriginY(), k.originY) << k.name;
    }
}

TEST(Canvas, UsableSizeIsCutToThePage) {
    Canvas c;
    c.setResolution(96, 96);
    c.setPageSize(200, 100);
    c.setUsableSize(500, 50);
    EXPECT_EQ(c.usableWidth(), 200);
    EXPECT_EQ(c.printableWidth(), 200);
    EXPECT_EQ(c.usableHeight(), 50);
    EXPECT_EQ(c.usableWidthMm(), 200 * 254 / 960);
}

TEST(Canvas, ZeroResolutionKeepsMillimetreSizes) {
    Canvas c;
    c.setResolution(96, 96);
    c.setPageSize(960, 960);
    int before = c.pageWidthMm();
    c.setResolution(0, 96);
    c.setPageSize(96, 96);
    EXPECT_EQ(c.pageWidthMm(), before);
}

TEST(Canvas, OriginStack) {
    Canvas c;
    c.setDefaultOrigin(100, 50);
    c.setOrigin(0, 0);
    c.pushOrigin();
    c.setDefaultOrigin(-7, 8);
    c.setOrigin(0, 0);
    c.pushOrigin();
    EXPECT_EQ(c.originStack(), "-7,8,100,50,");
    c.setOrigin(5, 5);
    c.popOrigin();
    EXPECT_EQ(c.originX(), -7);
    EXPECT_EQ(c.originY(), 8);
    c.popOrigin();
    EXPECT_EQ(c.originX(), 100);
    EXPECT_EQ(c.originY(), 50);
    c.popOrigin();  // empty
    EXPECT_EQ(c.originX(), 0);
    EXPECT_EQ(c.originY(), 0);
}

TEST(Canvas, OriginEdges) {
    Canvas c;
    c.setResolution(96, 96);
    c.setPageSize(301, 200);
    c.setUsableSize(301, 200);
    c.setDefaultOrigin(10, 20);
    c.setOrigin(10, 10);  // 37 pixels right and up
    EXPECT_EQ(c.originX(), 47);
    EXPECT_EQ(c.originY(), -17);
    c.originToMiddle();
    EXPECT_EQ(c.originX(), 150);
    c.originToRight();
    EXPECT_EQ(c.originX(), 301);
    c.originToLeft();
    EXPECT_EQ(c.originX(), 0);
    EXPECT_EQ(c.originY(), -17);
}

TEST(Canvas, YAxisPointsUp) {
    winsys::Bitmap target = whiteBitmap(100, 100);
    winsys::DeviceContext dc(target);
    Canvas c;
    c.attach(&dc, "ecran");
    c.setOrigin(0, 0);  // (50, 50)
    c.pen(1, 0x0000FF);
    c.line(0, 10, 5, 10);
    EXPECT_EQ(target.pixel(50, 40), 0x0000FFu);
    EXPECT_EQ(target.pixel(50, 60), 0xFFFFFFu);
    c.releaseDrawingObjects();
}

TEST(Canvas, ShapesAtTheOrigin) {
    winsys::Bitmap target = whiteBitmap(100, 100);
    winsys::DeviceContext dc(target);
    Canvas c;
    c.attach(&dc, "ecran");
    c.setOrigin(0, 0);
    c.pen(1, 0x000000);
    c.solidBrush(0x00FF00);
    c.circle(-30, 30, 5);  // device (20, 20)
    EXPECT_EQ(target.pixel(20, 20), 0x00FF00u);
    EXPECT_EQ(target.pixel(20, 80), 0xFFFFFFu);
    c.rotatedRectangle(20, -20, 90.0f, 20, 6);  // device (70, 70), turned upright: 6 wide, 20 high
    EXPECT_EQ(target.pixel(70, 62), 0x00FF00u);
    EXPECT_EQ(target.pixel(76, 70), 0xFFFFFFu);
    c.hexagon(0, 0, 0, 10);
    EXPECT_EQ(target.pixel(50, 50), 0x00FF00u);
    EXPECT_EQ(target.pixel(60, 50), 0x000000u);  // corner A on the right
    c.hollowBrush();
    c.circle(0, 30, 6);
    EXPECT_EQ(target.pixel(50, 20), 0xFFFFFFu);
    c.releaseDrawingObjects();
}

TEST(Canvas, RotatePoints) {
    PixelPoint p[2] = {{10, 0}, {0, -4}};
    Canvas::rotatePoints(90.0f, p, 2);
    EXPECT_EQ(p[0], (PixelPoint{0, 10}));
    EXPECT_EQ(p[1], (PixelPoint{4, 0}));
}

TEST(Canvas, NewPenReleasesTheOldOne) {
    winsys::DeviceContext dc(whiteBitmap(10, 10));
    winsys::Pen original = dc.pen();
    Canvas c;
    c.attach(&dc, "ecran");
    c.pen(3, 0x123456);
    winsys::Pen first = sharedPen().handle();
    c.pen(2, 0x654321);
    EXPECT_FALSE(sharedPen().handle() == first);
    EXPECT_EQ(dc.pen().colour(), 0x654321u);
    c.releaseDrawingObjects();
    EXPECT_TRUE(dc.pen() == original);
    EXPECT_EQ(sharedPen().deviceContext(), nullptr);
}

TEST(Canvas, DrawingWithoutContextDoesNothing) {
    Canvas c;
    c.pen(1, 0);
    c.line(0, 0, 5, 5);
    c.registeredMark(1, 1, 2);
    EXPECT_EQ(c.deviceContext(), nullptr);
}

TEST(Canvas, RegisteredMarkAndCentredText) {
    winsys::Bitmap target = whiteBitmap(200, 100);
    winsys::DeviceContext dc(target);
    Canvas c;
    c.attach(&dc, "ecran");
    c.setOrigin(0, 0);
    c.registeredMark(0, 0, 5);
    int dark = 0, left = 200, right = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (target.pixel(x, y) != 0xFFFFFFu) {
                ++dark;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(dark, 20);
    EXPECT_NEAR((left + right) / 2, 100, 3);  // centred on the point
    EXPECT_TRUE(sharedFont().handle().isNull());  // released afterwards
}

TEST(Canvases, ScreenAndDrawingCanvas) {
    winsys::DeviceContext dc(whiteBitmap(640, 480));
    prepareScreenCanvases(dc, 301, 201);
    EXPECT_EQ(screenCanvas().name(), "ecran");
    EXPECT_EQ(screenCanvas().pageWidth(), 640);
    EXPECT_FALSE(drawingCanvasName().isEmpty());
    EXPECT_FALSE(drawingCanvasName() == "ecran");
    EXPECT_EQ(drawingCanvas().name(), drawingCanvasName());
    EXPECT_EQ(drawingCanvas().usableWidth(), 301);
    EXPECT_EQ(drawingCanvas().defaultOriginX(), 150);
    EXPECT_EQ(drawingCanvas().defaultOriginY(), 100);
    drawingCanvas().setZoom(3.0f);
    makeDrawingCanvasCurrent();
    EXPECT_EQ(&currentCanvas(), &drawingCanvas());
    EXPECT_FLOAT_EQ(drawingCanvas().zoom(), 1.0f);
    setCurrentCanvas(screenCanvas());
    screenCanvas().setDeviceContext(nullptr);
    drawingCanvas().setDeviceContext(nullptr);
}

}  // namespace
}  // namespace tamblo
