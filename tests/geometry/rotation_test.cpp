#include "geometry/rotation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamblo {
namespace {

struct RotationCase {
    float degrees;
    bool exact;
    int exactAngle;
    float x, y;
    int rx, ry;
};

TEST(Rotation, ExactAndGeneralAngles) {
    const RotationCase cases[] = {
        {0.0f, true, 0, 3, 4, 3, 4},
        {89.8f, true, 90, 10, 0, 0, 10},
        {90.0f, true, 90, 10, 0, 0, 10},
        {180.0f, true, 180, 3, 4, -3, -4},
        {270.0f, true, 270, 3, 4, 4, -3},
        {359.9f, true, 0, 3, 4, 3, 4},
        {450.0f, true, 90, 10, 0, 0, 10},
        {-270.0f, false, 0, 10, 0, 0, 10},  // trunc(-269.75) = -269, i.e. 91: the general formula
        {45.0f, false, 0, 10, 0, 7, 7},     // 7.07 truncated toward zero
        {135.0f, false, 0, 10, 0, -7, 7},
        {30.0f, false, 0, 3, 7, 0, 7},      // (-0.90, 7.56) truncated toward zero
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.degrees);
        Rotation r;
        r.setDegrees(c.degrees);
        EXPECT_EQ(r.isExact(), c.exact);
        if (c.exact) {
            EXPECT_EQ(r.exactAngle(), c.exactAngle);
        }
        EXPECT_FLOAT_EQ(r.degrees(), c.degrees);
        EXPECT_NEAR(r.radians(), c.degrees * 3.14159265f / 180.0f, 1e-5f);
        r.setPoint(c.x, c.y);
        EXPECT_EQ(r.rotatedX(), c.rx);
        EXPECT_EQ(r.rotatedY(), c.ry);
    }
}

TEST(Rotation, ConstructionAndTenths) {
    Rotation r;
    EXPECT_FALSE(r.isExact());
    EXPECT_EQ(r.degrees(), 0.0f);
    r.setPoint(10, 0);
    EXPECT_EQ(r.rotatedX(), 10);
    r.setTenths(450);
    EXPECT_FLOAT_EQ(r.degrees(), 45.0f);
    EXPECT_FALSE(r.isExact());
    EXPECT_EQ(r.rotatedX(), 7);
    EXPECT_EQ(r.rotatedY(), 7);
    // The exact flag stays as the last setDegrees left it.
    r.setDegrees(180);
    r.setTenths(450);
    EXPECT_TRUE(r.isExact());
    EXPECT_EQ(r.rotatedX(), -10);
}

TEST(Rotation, HugeAndNonFiniteValuesSaturate) {
    Rotation r;
    r.setDegrees(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FALSE(r.isExact());
    r.setPoint(10, 10);
    EXPECT_EQ(r.rotatedX(), 0);
    EXPECT_EQ(r.rotatedY(), 0);
    r.setDegrees(std::numeric_limits<float>::infinity());
    EXPECT_FALSE(r.isExact());
    r.setDegrees(1e30f);  // far beyond any whole-turn count, still brought into one turn
    EXPECT_TRUE(std::isfinite(r.radians()));
    r.setDegrees(0);
    r.setPoint(1e9f, -1e9f);
    EXPECT_EQ(r.rotatedX(), 32767);
    EXPECT_EQ(r.rotatedY(), -32768);
}

}  // namespace
}  // namespace tamblo
