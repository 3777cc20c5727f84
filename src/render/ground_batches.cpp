#include "render/ground_batches.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstddef>
#include <vector>

#include "models/model_gl.h"
#include "render/ground.h"
#include "world/world_grid.h"

namespace {

// A quad as two triangles, split the way the renderer splits a quad.
const int kQuadSplit[6] = {0, 1, 3, 1, 2, 3};

struct Vertex {
    float s, t, x, y, z;
};

// One tile's run of vertices in its texture's batch.
struct TileSpan {
    int column;
    GLint first;
    GLsizei count;
};

struct TextureBatch {
    GLuint texture = 0;
    std::vector<std::vector<TileSpan>> rows;  // by row, tiles in column order
};

// What the batches were built from: a tile's texture and height per cell
// (skirts follow from the heights), so a new map, or the same map read again,
// is noticed by value.
struct CellKey {
    bool ground = false;
    uint32_t texture = 0;
    float height = 0.0f;
    bool operator!=(const CellKey& o) const { return ground != o.ground || texture != o.texture || height != o.height; }
};

struct GroundBatches {
    int width = -1, height = -1;
    std::vector<CellKey> keys;
    std::vector<TextureBatch> batches;
    // Cells whose tile may have skirts, row by row.
    struct Cell {
        int column, row;
    };
    std::vector<Cell> skirted;
    GLuint buffer = 0;
    std::vector<GLint> firsts;
    std::vector<GLsizei> counts;
};
GroundBatches cache;

CellKey keyAt(int column, int row) {
    const GroundTile* tile = groundAt(column, row);
    return tile ? CellKey{true, tile->texture, tile->surfaceHeight} : CellKey{};
}

bool cacheMatchesWorld() {
    if (cache.width != world.mapWidth || cache.height != world.mapHeight) return false;
    size_t i = 0;
    for (int row = 0; row < world.mapHeight; ++row)
        for (int column = 0; column < world.mapWidth; ++column)
            if (cache.keys[i++] != keyAt(column, row)) return false;
    return true;
}

void rebuild() {
    cache.width = world.mapWidth;
    cache.height = world.mapHeight;
    cache.keys.clear();
    cache.batches.clear();
    cache.skirted.clear();
    std::vector<std::vector<Vertex>> vertices;
    for (int row = 0; row < world.mapHeight; ++row) {
        for (int column = 0; column < world.mapWidth; ++column) {
            cache.keys.push_back(keyAt(column, row));
            const GroundTile* tile = groundAt(column, row);
            if (!tile) continue;
            size_t b = 0;
            while (b < cache.batches.size() && cache.batches[b].texture != tile->texture) ++b;
            if (b == cache.batches.size()) {
                cache.batches.emplace_back();
                cache.batches.back().texture = tile->texture;
                cache.batches.back().rows.resize(world.mapHeight);
                vertices.emplace_back();
            }
            // The tile's top, moved from its corner to its cell; its skirts
            // stay apart (see drawGroundSkirts).
            const TileFaces faces = tileFaces(tile->surfaceHeight, SkirtPlan{});
            std::vector<Vertex>& out = vertices[b];
            cache.batches[b].rows[row].push_back({column, static_cast<GLint>(out.size()), faces.count * 6});
            if (planSkirtsFor(*tile).reach > 0.0f) cache.skirted.push_back({column, row});
            for (int f = 0; f < faces.count; ++f)
                for (int k : kQuadSplit) {
                    const TileFace& face = faces.face[f];
                    out.push_back({face.tex[k][0], face.tex[k][1], face.vertex[k][0] + static_cast<float>(column),
                                   face.vertex[k][1] + static_cast<float>(row), face.vertex[k][2]});
                }
        }
    }
    // One buffer for all textures: each batch's spans are offset by where its
    // vertices start.
    std::vector<Vertex> all;
    for (size_t b = 0; b < cache.batches.size(); ++b) {
        const GLint base = static_cast<GLint>(all.size());
        for (auto& spans : cache.batches[b].rows)
            for (TileSpan& span : spans) span.first += base;
        all.insert(all.end(), vertices[b].begin(), vertices[b].end());
    }
    if (cache.buffer == 0) glGenBuffers(1, &cache.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, cache.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(all.size() * sizeof(Vertex)), all.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// The skirts are drawn tile by tile from each tile's corner, as the tiles
// were: moved into the cell in world coordinates they round a little
// differently, and on a skirt's stretched texture that is enough to move its
// whole face to another mipmap level.
void drawGroundSkirts(const CellRange& cells) {
    GLuint bound = 0;
    for (const GroundBatches::Cell& cell : cache.skirted) {
        if (cell.row < cells.firstRow || cell.row >= cells.endRow) continue;
        if (cell.column < cells.firstColumn || cell.column >= cells.endColumn) continue;
        const GroundTile& tile = *groundAt(cell.column, cell.row);
        const TileFaces faces = tileFaces(tile.surfaceHeight, planSkirtsFor(tile));
        if (faces.count < 2) continue;
        if (tile.texture != bound) glBindTexture(GL_TEXTURE_2D, bound = tile.texture);
        glPushMatrix();
        glTranslatef(static_cast<float>(cell.column), static_cast<float>(cell.row), 0.0f);
        glBegin(GL_QUADS);
        for (int i = 1; i < faces.count; ++i) {
            const TileFace& f = faces.face[i];
            for (int k = 0; k < 4; ++k) {
                glTexCoord2f(f.tex[k][0], f.tex[k][1]);
                glVertex3f(f.vertex[k][0], f.vertex[k][1], f.vertex[k][2]);
            }
        }
        glEnd();
        glPopMatrix();
    }
}

}  // namespace

void drawGroundBatches(const CellRange& cells) {
    if (!cacheMatchesWorld()) rebuild();
    // The texture the last tile drawn cell by cell would have left bound.
    const GroundTile* last = nullptr;
    for (int row = cells.endRow - 1; row >= cells.firstRow && !last; --row)
        for (int column = cells.endColumn - 1; column >= cells.firstColumn && !last; --column)
            last = groundAt(column, row);
    if (!last) return;

    glBindBuffer(GL_ARRAY_BUFFER, cache.buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, s)));
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), reinterpret_cast<const void*>(offsetof(Vertex, x)));
    glColor3f(1.0f, 1.0f, 1.0f);
    textureAloneUnderWhite();
    // Tiles are wound the other way round from the models.
    glCullFace(GL_BACK);
    for (const TextureBatch& batch : cache.batches) {
        // Each row's visible tiles lie side by side in the batch: one range per row.
        cache.firsts.clear();
        cache.counts.clear();
        for (int row = cells.firstRow; row < cells.endRow; ++row) {
            const std::vector<TileSpan>& spans = batch.rows[row];
            GLint first = -1;
            GLsizei count = 0;
            for (const TileSpan& span : spans) {
                if (span.column < cells.firstColumn || span.column >= cells.endColumn) continue;
                if (first < 0) first = span.first;
                count += span.count;
            }
            if (count > 0) cache.firsts.push_back(first), cache.counts.push_back(count);
        }
        if (cache.firsts.empty()) continue;
        glBindTexture(GL_TEXTURE_2D, batch.texture);
        glMultiDrawArrays(GL_TRIANGLES, cache.firsts.data(), cache.counts.data(), static_cast<GLsizei>(cache.firsts.size()));
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    drawGroundSkirts(cells);
    textureTimesColour();
    glCullFace(GL_FRONT);
    glBindTexture(GL_TEXTURE_2D, last->texture);
}
