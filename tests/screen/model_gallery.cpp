// A gallery of every model, laid out in tiles, for looking at them by eye.
// Run in the data directory: `cd build/data && ../tests/model_gallery [page]`.
// Page 0: cows; page 1: items, scenery and fences; page 2: gates and
// buildings; page 3: close-ups of the cows. `model_gallery time` prints the
// cost of each model instead.
#include <GL/glut.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "assets/texture_loader.h"
#include "assets/texture_tables.h"
#include "game/cow.h"
#include "game/object_kinds.h"
#include "models/draw_behaviours.h"
#include "render/camera.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

namespace {

// The scene the tiles look into, two characters per cell.
const char* const kGalleryMap[] = {
    ". . . . . . . . . . . . . . . . . . . . . . . . ",
    ". .#.#.#.#. . . . .#. . . . . . . . . . . . . . ",
    ". . . . .#. . . . . . . . .F.F.F.#. . . . . . . ",
    ". . . . .#. . . . . . . . . . . . . . . . . . . ",
    ". . . . . . . .T.#.#. . . .\\.\\. . . . . . . . . ",
    ". . . . . . . . . . . . . . . . . . . . . . . . ",
    ". . . . . . . . . . . . . ./. . . . . . . . . . ",
    ". . . . . . . . . . . . . ./. . . . . . . . . . ",
    ". . .1. . . . . . . . . . . . . . . . .2. . . . ",
    ". . . . . . . . . . . . . . . . . . . . . . . . ",
};

// Without the game's image reader (or before it exists) the gallery reads
// the generator's plain 24-bit BMPs itself, so the models can be seen textured.
unsigned readPlainBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return 0;
    auto u32 = [&](size_t o) { return bytes[o] | bytes[o + 1] << 8 | bytes[o + 2] << 16 | unsigned(bytes[o + 3]) << 24; };
    const unsigned offset = u32(10);
    const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
    const int bpp = bytes[28] | bytes[29] << 8;
    if (bpp != 24 || u32(30) != 0 || w <= 0 || h <= 0) return 0;
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t(3);
    if (offset + stride * h > bytes.size()) return 0;
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                rgb[(static_cast<size_t>(y) * w + x) * 3 + c] = bytes[offset + y * stride + x * 3 + (2 - c)];
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return name;
}

void loadTextures() {
    loadObjectTextures();
    loadCowTextures();
    const char* files[kObjectTextureSlots] = {
        "tritree64", "bark64", "cowspots", "white", "horns", "cowhide", "hayround", "hay2B", "rock1",
        "rock2", "rock3", "big_pillx", "head_pillx2", "snail1", "silo1", "silo_top", "blank", "Barn"};
    for (int i = 0; i < kObjectTextureSlots; ++i)
        if (objectTextures[i] == 0) objectTextures[i] = readPlainBmp(std::string("textures/") + files[i] + ".bmp");
}

struct Tile {
    const char* label;
    float x, y;              // the point looked at (cells)
    double distance;         // eye distance (cells)
    int azimuth, elevation;  // as the game's camera angles
    double lookHeight;
    std::function<void()> draw;
};

// Draws the object of one cell the way the game's object pass does.
void drawCellObject(int column, int row) {
    WorldObject* o = objectAt(column, row);
    if (!o || !o->draw) return;
    glPushMatrix();
    glTranslatef(static_cast<float>(column), static_cast<float>(row), 0);
    glTranslatef(0.5f, 0.5f, 0);
    o->draw(column, row);
    glPopMatrix();
}

// A model placed at a cell without being on the map.
void drawAt(float x, float y, void (*draw)(int, int)) {
    glPushMatrix();
    glTranslatef(x, y, 0);
    draw(0, 0);
    glPopMatrix();
}

void drawCellsAround(int c0, int r0, int c1, int r1) {
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) drawCellObject(c, r);
}

void drawFloor(float x, float y, float half) {
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (int i = -static_cast<int>(half); i < static_cast<int>(half); ++i)
        for (int j = -static_cast<int>(half); j < static_cast<int>(half); ++j) {
            const float g = ((i + j) & 1) ? 0.35f : 0.45f;
            glColor3f(g * 0.8f, g, g * 0.6f);
            const float fx = std::floor(x) + i, fy = std::floor(y) + j;
            glVertex3f(fx, fy, -0.001f);
            glVertex3f(fx + 1, fy, -0.001f);
            glVertex3f(fx + 1, fy + 1, -0.001f);
            glVertex3f(fx, fy + 1, -0.001f);
        }
    glEnd();
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
}

void setCow(Cow* cow, float x, float y, int heading, bool stunned) {
    cow->x = x;
    cow->y = y;
    cow->heading = heading;
    cow->stunned = stunned;
    cow->jumping = 0;
}

std::vector<Tile> tilesForPage(int page) {
    std::vector<Tile> t;
    auto cow1 = [](float x, float y, int heading, bool stunned, float scale) {
        return [=] {
            glDisable(GL_TEXTURE_2D);
            setCow(world.cow1, x, y, heading, stunned);
            cow1Scale = scale;
            drawCow1(0, 0);
        };
    };
    auto cow2 = [](float x, float y, int heading, bool stunned, float scale) {
        return [=] {
            glDisable(GL_TEXTURE_2D);
            setCow(world.cow2, x, y, heading, stunned);
            cow2Scale = scale;
            drawCow2(0, 0);
        };
    };
    if (page == 0) {
        t.push_back({"cow1 side", 3.0f, 8.5f, 4, 0, 5, 1.0, cow1(2.5f, 8.5f, 0, false, kCow1NormalScale)});
        t.push_back({"cow1 game view", 3.0f, 8.5f, 5, -20, 70, 0.5, cow1(2.5f, 8.5f, 0, false, kCow1NormalScale)});
        t.push_back({"cow1 grown h45", 2.5f, 8.5f, 6, -20, 40, 1.0, cow1(2.5f, 8.5f, 45, false, kCow1GrownScale)});
        t.push_back({"cow1 stunned", 2.5f, 8.5f, 5, -20, 40, 0.5, cow1(2.5f, 8.5f, 0, true, kCow1NormalScale)});
        t.push_back({"cow1 from -x", 2.5f, 8.5f, 4, 90, 10, 1.0, cow1(2.5f, 8.5f, 0, false, kCow1NormalScale)});
        t.push_back({"cow1 top", 3.0f, 8.5f, 4, 0, 89, 0.5, cow1(2.5f, 8.5f, 0, false, kCow1NormalScale)});
        t.push_back({"cow2 side", 19.5f, 8.5f, 4, 0, 5, 1.0, cow2(19.5f, 8.5f, 0, false, kCow2NormalScale)});
        t.push_back({"cow2 game view", 19.5f, 8.5f, 4, -20, 70, 0.5, cow2(19.5f, 8.5f, 0, false, kCow2NormalScale)});
        t.push_back({"cow2 grown h45", 19.5f, 8.5f, 6, -20, 40, 1.0, cow2(19.5f, 8.5f, 45, false, kCow2GrownScale)});
        t.push_back({"cow2 stunned", 19.5f, 8.5f, 4, -20, 40, 0.5, cow2(19.5f, 8.5f, 0, true, kCow2NormalScale)});
        t.push_back({"cow2 from -x", 19.5f, 8.5f, 4, 90, 10, 1.0, cow2(19.5f, 8.5f, 0, false, kCow2NormalScale)});
        t.push_back({"cow2 top", 19.5f, 8.5f, 4, 0, 89, 0.5, cow2(19.5f, 8.5f, 0, false, kCow2NormalScale)});
    } else if (page == 1) {
        t.push_back({"hay bale", 0.5f, 0.5f, 2.2, -20, 30, 0.4, [] { drawAt(0.5f, 0.5f, drawHayBale); }});
        t.push_back({"hay bale side", 0.5f, 0.5f, 2.2, 0, 0, 0.6, [] { drawAt(0.5f, 0.5f, drawHayBale); }});
        t.push_back({"pills + Y @", 2.5f, 0.5f, 3, -20, 30, 0.8, [] {
                         placeObject('+', 1, 0);
                         placeObject('Y', 2, 0);
                         placeObject('@', 3, 0);
                         drawCellsAround(1, 0, 3, 0);
                     }});
        t.push_back({"syringe", 0.5f, 0.5f, 2.5, -20, 50, 0.5, [] { drawAt(0.5f, 0.5f, drawSyringe); }});
        t.push_back({"tree", 0.5f, 0.5f, 7, -20, 20, 2.0, [] {
             glTranslatef(-7, -4, 0);
             drawCellObject(7, 4);
         }});
        t.push_back({"tree top", 0.5f, 0.5f, 7, 0, 89, 2.0, [] {
             glTranslatef(-7, -4, 0);
             drawCellObject(7, 4);
         }});
        t.push_back({"rock", 0.5f, 0.5f, 2, -20, 40, 0.2, [] { drawAt(0.5f, 0.5f, drawRock); }});
        t.push_back({"default cube", 0.5f, 0.5f, 2, -20, 30, 0.0, [] { drawAt(0.5f, 0.5f, drawDefaultObject); }});
        t.push_back({"marker beam", 0.0f, 0.0f, 14, -20, 30, 4.0, [] { drawMarkerBeam(camera.cameraDistance); }});
        t.push_back({"fence # line x + y corner", 3.0f, 2.0f, 6, -20, 45, 0.0, [] { drawCellsAround(0, 0, 6, 4); }});
        t.push_back({"F line + # beside F", 15.0f, 2.5f, 5, -20, 35, 0.5, [] { drawCellsAround(12, 0, 18, 4); }});
        t.push_back({"tree beside # #; lone #", 8.5f, 3.0f, 6, -20, 40, 0.5, [] { drawCellsAround(6, 0, 10, 5); }});
    } else if (page == 3) {
        t.push_back({"cow1 close, side", 3.1f, 8.5f, 3.6, 0, 3, 0.6, cow1(2.5f, 8.5f, 0, false, kCow1NormalScale)});
        t.push_back({"cow1 close, head", 3.65f, 8.5f, 1.3, -60, 10, 1.0, cow1(2.5f, 8.5f, 0, false, kCow1NormalScale)});
        t.push_back({"cow2 close, side", 19.7f, 8.5f, 3.6, 0, 3, 0.7, cow2(19.5f, 8.5f, 0, false, kCow2NormalScale)});
        t.push_back({"cow2 close, head", 20.1f, 8.5f, 1.4, -60, 10, 1.3, cow2(19.5f, 8.5f, 0, false, kCow2NormalScale)});
    } else {
        t.push_back({"gates closed", 13.5f, 5.5f, 5, -20, 45, 0.5, [] {
                         world.cow1->gateOpen = 0;
                         world.cow2->gateOpen = 0;
                         drawCellsAround(12, 3, 15, 8);
                     }});
        t.push_back({"gates open", 13.5f, 5.5f, 5, -20, 45, 0.5, [] {
                         world.cow1->gateOpen = 1;
                         world.cow2->gateBroken = 1;
                         drawCellsAround(12, 3, 15, 8);
                         world.cow1->gateOpen = 0;
                         world.cow2->gateBroken = 0;
                     }});
        t.push_back({"barn game view", 0.5f, 0.5f, 14, -20, 60, 1.0, [] { drawAt(0.5f, 0.5f, drawBarn); }});
        t.push_back({"barn from +x", 0.5f, 0.5f, 14, 90, 10, 1.5, [] { drawAt(0.5f, 0.5f, drawBarn); }});
        t.push_back({"gates closed, side", 13.5f, 5.5f, 5, 0, 5, 1.0, [] {
                         world.cow1->gateOpen = 0;
                         world.cow2->gateOpen = 0;
                         drawCellsAround(12, 3, 15, 8);
                     }});
        t.push_back({"barn top", 0.5f, 0.5f, 14, 0, 89, 1.5, [] { drawAt(0.5f, 0.5f, drawBarn); }});
        t.push_back({"silo game view", 0.5f, 0.5f, 12, -20, 60, 2.0, [] { drawAt(0.5f, 0.5f, drawSilo); }});
        t.push_back({"silo from +y", 0.5f, 0.5f, 12, 0, 10, 3.0, [] { drawAt(0.5f, 0.5f, drawSilo); }});
        t.push_back({"silo from -y", 0.5f, 0.5f, 12, 180, 10, 3.0, [] { drawAt(0.5f, 0.5f, drawSilo); }});
        t.push_back({"cow1 in barn", 0.5f, 0.5f, 14, -20, 70, 1.0, [] {
                         // The frame draws the cows before the objects.
                         setCow(world.cow1, 0.5f, 0.5f, 0, false);
                         cow1Scale = kCow1NormalScale;
                         glDisable(GL_TEXTURE_2D);
                         drawCow1(0, 0);
                         glEnable(GL_TEXTURE_2D);
                         glColor3f(1, 1, 1);
                         drawAt(0.5f, 0.5f, drawBarn);
                     }});
        t.push_back({"cows side by side", 11.0f, 8.5f, 4, -20, 20, 0.8, [] {
                         cow1Scale = kCow1NormalScale;
                         cow2Scale = kCow2NormalScale;
                         setCow(world.cow1, 10.0f, 8.5f, 0, false);
                         setCow(world.cow2, 12.0f, 8.5f, 0, false);
                         drawCow1(0, 0);
                         drawCow2(0, 0);
                     }});
        t.push_back({"hay, syringe, cube: colour carried over", 1.5f, 0.5f, 3, -20, 40, 0.5, [] {
                         drawAt(0.5f, 0.5f, drawHayBale);
                         drawAt(1.5f, 0.5f, drawSyringe);
                         drawAt(2.5f, 0.5f, drawDefaultObject);
                     }});
    }
    return t;
}

int galleryPage = 0;
const int kWindowWidth = 1024, kWindowHeight = 768;
// Close-ups (page 3) take four large tiles, the other pages twelve.
int columns() { return galleryPage == 3 ? 2 : 4; }
int tileSize() { return galleryPage == 3 ? 384 : 256; }

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::vector<Tile> tiles = tilesForPage(galleryPage);
    for (size_t i = 0; i < tiles.size(); ++i) {
        const Tile& tile = tiles[i];
        const int tile_ = tileSize();
        const int col = static_cast<int>(i) % columns(), row = static_cast<int>(i) / columns();
        glViewport(col * tile_ + 1, kWindowHeight - (row + 1) * tile_ + 1, tile_ - 2, tile_ - 2);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(50.0, 1.0, 0.1, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // The game's camera formula, so "right" on screen is +x as in play.
        const double a = tile.azimuth * 0.0174532925, b = tile.elevation * 0.0174532925, d = tile.distance;
        gluLookAt(d * std::sin(a) * std::cos(b) - tile.x, d * std::cos(a) * std::cos(b) + tile.y,
                  d * std::sin(b) + tile.lookHeight, -tile.x, tile.y, tile.lookHeight, 0, 0, 1);
        glScalef(-1, 1, 1);
        drawFloor(tile.x, tile.y, 8);
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        GLint depthBefore = 0, attribBefore = 0, depthAfter = 0, attribAfter = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
        glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribBefore);
        glPushMatrix();
        tile.draw();
        glPopMatrix();
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
        glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribAfter);
        // A model that leaves the stacks unbalanced or raises a GL error is
        // broken however it looks.
        const GLenum error = glGetError();
        if (depthAfter != depthBefore || attribAfter != attribBefore || error != GL_NO_ERROR)
            std::printf("PROBLEM in tile %zu (%s): matrix depth %d -> %d, attrib depth %d -> %d, GL error 0x%x\n", i,
                        tile.label, depthBefore, depthAfter, attribBefore, attribAfter, error);
        glDisable(GL_TEXTURE_2D);
    }
    glutSwapBuffers();
    static bool reported = false;
    if (!reported) {
        reported = true;
        for (size_t i = 0; i < tiles.size(); ++i) std::printf("tile %zu: %s\n", i, tiles[i].label);
        std::fflush(stdout);
    }
}

// Times each model drawn many times over in one game-sized half, so the
// cost of a busy viewport under the software renderer can be judged.
void timeModels() {
    struct Timed {
        const char* name;
        std::function<void()> draw;
    };
    const std::vector<Timed> models = {
        {"cow1", [] { drawCow1(0, 0); }},
        {"cow2", [] { drawCow2(0, 0); }},
        {"hay bale", [] { drawHayBale(0, 0); }},
        {"pill", [] {
             glTranslatef(-1, -0, 0);
             drawCellObject(1, 0);
         }},
        {"syringe", [] { drawSyringe(0, 0); }},
        {"tree", [] {
             glTranslatef(-7, -4, 0);
             drawCellObject(7, 4);
         }},
        {"rock", [] { drawRock(0, 0); }},
        {"fence (line)", [] {
             glTranslatef(-2, -1, 0);
             drawCellObject(2, 1);
         }},
        {"gate", [] {
             glTranslatef(-13, -4, 0);
             drawCellObject(13, 4);
         }},
        {"barn", [] { drawBarn(0, 0); }},
        {"silo", [] { drawSilo(0, 0); }},
        {"marker beam", [] { drawMarkerBeam(camera.cameraDistance); }},
    };
    placeObject('+', 1, 0);
    setCow(world.cow1, 2.5f, 8.5f, 0, false);
    setCow(world.cow2, 19.5f, 8.5f, 0, false);
    const int repeats = 50;
    glViewport(0, 0, 400, 600);
    for (const Timed& m : models) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 400.0 / 600.0, 1.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(-3.0, 9.4, 9.4, 0, 6, 2, 0, 0, 1);
        glScalef(-1, 1, 1);
        glFinish();
        const int start = glutGet(GLUT_ELAPSED_TIME);
        for (int i = 0; i < repeats; ++i) {
            glPushMatrix();
            glTranslatef(0.5f, 6.5f, 0);
            m.draw();
            glPopMatrix();
        }
        glFinish();
        const int elapsed = glutGet(GLUT_ELAPSED_TIME) - start;
        std::printf("%-14s %7.3f ms per draw\n", m.name, static_cast<double>(elapsed) / repeats);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc > 1) galleryPage = std::atoi(argv[1]);
    openGameWindow("Model gallery", kWindowWidth, kWindowHeight);
    loadTextures();
    std::string map;
    for (const char* line : kGalleryMap) map += std::string(line) + "\n";
    MapLoadResult r = readMapFromBytes(map, "gallery.map");
    if (!r.ok || !world.cow1 || !world.cow2) {
        std::fprintf(stderr, "gallery map did not load: %s\n", r.message.c_str());
        return 1;
    }
    setGameGlState();
    if (argc > 1 && std::string(argv[1]) == "time") {
        timeModels();
        return 0;
    }
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
