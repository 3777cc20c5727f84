#pragma once

#include <cstdint>

#include "audio/sounds.h"

// Opens the audio device and loads all 26 sources in table order; the first
// failure prints its message and the OpenAL error code on standard output and
// ends the process with status -1. Installs the OpenAL backend as sound sink.
//
// A WAV file that cannot be read or decoded fails its row even when OpenAL
// itself saw nothing wrong: the code printed after the message is then ALUT's
// error code (526 for a file that cannot be opened, 527 for one that is not a
// WAV file...), and one line on standard error names the file and the reason.
void loadSounds();

// One row of the sound table, in loading order.
struct SoundRow {
    SoundId id;
    const char* file;            // relative to the working directory
    const char* failureMessage;  // printed as is, followed by the error code
};

// The 26 rows, indexed by SoundId.
const SoundRow& soundRow(SoundId id);

// The OpenAL source name of a row, 0 until that row has been loaded.
uint32_t soundSourceName(SoundId id);

// How many rows have had their source created so far.
int soundSourcesCreated();

// Opens the default device and makes a context current; clears the error state.
// Without a device it says why on standard error and ends the process (-1).
void initAudio();

// What alSettingASource found wrong with the file itself (0: nothing).
struct WavReadResult {
    int alutError = 0;
};

// Creates one buffer and one source, fills the buffer from the WAV file and
// attaches it to the source, writing the new names into the two places. The
// OpenAL error state is left for the caller to check.
void alSettingASource(unsigned* bufferPlace, unsigned* sourcePlace, const char* file,
                      WavReadResult* read = nullptr);
