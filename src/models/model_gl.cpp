// GL/gl.h stops at GL 1.3; glMultiDrawArrays (1.4) is declared behind this.
#define GL_GLEXT_PROTOTYPES 1
#include "models/model_gl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "models/shape_meshes.h"

namespace {

// A part ready to replay: its vertices already transformed, and the steps
// between them.
struct Recording {
    struct Step {
        enum Kind { Draw, Enable, Disable, Colour, BlendFunc, PushAttrib, PopAttrib, Bind, Call } kind;
        GLenum a = 0, b = 0;
        float v[4] = {0, 0, 0, 0};
        const uint32_t* name = nullptr;
        void (*change)() = nullptr;
        // Draw: primitives of one mode, with or without texture coordinates
        // (without, they take the current one, as the library's cube does).
        bool textured = false;
        std::vector<GLint> firsts;
        std::vector<GLsizei> counts;
    };
    std::vector<float> positions;
    std::vector<float> texCoords;
    std::vector<Step> steps;
    // The vertices in a GL buffer, filled at the first replay: drawn from the
    // game's memory they would be copied to the driver at every draw.
    mutable GLuint buffer = 0;
    // How far the farthest vertex lies from the origin, once asked; < 0: not yet.
    mutable float reach = -1.0f;
};

class Recorder {
public:
    using Matrix = std::array<double, 16>;
    static Matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

    Recording recording;

    Recorder() { stack.push_back(identity()); }

    bool balanced() const { return stack.size() == 1 && stack.back() == identity(); }

    void push() { stack.push_back(stack.back()); }
    void pop() {
        if (stack.size() < 2) fail("pops more than it pushes");
        stack.pop_back();
    }
    // As GL does, each transform multiplies the current matrix on the right.
    void multiply(const Matrix& m) {
        const Matrix c = stack.back();
        Matrix r{};
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 4; ++row)
                for (int k = 0; k < 4; ++k) r[col * 4 + row] += c[k * 4 + row] * m[col * 4 + k];
        stack.back() = r;
    }

    Recording::Step& step(Recording::Step::Kind kind) {
        recording.steps.push_back({});
        recording.steps.back().kind = kind;
        return recording.steps.back();
    }

    void texCoord(float s, float t) {
        current[0] = s;
        current[1] = t;
        currentKnown = true;
    }

    void begin(GLenum m) {
        mode = m;
        primitiveFirst = static_cast<GLint>(recording.positions.size() / 3);
    }
    void vertex(double x, double y, double z) {
        // A vertex without a coordinate of its own takes the current one; the
        // current one from before the part is only known when it is drawn.
        const bool firstVertex = recording.positions.size() / 3 == static_cast<size_t>(primitiveFirst);
        if (firstVertex) primitiveTextured = currentKnown;
        if (currentKnown != primitiveTextured) fail("mixes vertices with and without texture coordinates");
        const Matrix& m = stack.back();
        for (int row = 0; row < 3; ++row)
            recording.positions.push_back(static_cast<float>(m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row]));
        recording.texCoords.push_back(current[0]);
        recording.texCoords.push_back(current[1]);
    }
    void end() {
        const GLint first = primitiveFirst;
        const GLsizei count = static_cast<GLsizei>(recording.positions.size() / 3) - first;
        if (count == 0) return;
        Recording::Step* last = recording.steps.empty() ? nullptr : &recording.steps.back();
        if (!last || last->kind != Recording::Step::Draw || last->a != mode || last->textured != primitiveTextured) {
            last = &step(Recording::Step::Draw);
            last->a = mode;
            last->textured = primitiveTextured;
        }
        last->firsts.push_back(first);
        last->counts.push_back(count);
    }

    [[noreturn]] static void fail(const char* what) {
        std::fprintf(stderr, "recorded model part %s\n", what);
        std::abort();
    }

private:
    std::vector<Matrix> stack;
    GLenum mode = 0;
    GLint primitiveFirst = 0;
    bool primitiveTextured = false;
    float current[2] = {0, 0};
    bool currentKnown = false;
};

Recorder* recorder = nullptr;

void replay(const Recording& r) {
    const GLsizeiptr positionBytes = static_cast<GLsizeiptr>(r.positions.size() * sizeof(float));
    const GLsizeiptr texCoordBytes = static_cast<GLsizeiptr>(r.texCoords.size() * sizeof(float));
    if (r.buffer == 0) {
        glGenBuffers(1, &r.buffer);
        glBindBuffer(GL_ARRAY_BUFFER, r.buffer);
        glBufferData(GL_ARRAY_BUFFER, positionBytes + texCoordBytes, nullptr, GL_STATIC_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, positionBytes, r.positions.data());
        glBufferSubData(GL_ARRAY_BUFFER, positionBytes, texCoordBytes, r.texCoords.data());
    } else {
        glBindBuffer(GL_ARRAY_BUFFER, r.buffer);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glTexCoordPointer(2, GL_FLOAT, 0, reinterpret_cast<const void*>(positionBytes));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    for (const Recording::Step& s : r.steps) {
        switch (s.kind) {
        case Recording::Step::Draw:
            if (s.textured) glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glMultiDrawArrays(s.a, s.firsts.data(), s.counts.data(), static_cast<GLsizei>(s.firsts.size()));
            if (s.textured) {
                glDisableClientState(GL_TEXTURE_COORD_ARRAY);
                // Immediate mode would leave the last coordinate current.
                const size_t last = 2 * static_cast<size_t>(s.firsts.back() + s.counts.back() - 1);
                glTexCoord2f(r.texCoords[last], r.texCoords[last + 1]);
            }
            break;
        case Recording::Step::Enable: glEnable(s.a); break;
        case Recording::Step::Disable: glDisable(s.a); break;
        case Recording::Step::Colour: glColor4f(s.v[0], s.v[1], s.v[2], s.v[3]); break;
        case Recording::Step::BlendFunc: glBlendFunc(s.a, s.b); break;
        case Recording::Step::PushAttrib: glPushAttrib(s.a); break;
        case Recording::Step::PopAttrib: glPopAttrib(); break;
        case Recording::Step::Bind: glBindTexture(GL_TEXTURE_2D, *s.name); break;
        case Recording::Step::Call: s.change(); break;
        }
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

// Recorded once, on first use; must not be asked for inside a recording.
template <typename Run>
const Recording& recordingOf(const void* key, int argument, Run run) {
    static std::map<std::pair<const void*, int>, Recording> recordings;
    auto found = recordings.find({key, argument});
    if (found == recordings.end()) {
        Recorder r;
        recorder = &r;
        run();
        recorder = nullptr;
        if (!r.balanced()) Recorder::fail("leaves the matrix changed");
        found = recordings.emplace(std::make_pair(key, argument), std::move(r.recording)).first;
    }
    return found->second;
}

template <typename Run>
void drawRecordedPart(const void* key, int argument, Run run) {
    if (recorder) {  // part of a larger recording
        run();
        return;
    }
    replay(recordingOf(key, argument, run));
}

}  // namespace

namespace gx {

void pushMatrix() {
    if (recorder) recorder->push();
    else glPushMatrix();
}

void popMatrix() {
    if (recorder) recorder->pop();
    else glPopMatrix();
}

void translate(float x, float y, float z) {
    if (!recorder) return glTranslatef(x, y, z);
    Recorder::Matrix m = Recorder::identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    recorder->multiply(m);
}

void rotate(float angle, float x, float y, float z) {
    if (!recorder) return glRotatef(angle, x, y, z);
    const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (length == 0) return;
    const double ux = x / length, uy = y / length, uz = z / length;
    const double radians = angle * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians), s = std::sin(radians), t = 1 - c;
    recorder->multiply(Recorder::Matrix{t * ux * ux + c, t * ux * uy + s * uz, t * ux * uz - s * uy, 0,
                        t * ux * uy - s * uz, t * uy * uy + c, t * uy * uz + s * ux, 0,
                        t * ux * uz + s * uy, t * uy * uz - s * ux, t * uz * uz + c, 0,
                        0, 0, 0, 1});
}

void scale(float x, float y, float z) {
    if (!recorder) return glScalef(x, y, z);
    Recorder::Matrix m = Recorder::identity();
    m[0] = x;
    m[5] = y;
    m[10] = z;
    recorder->multiply(m);
}

void colour(float r, float g, float b) {
    if (!recorder) return glColor3f(r, g, b);
    colour(r, g, b, 1.0f);
}

void colour(float r, float g, float b, float a) {
    if (!recorder) return glColor4f(r, g, b, a);
    Recording::Step& s = recorder->step(Recording::Step::Colour);
    s.v[0] = r;
    s.v[1] = g;
    s.v[2] = b;
    s.v[3] = a;
}

void enable(GLenum capability) {
    if (!recorder) return glEnable(capability);
    recorder->step(Recording::Step::Enable).a = capability;
}

void disable(GLenum capability) {
    if (!recorder) return glDisable(capability);
    recorder->step(Recording::Step::Disable).a = capability;
}

void blendFunc(GLenum source, GLenum destination) {
    if (!recorder) return glBlendFunc(source, destination);
    Recording::Step& s = recorder->step(Recording::Step::BlendFunc);
    s.a = source;
    s.b = destination;
}

void pushAttrib(GLbitfield mask) {
    if (!recorder) return glPushAttrib(mask);
    recorder->step(Recording::Step::PushAttrib).a = mask;
}

void popAttrib() {
    if (!recorder) return glPopAttrib();
    recorder->step(Recording::Step::PopAttrib);
}

void bindTexture(const uint32_t* name) {
    if (!recorder) return glBindTexture(GL_TEXTURE_2D, *name);
    recorder->step(Recording::Step::Bind).name = name;
}

void call(void (*change)()) {
    if (!recorder) return change();
    recorder->step(Recording::Step::Call).change = change;
}

void begin(GLenum mode) {
    if (!recorder) return glBegin(mode);
    recorder->begin(mode);
}

void texCoord(float s, float t) {
    if (!recorder) return glTexCoord2f(s, t);
    recorder->texCoord(s, t);
}

void vertex(float x, float y, float z) {
    if (!recorder) return glVertex3f(x, y, z);
    recorder->vertex(x, y, z);
}

void end() {
    if (!recorder) return glEnd();
    recorder->end();
}

void mesh(const ShapeMesh& m) {
    if (!recorder) return drawMesh(m);
    const bool textured = !m.texCoords.empty();
    for (const ShapeMesh::Run& run : m.runs) {
        recorder->begin(run.mode);
        for (int i = run.first; i < run.first + run.count; ++i) {
            if (textured) recorder->texCoord(m.texCoords[2 * i], m.texCoords[2 * i + 1]);
            recorder->vertex(m.positions[3 * i], m.positions[3 * i + 1], m.positions[3 * i + 2]);
        }
        recorder->end();
    }
}

}  // namespace gx

void drawRecorded(void (*part)()) {
    drawRecordedPart(reinterpret_cast<const void*>(part), 0, part);
}

void drawRecorded(void (*part)(int), int argument) {
    drawRecordedPart(reinterpret_cast<const void*>(part), argument, [&] { part(argument); });
}

void drawListed(void (*part)()) {
    if (recorder) return part();
    static std::map<void (*)(), GLuint> lists;
    auto found = lists.find(part);
    if (found == lists.end()) {
        const GLuint list = glGenLists(1);
        if (list == 0) return part();  // no context or no names left: live
        // Compiled only; the first drawing is the list's own, as every later one.
        glNewList(list, GL_COMPILE);
        part();
        glEndList();
        found = lists.emplace(part, list).first;
    }
    glCallList(found->second);
}

float recordedReach(void (*part)()) {
    if (recorder) Recorder::fail("asks for a reach while recording");
    const Recording& r = recordingOf(reinterpret_cast<const void*>(part), 0, part);
    if (r.reach >= 0.0f) return r.reach;
    double farthest = 0;
    for (size_t i = 0; i + 2 < r.positions.size(); i += 3) {
        const double x = r.positions[i], y = r.positions[i + 1], z = r.positions[i + 2];
        farthest = std::max(farthest, std::sqrt(x * x + y * y + z * z));
    }
    // Up a little, so a vertex rounded on its way to the screen stays inside.
    r.reach = static_cast<float>(farthest * 1.001 + 1e-3);
    return r.reach;
}

namespace {
void setTextureReplace() { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); }
void setTextureModulate() { glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); }
}  // namespace

void textureAloneUnderWhite() { gx::call(setTextureReplace); }
void textureTimesColour() { gx::call(setTextureModulate); }
