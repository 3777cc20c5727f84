// GL/gl.h stops at GL 1.3; glMultiDrawArrays (1.4) is declared behind this.
#define GL_GLEXT_PROTOTYPES 1
#include "models/shape_meshes.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

// The arithmetic below keeps the libraries' own mix of float and double
// steps on purpose: a vertex one bit away from theirs can move an edge pixel.

namespace {

constexpr double kPi = 3.14159265358979323846;

void put(ShapeMesh& m, float x, float y, float z) {
    m.positions.push_back(x);
    m.positions.push_back(y);
    m.positions.push_back(z);
}

void put(ShapeMesh& m, float s, float t, float x, float y, float z) {
    m.texCoords.push_back(s);
    m.texCoords.push_back(t);
    put(m, x, y, z);
}

void beginRun(ShapeMesh& m, GLenum mode) { m.runs.push_back({mode, m.vertexCount(), 0}); }
void endRun(ShapeMesh& m) { m.runs.back().count = m.vertexCount() - m.runs.back().first; }

}  // namespace

ShapeMesh cylinderMesh(double baseRadius, double topRadius, double height, int slices, int stacks) {
    ShapeMesh m;
    std::vector<float> sinCache(slices + 1), cosCache(slices + 1);
    for (int i = 0; i < slices; ++i) {
        const float angle = 2 * kPi * i / slices;
        sinCache[i] = std::sin(static_cast<double>(angle));
        cosCache[i] = std::cos(static_cast<double>(angle));
    }
    sinCache[slices] = sinCache[0];
    cosCache[slices] = cosCache[0];
    const float deltaRadius = baseRadius - topRadius;
    for (int j = 0; j < stacks; ++j) {
        const float zLow = j * height / stacks;
        const float zHigh = (j + 1) * height / stacks;
        const float radiusLow = baseRadius - deltaRadius * (static_cast<float>(j) / stacks);
        const float radiusHigh = baseRadius - deltaRadius * (static_cast<float>(j + 1) / stacks);
        beginRun(m, GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            const float s = 1 - static_cast<float>(i) / slices;
            put(m, s, static_cast<float>(j) / stacks, radiusLow * sinCache[i], radiusLow * cosCache[i], zLow);
            put(m, s, static_cast<float>(j + 1) / stacks, radiusHigh * sinCache[i], radiusHigh * cosCache[i], zHigh);
        }
        endRun(m);
    }
    return m;
}

ShapeMesh diskMesh(double innerRadius, double outerRadius, int slices, int loops) {
    ShapeMesh m;
    std::vector<float> sinCache(slices + 1), cosCache(slices + 1);
    for (int i = 0; i <= slices; ++i) {
        const float angle = 0.0f + ((kPi * 360.0) / 180.0) * i / slices;
        sinCache[i] = std::sin(static_cast<double>(angle));
        cosCache[i] = std::cos(static_cast<double>(angle));
    }
    sinCache[slices] = sinCache[0];
    cosCache[slices] = cosCache[0];
    const float deltaRadius = outerRadius - innerRadius;

    int finish = loops;
    if (innerRadius == 0) {
        finish = loops - 1;
        beginRun(m, GL_TRIANGLE_FAN);
        put(m, 0.5f, 0.5f, 0, 0, 0);
        const float radiusLow = outerRadius - deltaRadius * (static_cast<float>(loops - 1) / loops);
        const float texLow = radiusLow / outerRadius / 2;
        for (int i = slices; i >= 0; --i) {
            put(m, texLow * sinCache[i] + 0.5, texLow * cosCache[i] + 0.5, radiusLow * sinCache[i],
                radiusLow * cosCache[i], 0);
        }
        endRun(m);
    }
    for (int j = 0; j < finish; ++j) {
        const float radiusLow = outerRadius - deltaRadius * (static_cast<float>(j) / loops);
        const float radiusHigh = outerRadius - deltaRadius * (static_cast<float>(j + 1) / loops);
        const float texLow = radiusLow / outerRadius / 2;
        const float texHigh = radiusHigh / outerRadius / 2;
        beginRun(m, GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            put(m, texLow * sinCache[i] + 0.5, texLow * cosCache[i] + 0.5, radiusLow * sinCache[i],
                radiusLow * cosCache[i], 0);
            put(m, texHigh * sinCache[i] + 0.5, texHigh * cosCache[i] + 0.5, radiusHigh * sinCache[i],
                radiusHigh * cosCache[i], 0);
        }
        endRun(m);
    }
    return m;
}

ShapeMesh sphereMesh(double radius, int slices, int stacks) {
    ShapeMesh m;
    std::vector<float> sinA(slices + 1), cosA(slices + 1), sinB(stacks + 1), cosB(stacks + 1);
    for (int i = 0; i < slices; ++i) {
        const float angle = 2 * kPi * i / slices;
        sinA[i] = std::sin(static_cast<double>(angle));
        cosA[i] = std::cos(static_cast<double>(angle));
    }
    for (int j = 0; j <= stacks; ++j) {
        const float angle = kPi * j / stacks;
        sinB[j] = radius * std::sin(static_cast<double>(angle));
        cosB[j] = radius * std::cos(static_cast<double>(angle));
    }
    sinB[0] = 0;  // the poles come to a point
    sinB[stacks] = 0;
    sinA[slices] = sinA[0];
    cosA[slices] = cosA[0];
    // Textured, so the poles are quad strips too: each apex vertex needs its
    // own texture coordinate.
    for (int j = 0; j < stacks; ++j) {
        const float zLow = cosB[j], zHigh = cosB[j + 1];
        const float rLow = sinB[j], rHigh = sinB[j + 1];
        beginRun(m, GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            const float s = 1 - static_cast<float>(i) / slices;
            put(m, s, 1 - static_cast<float>(j + 1) / stacks, rHigh * sinA[i], rHigh * cosA[i], zHigh);
            put(m, s, 1 - static_cast<float>(j) / stacks, rLow * sinA[i], rLow * cosA[i], zLow);
        }
        endRun(m);
    }
    return m;
}

namespace {

// A unit circle in n steps (clockwise for negative n), first point repeated.
void circleTable(std::vector<float>& sint, std::vector<float>& cost, int n) {
    const int size = std::abs(n);
    const float angle = 2 * static_cast<float>(M_PI) / static_cast<float>(n == 0 ? 1 : n);
    sint.assign(size + 1, 0.0f);
    cost.assign(size + 1, 0.0f);
    sint[0] = 0.0f;
    cost[0] = 1.0f;
    for (int i = 1; i < size; ++i) {
        sint[i] = static_cast<float>(std::sin(static_cast<double>(angle * i)));
        cost[i] = static_cast<float>(std::cos(static_cast<double>(angle * i)));
    }
    sint[size] = sint[0];
    cost[size] = cost[0];
}

}  // namespace

ShapeMesh torusMesh(double innerRadius, double outerRadius, int sides, int rings) {
    ShapeMesh m;
    if (sides < 2 || rings < 2) return m;
    const float iradius = static_cast<float>(innerRadius);
    const float oradius = static_cast<float>(outerRadius);
    std::vector<float> spsi, cpsi, sphi, cphi;
    circleTable(spsi, cpsi, rings);
    circleTable(sphi, cphi, -sides);
    auto vertexAt = [&](int index) {
        const int j = index / sides, i = index % sides;
        put(m, cpsi[j] * (oradius + cphi[i] * iradius), spsi[j] * (oradius + cphi[i] * iradius), sphi[i] * iradius);
    };
    // One strip per side around all the rings, closed by repeating its start.
    for (int i = 0; i < sides; ++i) {
        const int next = i == sides - 1 ? -i : 1;
        beginRun(m, GL_TRIANGLE_STRIP);
        for (int j = 0; j < rings; ++j) {
            vertexAt(j * sides + i);
            vertexAt(j * sides + i + next);
        }
        vertexAt(i);
        vertexAt(i + next);
        endRun(m);
    }
    return m;
}

ShapeMesh cubeMesh(double size) {
    static const float corners[8][3] = {
        {.5f, .5f, .5f},   {-.5f, .5f, .5f},   {-.5f, -.5f, .5f}, {.5f, -.5f, .5f},
        {.5f, -.5f, -.5f}, {.5f, .5f, -.5f},   {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f},
    };
    static const int faces[6][4] = {
        {0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1}, {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5},
    };
    const float s = static_cast<float>(size);
    ShapeMesh m;
    beginRun(m, GL_TRIANGLES);
    for (const auto& f : faces) {
        for (int k : {0, 1, 2, 0, 2, 3}) {
            const float* c = corners[f[k]];
            put(m, s * c[0], s * c[1], s * c[2]);
        }
    }
    endRun(m);
    return m;
}

void drawMesh(const ShapeMesh& mesh) {
    const bool textured = !mesh.texCoords.empty();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    if (textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords.data());
    }
    // Consecutive primitives of one kind go to GL in one call.
    GLint firsts[256];
    GLsizei counts[256];
    size_t i = 0;
    while (i < mesh.runs.size()) {
        GLsizei n = 0;
        const unsigned mode = mesh.runs[i].mode;
        for (; i < mesh.runs.size() && mesh.runs[i].mode == mode && n < 256; ++i, ++n) {
            firsts[n] = mesh.runs[i].first;
            counts[n] = mesh.runs[i].count;
        }
        glMultiDrawArrays(mode, firsts, counts, n);
    }
    if (textured) {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        const float* last = &mesh.texCoords[mesh.texCoords.size() - 2];
        glTexCoord2f(last[0], last[1]);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}
