#include "game/input_source.h"

#include "game/key_bindings.h"

CowInput KeyboardInput::next(int cowIndex) { return inputFromKeys(keys_, keyBindings.cow[cowIndex]); }
