#include "models/shapes.h"

#include <GL/gl.h>

#include <cstddef>
#include <map>
#include <tuple>

#include "models/model_gl.h"
#include "models/shape_meshes.h"

namespace {

// Shapes are built on first use and kept: the same few dozen sizes are drawn
// hundreds of times a frame. The beams' height follows the camera distance,
// which the keys can change without end, so past a generous number of kept
// shapes a new one is built for the moment only.
enum class Kind { Cylinder, Disk, Sphere, Torus, Cube };
using Key = std::tuple<Kind, double, double, double, int, int>;
constexpr size_t kMaxKeptShapes = 256;

template <typename Build>
const ShapeMesh& cached(const Key& key, Build build) {
    static std::map<Key, ShapeMesh> meshes;
    auto found = meshes.find(key);
    if (found != meshes.end()) return found->second;
    if (meshes.size() >= kMaxKeptShapes) {
        static ShapeMesh passing;
        passing = build();
        return passing;
    }
    return meshes.emplace(key, build()).first->second;
}

void vertex(float x, float y, float z, float s, float t) {
    gx::texCoord(s, t);
    gx::vertex(x, y, z);
}

}  // namespace

void drawTexturedCylinder(double baseRadius, double topRadius, double height, int slices, int stacks) {
    gx::mesh(cached({Kind::Cylinder, baseRadius, topRadius, height, slices, stacks},
                    [&] { return cylinderMesh(baseRadius, topRadius, height, slices, stacks); }));
}

void drawTexturedCone(double baseRadius, double height, int slices, int stacks) {
    drawTexturedCylinder(baseRadius, 0.0, height, slices, stacks);
}

void drawTexturedDisk(double innerRadius, double outerRadius, int slices, int loops) {
    gx::mesh(cached({Kind::Disk, innerRadius, outerRadius, 0, slices, loops},
                    [&] { return diskMesh(innerRadius, outerRadius, slices, loops); }));
}

void drawTexturedSphere(double radius, double slices, double stacks) {
    const int sl = static_cast<int>(slices), st = static_cast<int>(stacks);
    gx::mesh(cached({Kind::Sphere, radius, 0, 0, sl, st}, [&] { return sphereMesh(radius, sl, st); }));
}

void drawCube(double size) {
    gx::mesh(cached({Kind::Cube, size, 0, 0, 0, 0}, [&] { return cubeMesh(size); }));
}

void drawHalfBox(double size) {
    const double h = size / 2.0;
    // Each face takes the whole image, corners in the same order.
    const double faces[6][4][3] = {
        {{-h, h, h}, {-h, -h, h}, {h, -h, h}, {h, h, h}},      // top
        {{-h, h, 0}, {-h, h, h}, {h, h, h}, {h, h, 0}},        // side +y
        {{h, h, 0}, {h, h, h}, {h, -h, h}, {h, -h, 0}},        // side +x
        {{h, h, 0}, {-h, h, 0}, {-h, -h, 0}, {h, -h, 0}},      // bottom
        {{-h, -h, 0}, {-h, -h, h}, {-h, h, h}, {-h, h, 0}},    // side -x
        {{h, -h, 0}, {h, -h, h}, {-h, -h, h}, {-h, -h, 0}},    // side -y
    };
    const double tex[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    for (const auto& face : faces) {
        gx::pushMatrix();
        gx::begin(GL_POLYGON);
        for (int i = 0; i < 4; ++i) vertex(face[i][0], face[i][1], face[i][2], tex[i][0], tex[i][1]);
        gx::end();
        gx::popMatrix();
    }
}

void drawTorus(double innerRadius, double outerRadius, double sides, double rings) {
    const int si = static_cast<int>(sides), ri = static_cast<int>(rings);
    gx::mesh(cached({Kind::Torus, innerRadius, outerRadius, 0, si, ri},
                    [&] { return torusMesh(innerRadius, outerRadius, si, ri); }));
}

void drawPrism(double width, double height, double depth) {
    const double w = width / 2.0;
    const double h = height;
    const double d = depth;
    gx::pushMatrix();
    gx::disable(GL_CULL_FACE);

    gx::begin(GL_POLYGON);  // front triangle
    vertex(-w, 0, 0, 0, 0);
    vertex(w, 0, 0, 1, 0);
    vertex(0, h, 0, 0.5, 1);
    gx::end();

    gx::begin(GL_POLYGON);  // back triangle
    vertex(-w, 0, d, 0, 0);
    vertex(w, 0, d, 1, 0);
    vertex(0, h, d, 0.5, 1);
    gx::end();

    gx::begin(GL_POLYGON);  // left slope
    vertex(-w, 0, 0, 0, 0);
    vertex(-w, 0, d, 0, 1);
    vertex(0, h, d, 1, 1);
    vertex(0, h, 0, 1, 0);
    gx::end();

    gx::begin(GL_POLYGON);  // right slope
    vertex(0, h, 0, 0, 0);
    vertex(0, h, d, 0, 1);
    vertex(w, 0, d, 1, 1);
    vertex(w, 0, 0, 1, 0);
    gx::end();

    gx::begin(GL_POLYGON);  // floor
    vertex(-w, 0, 0, 0, 0);
    vertex(-w, 0, d, 0, 1);
    vertex(w, 0, d, 1, 1);
    vertex(w, 0, 0, 1, 0);
    gx::end();

    gx::popMatrix();
    // Culling comes back on whatever it was before: the models rely on it.
    gx::enable(GL_CULL_FACE);
}
