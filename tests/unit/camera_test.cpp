// The shared camera: its keys, its view and the rectangle of cells it draws.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/keys.h"
#include "render/camera.h"
#include "render/playing_frame.h"
#include "render/world_passes.h"

namespace {

class CameraKeys : public ::testing::Test {
protected:
    ScriptedKeys keys;
    void SetUp() override {
        setKeySource(&keys);
        initCamera();
    }
    void TearDown() override {
        setKeySource(nullptr);
        initCamera();
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) handleCameraKeys();
    }
};

TEST_F(CameraKeys, DefaultsAndDistanceKeysWithoutBounds) {
    EXPECT_EQ(camera.cameraDistance, 10);
    EXPECT_EQ(camera.cameraAzimuth, -20);
    EXPECT_EQ(camera.cameraElevation, 70);
    EXPECT_EQ(camera.lookAtHeight, 2.0);
    keys.press(vk::U);
    frames(12);
    EXPECT_EQ(camera.cameraDistance, -2);
    keys.press(vk::O);  // both held: one down, one up, no change
    frames(3);
    EXPECT_EQ(camera.cameraDistance, -2);
    keys.release(vk::U);
    frames(5);
    EXPECT_EQ(camera.cameraDistance, 3);
}

TEST_F(CameraKeys, ElevationCyclesThroughTheRemainder) {
    camera.cameraElevation = 358;
    keys.press(vk::I);
    int seen[4];
    for (int& s : seen) {
        handleCameraKeys();
        s = camera.cameraElevation;
    }
    EXPECT_EQ(seen[0], 359);
    EXPECT_EQ(seen[1], 360);
    EXPECT_EQ(seen[2], 1);  // 360 % 360 is 0 before the step
    EXPECT_EQ(seen[3], 2);
    keys.release(vk::I);
    keys.press(vk::K);
    camera.cameraElevation = -359;
    frames(2);  // -359 -> -360 -> 0 % 360 - 1
    EXPECT_EQ(camera.cameraElevation, -1);
}

TEST_F(CameraKeys, AzimuthRemainderFollowsTheSignAndKeysApplyInOrder) {
    keys.press(vk::L);
    camera.cameraAzimuth = -359;
    frames(2);
    EXPECT_EQ(camera.cameraAzimuth, -1);  // -360 % 360 == 0, then -1
    keys.release(vk::L);
    keys.press(vk::J);
    camera.cameraAzimuth = -360;
    frames(1);
    EXPECT_EQ(camera.cameraAzimuth, 1);
    // J then L in one frame: (a % 360 + 1) % 360 - 1, which differs from a at 359.
    keys.press(vk::L);
    camera.cameraAzimuth = 359;
    frames(1);
    EXPECT_EQ(camera.cameraAzimuth, -1);
    // The asynchronous-only keys do nothing here.
    keys.releaseAll();
    keys.press(vk::F1);
    keys.press(vk::Up);
    frames(1);
    EXPECT_EQ(camera.cameraAzimuth, -1);
    EXPECT_EQ(camera.cameraDistance, 10);
}

TEST(CameraView, DefaultEyeSitsBehindAndAboveTheCow) {
    CameraState s;
    CameraView v = cameraView(s, 30.0f, 20.0f);
    // Before the mirror: eye at (d sinA cosB - x, d cosA cosB + y, d sinB).
    EXPECT_NEAR(v.eye[0] + 30.0, -1.1698, 1e-3);
    EXPECT_NEAR(v.eye[1] - 20.0, 3.2139, 1e-3);
    EXPECT_NEAR(v.eye[2], 9.3969, 1e-3);
    EXPECT_EQ(v.center[0], -30.0);
    EXPECT_EQ(v.center[1], 20.0);
    EXPECT_EQ(v.center[2], 2.0);
    EXPECT_EQ(v.up[2], 1.0);
    // The angle constant is the game's own, not pi/180.
    EXPECT_EQ(degToRad(70), 70 * 0.0174532925);
    EXPECT_NE(degToRad(70), 70 * M_PI / 180.0);
    // Only the position matters: a fractional position moves the eye with it.
    CameraView w = cameraView(s, 30.5f, 20.25f);
    EXPECT_DOUBLE_EQ(w.eye[0] - v.eye[0], -0.5);
    EXPECT_DOUBLE_EQ(w.eye[1] - v.eye[1], 0.25);
}

bool finite(const CameraView& v) {
    for (int i = 0; i < 3; ++i)
        if (!std::isfinite(v.eye[i]) || !std::isfinite(v.center[i]) || !std::isfinite(v.up[i])) return false;
    return true;
}
// The view is usable when the up vector is not parallel to the view direction.
double sideLength(const CameraView& v) {
    double f[3] = {v.center[0] - v.eye[0], v.center[1] - v.eye[1], v.center[2] - v.eye[2]};
    double c[3] = {f[1] * v.up[2] - f[2] * v.up[1], f[2] * v.up[0] - f[0] * v.up[2], f[0] * v.up[1] - f[1] * v.up[0]};
    return std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
}

TEST(CameraView, ZeroAndNegativeDistancesStayRegular) {
    CameraState s;
    s.cameraDistance = 0;
    CameraView v = cameraView(s, 5.0f, 7.0f);
    ASSERT_TRUE(finite(v));
    EXPECT_GT(sideLength(v), 0.5);
    // The eye stays where the formula puts it: on the ground under the aim point.
    EXPECT_EQ(v.eye[0], -5.0);
    EXPECT_EQ(v.eye[1], 7.0);
    EXPECT_EQ(v.eye[2], 0.0);
    // Up is the direction the camera faced at positive distances (toward -y mostly).
    EXPECT_LT(v.up[1], -0.9);

    s.cameraDistance = -4;  // through the aim point: below the ground, looking up
    v = cameraView(s, 5.0f, 7.0f);
    ASSERT_TRUE(finite(v));
    EXPECT_LT(v.eye[2], 0.0);
    EXPECT_EQ(v.up[2], 1.0);

    s.cameraDistance = 2;  // straight overhead at the aim point's own height
    s.cameraElevation = 90;
    s.lookAtHeight = 2.0;
    v = cameraView(s, 5.0f, 7.0f);
    ASSERT_TRUE(finite(v));
    EXPECT_GT(sideLength(v), 1e-12);
}

TEST(VisibleCells, RectangleAroundTheCowClippedToTheMap) {
    CellRange r = visibleCells(50.7f, 60.2f, 200, 200);
    EXPECT_EQ(r.firstColumn, 31);
    EXPECT_EQ(r.endColumn, 61);  // 30 columns
    EXPECT_EQ(r.firstRow, 35);
    EXPECT_EQ(r.endRow, 71);  // 36 rows, 25 ahead and 10 behind
    r = visibleCells(3.9f, 24.99f, 200, 200);
    EXPECT_EQ(r.firstColumn, 0);
    EXPECT_EQ(r.firstRow, 0);
    r = visibleCells(19.0f, 25.0f, 200, 200);
    EXPECT_EQ(r.firstColumn, 0);
    EXPECT_EQ(r.firstRow, 0);
    r = visibleCells(20.0f, 26.0f, 200, 200);
    EXPECT_EQ(r.firstColumn, 1);
    EXPECT_EQ(r.firstRow, 1);
    r = visibleCells(55.5f, 38.0f, 60, 40);
    EXPECT_EQ(r.endColumn, 60);
    EXPECT_EQ(r.endRow, 40);
    r = visibleCells(48.99f, 28.99f, 60, 40);  // 10 from the high edge still reaches it
    EXPECT_EQ(r.endColumn, 59);
    EXPECT_EQ(r.endRow, 39);
    // floor, not truncation, for a position just below zero
    r = visibleCells(-0.5f, -0.5f, 60, 40);
    EXPECT_EQ(r.endColumn, 10);
    EXPECT_EQ(r.endRow, 10);
}

TEST(SplitScreen, HalvesAndStripForEvenAndOddWidths) {
    ViewportRect right = rightViewport(800, 600);
    ViewportRect left = leftViewport(800, 600);
    EXPECT_EQ(right.x, 402);
    EXPECT_EQ(right.width, 400);  // two columns past the window's edge
    EXPECT_EQ(right.height, 600);
    EXPECT_EQ(left.x, 0);
    EXPECT_EQ(left.width, 398);
    EXPECT_EQ(left.height, 600);
    EXPECT_FLOAT_EQ(halfAspect(800, 600), 400.0f / 600.0f);
    right = rightViewport(801, 600);
    left = leftViewport(801, 600);
    EXPECT_EQ(right.x, 402);
    EXPECT_EQ(right.width, 400);
    EXPECT_EQ(left.width, 398);
    EXPECT_FLOAT_EQ(halfAspect(801, 600), 400.0f / 600.0f);
    EXPECT_TRUE(std::isfinite(halfAspect(800, 0)));
}

}  // namespace
