// Rotation of one point about the origin, used for rotated shapes and rotated text. Angles that are
// within a quarter degree below a right angle snap to it, so rotated rectangles stay pixel-exact.
#pragma once

#include <cstdint>

namespace tamblo {

class Rotation {
public:
    Rotation() = default;  // angle 0, not exact

    // Stores the angle in degrees and radians; n = trunc(a + 0.25) brought into 0..359 decides
    // whether the rotation is exact (n = 0, 90, 180 or 270). A non-finite angle is not exact.
    void setDegrees(float degrees);
    // The angle t / 10 degrees in degrees and radians; the exact flag is left as it is.
    void setTenths(int tenths);
    void setPoint(float x, float y) {
        x_ = x;
        y_ = y;
    }

    // The rotated point, truncated toward zero and saturated to the 16-bit range (NaN gives 0).
    int rotatedX() const;
    int rotatedY() const;

    float degrees() const { return degrees_; }
    float radians() const { return radians_; }
    bool isExact() const { return exact_; }
    int exactAngle() const { return exactAngle_; }

private:
    void rotate(float& x, float& y) const;

    float degrees_ = 0.0f;
    float radians_ = 0.0f;
    float x_ = 0.0f;
    float y_ = 0.0f;
    bool exact_ = false;
    std::int16_t exactAngle_ = 0;
};

}  // namespace tamblo
