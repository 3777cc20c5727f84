// Draws real playing frames of a scene set up from the command line and
// writes the last one to a PPM file, for looking at the 3D frame and for
// reference pictures. Runs the game's own start-up in a data directory.
//
//   scene_shot --data DIR --out FILE.ppm [--map FILE] [--frames N]
//              [--cow1 X,Y[,HEADING]] [--cow2 X,Y[,HEADING]]
//              [--jump1 PHASE] [--jump2 PHASE] [--stun1] [--stun2] [--grow1] [--grow2]
//              [--gate1] [--gate2] [--camera DIST,AZIMUTH,ELEVATION]
//              [--keys K1,K2,...] [--intro] [--size WxH] [--phase splash|title|play]
//              [--hay1 CARRIED,STORED] [--hay2 CARRIED,STORED] [--energy1 E] [--energy2 E]
//              [--syringe1] [--syringe2] [--win1] [--win2]
//   scene_shot --data DIR --check-skippable
//
// Keys are virtual-key names held for every frame: Up Down Left Right W A S D
// LShift RShift LControl RControl F1 F12 U O I K J L. Without --intro the
// introduction is taken as over, so the regular HUD shows. The phase runs
// through the game's own phase machine (default: play); --size sets the
// window (default 800x600).
#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "game/step.h"
#include "app/app_state.h"
#include "app/phases.h"
#include "app/startup.h"
#include "game/actions.h"
#include "game/cow.h"
#include "game/rules.h"
#include "platform/keys.h"
#include "render/camera.h"
#include "render/playing_frame.h"
#include "render/screens.h"
#include "render/world_passes.h"
#include "ui/hud_state.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

namespace {

struct CowSetup {
    bool place = false;
    float x = 0, y = 0;
    int heading = 0;
    bool headingGiven = false;
    float jump = -1;
    bool stun = false, grow = false, gate = false;
    int hayCarried = -1, hayStored = -1;
    float energy = -1;
    bool syringe = false, win = false;
};

struct Options {
    std::string data, out, map;
    int frames = 1;
    CowSetup cow[2];
    bool cameraGiven = false;
    int distance = 10, azimuth = -20, elevation = 70;
    std::vector<uint32_t> keys;
    bool intro = false;
    bool checkSkippable = false;
    int width = 800, height = 600;
    GamePhase phase = GamePhase::Playing;
};

Options opts;
ScriptedKeys scripted;
int framesDrawn = 0;

[[noreturn]] void usage(const char* why) {
    std::fprintf(stderr, "scene_shot: %s\n", why);
    std::exit(2);
}

uint32_t keyByName(const std::string& n) {
    static const std::map<std::string, uint32_t> names = {
        {"Up", vk::Up}, {"Down", vk::Down}, {"Left", vk::Left}, {"Right", vk::Right},
        {"W", vk::W}, {"A", vk::A}, {"S", vk::S}, {"D", vk::D},
        {"LShift", vk::LShift}, {"RShift", vk::RShift}, {"LControl", vk::LControl},
        {"RControl", vk::RControl}, {"F1", vk::F1}, {"F12", vk::F12}, {"U", vk::U},
        {"O", vk::O}, {"I", vk::I}, {"K", vk::K}, {"J", vk::J}, {"L", vk::L}};
    auto it = names.find(n);
    if (it == names.end()) usage(("unknown key " + n).c_str());
    return it->second;
}

std::vector<std::string> split(const std::string& s) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = s.find(',', start);
        parts.push_back(s.substr(start, comma - start));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

void parse(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) usage(("missing value for " + a).c_str());
            return argv[++i];
        };
        if (a == "--data") opts.data = value();
        else if (a == "--out") opts.out = value();
        else if (a == "--map") opts.map = value();
        else if (a == "--frames") opts.frames = std::atoi(value().c_str());
        else if (a == "--cow1" || a == "--cow2") {
            CowSetup& c = opts.cow[a == "--cow2"];
            auto p = split(value());
            if (p.size() < 2) usage("cow position needs X,Y");
            c.place = true;
            c.x = std::strtof(p[0].c_str(), nullptr);
            c.y = std::strtof(p[1].c_str(), nullptr);
            if (p.size() > 2) c.heading = std::atoi(p[2].c_str()), c.headingGiven = true;
        } else if (a == "--jump1" || a == "--jump2") opts.cow[a == "--jump2"].jump = std::strtof(value().c_str(), nullptr);
        else if (a == "--stun1" || a == "--stun2") opts.cow[a == "--stun2"].stun = true;
        else if (a == "--grow1" || a == "--grow2") opts.cow[a == "--grow2"].grow = true;
        else if (a == "--gate1" || a == "--gate2") opts.cow[a == "--gate2"].gate = true;
        else if (a == "--camera") {
            auto p = split(value());
            if (p.size() != 3) usage("--camera needs DIST,AZIMUTH,ELEVATION");
            opts.cameraGiven = true;
            opts.distance = std::atoi(p[0].c_str());
            opts.azimuth = std::atoi(p[1].c_str());
            opts.elevation = std::atoi(p[2].c_str());
        } else if (a == "--keys") {
            for (auto& k : split(value())) opts.keys.push_back(keyByName(k));
        } else if (a == "--intro") opts.intro = true;
        else if (a == "--check-skippable") opts.checkSkippable = true;
        else if (a == "--size") {
            const std::string v = value();
            if (std::sscanf(v.c_str(), "%dx%d", &opts.width, &opts.height) != 2 || opts.width < 8 || opts.height < 8)
                usage("--size needs WxH");
        } else if (a == "--phase") {
            const std::string v = value();
            if (v == "splash") opts.phase = GamePhase::Splash;
            else if (v == "title") opts.phase = GamePhase::Title;
            else if (v == "play") opts.phase = GamePhase::Playing;
            else usage("--phase is splash, title or play");
        } else if (a == "--hay1" || a == "--hay2") {
            auto p = split(value());
            if (p.size() != 2) usage("--hay needs CARRIED,STORED");
            CowSetup& c = opts.cow[a == "--hay2"];
            c.hayCarried = std::atoi(p[0].c_str());
            c.hayStored = std::atoi(p[1].c_str());
        } else if (a == "--energy1" || a == "--energy2") opts.cow[a == "--energy2"].energy = std::strtof(value().c_str(), nullptr);
        else if (a == "--syringe1" || a == "--syringe2") opts.cow[a == "--syringe2"].syringe = true;
        else if (a == "--win1" || a == "--win2") opts.cow[a == "--win2"].win = true;
        else usage(("unknown option " + a).c_str());
    }
    if (opts.data.empty() || (opts.out.empty() && !opts.checkSkippable)) usage("--data and --out are required");
    if (opts.frames < 1) usage("--frames must be at least 1");
}

void applyCow(Cow* cow, const CowSetup& c, bool first) {
    if (c.place) {
        cow->x = c.x;
        cow->y = c.y;
        cow->prevX = c.x;
        cow->prevY = c.y;
    }
    if (c.headingGiven) cow->heading = c.heading;
    if (c.jump >= 0) {
        // In the air at this phase of the jump curve (90 is the top); the
        // next update takes the height from it.
        cow->jumping = 0;
        updateCowLevel(*cow);  // take off from the ground under the new position
        cow->jumping = 1;
        cow->jumpPhase = c.jump;
    }
    if (c.stun) {  // just knocked over
        cow->stunned = 1;
        cow->stunFrames = 0;
        cow->energy = 0.0f;
    }
    if (c.grow) {  // just after a growth pill
        cow->grown = 1;
        cow->energy = kGrowthPillEnergy;
        (first ? cow1Scale : cow2Scale) = first ? kCow1GrownScale : kCow2GrownScale;
    }
    // An open gate lasts one update unless the owner keeps touching it; a
    // broken one stays open, and is drawn the same way.
    if (c.gate) cow->gateBroken = 1;
    if (c.hayCarried >= 0) cow->hayCarried = c.hayCarried;
    if (c.hayStored >= 0) cow->hayStored = c.hayStored;
    if (c.energy >= 0) cow->energy = c.energy;
    if (c.syringe) cow->heldEffect = slowEffect;
    if (c.win) cow->winner = 1;
}

void fullWindowViewport() { glViewport(0, 0, app.windowWidth, app.windowHeight); }
void playingFrame() {
    stepPlayingFrameHeadless();
    drawPlayingFrame(app.windowWidth, app.windowHeight);
}
const PhaseDrawers kDrawers = {drawSplash, drawTitleScreen, playingFrame, fullWindowViewport};

void writeBackBuffer() {
    const int w = app.windowWidth, h = app.windowHeight;
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* f = std::fopen(opts.out.c_str(), "wb");
    if (!f) {
        std::perror(opts.out.c_str());
        std::exit(1);
    }
    std::fprintf(f, "P6\n%d %d\n255\n", w, h);
    for (int row = h - 1; row >= 0; --row) std::fwrite(&pixels[static_cast<size_t>(row) * w * 3], 1, w * 3, f);
    std::fclose(f);
}

void display() {
    beginFrame();
    runPhase(app, kDrawers);
    ++framesDrawn;
    if (framesDrawn == opts.frames) {
        glFinish();
        writeBackBuffer();
        std::exit(0);
    }
    glutSwapBuffers();
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    parse(argc, argv);
    if (!opts.map.empty() && opts.map[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd)) opts.map = std::string(cwd) + "/" + opts.map;
    }
    if (!opts.out.empty() && opts.out[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd)) opts.out = std::string(cwd) + "/" + opts.out;
    }
    if (chdir(opts.data.c_str()) != 0) usage("cannot enter the data directory");
    openGameWindow("Hoofbrawl scene", opts.width, opts.height);
    startGame(scripted);
    if (opts.checkSkippable) {
        const char* problem = checkSkippableModels();
        std::printf("%s\n", problem ? problem : "the skippable models leave the state they are listed as leaving");
        return problem ? 1 : 0;
    }
    if (!opts.map.empty()) {
        MapLoadResult r = readMapFile(opts.map);
        if (!r.ok) {
            std::fprintf(stderr, "%s\n", r.message.c_str());
            return 1;
        }
    }
    for (uint32_t k : opts.keys) scripted.press(k);
    applyCow(world.cow1, opts.cow[0], true);
    applyCow(world.cow2, opts.cow[1], false);
    if (opts.cameraGiven) {
        camera.cameraDistance = opts.distance;
        camera.cameraAzimuth = opts.azimuth;
        camera.cameraElevation = opts.elevation;
    }
    if (!opts.intro) skipIntroduction();
    app.phase = opts.phase;
    runGameLoop(display, nullptr);
}
