// PLACEHOLDER(sound): the OpenAL sound table. To be written in full.
#include "audio/sound_table.h"

void loadSounds() {}
