// Draw behaviours of the object kinds, called as draw(column, row) with the
// modelview at the cell's centre on its ground level.
#pragma once

void drawCow1(int column, int row);
void drawCow2(int column, int row);
// The radius, in cells, of a sphere about a cow's feet (its position at its
// level) that holds its whole figure at its scale now, standing or lying,
// however it is turned.
float cow1Reach();
float cow2Reach();
void drawTree(int column, int row);
void drawFence(int column, int row);
void drawGate(int column, int row);
void drawRock(int column, int row);
void drawHayBale(int column, int row);
void drawPill(int column, int row);
void drawSyringe(int column, int row);
void drawSilo(int column, int row);
void drawBarn(int column, int row);
void drawNothing(int column, int row);
void drawDefaultObject(int column, int row);

// The angles the hay bales and the items (pills, syringes) are turned to; all
// objects of a kind spin in step. The frame sets them as they advance.
void setSpinAngles(float hayAngle, float itemAngle);

// The translucent beam over a cow's home cell, of the given height (the
// camera distance).
void drawMarkerBeam(double height);
