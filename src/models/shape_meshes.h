// The curved shapes as vertex arrays, built once per set of parameters.
//
// Each generator reproduces, float for float and in the same order, the
// vertices and texture coordinates that GLU (a textured, filled quadric with
// the default orientation) or GLUT (the solid cube and torus) sends for the
// same call, split into the same primitives. Drawing a mesh therefore gives
// the pixels the library call gives, without recomputing the shape and
// feeding it vertex by vertex every frame.
#pragma once

#include <vector>

struct ShapeMesh {
    struct Run {
        unsigned mode;  // GL primitive
        int first;
        int count;
    };
    std::vector<float> positions;  // x, y, z per vertex
    std::vector<float> texCoords;  // s, t per vertex; empty for cube and torus
    std::vector<Run> runs;         // one per primitive the library begins

    int vertexCount() const { return static_cast<int>(positions.size() / 3); }
};

ShapeMesh cylinderMesh(double baseRadius, double topRadius, double height, int slices, int stacks);
ShapeMesh diskMesh(double innerRadius, double outerRadius, int slices, int loops);
ShapeMesh sphereMesh(double radius, int slices, int stacks);
ShapeMesh torusMesh(double innerRadius, double outerRadius, int sides, int rings);
ShapeMesh cubeMesh(double size);

// Draws the mesh from client arrays in the current modelview, colour and
// texture state, and leaves the current texture coordinate where the library
// call would have left it (a texture-less cube drawn next samples there).
void drawMesh(const ShapeMesh& mesh);
