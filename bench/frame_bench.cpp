// What a frame costs, in one run of the real game's frame under the X server
// in DISPLAY (Xvfb, to measure Mesa's software renderer), on the map in the
// working directory, both cows driven by scripted keys:
//
//   cd build/data && ../bench/frame_bench [FRAMES] [SECONDS]   (defaults 600, 10)
//
// 1. the splash, paced as the game paces it, for SECONDS: its share of a core;
// 2. FRAMES playing frames back to back (after a warm-up), each the display
//    callback's whole work (clear, both cow updates, both halves, the swap)
//    plus a glFinish: processor time per frame for all threads, for the
//    game's own thread, and for the rest (Mesa's rasteriser threads);
// 3. 100 more playing frames with fragment counters around each pass (where
//    the build has them): fragments shaded and fragments that passed the
//    depth test, per frame;
// 4. play, paced as the game paces it, for SECONDS: its share of a core and
//    the frame pace (gaps between frames).
//
// Each figure is printed on a line "bench NAME VALUE" (bench/compare.sh reads
// those), after a readable report. Medians are over frames.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>
#include <GL/glext.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/game_app.h"
#include "app/startup.h"
#include "platform/keys.h"
#include "ui/hud_state.h"
#include "world/world_grid.h"

#if __has_include("render/world_passes.h")
#include "render/playing_frame.h"
#define HAVE_PASS_HOOK 1
#endif
#if __has_include("game/rules.h")
#define HAVE_SKIP_INTRODUCTION 1
#endif

namespace {

constexpr int kWarmup = 60;
constexpr int kFragmentFrames = 100;
int measuredFrames = 600;
double pacedSeconds = 10.0;
ScriptedKeys keys;
int scriptFrame = 0;

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

double clockMs(clockid_t clock) {
    timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double processMs() { return clockMs(CLOCK_PROCESS_CPUTIME_ID); }
double threadMs() { return clockMs(CLOCK_THREAD_CPUTIME_ID); }
double wallMs() { return clockMs(CLOCK_MONOTONIC); }

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * (v.size() - 1) + 0.5)];
}

void figure(const char* name, double value) { std::printf("bench %s %.3f\n", name, value); }

void summarise(const char* title, const char* name, const std::vector<double>& v) {
    double sum = 0;
    for (double s : v) sum += s;
    std::printf("%s: median %.2f ms, p95 %.2f ms, mean %.2f ms\n", title, percentile(v, 0.5), percentile(v, 0.95),
                sum / v.size());
    figure(name, percentile(v, 0.5));
}

// Fragment counters by pass.
#ifdef HAVE_PASS_HOOK
constexpr int kPasses = 5;
const char* const kPassNames[kPasses] = {"hud", "cows", "ground", "objects", "beams"};
#else
constexpr int kPasses = 1;
const char* const kPassNames[kPasses] = {"frame"};
#endif
GLuint shadedQuery[kPasses], passedQuery[kPasses], primitiveQuery[kPasses];
double shadedThisFrame[kPasses], passedThisFrame[kPasses], primitivesThisFrame[kPasses];
double ownMsThisFrame[kPasses], rasterMsThisFrame[kPasses];
std::vector<double> shaded[kPasses], passed[kPasses], primitives[kPasses], ownMs[kPasses], rasterMs[kPasses];
bool counting = false;
double passCpu0, passThread0;

// Each pass is finished on its own while counting, so the processor time the
// renderer's threads spend between its start and its end is that pass's.
void beginCount(int pass) {
    glFinish();
    passCpu0 = processMs();
    passThread0 = threadMs();
    glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, shadedQuery[pass]);
    glBeginQuery(GL_SAMPLES_PASSED, passedQuery[pass]);
    glBeginQuery(GL_CLIPPING_INPUT_PRIMITIVES_ARB, primitiveQuery[pass]);
}
void endCount(int pass) {
    glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
    glEndQuery(GL_SAMPLES_PASSED);
    glEndQuery(GL_CLIPPING_INPUT_PRIMITIVES_ARB);
    glFinish();
    const double all = processMs() - passCpu0, own = threadMs() - passThread0;
    ownMsThisFrame[pass] += own;
    rasterMsThisFrame[pass] += all - own;
    GLuint64 n = 0;
    glGetQueryObjectui64v(shadedQuery[pass], GL_QUERY_RESULT, &n);
    shadedThisFrame[pass] += static_cast<double>(n);
    glGetQueryObjectui64v(passedQuery[pass], GL_QUERY_RESULT, &n);
    passedThisFrame[pass] += static_cast<double>(n);
    glGetQueryObjectui64v(primitiveQuery[pass], GL_QUERY_RESULT, &n);
    primitivesThisFrame[pass] += static_cast<double>(n);
}

#ifdef HAVE_PASS_HOOK
void passHook(FramePass pass, bool begin) {
    if (!counting) return;
    if (begin) beginCount(static_cast<int>(pass));
    else endCount(static_cast<int>(pass));
}
#endif

enum class Stage { Splash, Warmup, Work, Fragments, Play, Done };
Stage stage = Stage::Splash;
int stageFrames = 0;
double stageWallStart = 0, stageCpuStart = 0;
std::vector<double> workAll, workThread, workOthers, gaps;
double lastDisplayWall = 0;
double splashShare = 0, playShare = 0;

void startStage(Stage s) {
    stage = s;
    stageFrames = 0;
    stageWallStart = wallMs();
    stageCpuStart = processMs();
    lastDisplayWall = 0;
    app.phase = s == Stage::Splash ? GamePhase::Splash : GamePhase::Playing;
    const bool paced = s == Stage::Splash || s == Stage::Play;
    glutIdleFunc(paced ? idlePace : nullptr);
    if (!paced) glutPostRedisplay();
}

double shareSinceStageStart() { return 100.0 * (processMs() - stageCpuStart) / (wallMs() - stageWallStart); }

void report() {
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("window: %dx%d\n", app.windowWidth, app.windowHeight);
    std::printf("cow 1 at (%.2f, %.2f), cow 2 at (%.2f, %.2f)\n", world.cow1->x, world.cow1->y, world.cow2->x,
                world.cow2->y);
    std::printf("playing frames back to back: %zu (after %d warm-up)\n", workAll.size(), kWarmup);
    summarise("processor time per frame, all threads", "cpu_all_ms", workAll);
    summarise("  the game's own thread", "cpu_game_thread_ms", workThread);
    summarise("  the other threads (Mesa's rasteriser)", "cpu_raster_threads_ms", workOthers);
    std::printf("by pass over %d frames (medians), each pass finished on its own:\n", kFragmentFrames);
    std::printf("  %-8s %9s %9s %9s %9s %9s\n", "pass", "shaded", "passed", "primitives", "own ms", "raster ms");
    double totalShaded = 0, totalPassed = 0, totalPrimitives = 0;
    for (int p = 0; p < kPasses; ++p) {
        const double s = percentile(shaded[p], 0.5), d = percentile(passed[p], 0.5);
        const double t = percentile(primitives[p], 0.5);
        const double own = percentile(ownMs[p], 0.5), raster = percentile(rasterMs[p], 0.5);
        totalShaded += s;
        totalPassed += d;
        totalPrimitives += t;
        std::printf("  %-8s %9.0f %9.0f %9.0f %9.2f %9.2f\n", kPassNames[p], s, d, t, own, raster);
        const std::string name(kPassNames[p]);
        figure(("fragments_shaded_" + name).c_str(), s);
        figure(("fragments_passed_" + name).c_str(), d);
        figure(("primitives_" + name).c_str(), t);
        figure(("pass_game_thread_ms_" + name).c_str(), own);
        figure(("pass_raster_ms_" + name).c_str(), raster);
    }
    std::printf("  %-8s %9.0f %9.0f %9.0f\n", "sum", totalShaded, totalPassed, totalPrimitives);
    figure("fragments_shaded_sum", totalShaded);
    figure("primitives_sum", totalPrimitives);
    std::printf("splash, paced: %.1f%% of a core\n", splashShare);
    figure("splash_cpu_share_pct", splashShare);
    std::printf("play, paced: %.1f%% of a core\n", playShare);
    figure("play_cpu_share_pct", playShare);
    size_t late = 0;
    for (double g : gaps) late += g >= 52.0;
    const double latePct = gaps.empty() ? 0 : 100.0 * late / gaps.size();
    std::printf("frame pace in play: %zu gaps, median %.2f ms, p95 %.2f ms, %.1f%% at 52 ms or more\n", gaps.size(),
                percentile(gaps, 0.5), percentile(gaps, 0.95), latePct);
    figure("pace_median_ms", percentile(gaps, 0.5));
    figure("pace_p95_ms", percentile(gaps, 0.95));
    figure("pace_late_pct", latePct);
}

void display() {
    const double wall = wallMs();
    if (stage == Stage::Play && lastDisplayWall > 0) gaps.push_back(wall - lastDisplayWall);
    lastDisplayWall = wall;
    if (stage != Stage::Splash) scriptKeys(scriptFrame++);
    const bool timed = stage == Stage::Work;
    const double cpu0 = processMs(), thread0 = threadMs();
    counting = stage == Stage::Fragments;
    for (int p = 0; p < kPasses; ++p)
        shadedThisFrame[p] = passedThisFrame[p] = primitivesThisFrame[p] = ownMsThisFrame[p] = rasterMsThisFrame[p] = 0;
#ifndef HAVE_PASS_HOOK
    if (counting) beginCount(0);
#endif
    displayFrame();
    glFinish();
#ifndef HAVE_PASS_HOOK
    if (counting) endCount(0);
#endif
    if (timed) {
        const double all = processMs() - cpu0, own = threadMs() - thread0;
        workAll.push_back(all);
        workThread.push_back(own);
        workOthers.push_back(all - own);
    }
    if (counting)
        for (int p = 0; p < kPasses; ++p) {
            shaded[p].push_back(shadedThisFrame[p]);
            passed[p].push_back(passedThisFrame[p]);
            primitives[p].push_back(primitivesThisFrame[p]);
            ownMs[p].push_back(ownMsThisFrame[p]);
            rasterMs[p].push_back(rasterMsThisFrame[p]);
        }
    ++stageFrames;
    switch (stage) {
    case Stage::Splash:
        if (wallMs() - stageWallStart >= pacedSeconds * 1000) {
            splashShare = shareSinceStageStart();
            startStage(Stage::Warmup);
            return;
        }
        break;
    case Stage::Warmup:
        if (stageFrames == kWarmup) startStage(Stage::Work);
        else glutPostRedisplay();
        return;
    case Stage::Work:
        if (stageFrames == measuredFrames) startStage(Stage::Fragments);
        else glutPostRedisplay();
        return;
    case Stage::Fragments:
        if (stageFrames == kFragmentFrames) startStage(Stage::Play);
        else glutPostRedisplay();
        return;
    case Stage::Play:
        if (wallMs() - stageWallStart >= pacedSeconds * 1000) {
            playShare = shareSinceStageStart();
            report();
            std::exit(0);
        }
        break;
    case Stage::Done: break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc > 1) measuredFrames = std::max(1, std::atoi(argv[1]));
    if (argc > 2) pacedSeconds = std::max(1.0, std::atof(argv[2]));
    openGameWindow("Hoofbrawl frame bench");
    startGame(keys);
    glGenQueries(kPasses, shadedQuery);
    glGenQueries(kPasses, passedQuery);
    glGenQueries(kPasses, primitiveQuery);
#ifdef HAVE_PASS_HOOK
    framePassHook = passHook;
#endif
    // Play as it looks once the introduction is over.
#ifdef HAVE_SKIP_INTRODUCTION
    skipIntroduction();
#else
    introCallCount = 200;  // an older tree, before the introduction's length had a name
#endif
    startStage(Stage::Splash);
    runGameLoop(display, idlePace);
}
