// The size of a recorded ten-minute game and the cost of a snapshot.
//
//   build/bench/replay_bench [SOURCE_DIR]
//
// Plays 11,760 steps (ten minutes at 19.6 steps a second) on the shipped map
// with play shaped like people's: each player holds a direction for half a
// second to three seconds, sometimes two at once, lets go now and then, taps
// jump and headbutt for a few steps and looks at the help panel once in a
// while. Records it and prints the file's size, then times saveGame and
// restoreGame on the state at the end (median of rounds).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "game/game_digest.h"
#include "game/replay.h"
#include "game/snapshot.h"
#include "game/step.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

namespace {

// One player's hands: what they hold, and for how many more steps.
struct Hands {
    std::mt19937 random;
    uint8_t held = 0;
    int holdFor = 0;
    int tapFor = 0;
    uint8_t tap = 0;
    int helpFor = 0;

    explicit Hands(unsigned seed) : random(seed) {}
    CowInput next() {
        auto chance = [this](int inThousand) { return static_cast<int>(random() % 1000) < inThousand; };
        if (holdFor-- <= 0) {
            holdFor = 10 + static_cast<int>(random() % 50);
            static const uint8_t directions[] = {0x1, 0x1, 0x1, 0x4, 0x8, 0x2, 0x5, 0x9, 0x0};
            held = directions[random() % 9];
        }
        if (tapFor-- <= 0) {
            tap = 0;
            if (chance(40)) {
                tap = chance(500) ? 0x10 : 0x20;  // jump or headbutt
                tapFor = 2 + static_cast<int>(random() % 5);
            }
        }
        if (helpFor > 0) --helpFor;
        else if (chance(1)) helpFor = 20 + static_cast<int>(random() % 40);
        CowInput in;
        in.bits = static_cast<uint8_t>(held | tap | (helpFor > 0 ? 0x40 : 0));
        return in;
    }
};

double medianMicros(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string source = argc > 1 ? argv[1] : HOOFBRAWL_SOURCE_DIR;
    const MapLoadResult m = readMapFile(source + "/data/_maps/Map02.map");
    if (!m.ok) {
        std::fprintf(stderr, "%s\n", m.message.c_str());
        return 1;
    }
    char path[] = "/tmp/hoofbrawl-replay-bench.XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return 1;
    close(fd);

    const int kSteps = 11760;
    Hands hands[2] = {Hands(1), Hands(2)};
    ReplayWriter writer;
    IdleInput idle;
    if (!writer.open(path, replayInfoForCurrentGame(idle, idle, 0))) {
        std::fprintf(stderr, "%s\n", writer.error().c_str());
        return 1;
    }
    std::FILE* f = std::fopen(path, "rb");
    std::fseek(f, 0, SEEK_END);
    const long header = std::ftell(f);
    int changes = 0;
    StepInput last;
    for (int i = 0; i < kSteps; ++i) {
        StepInput in;
        for (int c = 0; c < 2; ++c) in.cow[c] = hands[c].next();
        changes += in != last;
        last = in;
        stepPlayingFrame(in);
        writer.step(in);
    }
    writer.finish(GameEnd::StepLimit);
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    const ReplayReadResult check = readReplayFile(path);
    unlink(path);
    if (!check.ok || check.replay.steps != kSteps) {
        std::fprintf(stderr, "the recorded game does not read back: %s\n", check.error.c_str());
        return 1;
    }
    std::printf("ten-minute game (%d steps, inputs changed in %d of them, %d/%d hay delivered):\n", kSteps,
                changes, world.cow1->hayStored, world.cow2->hayStored);
    std::printf("  file %ld bytes = %.2f bytes a step (header with the map %ld, records %ld = %.2f a step)\n", size,
                double(size) / kSteps, header, size - header, double(size - header) / kSteps);

    GameSnapshot snapshot;
    std::vector<double> saves, restores;
    for (int round = 0; round < 2000; ++round) {
        auto t0 = std::chrono::steady_clock::now();
        saveGame(snapshot);
        auto t1 = std::chrono::steady_clock::now();
        restoreGame(snapshot);
        auto t2 = std::chrono::steady_clock::now();
        saves.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        restores.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
    }
    std::printf("snapshot (%zu objects, about %zu bytes): save %.1f us, restore %.1f us (medians of 2000)\n",
                snapshot.objects.size(), sizeof(GameSnapshot) + snapshot.objects.size() * sizeof(GameSnapshot::ObjectCell),
                medianMicros(saves), medianMicros(restores));
    return 0;
}
