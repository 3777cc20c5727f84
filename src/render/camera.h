// The camera both halves share, swung and zoomed by six keys.
#pragma once

#include <cstdint>

#include "game/rules.h"
#include "world/records.h"

struct CameraState {
    int32_t cameraDistance = 10;
    int32_t cameraAzimuth = -20;
    int32_t cameraElevation = 70;
    double lookAtHeight = 2.0;
    float fieldOfView = 90.0f;
    float haySpinAngle = 0.0f;
    float itemSpinAngle = 0.0f;
};

extern CameraState camera;

// Back to the defaults above (distance 10, azimuth -20, elevation 70).
void initCamera();
// Polls U, O, I, K, J, L (in that order) and applies each held key's step once.
void handleCameraKeys();

// Degrees to radians with the camera's own constant (not a value of pi; see
// kCameraDegToRad for why the jump has another).
inline double degToRad(int32_t degrees) { return degrees * kCameraDegToRad; }

// The look-at triple for a cow at (x, y), in the coordinates before the
// mirror in x is applied (so the eye sits at -x).
struct CameraView {
    double eye[3];
    double center[3];
    double up[3];
};
CameraView cameraView(const CameraState& state, float x, float y);

// Multiplies the view transform for this cow onto the current modelview.
void placeCamera(const Cow& cow);
