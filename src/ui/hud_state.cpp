#include "ui/hud_state.h"

int32_t introCallCount = 0;
