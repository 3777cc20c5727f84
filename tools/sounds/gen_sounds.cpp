// Writes the game's 26 sound files into the directory named on the command line.
#include <cstdio>
#include <functional>
#include <string>

#include "audio/sound_files.h"
#include "recipes.h"

using namespace recipes;

namespace {

struct Entry {
    SoundId id;  // names the file
    std::function<synth::Signal()> make;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds <output directory>\n");
        return 2;
    }
    const Entry entries[] = {
        {SoundId::SplashScreen, introTune},
        {SoundId::Cow1Jump, [] { return moo(CowVoice::Boris); }},
        {SoundId::Cow1BigJump, [] { return moo(CowVoice::BorisBig); }},
        {SoundId::Cow2JumpSoundSource, [] { return moo(CowVoice::Horace); }},
        {SoundId::Cow2BigJump, [] { return moo(CowVoice::HoraceBig); }},
        {SoundId::CowChewSoundSource, chewing},
        {SoundId::CowSonarSoundSource, sonarPing},
        {SoundId::WaterSplash, splash},
        {SoundId::CowShrinkSoundSource, powerDown},
        {SoundId::CowGrowSoundSource, powerUp},
        {SoundId::CowHBSoundSource, whoosh},
        {SoundId::HayYAYSoundSource, cheer},
        {SoundId::Ambient, morningAmbience},
        {SoundId::ChainJingle, chainJingle},
        {SoundId::SyringeBreak, breakingGlass},
        {SoundId::GetOutoftheWater, outOfWater},
        {SoundId::InjectSyringe, injection},
        {SoundId::SyringePickup, pickupPling},
        {SoundId::OpenGate, [] { return gateCreak(true); }},
        {SoundId::CloseGate, [] { return gateCreak(false); }},
        {SoundId::GameStart, startFanfare},
        {SoundId::CowFull, burp},
        {SoundId::HayStolen, alarm},
        {SoundId::Hit, headbuttHit},
        {SoundId::Win, winFanfare},
        {SoundId::Slowdown, slowDown},
    };
    int failures = 0;
    for (const Entry& e : entries) {
        if (!synth::writeWav(std::string(argv[1]) + "/" + soundFileStem(e.id) + ".wav", e.make())) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
