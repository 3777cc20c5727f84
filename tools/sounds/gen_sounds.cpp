// Writes the game's 26 sound files into the directory named on the command line.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "audio/sound_files.h"
#include "loudness.h"
#include "recipes.h"

using namespace recipes;

namespace {

// How each file is levelled. The game mixes its sources at unity gain, so
// these levels are the whole mix: every one-shot at one loudness with its
// peaks well under full scale, so that several at once still fit; the
// ambience under them all, the sonar between.
enum class Level { Effect, IntroLoop, Ambience, Sonar };

constexpr double kEffectDb = -25.0;   // loudest 400 ms, A-weighted
constexpr double kEffectPeak = 0.224; // -13 dBFS
constexpr double kIntroDb = -26.0;    // average, A-weighted
constexpr double kAmbienceDb = -38.0;
constexpr double kSonarDb = -32.0;
constexpr double kLoopPeak = 0.4;

struct Entry {
    SoundId id;  // names the file
    std::function<synth::Signal()> make;
    Level level = Level::Effect;
};

// Loops are scaled as a whole (a limiter at the seam could leave a step).
void levelLoop(synth::Signal& s, double averageDb) {
    double gain = std::pow(10.0, (averageDb - loudness::averageDb(s)) / 20.0);
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::fabs(v));
    gain = std::min(gain, kLoopPeak / peak);
    for (double& v : s) v *= gain;
}

synth::Signal render(const Entry& e) {
    synth::Signal s = e.make();
    switch (e.level) {
    case Level::Effect: synth::levelTo(s, kEffectDb, kEffectPeak); break;
    case Level::IntroLoop: levelLoop(s, kIntroDb); break;
    case Level::Ambience: levelLoop(s, kAmbienceDb); break;
    case Level::Sonar: levelLoop(s, kSonarDb); break;
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_sounds <output directory>\n");
        return 2;
    }
    const Entry entries[] = {
        {SoundId::SplashScreen, introTune, Level::IntroLoop},
        {SoundId::Cow1Jump, [] { return moo(CowVoice::Boris); }},
        {SoundId::Cow1BigJump, [] { return moo(CowVoice::BorisBig); }},
        {SoundId::Cow2JumpSoundSource, [] { return moo(CowVoice::Horace); }},
        {SoundId::Cow2BigJump, [] { return moo(CowVoice::HoraceBig); }},
        {SoundId::CowChewSoundSource, chewing},
        {SoundId::CowSonarSoundSource, sonarPing, Level::Sonar},
        {SoundId::WaterSplash, splash},
        {SoundId::CowShrinkSoundSource, powerDown},
        {SoundId::CowGrowSoundSource, powerUp},
        {SoundId::CowHBSoundSource, whoosh},
        {SoundId::HayYAYSoundSource, cheer},
        {SoundId::Ambient, morningAmbience, Level::Ambience},
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
        if (!synth::writeWav(std::string(argv[1]) + "/" + soundFileStem(e.id) + ".wav", render(e))) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
