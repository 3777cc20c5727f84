#include "render/ground.h"

#include "world/world_grid.h"

SkirtPlan planSkirts(float h, const NeighbourHeights& n) {
    SkirtPlan p;
    p.reach = h;  // a 45-degree slope: as far sideways as it drops
    auto lower = [h](const float* neighbour) { return neighbour && h > *neighbour; };
    p.west = lower(n.west);
    p.east = lower(n.east);
    p.south = lower(n.south);
    p.north = lower(n.north);
    p.widenWest = p.west ? p.reach : 0.0f;
    p.widenEast = p.east ? p.reach : 0.0f;
    p.widenSouth = p.south ? p.reach : 0.0f;
    p.widenNorth = p.north ? p.reach : 0.0f;
    return p;
}

SkirtPlan planSkirtsFor(const GroundTile& tile) {
    const int c = tile.column;
    const int r = tile.row;
    // The outer ring of the map has no neighbour outside it, so no skirt there.
    auto heightAt = [](bool inside, int column, int row) -> const float* {
        if (!inside) return nullptr;
        const GroundTile* t = groundAt(column, row);
        return t ? &t->surfaceHeight : nullptr;
    };
    NeighbourHeights n{heightAt(c > 0, c - 1, r), heightAt(c < world.mapWidth - 1, c + 1, r),
                       heightAt(r > 0, c, r - 1), heightAt(r < world.mapHeight - 1, c, r + 1)};
    return planSkirts(tile.surfaceHeight, n);
}

namespace {
void setFace(TileFace& f, const float (&v)[4][3]) {
    // Every face stretches the texture once: s against x undoes the mirror.
    static const float kTex[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        f.tex[i][0] = kTex[i][0];
        f.tex[i][1] = kTex[i][1];
        for (int k = 0; k < 3; ++k) f.vertex[i][k] = v[i][k];
    }
}
}  // namespace

TileFaces tileFaces(float h, const SkirtPlan& p) {
    TileFaces out;
    const float s = p.reach;
    const float wW = p.widenWest, wE = p.widenEast, wS = p.widenSouth, wN = p.widenNorth;
    {
        const float v[4][3] = {{1, 0, h}, {0, 0, h}, {0, 1, h}, {1, 1, h}};
        setFace(out.face[out.count++], v);
    }
    if (p.south) {
        const float v[4][3] = {{1 + wE, -s, 0}, {-wW, -s, 0}, {0, 0, h}, {1, 0, h}};
        setFace(out.face[out.count++], v);
    }
    if (p.north) {
        const float v[4][3] = {{1, 1, h}, {0, 1, h}, {-wW, 1 + s, 0}, {1 + wE, 1 + s, 0}};
        setFace(out.face[out.count++], v);
    }
    if (p.west) {
        const float v[4][3] = {{0, 0, h}, {-s, -wS, 0}, {-s, 1 + wN, 0}, {0, 1, h}};
        setFace(out.face[out.count++], v);
    }
    if (p.east) {
        const float v[4][3] = {{1 + s, -wS, 0}, {1, 0, h}, {1, 1, h}, {1 + s, 1 + wN, 0}};
        setFace(out.face[out.count++], v);
    }
    return out;
}
