// The shapes every model is built from. None sets a colour or binds a
// texture; only drawPrism changes an enable state. The quadrics are always
// filled and carry texture coordinates.
#pragma once

void drawTexturedCylinder(double baseRadius, double topRadius, double height, int slices, int stacks);
void drawTexturedCone(double baseRadius, double height, int slices, int stacks);
void drawTexturedDisk(double innerRadius, double outerRadius, int slices, int loops);
// Slices and stacks arrive as reals and are truncated.
void drawTexturedSphere(double radius, double slices, double stacks);
void drawCube(double size);
void drawHalfBox(double size);
void drawTorus(double innerRadius, double outerRadius, double sides, double rings);
void drawPrism(double width, double height, double depth);
