#include "render/world_passes.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "game/cow.h"
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
template <typename DrawCell, typename Finish>
void forEachVisibleCell(const Cow& cow, DrawCell drawCell, Finish finish) {
    const CellRange cells = visibleCells(cow.x, cow.y, world.mapWidth, world.mapHeight);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int row = cells.firstRow; row < cells.endRow; ++row)
        for (int column = cells.firstColumn; column < cells.endColumn; ++column) drawCell(column, row);
    finish();
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

namespace {

// Objects that cannot show in the view are skipped. A model leaves state
// behind that the next object may inherit (the plain cube takes the colour
// the one before left, a pill's lower cap the texture, a shape without
// texture coordinates the last ones sent), so only models that set all of it
// whatever came before are skipped, and a skipped run hands on what its last
// model would have left: taken from GL the first time each is drawn, and
// until then it is never skipped. The spheres hold the whole model, spun any
// way, with room to spare.
struct SkippableModel {
    DrawBehaviour draw;
    float centreHeight, radius;  // a sphere around the model, from its foot
    unsigned sets;               // the parts of the state it sets
    ModelLeftState left;
};

// The shapes are drawn from arrays without normals (nothing is lit), so the
// current normal passes through these models untouched.
constexpr unsigned kSetsTextured = kLeftColour | kLeftTexCoord | kLeftTexture | kLeftTexturing;
SkippableModel skippableModels[] = {
    {drawTree, 2.2f, 3.5f, kSetsTextured | kLeftCulling, {}},
    {drawHayBale, 0.8f, 1.5f, kSetsTextured, {}},
    {drawRock, 0.2f, 1.2f, kSetsTextured, {}},
};

SkippableModel* skippable(DrawBehaviour draw) {
    for (SkippableModel& m : skippableModels)
        if (m.draw == draw) return &m;
    return nullptr;
}

ModelLeftState readLeftState() {
    ModelLeftState s;
    s.known = true;
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    glGetFloatv(GL_CURRENT_NORMAL, s.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texCoord);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    s.texture = static_cast<uint32_t>(bound);
    s.texturing = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    s.culling = glIsEnabled(GL_CULL_FACE) == GL_TRUE;
    s.blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    s.depthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    return s;
}

void enable(GLenum what, bool on) {
    if (on) glEnable(what);
    else glDisable(what);
}

// Overwrites the given parts of a state with those of a later one.
void mergeLeftState(ModelLeftState& into, const ModelLeftState& s, unsigned parts) {
    if (parts & kLeftColour) std::copy(s.colour, s.colour + 4, into.colour);
    if (parts & kLeftNormal) std::copy(s.normal, s.normal + 3, into.normal);
    if (parts & kLeftTexCoord) std::copy(s.texCoord, s.texCoord + 4, into.texCoord);
    if (parts & kLeftTexture) into.texture = s.texture;
    if (parts & kLeftTexturing) into.texturing = s.texturing;
    if (parts & kLeftCulling) into.culling = s.culling;
    if (parts & kLeftBlending) into.blending = s.blending;
    if (parts & kLeftDepthTest) into.depthTest = s.depthTest;
}

void applyLeftState(const ModelLeftState& s, unsigned parts) {
    if (parts & kLeftColour) glColor4fv(s.colour);
    if (parts & kLeftNormal) glNormal3fv(s.normal);
    if (parts & kLeftTexCoord) glTexCoord4fv(s.texCoord);
    if (parts & kLeftTexture) glBindTexture(GL_TEXTURE_2D, s.texture);
    if (parts & kLeftTexturing) enable(GL_TEXTURE_2D, s.texturing);
    if (parts & kLeftCulling) enable(GL_CULL_FACE, s.culling);
    if (parts & kLeftBlending) enable(GL_BLEND, s.blending);
    if (parts & kLeftDepthTest) enable(GL_DEPTH_TEST, s.depthTest);
}

// What a run of skipped models would have left, handed on before the next
// model that is drawn, or at the end of the pass.
struct SkippedRun {
    ModelLeftState state;
    unsigned parts = 0;
    void skip(const ModelLeftState& left, unsigned sets) {
        mergeLeftState(state, left, sets);
        parts |= sets;
    }
    void handOn() {
        if (parts) applyLeftState(state, parts), parts = 0;
    }
};

}  // namespace

unsigned leftStateDifferences(const ModelLeftState& a, const ModelLeftState& b) {
    unsigned d = 0;
    for (int i = 0; i < 4; ++i) {
        if (a.colour[i] != b.colour[i]) d |= kLeftColour;
        if (a.texCoord[i] != b.texCoord[i]) d |= kLeftTexCoord;
    }
    for (int i = 0; i < 3; ++i)
        if (a.normal[i] != b.normal[i]) d |= kLeftNormal;
    if (a.texture != b.texture) d |= kLeftTexture;
    if (a.texturing != b.texturing) d |= kLeftTexturing;
    if (a.culling != b.culling) d |= kLeftCulling;
    if (a.blending != b.blending) d |= kLeftBlending;
    if (a.depthTest != b.depthTest) d |= kLeftDepthTest;
    return d;
}

namespace {

// A cow that cannot show in the view is skipped, in the same way and on the
// same terms as the models above: its level is still refreshed as drawing it
// would, and it hands on the state it would have left.
struct SkippableCow {
    Cow* WorldGrid::*cow;
    float (*reach)();
    unsigned sets;
    ModelLeftState left;
};
SkippableCow skippableCows[] = {
    {&WorldGrid::cow1, cow1Reach, kSetsTextured | kLeftCulling, {}},
    {&WorldGrid::cow2, cow2Reach, kSetsTextured, {}},
};

}  // namespace

const char* checkSkippableModels() {
    static const float colours[2][4] = {{0.1f, 0.2f, 0.3f, 0.4f}, {0.9f, 0.8f, 0.7f, 0.6f}};
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    const char* problem = nullptr;
    struct Check {
        void (*draw)();
        unsigned sets;
        const char* what;
        bool drawsACow;
    };
    const Check checks[] = {
        {[] { drawTree(0, 0); }, skippable(drawTree)->sets, "the tree", false},
        {[] { drawHayBale(0, 0); }, skippable(drawHayBale)->sets, "the hay bale", false},
        {[] { drawRock(0, 0); }, skippable(drawRock)->sets, "the rock", false},
        {[] { drawObject(*world.cow1); }, skippableCows[0].sets, "cow 1", true},
        {[] { drawObject(*world.cow2); }, skippableCows[1].sets, "cow 2", true},
    };
    for (const Check& m : checks) {
        if (m.drawsACow && (!world.cow1 || !world.cow2)) continue;  // no world read: no cows
        ModelLeftState before[2], after[2];
        for (int i = 0; i < 2; ++i) {
            // Two unlike states before the model.
            glColor4fv(colours[i]);
            glNormal3f(i ? 0.0f : 1.0f, 0.0f, i ? 1.0f : 0.0f);
            glTexCoord4f(i ? 0.7f : 0.1f, 0.3f, 0.0f, 1.0f);
            glBindTexture(GL_TEXTURE_2D, 0);
            enable(GL_TEXTURE_2D, i == 0);
            enable(GL_CULL_FACE, i == 0);
            enable(GL_BLEND, i == 1);
            enable(GL_DEPTH_TEST, i == 0);
            before[i] = readLeftState();
            glPushMatrix();
            m.draw();
            glPopMatrix();
            after[i] = readLeftState();
        }
        // A model that takes textures alone must hand the product back.
        GLint environment = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
        if (environment != GL_MODULATE) {
            problem = "a model leaves textures replacing the colour instead of multiplying it";
            break;
        }
        const bool setsItsParts = (leftStateDifferences(after[0], after[1]) & m.sets) == 0;
        const bool keepsTheRest = ((leftStateDifferences(before[0], after[0]) | leftStateDifferences(before[1], after[1])) &
                                   ~m.sets & kLeftEverything) == 0;
        if (!setsItsParts || !keepsTheRest) {
            static std::string message;
            message = std::string(m.what) + " does not leave the state it is listed as leaving";
            problem = message.c_str();
            break;
        }
    }
    glPopAttrib();
    return problem;
}

void drawCows(const ViewVolume* view) {
    SkippedRun skipped;
    for (SkippableCow& m : skippableCows) {
        Cow* cow = world.*m.cow;
        if (!cow) continue;
        if (view && m.left.known) {
            if (view->excludes(cow->x, cow->y, cow->baseLevel, m.reach())) {
                skipped.skip(m.left, m.sets);
                continue;
            }
        }
        skipped.handOn();
        drawObject(*cow);
        if (view && !m.left.known) m.left = readLeftState();
    }
    skipped.handOn();
}

void drawObjects(const Cow& cow) { drawObjects(cow, nullptr); }

void drawObjects(const Cow& cow, const ViewVolume* view) {
    SkippedRun skipped;
    forEachVisibleCell(cow, [view, &skipped](int column, int row) {
        const WorldObject* object = objectAt(column, row);
        if (!object) return;
        const GroundTile* tile = groundAt(column, row);
        const float level = tile ? tile->standLevel : 0.0f;
        SkippableModel* m = view ? skippable(object->draw) : nullptr;
        if (m && m->left.known && view->excludes(column + 0.5, row + 0.5, level + m->centreHeight, m->radius)) {
            skipped.skip(m->left, m->sets);
            return;
        }
        skipped.handOn();
        glPushMatrix();
        glTranslatef(static_cast<float>(column), static_cast<float>(row), level);
        glTranslatef(0.5f, 0.5f, 0.0f);
        drawObject(*object);
        glPopMatrix();
        if (m && !m->left.known) m->left = readLeftState();
    }, [&skipped] { skipped.handOn(); });
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
