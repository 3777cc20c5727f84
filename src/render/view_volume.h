// The six planes of what a camera can see, for skipping what cannot show.
#pragma once

struct ViewVolume {
    // Inward normals (a, b, c) and offsets d, normalised: a point p is inside
    // a plane when a*p.x + b*p.y + c*p.z + d >= 0.
    double plane[6][4] = {};
    // True when a sphere lies wholly outside one of the planes, so nothing of
    // it can reach the viewport. A volume made from a zero matrix (no GL
    // context to ask) never excludes anything.
    bool excludes(double x, double y, double z, double radius) const;
};

// The volume of a column-major clip-space matrix (projection x modelview),
// in the modelview's own coordinates.
ViewVolume viewVolumeOf(const double clip[16]);
