#include "render/world_passes.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

#include "models/draw_behaviours.h"
#include "render/camera.h"
#include "render/ground.h"
#include "render/ground_batches.h"
#include "world/world_grid.h"

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
    // The same cells, tiles and faces as cell by cell, fed in a few batches.
    const CellRange cells = visibleCells(cow.x, cow.y, world.mapWidth, world.mapHeight);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawGroundBatches(cells);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
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
}

void drawCowMarkers() {
    for (const Cow* cow : {world.cow1, world.cow2}) {
        if (!cow) continue;
        const GroundTile* tile = groundAt(cow->homeColumn, cow->homeRow);
        glPushMatrix();
        glTranslatef(static_cast<float>(cow->homeColumn), static_cast<float>(cow->homeRow),
                     tile ? tile->standLevel : 0.0f);
        drawMarkerBeam();
        glPopMatrix();
    }
}
