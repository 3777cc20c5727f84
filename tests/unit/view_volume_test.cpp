// The view volume that decides which trees, hay and rocks are skipped: a
// sphere is excluded only when it lies wholly outside one plane.
#include <gtest/gtest.h>

#include <cmath>

#include "models/model_gl.h"
#include "render/view_volume.h"

namespace {

// A perspective projection as the playing frame sets it (90 degrees, near 1,
// far 1000) for an aspect, column-major, looking down -z.
void perspective(double aspect, double m[16]) {
    const double f = 1.0 / std::tan(M_PI / 4), n = 1.0, far = 1000.0;
    for (int i = 0; i < 16; ++i) m[i] = 0;
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (far + n) / (n - far);
    m[11] = -1;
    m[14] = 2 * far * n / (n - far);
}

TEST(ViewVolume, SpheresInsideTouchingAndOutsideEachPlane) {
    double m[16];
    perspective(1.0, m);
    const ViewVolume v = viewVolumeOf(m);
    EXPECT_FALSE(v.excludes(0, 0, -10, 0.1));
    // Ten units ahead the sides are at x, y = +-10.
    EXPECT_TRUE(v.excludes(12, 0, -10, 1));
    EXPECT_FALSE(v.excludes(10.5, 0, -10, 1));  // reaches over the side plane
    EXPECT_TRUE(v.excludes(-12, 0, -10, 1));
    EXPECT_TRUE(v.excludes(0, 12, -10, 1));
    EXPECT_TRUE(v.excludes(0, -12, -10, 1));
    // Behind the eye and before the near plane, beyond the far one.
    EXPECT_TRUE(v.excludes(0, 0, 5, 1));
    EXPECT_TRUE(v.excludes(0, 0, -0.5, 0.2));
    EXPECT_FALSE(v.excludes(0, 0, -0.5, 0.6));
    EXPECT_TRUE(v.excludes(0, 0, -1002, 1));
}

TEST(ViewVolume, NarrowAspectAndMirroredModelview) {
    // A half of the window is narrower than tall: at 10 ahead the sides are at
    // x = +-5 and the top at y = 10.
    double p[16];
    perspective(0.5, p);
    EXPECT_TRUE(viewVolumeOf(p).excludes(7, 0, -10, 1));
    EXPECT_FALSE(viewVolumeOf(p).excludes(0, 9, -10, 0.5));
    // The world is mirrored in x after the camera: clip = P * S(-1, 1, 1).
    double mirrored[16];
    for (int i = 0; i < 16; ++i) mirrored[i] = p[i];
    for (int r = 0; r < 4; ++r) mirrored[r] = -p[r];
    const ViewVolume v = viewVolumeOf(mirrored);
    EXPECT_FALSE(v.excludes(-4, 0, -10, 0.5));
    EXPECT_TRUE(v.excludes(7, 3, -10, 1));
    EXPECT_TRUE(v.excludes(-7, 3, -10, 1));
}

TEST(ViewVolume, WithoutAMatrixNothingIsExcluded) {
    // No GL context leaves the matrices read back as zeros.
    const double zero[16] = {};
    EXPECT_FALSE(viewVolumeOf(zero).excludes(1e6, -1e6, 1e6, 0));
}

}  // namespace

// What a skipped cow is measured by: the farthest vertex of a recorded part,
// through the part's own transforms, never less than the true distance.
namespace {
void partWithOneFarVertex() {
    gx::pushMatrix();
    gx::translate(3, 0, 0);
    gx::rotate(90, 0, 0, 1);
    gx::begin(GL_LINES);
    gx::vertex(0, 0, 0);
    gx::vertex(4, 0, 0);  // turned onto (0, 4, 0), then moved to (3, 4, 0)
    gx::end();
    gx::popMatrix();
    gx::begin(GL_POINTS);
    gx::vertex(-2, 0, 0);
    gx::end();
}
}  // namespace

TEST(RecordedReach, FarthestVertexThroughThePartsTransforms) {
    const float reach = recordedReach(partWithOneFarVertex);
    EXPECT_GE(reach, 5.0f);
    EXPECT_LT(reach, 5.02f);
}
