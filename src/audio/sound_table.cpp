#include "audio/sound_table.h"

#include <AL/al.h>
#include <AL/alut.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/openal_sink.h"
#include "audio/sound_files.h"

namespace {

// A row's file and failure message, built once from the file names. Every
// message names its buffer, the source and the file; rows 2 and 3 keep their
// doubled parenthesis, as the game has always printed them.
struct RowText {
    std::string file;
    std::string message;
};

const SoundRow* buildRows() {
    static RowText texts[kSoundCount];
    static SoundRow table[kSoundCount];
    for (uint32_t i = 0; i < kSoundCount; ++i) {
        const auto id = static_cast<SoundId>(i);
        const bool doubled = id == SoundId::Cow1Jump || id == SoundId::Cow1BigJump;
        const char* buffer = id == SoundId::CowChewSoundSource ? "CowChewSoundBuffer" : "CowSoundBuffer";
        texts[i].file = std::string("sounds/") + soundFileStem(id) + ".wav";
        texts[i].message = std::string(doubled ? "alSettingASource((" : "alSettingASource(") + buffer + "," +
                           soundName(id) + ", \"" + texts[i].file + "\"): ";
        table[i] = {id, texts[i].file.c_str(), texts[i].message.c_str()};
    }
    return table;
}

const SoundRow* rows() {
    static const SoundRow* built = buildRows();
    return built;
}

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

const SoundRow& soundRow(SoundId id) { return rows()[static_cast<uint32_t>(id)]; }

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
    for (uint32_t i = 0; i < kSoundCount; ++i) {
        const SoundRow& row = rows()[i];
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
