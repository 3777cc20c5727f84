// PLACEHOLDER(render): the object models. To be written in full.
#include "models/draw_behaviours.h"

void drawCow1(int, int) {}
void drawCow2(int, int) {}
void drawTree(int, int) {}
void drawFence(int, int) {}
void drawGate(int, int) {}
void drawRock(int, int) {}
void drawHayBale(int, int) {}
void drawPill(int, int) {}
void drawSyringe(int, int) {}
void drawSilo(int, int) {}
void drawBarn(int, int) {}
void drawNothing(int, int) {}
void drawDefaultObject(int, int) {}
void drawMarkerBeam() {}
