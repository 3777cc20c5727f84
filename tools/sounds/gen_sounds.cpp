// Writes the game's 26 sound files into the directory named on the command line.
#include <cstdio>
#include <functional>
#include <string>

#include "recipes.h"

using namespace recipes;

namespace {

struct Entry {
    const char* name;
    std::function<synth::Signal()> make;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds <output directory>\n");
        return 2;
    }
    const Entry entries[] = {
        {"intro", introTune},
        {"moo", [] { return moo(CowVoice::Boris); }},
        {"moo_big", [] { return moo(CowVoice::BorisBig); }},
        {"moo3", [] { return moo(CowVoice::Horace); }},
        {"moo3_big", [] { return moo(CowVoice::HoraceBig); }},
        {"crushcan", chewing},
        {"sonar", sonarPing},
        {"splash", splash},
        {"powerdown", powerDown},
        {"powerup", powerUp},
        {"headbutt2", whoosh},
        {"yay", cheer},
        {"MorningLQ", morningAmbience},
        {"gate_jingle", chainJingle},
        {"syringebreak2", breakingGlass},
        {"outofwater2", outOfWater},
        {"syringe", injection},
        {"pickup", pickupPling},
        {"gate_open", [] { return gateCreak(true); }},
        {"gate_close", [] { return gateCreak(false); }},
        {"StartRound", startFanfare},
        {"cow_full", burp},
        {"hay_stolen", alarm},
        {"headbutt_hit", headbuttHit},
        {"win", winFanfare},
        {"Slowdown", slowDown},
    };
    int failures = 0;
    for (const Entry& e : entries) {
        if (!synth::writeWav(std::string(argv[1]) + "/" + e.name + ".wav", e.make())) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
