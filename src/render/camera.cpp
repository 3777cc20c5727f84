// PLACEHOLDER(render): camera. To be written in full.
#include "render/camera.h"

CameraState camera;

void initCamera() {
    camera.cameraDistance = 10;
    camera.cameraAzimuth = -20;
    camera.cameraElevation = 70;
    camera.lookAtHeight = 2.0;
}

void handleCameraKeys() {}
