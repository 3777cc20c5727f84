#include "ui/hud_state.h"

int32_t introCallCount = 0;

char controlsLines[kControlsLineCount][kControlsLineSize] = {"0", "0", "0", "0", "0", "0"};
