// Game logic asks for sounds by name only. The OpenAL table is the real
// backend; tests install a recorder in its place.
#pragma once

#include <cstdint>

enum class SoundId : uint32_t {
    SplashScreen,
    Cow1Jump,
    Cow1BigJump,
    Cow2JumpSoundSource,
    Cow2BigJump,
    CowChewSoundSource,
    CowSonarSoundSource,
    WaterSplash,
    CowShrinkSoundSource,
    CowGrowSoundSource,
    CowHBSoundSource,
    HayYAYSoundSource,
    Ambient,
    ChainJingle,
    SyringeBreak,
    GetOutoftheWater,
    InjectSyringe,
    SyringePickup,
    OpenGate,
    CloseGate,
    GameStart,
    CowFull,
    HayStolen,
    Hit,
    Win,
    Slowdown,
};

constexpr int kSoundCount = 26;

// The source's name as the game and its messages use it ("Hit", "Ambient"...).
const char* soundName(SoundId id);

class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void play(SoundId id) = 0;
    virtual void pause(SoundId id) = 0;
    virtual void stop(SoundId id) = 0;
    // Holds every source that is playing now, and later lets just those go on.
    virtual void pauseAll() {}
    virtual void resumeAll() {}
    // The listener's gain: 0 silent, 1 the sounds as recorded.
    virtual void setGain(float gain) { (void)gain; }
};

// Null means silence (the default until the audio device is up).
void setSoundSink(SoundSink* sink);
SoundSink* soundSink();

// A plain play restarts the source.
void playSound(SoundId id);
// A pause immediately followed by a play: starts a stopped source and lets a
// playing one run on, for contacts that ask again in every frame.
void playSoundWithoutRestart(SoundId id);
void stopSound(SoundId id);

// The game's pause: every playing source held, then resumed where it was.
void pauseAllSounds();
void resumeAllSounds();
// Volume for everything the game plays, 0..1.
void setSoundGain(float gain);
