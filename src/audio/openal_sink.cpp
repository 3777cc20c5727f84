#include "audio/openal_sink.h"

#include <AL/al.h>

#include "audio/sound_table.h"

void OpenAlSink::play(SoundId id) { alSourcePlay(soundSourceName(id)); }
void OpenAlSink::pause(SoundId id) { alSourcePause(soundSourceName(id)); }
void OpenAlSink::stop(SoundId id) { alSourceStop(soundSourceName(id)); }

void OpenAlSink::pauseAll() {
    for (uint32_t i = 0; i < kSoundCount; ++i) {
        const ALuint source = soundSourceName(static_cast<SoundId>(i));
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        held_[i] = state == AL_PLAYING;
        if (held_[i]) alSourcePause(source);
    }
}

void OpenAlSink::resumeAll() {
    for (uint32_t i = 0; i < kSoundCount; ++i) {
        // A source stopped while held (a new game's) stays stopped.
        const ALuint source = soundSourceName(static_cast<SoundId>(i));
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (held_[i] && state == AL_PAUSED) alSourcePlay(source);
        held_[i] = false;
    }
}

void OpenAlSink::setGain(float gain) { alListenerf(AL_GAIN, gain); }
