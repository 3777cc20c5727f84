#include "audio/sounds.h"

namespace {
SoundSink* activeSink = nullptr;

const char* const kNames[kSoundCount] = {
    "SplashScreen", "Cow1Jump", "Cow1BigJump", "Cow2JumpSoundSource", "Cow2BigJump",
    "CowChewSoundSource", "CowSonarSoundSource", "WaterSplash", "CowShrinkSoundSource",
    "CowGrowSoundSource", "CowHBSoundSource", "HayYAYSoundSource", "Ambient", "ChainJingle",
    "SyringeBreak", "GetOutoftheWater", "InjectSyringe", "SyringePickup", "OpenGate",
    "CloseGate", "GameStart", "CowFull", "HayStolen", "Hit", "Win", "Slowdown",
};
}  // namespace

const char* soundName(SoundId id) {
    auto i = static_cast<uint32_t>(id);
    return i < kSoundCount ? kNames[i] : "?";
}

void setSoundSink(SoundSink* sink) { activeSink = sink; }
SoundSink* soundSink() { return activeSink; }

void playSound(SoundId id) {
    if (activeSink) activeSink->play(id);
}

void playSoundWithoutRestart(SoundId id) {
    if (!activeSink) return;
    activeSink->pause(id);
    activeSink->play(id);
}

void stopSound(SoundId id) {
    if (activeSink) activeSink->stop(id);
}

void pauseAllSounds() {
    if (activeSink) activeSink->pauseAll();
}

void resumeAllSounds() {
    if (activeSink) activeSink->resumeAll();
}

void setSoundGain(float gain) {
    if (activeSink) activeSink->setGain(gain);
}
