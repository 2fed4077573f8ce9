#include "geometry/rotation.h"

#include <algorithm>
#include <cmath>

#include "foundation/text.h"

namespace tamblo {

namespace {

int truncate16(float v) {
    if (!(v == v)) return 0;
    double t = std::trunc(static_cast<double>(v));
    return static_cast<int>(std::clamp(t, -32768.0, 32767.0));
}

}  // namespace

void Rotation::setDegrees(float degrees) {
    degrees_ = degrees;
    radians_ = degToRad(degrees);
    double n = std::trunc(static_cast<double>(degrees) + 0.25);
    if (!std::isfinite(n)) {
        exact_ = false;
        return;
    }
    n = std::fmod(n, 360.0);
    if (n < 0) n += 360.0;
    int whole = static_cast<int>(n);
    exact_ = whole % 90 == 0;
    if (exact_) exactAngle_ = static_cast<std::int16_t>(whole);
}

void Rotation::setTenths(int tenths) {
    degrees_ = static_cast<float>(tenths) / 10.0f;
    radians_ = degToRad(degrees_);
}

void Rotation::rotate(float& x, float& y) const {
    if (exact_) {
        switch (exactAngle_) {
            case 90: x = -y_; y = x_; return;
            case 180: x = -x_; y = -y_; return;
            case 270: x = y_; y = -x_; return;
            default: x = x_; y = y_; return;
        }
    }
    const float c = std::cos(radians_);
    const float s = std::sin(radians_);
    x = c * x_ - s * y_;
    y = s * x_ + c * y_;
}

int Rotation::rotatedX() const {
    float x = 0, y = 0;
    rotate(x, y);
    return truncate16(x);
}

int Rotation::rotatedY() const {
    float x = 0, y = 0;
    rotate(x, y);
    return truncate16(y);
}

}  // namespace tamblo
