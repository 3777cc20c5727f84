#include "audio/sound_table.h"

#include <AL/al.h>
#include <AL/alut.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/openal_sink.h"

namespace {

// Rows 2 and 3 keep their doubled parenthesis: the messages are printed as the
// game has always printed them.
const SoundRow kRows[kSoundCount] = {
    {SoundId::SplashScreen, "sounds/intro.wav",
     "alSettingASource(CowSoundBuffer,SplashScreen, \"sounds/intro.wav\"): "},
    {SoundId::Cow1Jump, "sounds/moo.wav",
     "alSettingASource((CowSoundBuffer,Cow1Jump, \"sounds/moo.wav\"): "},
    {SoundId::Cow1BigJump, "sounds/moo_big.wav",
     "alSettingASource((CowSoundBuffer,Cow1BigJump, \"sounds/moo_big.wav\"): "},
    {SoundId::Cow2JumpSoundSource, "sounds/moo3.wav",
     "alSettingASource(CowSoundBuffer,Cow2JumpSoundSource, \"sounds/moo3.wav\"): "},
    {SoundId::Cow2BigJump, "sounds/moo3_big.wav",
     "alSettingASource(CowSoundBuffer,Cow2BigJump, \"sounds/moo3_big.wav\"): "},
    {SoundId::CowChewSoundSource, "sounds/crushcan.wav",
     "alSettingASource(CowChewSoundBuffer,CowChewSoundSource, \"sounds/crushcan.wav\"): "},
    {SoundId::CowSonarSoundSource, "sounds/sonar.wav",
     "alSettingASource(CowSoundBuffer,CowSonarSoundSource, \"sounds/sonar.wav\"): "},
    {SoundId::WaterSplash, "sounds/splash.wav",
     "alSettingASource(CowSoundBuffer,WaterSplash, \"sounds/splash.wav\"): "},
    {SoundId::CowShrinkSoundSource, "sounds/powerdown.wav",
     "alSettingASource(CowSoundBuffer,CowShrinkSoundSource, \"sounds/powerdown.wav\"): "},
    {SoundId::CowGrowSoundSource, "sounds/powerup.wav",
     "alSettingASource(CowSoundBuffer,CowGrowSoundSource, \"sounds/powerup.wav\"): "},
    {SoundId::CowHBSoundSource, "sounds/headbutt2.wav",
     "alSettingASource(CowSoundBuffer,CowHBSoundSource, \"sounds/headbutt2.wav\"): "},
    {SoundId::HayYAYSoundSource, "sounds/yay.wav",
     "alSettingASource(CowSoundBuffer,HayYAYSoundSource, \"sounds/yay.wav\"): "},
    {SoundId::Ambient, "sounds/MorningLQ.wav",
     "alSettingASource(CowSoundBuffer,Ambient, \"sounds/MorningLQ.wav\"): "},
    {SoundId::ChainJingle, "sounds/gate_jingle.wav",
     "alSettingASource(CowSoundBuffer,ChainJingle, \"sounds/gate_jingle.wav\"): "},
    {SoundId::SyringeBreak, "sounds/syringebreak2.wav",
     "alSettingASource(CowSoundBuffer,SyringeBreak, \"sounds/syringebreak2.wav\"): "},
    {SoundId::GetOutoftheWater, "sounds/outofwater2.wav",
     "alSettingASource(CowSoundBuffer,GetOutoftheWater, \"sounds/outofwater2.wav\"): "},
    {SoundId::InjectSyringe, "sounds/syringe.wav",
     "alSettingASource(CowSoundBuffer,InjectSyringe, \"sounds/syringe.wav\"): "},
    {SoundId::SyringePickup, "sounds/pickup.wav",
     "alSettingASource(CowSoundBuffer,SyringePickup, \"sounds/pickup.wav\"): "},
    {SoundId::OpenGate, "sounds/gate_open.wav",
     "alSettingASource(CowSoundBuffer,OpenGate, \"sounds/gate_open.wav\"): "},
    {SoundId::CloseGate, "sounds/gate_close.wav",
     "alSettingASource(CowSoundBuffer,CloseGate, \"sounds/gate_close.wav\"): "},
    {SoundId::GameStart, "sounds/StartRound.wav",
     "alSettingASource(CowSoundBuffer,GameStart, \"sounds/StartRound.wav\"): "},
    {SoundId::CowFull, "sounds/cow_full.wav",
     "alSettingASource(CowSoundBuffer,CowFull, \"sounds/cow_full.wav\"): "},
    {SoundId::HayStolen, "sounds/hay_stolen.wav",
     "alSettingASource(CowSoundBuffer,HayStolen, \"sounds/hay_stolen.wav\"): "},
    {SoundId::Hit, "sounds/headbutt_hit.wav",
     "alSettingASource(CowSoundBuffer,Hit, \"sounds/headbutt_hit.wav\"): "},
    {SoundId::Win, "sounds/win.wav",
     "alSettingASource(CowSoundBuffer,Win, \"sounds/win.wav\"): "},
    {SoundId::Slowdown, "sounds/Slowdown.wav",
     "alSettingASource(CowSoundBuffer,Slowdown, \"sounds/Slowdown.wav\"): "},
};

ALuint sources[kSoundCount] = {};
int created = 0;

// ALUT says only "I/O error" for a file it cannot open; the system says why.
std::string reasonInWords(const char* file, int alutError) {
    std::string reason = alutGetErrorString(alutError);
    if (alutError == ALUT_ERROR_IO_ERROR) {
        errno = 0;
        if (FILE* f = std::fopen(file, "rb")) {
            std::fclose(f);
        } else if (errno != 0) {
            reason = std::string("cannot open it: ") + std::strerror(errno) + " (" + reason + ")";
        }
    }
    return reason;
}

[[noreturn]] void failRow(const SoundRow& row, long code) {
    std::fputs(row.failureMessage, stdout);
    std::printf("%ld", code);
    std::fflush(stdout);
    std::exit(-1);
}

}  // namespace

const SoundRow& soundRow(SoundId id) { return kRows[static_cast<uint32_t>(id)]; }

uint32_t soundSourceName(SoundId id) { return sources[static_cast<uint32_t>(id)]; }

int soundSourcesCreated() { return created; }

void initAudio() {
    if (!alutInit(nullptr, nullptr)) {
        ALenum why = alutGetError();
        std::fprintf(stderr, "hoofbrawl: cannot open the audio device: %s (ALUT error %d)\n",
                     alutGetErrorString(why), why);
        std::fflush(stderr);
        std::exit(-1);
    }
    // Closing the device on the way out lets OpenAL finish its output (a
    // recording gets a complete header) instead of complaining at exit.
    std::atexit([] { alutExit(); });
    alGetError();
}

void alSettingASource(unsigned* bufferPlace, unsigned* sourcePlace, const char* file,
                      WavReadResult* read) {
    alGenBuffers(1, bufferPlace);
    alGenSources(1, sourcePlace);
    ++created;
    ALenum format = 0;
    ALsizei size = 0;
    ALfloat frequency = 0;
    alutGetError();
    ALvoid* data = alutLoadMemoryFromFile(file, &format, &size, &frequency);
    if (data) {
        alBufferData(*bufferPlace, format, data, size, static_cast<ALsizei>(frequency));
        std::free(data);
    } else if (read) {
        // Nothing to fill the buffer with; the caller fails the row.
        read->alutError = alutGetError();
    }
    alSourcei(*sourcePlace, AL_BUFFER, static_cast<ALint>(*bufferPlace));
}

void loadSounds() {
    alGetError();
    initAudio();
    for (const SoundRow& row : kRows) {
        ALuint buffer = 0;
        WavReadResult read;
        alSettingASource(&buffer, &sources[static_cast<uint32_t>(row.id)], row.file, &read);
        ALenum error = alGetError();
        if (error != AL_NO_ERROR) failRow(row, error);
        if (read.alutError != ALUT_ERROR_NO_ERROR) {
            std::fprintf(stderr, "%s: %s\n", row.file, reasonInWords(row.file, read.alutError).c_str());
            std::fflush(stderr);
            failRow(row, read.alutError);
        }
    }
    alSourcei(soundSourceName(SoundId::CowSonarSoundSource), AL_LOOPING, AL_TRUE);
    alSourcei(soundSourceName(SoundId::Ambient), AL_LOOPING, AL_TRUE);
    alSourcei(soundSourceName(SoundId::SplashScreen), AL_LOOPING, AL_TRUE);
    alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
    static OpenAlSink sink;
    setSoundSink(&sink);
}
