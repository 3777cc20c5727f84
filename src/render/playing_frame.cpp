// PLACEHOLDER(render): the split-screen frame. Until the 3D frame exists, the
// playing phase runs the game step and draws nothing else.
#include "render/playing_frame.h"

#include "game/cow.h"

void drawPlayingFrame() { stepPlayingFrameHeadless(); }
