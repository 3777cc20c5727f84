#include "render/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "models/draw_behaviours.h"
#include "platform/keys.h"
#include "render/ground.h"
#include "world/world_grid.h"

CameraState camera;

void initCamera() {
    camera.cameraDistance = 10;
    camera.cameraAzimuth = -20;
    camera.cameraElevation = 70;
    camera.lookAtHeight = 2.0;
}

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

CellRange visibleCells(float x, float y, int mapWidth, int mapHeight) {
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    CellRange r;
    r.firstColumn = cx - 19 > 0 ? cx - 19 : 0;
    r.endColumn = cx + 11 < mapWidth ? cx + 11 : mapWidth;
    r.firstRow = cy - 25 > 0 ? cy - 25 : 0;
    r.endRow = cy + 11 < mapHeight ? cy + 11 : mapHeight;
    return r;
}

namespace {

// Both passes walk the cow's visible cells, rows outside and columns inside,
// with texturing on and the colour white before the first cell.
template <typename DrawCell>
void forEachVisibleCell(const Cow& cow, DrawCell drawCell) {
    const CellRange cells = visibleCells(cow.x, cow.y, world.mapWidth, world.mapHeight);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int row = cells.firstRow; row < cells.endRow; ++row)
        for (int column = cells.firstColumn; column < cells.endColumn; ++column) drawCell(column, row);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

}  // namespace

void drawGround(const Cow& cow) {
    forEachVisibleCell(cow, [](int column, int row) {
        const GroundTile* tile = groundAt(column, row);
        if (!tile) return;  // a short line of the map leaves cells without ground
        glPushMatrix();
        glTranslatef(static_cast<float>(column), static_cast<float>(row), 0.0f);
        // Tiles are wound the other way round from the models.
        glCullFace(GL_BACK);
        drawGroundTile(*tile);
        glCullFace(GL_FRONT);
        glPopMatrix();
    });
}

void drawObject(const WorldObject& object) {
    if (object.draw) object.draw(static_cast<int>(object.x), static_cast<int>(object.y));
}

void drawObjects(const Cow& cow) {
    forEachVisibleCell(cow, [](int column, int row) {
        const WorldObject* object = objectAt(column, row);
        if (!object) return;
        const GroundTile* tile = groundAt(column, row);
        glPushMatrix();
        glTranslatef(static_cast<float>(column), static_cast<float>(row), tile ? tile->standLevel : 0.0f);
        glTranslatef(0.5f, 0.5f, 0.0f);
        drawObject(*object);
        glPopMatrix();
    });
    camera.haySpinAngle += 1.0f;
    camera.itemSpinAngle += 1.0f;
    setSpinAngles(camera.haySpinAngle, camera.itemSpinAngle);
}

void drawCowMarkers() {
    for (const Cow* cow : {world.cow1, world.cow2}) {
        if (!cow) continue;
        const GroundTile* tile = groundAt(cow->homeColumn, cow->homeRow);
        glPushMatrix();
        glTranslatef(static_cast<float>(cow->homeColumn), static_cast<float>(cow->homeRow),
                     tile ? tile->standLevel : 0.0f);
        drawMarkerBeam(camera.cameraDistance);
        glPopMatrix();
    }
}
