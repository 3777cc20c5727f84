#include "render/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "platform/keys.h"

CameraState camera;

void initCamera() { camera = CameraState{}; }

void handleCameraKeys() {
    // The remainder is taken before each step, so held keys cycle the angles
    // within -360..360 instead of letting them run away.
    if (syncKeyDown(vk::U)) camera.cameraDistance = camera.cameraDistance - 1;
    if (syncKeyDown(vk::O)) camera.cameraDistance = camera.cameraDistance + 1;
    if (syncKeyDown(vk::I)) camera.cameraElevation = camera.cameraElevation % 360 + 1;
    if (syncKeyDown(vk::K)) camera.cameraElevation = camera.cameraElevation % 360 - 1;
    if (syncKeyDown(vk::J)) camera.cameraAzimuth = camera.cameraAzimuth % 360 + 1;
    if (syncKeyDown(vk::L)) camera.cameraAzimuth = camera.cameraAzimuth % 360 - 1;
}

CameraView cameraView(const CameraState& state, float x, float y) {
    const double d = state.cameraDistance;
    const double a = degToRad(state.cameraAzimuth);
    const double b = degToRad(state.cameraElevation);
    CameraView v{{d * std::sin(a) * std::cos(b) - x, d * std::cos(a) * std::cos(b) + y, d * std::sin(b)},
                 {-static_cast<double>(x), static_cast<double>(y), state.lookAtHeight},
                 {0.0, 0.0, 1.0}};
    // At distance 0 (or with the eye exactly over the look-at point) the view
    // direction runs along the up axis and the look-at transform would flatten
    // the world to a line. Keep the eye and the aim, and take as up the
    // direction the camera faces at any positive distance, so the top of the
    // screen still points the way it did a step before.
    double f[3] = {v.center[0] - v.eye[0], v.center[1] - v.eye[1], v.center[2] - v.eye[2]};
    double len = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    if (len == 0.0) {
        // Eye on the look-at point: look straight down at it from one unit up.
        v.eye[2] = v.center[2] + 1.0;
        f[0] = f[1] = 0.0;
        f[2] = -1.0;
        len = 1.0;
    }
    const double sideLen = std::sqrt(f[0] * f[0] + f[1] * f[1]);  // |f x (0,0,1)|
    if (sideLen <= len * 1e-12) {
        v.up[0] = -std::sin(a);
        v.up[1] = -std::cos(a);
        v.up[2] = 0.0;
    }
    return v;
}

void placeCamera(const Cow& cow) {
    CameraView v = cameraView(camera, cow.x, cow.y);
    gluLookAt(v.eye[0], v.eye[1], v.eye[2], v.center[0], v.center[1], v.center[2], v.up[0], v.up[1], v.up[2]);
}
