// The real sound backend: each request goes straight to the row's OpenAL source.
#pragma once

#include "audio/sounds.h"

class OpenAlSink : public SoundSink {
public:
    void play(SoundId id) override;
    void pause(SoundId id) override;
    void stop(SoundId id) override;
    void pauseAll() override;
    void resumeAll() override;
    void setGain(float gain) override;

private:
    bool held_[kSoundCount] = {};
};
