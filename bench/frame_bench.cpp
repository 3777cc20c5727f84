// Times the work of one playing frame as the display callback does it: the
// clear, both cow updates, both halves, the buffer swap and a glFinish, with
// both cows driven by scripted keys on the map in the working directory.
//
//   cd build/data && ../bench/frame_bench [FRAMES]      (default 600)
//
// Prints the median, 95th percentile, mean and maximum in milliseconds and the
// GL renderer. Run it under Xvfb to measure Mesa's software renderer.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/app_state.h"
#include "app/game_app.h"
#include "platform/keys.h"
#include "render/playing_frame.h"
#include "ui/hud_state.h"
#include "world/world_grid.h"

namespace {

constexpr int kWarmup = 30;
int measuredFrames = 600;
int frame = 0;
std::vector<double> samples;
ScriptedKeys keys;

// Both cows run forward all the time and turn in bursts, so they roam the map
// instead of standing at a fence; now and then they jump.
void scriptKeys(int i) {
    keys.releaseAll();
    keys.press(vk::Up);
    keys.press(vk::W);
    if ((i / 25) % 3 == 0) keys.press(vk::Left);
    if ((i / 35) % 3 == 1) keys.press(vk::D);
    if (i % 90 == 45) keys.press(vk::RShift);
    if (i % 110 == 60) keys.press(vk::LShift);
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * (v.size() - 1) + 0.5);
    return v[i];
}

void report() {
    double sum = 0, worst = 0;
    for (double s : samples) sum += s, worst = std::max(worst, s);
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("window: %dx%d, frames: %zu (after %d warm-up)\n", app.windowWidth, app.windowHeight,
                samples.size(), kWarmup);
    std::printf("cow 1 at (%.2f, %.2f), cow 2 at (%.2f, %.2f)\n", world.cow1->x, world.cow1->y, world.cow2->x,
                world.cow2->y);
    std::printf("frame work: median %.2f ms, p95 %.2f ms, mean %.2f ms, max %.2f ms\n",
                percentile(samples, 0.5), percentile(samples, 0.95), sum / samples.size(), worst);
}

void display() {
    scriptKeys(frame);
    auto start = std::chrono::steady_clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    drawPlayingFrame();
    glutSwapBuffers();
    glFinish();
    auto end = std::chrono::steady_clock::now();
    if (frame >= kWarmup) samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    ++frame;
    if (frame == kWarmup + measuredFrames) {
        report();
        std::exit(0);
    }
    glutPostRedisplay();
}

void reshape(int w, int h) {
    app.windowWidth = w;
    app.windowHeight = h;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc > 1) measuredFrames = std::max(1, std::atoi(argv[1]));
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Hoofbrawl frame bench");
    setKeySource(&keys);
    initGame();
    // Play as it looks once the introduction is over.
    introCallCount = 200;
    app.phase = GamePhase::Playing;
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMainLoop();
    return 0;
}
