// The cut-out silhouette of Boris: a 40-vertex table, the polygons of the
// outer slab over it and the strip that closes the slab towards the middle.
#pragma once

namespace cow1 {

struct Vec3 {
    float x, y, z;
};

struct SlabCorner {
    int vertex;
    float s, t;
};

struct SlabPolygon {
    int texture;  // object texture slot
    int count;
    SlabCorner corners[9];
};

struct StripCorner {
    Vec3 p;
    float s, t;
};

struct StripPolygon {
    int texture;
    int count;
    StripCorner corners[4];
};

extern const Vec3 kBodyVertices[40];
extern const SlabPolygon kOuterSlab[18];
extern const StripPolygon kInnerStrip[11];

}  // namespace cow1
