// PLACEHOLDER(models): the shapes. To be written in full.
#include "models/shapes.h"

void drawCylinder(GLUquadric*, double, double, double, int, int) {}
void drawTexturedCylinder(double, double, double, int, int) {}
void drawTexturedCone(double, double, int, int) {}
void drawTexturedDisk(double, double, int, int) {}
void drawSphere(GLUquadric*, double, double, double) {}
void drawTexturedSphere(double, double, double) {}
void drawCube(double) {}
void drawHalfBox(double) {}
void drawTorus(double, double, double, double) {}
void drawPrism(double, double, double) {}
