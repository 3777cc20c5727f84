// Times the work of one playing frame as the display callback does it: the
// clear, both cow updates, both halves, the buffer swap and a glFinish, with
// both cows driven by scripted keys on the map in the working directory.
//
//   cd build/data && ../bench/frame_bench [FRAMES]      (default 600)
//
// Prints the median, 95th percentile, mean and maximum in milliseconds of wall
// time, and the same of the process's processor time (all threads, so Mesa's
// rasteriser threads count too), which stays honest on a loaded machine where
// wall time also counts waiting for a core. Also the GL renderer and how far
// the cows went. Run it under Xvfb to measure Mesa's software renderer.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "platform/keys.h"
#include "render/playing_frame.h"
#include "ui/hud_state.h"
#include "world/world_grid.h"

namespace {

constexpr int kWarmup = 60;
int measuredFrames = 600;
int frame = 0;
std::vector<double> samples;
std::vector<double> cpuSamples;
double travelled[2] = {0, 0};
ScriptedKeys keys;

// On the shipped map each cow starts in its yard with its gate toward the
// middle: first both walk out through their gates, then round and round in
// boxes over the open field (now and then jumping), so that they keep moving
// and the view keeps changing.
void scriptKeys(int i) {
    keys.releaseAll();
    if (i < 120) {
        keys.press(vk::Left);
        keys.press(vk::D);
    } else {
        static const uint32_t box1[4] = {vk::Up, vk::Left, vk::Down, vk::Right};
        static const uint32_t box2[4] = {vk::W, vk::D, vk::S, vk::A};
        keys.press(box1[((i - 120) / 50) % 4]);
        keys.press(box2[((i - 120) / 60) % 4]);
    }
    if (i % 90 == 45) keys.press(vk::RShift);
    if (i % 110 == 60) keys.press(vk::LShift);
}

double cpuMs() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * (v.size() - 1) + 0.5);
    return v[i];
}

void summarise(const char* what, const std::vector<double>& v) {
    double sum = 0, worst = 0;
    for (double s : v) sum += s, worst = std::max(worst, s);
    std::printf("%s: median %.2f ms, p95 %.2f ms, mean %.2f ms, max %.2f ms\n", what, percentile(v, 0.5),
                percentile(v, 0.95), sum / v.size(), worst);
}

void report() {
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("window: %dx%d, frames: %zu (after %d warm-up)\n", app.windowWidth, app.windowHeight,
                samples.size(), kWarmup);
    std::printf("cow 1 at (%.2f, %.2f), cow 2 at (%.2f, %.2f)\n", world.cow1->x, world.cow1->y, world.cow2->x,
                world.cow2->y);
    std::printf("distance walked: cow 1 %.1f cells, cow 2 %.1f cells\n", travelled[0], travelled[1]);
    summarise("frame work, wall time", samples);
    summarise("frame work, processor time", cpuSamples);
}

void display() {
    scriptKeys(frame);
    const float before[4] = {world.cow1->x, world.cow1->y, world.cow2->x, world.cow2->y};
    const double cpuStart = cpuMs();
    auto start = std::chrono::steady_clock::now();
    beginFrame();
    drawPlayingFrame();
    glutSwapBuffers();
    glFinish();
    auto end = std::chrono::steady_clock::now();
    const double cpuEnd = cpuMs();
    if (frame >= kWarmup) {
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        cpuSamples.push_back(cpuEnd - cpuStart);
        travelled[0] += std::hypot(world.cow1->x - before[0], world.cow1->y - before[1]);
        travelled[1] += std::hypot(world.cow2->x - before[2], world.cow2->y - before[3]);
    }
    ++frame;
    if (frame == kWarmup + measuredFrames) {
        report();
        std::exit(0);
    }
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc > 1) measuredFrames = std::max(1, std::atoi(argv[1]));
    openGameWindow("Hoofbrawl frame bench");
    startGame(keys);
    // Play as it looks once the introduction is over.
    skipIntroduction();
    app.phase = GamePhase::Playing;
    runGameLoop(display, nullptr);
}
