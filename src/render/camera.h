// The camera both halves share, swung and zoomed by six keys.
#pragma once

#include <cstdint>

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

void initCamera();
// Polls U, O, I, K, J, L (in that order) and applies each held key's step once.
void handleCameraKeys();
