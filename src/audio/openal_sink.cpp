#include "audio/openal_sink.h"

#include <AL/al.h>

#include "audio/sound_table.h"

void OpenAlSink::play(SoundId id) { alSourcePlay(soundSourceName(id)); }
void OpenAlSink::pause(SoundId id) { alSourcePause(soundSourceName(id)); }
void OpenAlSink::stop(SoundId id) { alSourceStop(soundSourceName(id)); }
