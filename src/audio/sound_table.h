#pragma once

// Opens the audio device and loads all 26 sources in table order; the first
// failure prints its message and the OpenAL error code on standard output and
// ends the process with status -1. Installs the OpenAL backend as sound sink.
void loadSounds();
