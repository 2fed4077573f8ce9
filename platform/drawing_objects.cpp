#include "platform/drawing_objects.h"

#include <cmath>
#include <numbers>

namespace tamblo {

namespace {
ResourceProvider& provider() {
    static ResourceProvider p;
    return p;
}
}  // namespace

void FontHolder::create(int height, int width, int escapement, bool italic, int weight, TextRef face) {
    adopt(winsys::Font::create(height, width, escapement, weight, italic, face.view()));
    offsetX = offsetY = 0;
}

void FontHolder::createRotated(int height, int width, int escapement, bool italic, int weight, TextRef face) {
    create(height, width, escapement, italic, weight, face);
    int oy = height / 2;
    if (escapement % 900 != 0) oy = static_cast<int>(static_cast<float>(oy) * 1.2f);
    float x = 0.0f, y = static_cast<float>(oy);
    if (escapement > 0) {
        float r = static_cast<float>(escapement) / 10.0f * std::numbers::pi_v<float> / 180.0f;
        float rx = std::cos(r) * x - std::sin(r) * y;
        float ry = std::sin(r) * x + std::cos(r) * y;
        x = rx;
        y = ry;
    }
    offsetX = static_cast<std::int16_t>(x);
    offsetY = static_cast<std::int16_t>(y);
}

void FontHolder::setCentred(bool flag) {
    centred = flag;
    if (dc_) dc_->setTextAlign(flag ? winsys::TextAlign::CentreTop : winsys::TextAlign::LeftTop);
}

void FontHolder::drawText(int x, int y, TextRef text) {
    if (dc_ == nullptr) return;
    if (opaque) {
        dc_->setBackgroundMode(winsys::BackgroundMode::Opaque);
        dc_->setBackgroundColour(backgroundColour);
    } else {
        dc_->setBackgroundMode(winsys::BackgroundMode::Transparent);
    }
    dc_->setTextColour(textColour);
    dc_->textOut(x, y, text.view());
}

void FontHolder::drawTextAligned(int x, int y, TextRef text) {
    setCentred(centred);
    drawText(x + offsetX, y - offsetY, text);
}

bool BitmapHolder::stretchDraw(winsys::DeviceContext& dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
    dc_ = &dc;
    dc.setStretchMode(winsys::StretchMode::BlackOnWhite);
    return dc.stretchCopy(x, y, w, h, handle_, sx, sy, sw, sh);
}

void setResourceProvider(ResourceProvider p) { provider() = std::move(p); }

bool ResBitmap::loadResource(int id) {
    release();
    if (provider()) bitmap_ = provider()(id);
    if (bitmap_.isNull()) return false;
    owned = true;
    width = static_cast<std::int16_t>(bitmap_.width());
    height = static_cast<std::int16_t>(bitmap_.height());
    return true;
}

void ResBitmap::release() {
    if (owned) bitmap_ = winsys::Bitmap();
    owned = false;
    width = height = 0;
}

bool ResBitmap::stretchDraw(winsys::DeviceContext& dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh) const {
    if (bitmap_.isNull()) return false;
    if (sw == 0 && sh == 0) {
        sw = width;
        sh = height;
    }
    return dc.stretchCopy(x, y, w, h, bitmap_, sx, sy, sw, sh);
}

ShortRect ShortRect::centredSquare(int n) {
    ShortRect r;
    r.left = r.top = static_cast<std::int16_t>(-(n / 2));
    r.right = r.bottom = static_cast<std::int16_t>(n / 2);
    return r;
}

void offsetPoints(const winsys::Point* source, winsys::Point* target, int count, int dx, int dy) {
    for (int i = 0; i < count; ++i) target[i] = {source[i].x + dx, source[i].y + dy};
}

void mirrorPoints(const winsys::Point* source, winsys::Point* target, int count) {
    for (int i = 0; i < count; ++i) target[i] = {source[i].x, -source[i].y};
}

std::int16_t roundToShort(float x) {
    float r = std::round(x);  // half away from zero
    if (r > 32767.0f) r = 32767.0f;
    if (r < -32768.0f) r = -32768.0f;
    return static_cast<std::int16_t>(r);
}

}  // namespace tamblo
