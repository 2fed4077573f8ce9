// The drawing surface of the game: a device context seen through an origin of its own, an
// upward y axis, a zoom factor and millimetre conversions. Pens, brushes and fonts live in the
// program-wide holders, never in the canvas, so each new one releases the one before it.
#pragma once

#include <cstdint>

#include "foundation/dyn_string.h"
#include "geometry/lattice_point.h"
#include "platform/drawing_objects.h"
#include "platform/winsys/draw.h"

namespace tamblo {

// The shared holders every canvas draws with.
PenHolder& sharedPen();
BrushHolder& sharedBrush();
FontHolder& sharedFont();

class Canvas {
public:
    Canvas();

    // --- Set-up ---
    void reset();
    // Takes the device's size and resolution; the context stays the caller's.
    void attach(winsys::DeviceContext* dc, TextRef name);
    // Draw into another context from now on (every paint hands its own one over).
    void setDeviceContext(winsys::DeviceContext* dc) { dc_ = dc; }
    winsys::DeviceContext* deviceContext() const { return dc_; }
    // Puts back what the shared holders displaced in this canvas's context and lets their
    // objects go; called before the context disappears.
    void releaseDrawingObjects();

    void setResolution(int x, int y);
    void setPageSize(int w, int h);
    void setUsableSize(int w, int h);  // printable and usable alike
    void centreDefaultOrigin();
    void setDefaultOrigin(int x, int y);
    void setName(TextRef name);
    void setZoom(float zoom) { pgzoom = zoom; }
    float zoom() const { return pgzoom; }

    // --- Conversions ---
    std::int16_t mmToPxX(float mm) const;
    std::int16_t mmToPxY(float mm) const;
    float pxToMmX(int px) const;
    float pxToMmY(int px) const;
    std::int16_t sixHundredthsToPx(int units) const;

    // --- Origin ---
    void setOrigin(float xMm, float yMm);  // relative to the default origin, y up
    void originToLeft() { originX_ = 0; }
    void originToRight() { originX_ = usableWidth_; }
    void originToMiddle() { originX_ = static_cast<std::int16_t>(usableWidth_ / 2); }
    void pushOrigin();
    void popOrigin();  // (0, 0) from an empty stack

    // --- Drawing state ---
    void pen(int widthPx, Colour colour);
    void penMm(float widthMm, Colour colour);
    void solidBrush(Colour colour);
    void hollowBrush();

    // --- Drawing (pixels relative to the origin, y up) ---
    void line(int x1, int y1, int x2, int y2);
    void polygon(int dx, int dy, const PixelPoint* points, int count);
    void ellipse(int x, int y, int rx, int ry);
    void circle(int x, int y, int r) { ellipse(x, y, r, r); }
    static void rotatePoints(float degrees, PixelPoint* points, int count);
    void rotatedRectangle(int x, int y, float degrees, int width, int height);
    void hexagon(int x, int y, int degrees, int size);
    // With the shared font the caller has created and selected.
    void text(int x, int y, TextRef text, bool centred);
    void textMm(float xMm, float yMm, TextRef text, bool centred);
    void registeredMark(float xMm, float yMm, float sizeMm);

    // --- State ---
    const DynString& name() const { return name_; }
    bool isNamed() const { return named_; }
    bool isPdf() const { return pdf_; }
    const DynString& originStack() const { return originStack_; }
    int resolutionX() const { return resolutionX_; }
    int resolutionY() const { return resolutionY_; }
    int defaultOriginX() const { return defaultOriginX_; }
    int defaultOriginY() const { return defaultOriginY_; }
    int originX() const { return originX_; }
    int originY() const { return originY_; }
    int pageWidth() const { return pageWidth_; }
    int pageHeight() const { return pageHeight_; }
    int printableWidth() const { return printableWidth_; }
    int printableHeight() const { return printableHeight_; }
    int usableWidth() const { return usableWidth_; }
    int usableHeight() const { return usableHeight_; }
    int pageWidthMm() const { return pageWidthMm_; }
    int pageHeightMm() const { return pageHeightMm_; }
    int printableWidthMm() const { return printableWidthMm_; }
    int printableHeightMm() const { return printableHeightMm_; }
    int usableWidthMm() const { return usableWidthMm_; }
    int usableHeightMm() const { return usableHeightMm_; }

    // Device pixel of a canvas point.
    int deviceX(int x) const { return originX_ + x; }
    int deviceY(int y) const { return originY_ - y; }

    float pgzoom = 1.0f;

private:
    void recompute();

    DynString name_;
    winsys::DeviceContext* dc_ = nullptr;
    DynString originStack_;
    std::int16_t resolutionX_ = 300, resolutionY_ = 300;
    std::int16_t defaultOriginX_ = 0, defaultOriginY_ = 0;
    std::int16_t originX_ = 0, originY_ = 0;
    bool named_ = false;
    bool pdf_ = false;
    std::int16_t pageWidth_ = 0, pageHeight_ = 0, pageWidthMm_ = 0, pageHeightMm_ = 0;
    std::int16_t printableWidth_ = 0, printableHeight_ = 0, printableWidthMm_ = 0, printableHeightMm_ = 0;
    std::int16_t usableWidth_ = 0, usableHeight_ = 0, usableWidthMm_ = 0, usableHeightMm_ = 0;
};

// The program's canvases: the screen canvas "ecran" and the drawing canvas, one of which is
// current and receives all drawing.
Canvas& screenCanvas();
Canvas& drawingCanvas();
Canvas& currentCanvas();
void setCurrentCanvas(Canvas& canvas);
// Also brings the drawing canvas back to zoom 1.
void makeDrawingCanvasCurrent();
// First paint of the run: both canvases over the paint context, the drawing canvas sized to the
// client area with its default origin at the centre.
void prepareScreenCanvases(winsys::DeviceContext& dc, int clientWidth, int clientHeight);
// The readable name of the drawing canvas.
const DynString& drawingCanvasName();

}  // namespace tamblo
