#include "render/canvas.h"

#include <array>
#include <cmath>
#include <vector>

#include "foundation/text.h"
#include "geometry/rotation.h"
#include "platform/unscramble.h"

namespace tamblo {

namespace {

// Held in single precision, as the conversions have always used it.
constexpr float kMmPerInch = 25.4f;

std::int16_t saturate16(long double v) {
    if (!(v == v)) return 0;  // NaN
    if (v > 32767.0L) return 32767;
    if (v < -32768.0L) return -32768;
    return static_cast<std::int16_t>(static_cast<long>(v));  // toward zero
}

std::int16_t clamp16(long v) {
    if (v > 32767) return 32767;
    if (v < -32768) return -32768;
    return static_cast<std::int16_t>(v);
}

// Most shapes are a handful of points: keep them off the heap.
class DevicePoints {
public:
    explicit DevicePoints(int count) : count_(count > 0 ? count : 0) {
        if (count_ > static_cast<int>(small_.size())) large_.resize(static_cast<size_t>(count_));
    }
    winsys::Point* data() { return large_.empty() ? small_.data() : large_.data(); }
    int count() const { return count_; }

private:
    int count_;
    std::array<winsys::Point, 32> small_{};
    std::vector<winsys::Point> large_;
};

}  // namespace

PenHolder& sharedPen() {
    static PenHolder holder;
    return holder;
}
BrushHolder& sharedBrush() {
    static BrushHolder holder;
    return holder;
}
FontHolder& sharedFont() {
    static FontHolder holder;
    return holder;
}

Canvas::Canvas() { reset(); }

void Canvas::reset() {
    dc_ = nullptr;
    originX_ = originY_ = 0;
    defaultOriginX_ = defaultOriginY_ = 0;
    resolutionX_ = resolutionY_ = 300;
    pageWidth_ = pageHeight_ = pageWidthMm_ = pageHeightMm_ = 0;
    printableWidth_ = printableHeight_ = printableWidthMm_ = printableHeightMm_ = 0;
    usableWidth_ = usableHeight_ = usableWidthMm_ = usableHeightMm_ = 0;
    pgzoom = 1.0f;
    named_ = false;
    pdf_ = false;
    name_.clear();
}

void Canvas::attach(winsys::DeviceContext* dc, TextRef name) {
    dc_ = dc;
    int w = 0, h = 0, rx = 0, ry = 0;
    if (dc != nullptr) {
        w = dc->deviceCaps(winsys::DeviceCap::HorizontalResolution);
        h = dc->deviceCaps(winsys::DeviceCap::VerticalResolution);
        rx = dc->deviceCaps(winsys::DeviceCap::PixelsPerInchX);
        ry = dc->deviceCaps(winsys::DeviceCap::PixelsPerInchY);
    }
    resolutionX_ = clamp16(rx);
    resolutionY_ = clamp16(ry);
    pageWidth_ = clamp16(w);
    pageHeight_ = clamp16(h);
    printableWidth_ = usableWidth_ = pageWidth_;
    printableHeight_ = usableHeight_ = pageHeight_;
    centreDefaultOrigin();
    recompute();
    setName(name);
}

void Canvas::releaseDrawingObjects() {
    if (dc_ == nullptr) return;
    auto letGo = [this](auto& holder) {
        if (holder.deviceContext() != dc_) return;
        holder.release();
        holder.forgetContext(dc_);
    };
    letGo(sharedPen());
    letGo(sharedBrush());
    letGo(sharedFont());
}

void Canvas::setResolution(int x, int y) {
    resolutionX_ = clamp16(x);
    resolutionY_ = clamp16(y);
    recompute();
}

void Canvas::setPageSize(int w, int h) {
    pageWidth_ = clamp16(w);
    pageHeight_ = clamp16(h);
    recompute();
}

void Canvas::setUsableSize(int w, int h) {
    printableWidth_ = usableWidth_ = clamp16(w);
    printableHeight_ = usableHeight_ = clamp16(h);
    recompute();
}

void Canvas::recompute() {
    if (resolutionX_ <= 0 || resolutionY_ <= 0) return;
    if (printableWidth_ > pageWidth_) printableWidth_ = pageWidth_;
    if (printableHeight_ > pageHeight_) printableHeight_ = pageHeight_;
    if (usableWidth_ > pageWidth_) usableWidth_ = pageWidth_;
    if (usableHeight_ > pageHeight_) usableHeight_ = pageHeight_;
    auto mm = [](int px, int res) { return clamp16(static_cast<long>(px) * 254 / (10L * res)); };
    pageWidthMm_ = mm(pageWidth_, resolutionX_);
    pageHeightMm_ = mm(pageHeight_, resolutionY_);
    printableWidthMm_ = mm(printableWidth_, resolutionX_);
    printableHeightMm_ = mm(printableHeight_, resolutionY_);
    usableWidthMm_ = mm(usableWidth_, resolutionX_);
    usableHeightMm_ = mm(usableHeight_, resolutionY_);
}

void Canvas::centreDefaultOrigin() {
    defaultOriginX_ = static_cast<std::int16_t>(usableWidth_ / 2);
    defaultOriginY_ = static_cast<std::int16_t>(usableHeight_ / 2);
    if (pdf_) defaultOriginY_ = clamp16(pageHeight_ - usableHeight_ / 2);
}

void Canvas::setDefaultOrigin(int x, int y) {
    defaultOriginX_ = clamp16(x);
    defaultOriginY_ = clamp16(y);
}

void Canvas::setName(TextRef name) {
    name_.set(name);
    named_ = true;
    pdf_ = containsNoCase(name, "pdfcreator");
    if (pdf_) centreDefaultOrigin();
}

std::int16_t Canvas::mmToPxX(float mm) const {
    return saturate16(static_cast<long double>(resolutionX_) * mm * pgzoom / kMmPerInch);
}

std::int16_t Canvas::mmToPxY(float mm) const {
    return saturate16(static_cast<long double>(resolutionY_) * mm * pgzoom / kMmPerInch);
}

float Canvas::pxToMmX(int px) const {
    return static_cast<float>(px) * kMmPerInch / (static_cast<float>(resolutionX_) * pgzoom);
}

float Canvas::pxToMmY(int px) const {
    return static_cast<float>(px) * kMmPerInch / (static_cast<float>(resolutionY_) * pgzoom);
}

std::int16_t Canvas::sixHundredthsToPx(int units) const {
    float v = static_cast<float>(units) * static_cast<float>(resolutionX_) / 600.0f;
    return saturate16(static_cast<long double>(v + 0.5f));
}

void Canvas::setOrigin(float xMm, float yMm) {
    originX_ = clamp16(defaultOriginX_ + mmToPxX(xMm));
    originY_ = clamp16(defaultOriginY_ - mmToPxY(yMm));
}

void Canvas::pushOrigin() {
    DynString saved(intText(originX_));
    saved.append(",", intText(originY_), ",");
    saved.append(originStack_);
    originStack_ = std::move(saved);
}

void Canvas::popOrigin() {
    originX_ = clamp16(popInt(originStack_));
    originY_ = clamp16(popInt(originStack_));
}

void Canvas::pen(int widthPx, Colour colour) {
    if (dc_ == nullptr) return;
    sharedPen().adoptAndSelect(*dc_, winsys::Pen::solid(widthPx, colour));
}

void Canvas::penMm(float widthMm, Colour colour) { pen(mmToPxX(widthMm), colour); }

void Canvas::solidBrush(Colour colour) {
    if (dc_ == nullptr) return;
    sharedBrush().adoptAndSelect(*dc_, winsys::Brush::solid(colour));
}

void Canvas::hollowBrush() {
    if (dc_ == nullptr) return;
    sharedBrush().adoptAndSelect(*dc_, winsys::stockNullBrush());
}

void Canvas::line(int x1, int y1, int x2, int y2) {
    if (dc_ == nullptr) return;
    dc_->moveTo(deviceX(x1), deviceY(y1));
    dc_->lineTo(deviceX(x2), deviceY(y2));
}

void Canvas::polygon(int dx, int dy, const PixelPoint* points, int count) {
    if (dc_ == nullptr || points == nullptr || count <= 0) return;
    DevicePoints device(count);
    winsys::Point* out = device.data();
    for (int i = 0; i < count; ++i) out[i] = {originX_ + dx + points[i].x, originY_ - dy - points[i].y};
    dc_->polygon(out, count);
}

void Canvas::ellipse(int x, int y, int rx, int ry) {
    if (dc_ == nullptr) return;
    dc_->ellipse(deviceX(x - rx), deviceY(y + ry), deviceX(x + rx), deviceY(y - ry));
}

void Canvas::rotatePoints(float degrees, PixelPoint* points, int count) {
    if (points == nullptr) return;
    Rotation rotation;
    rotation.setDegrees(degrees);
    for (int i = 0; i < count; ++i) {
        rotation.setPoint(static_cast<float>(points[i].x), static_cast<float>(points[i].y));
        points[i] = {rotation.rotatedX(), rotation.rotatedY()};
    }
}

void Canvas::rotatedRectangle(int x, int y, float degrees, int width, int height) {
    int hw = width / 2, hh = height / 2;
    PixelPoint points[5] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}, {-hw, -hh}};
    rotatePoints(degrees, points, 5);
    polygon(x, y, points, 5);
}

void Canvas::hexagon(int x, int y, int degrees, int size) {
    DirectionTable table;
    table.setSizeAndAngle(size, degrees);
    PixelPoint points[7];
    for (int k = 0; k < 7; ++k) points[k] = {table.x(k % 6), table.y(k % 6)};
    polygon(x, y, points, 7);
}

void Canvas::text(int x, int y, TextRef text, bool centred) {
    FontHolder& font = sharedFont();
    font.setCentred(centred);
    font.drawTextAligned(deviceX(x), deviceY(y), text);
}

void Canvas::textMm(float xMm, float yMm, TextRef text, bool centred) {
    this->text(mmToPxX(xMm), mmToPxY(yMm), text, centred);
}

void Canvas::registeredMark(float xMm, float yMm, float sizeMm) {
    if (dc_ == nullptr) return;
    FontHolder& font = sharedFont();
    int h = mmToPxX(2.0f * sizeMm);
    font.createRotated(h, h / 3, 0, false, 0, "Times New Roman");
    font.selectInto(*dc_);
    textMm(xMm, yMm, "\xAE", true);
    font.release();
}

// --- The program's canvases ---

namespace {
Canvas*& currentCanvasSlot() {
    static Canvas* current = &screenCanvas();
    return current;
}
}  // namespace

Canvas& screenCanvas() {
    static Canvas canvas;
    return canvas;
}

Canvas& drawingCanvas() {
    static Canvas canvas;
    return canvas;
}

Canvas& currentCanvas() { return *currentCanvasSlot(); }

void setCurrentCanvas(Canvas& canvas) { currentCanvasSlot() = &canvas; }

void makeDrawingCanvasCurrent() {
    drawingCanvas().setZoom(1.0f);
    setCurrentCanvas(drawingCanvas());
}

const DynString& drawingCanvasName() {
    static const DynString name(unscramble(scrambled("dessin")));
    return name;
}

void prepareScreenCanvases(winsys::DeviceContext& dc, int clientWidth, int clientHeight) {
    screenCanvas().attach(&dc, "ecran");
    Canvas& drawing = drawingCanvas();
    drawing.attach(&dc, drawingCanvasName());
    drawing.setPageSize(clientWidth, clientHeight);
    drawing.setUsableSize(clientWidth, clientHeight);
    drawing.centreDefaultOrigin();
}

}  // namespace tamblo
