// One function per sound file; each returns the finished samples at 22050 Hz.
#pragma once

#include "synth.h"

namespace recipes {

// Loops: the last sample runs on into the first.
synth::Signal introTune();
synth::Signal morningAmbience();
synth::Signal sonarPing();

// Music
synth::Signal startFanfare();
synth::Signal winFanfare();

// Voices
enum class CowVoice { Boris, BorisBig, Horace, HoraceBig };
synth::Signal moo(CowVoice voice);
synth::Signal burp();
synth::Signal cheer();

// Effects
synth::Signal chewing();
synth::Signal splash();
synth::Signal outOfWater();
synth::Signal whoosh();
synth::Signal headbuttHit();
synth::Signal powerUp();
synth::Signal powerDown();
synth::Signal slowDown();
synth::Signal chainJingle();
synth::Signal gateCreak(bool opening);
synth::Signal alarm();
synth::Signal pickupPling();
synth::Signal injection();
synth::Signal breakingGlass();

}  // namespace recipes
