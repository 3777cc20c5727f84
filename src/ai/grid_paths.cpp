#include "ai/grid_paths.h"

#include <algorithm>
#include <cstdlib>

#include "game/behaviours.h"
#include "world/world_grid.h"

CellPass cellPass(const Cow& self, int column, int row) {
    GroundTile* tile = groundAt(column, row);
    if (!tile) return CellPass::Blocked;
    if (WorldObject* object = objectAt(column, row)) {
        if (object->touch == blockCow) return CellPass::Blocked;
        if (object->touch == touchGate) {
            const Cow* owner = object->kind == '\\' ? world.cow1 : world.cow2;
            if (owner != &self && !(owner && owner->gateBroken)) {
                // A gate once broken and shut again by its owner touching
                // another gate of the pen keeps a spent counter: headbutts
                // only count it further down and never open it.
                return object->hitCounter > 0 ? CellPass::RivalGate : CellPass::Blocked;
            }
        }
    }
    return tile->kind == '~' ? CellPass::Water : CellPass::Open;
}

namespace {
// Larger than any one edge: 2 * 14 for a diagonal into water plus the extras.
constexpr int kBuckets = 512;

bool walkable(CellPass p) { return p == CellPass::Open || p == CellPass::Water; }
}  // namespace

void DistanceField::compute(const Cow& self, int column, int row, const PathCosts& costs) {
    columns_ = std::min<int>(std::max(world.usedColumns, world.mapWidth), kGridSize);
    rows_ = std::min<int>(std::max(world.usedRows, world.mapHeight), kGridSize);
    const size_t n = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    dist_.assign(n, kUnreached);
    parent_.assign(n, -1);
    pass_.resize(n);
    // Straight from the grids: this runs over every cell at every plan.
    for (int c = 0; c < columns_; ++c) {
        GroundTile* const* ground = &world.groundGrid[cellIndex(c, 0)];
        WorldObject* const* objects = &world.objectGrid[cellIndex(c, 0)];
        uint8_t* out = &pass_[static_cast<size_t>(index(c, 0))];
        for (int r = 0; r < rows_; ++r) {
            CellPass p;
            if (!ground[r]) p = CellPass::Blocked;
            else if (objects[r] && (objects[r]->touch == blockCow || objects[r]->touch == touchGate))
                p = cellPass(self, c, r);
            else p = ground[r]->kind == '~' ? CellPass::Water : CellPass::Open;
            out[r] = static_cast<uint8_t>(p);
        }
    }
    if (buckets_.size() != kBuckets) buckets_.assign(kBuckets, {});
    for (auto& b : buckets_) b.clear();
    if (!inside(column, row)) return;

    const int start = index(column, row);
    dist_[start] = 0;
    buckets_[0].push_back(start);
    size_t pending = 1;
    const int gateCost = std::min(costs.gateCost, 300);
    const int avoidCost = std::min(costs.avoidCost, 100);
    static const int kDc[8] = {1, -1, 0, 0, 1, 1, -1, -1};
    static const int kDr[8] = {0, 0, 1, -1, 1, -1, 1, -1};
    for (int32_t cost = 0; pending > 0; ++cost) {
        std::vector<int>& bucket = buckets_[cost % kBuckets];
        for (size_t i = 0; i < bucket.size(); ++i) {
            const int at = bucket[i];
            --pending;
            if (dist_[at] != cost) continue;  // reached cheaper since
            const int c = columnOf(at), r = rowOf(at);
            for (int k = 0; k < 8; ++k) {
                const int nc = c + kDc[k], nr = r + kDr[k];
                if (!inside(nc, nr)) continue;
                const int to = index(nc, nr);
                const CellPass p = passAt(to);
                if (p == CellPass::Blocked) continue;
                const bool diagonal = k >= 4;
                if (diagonal && (!walkable(passAt(index(nc, r))) || !walkable(passAt(index(c, nr)))))
                    continue;
                if (diagonal && p == CellPass::RivalGate) continue;  // gates are met head on
                int32_t step = diagonal ? 14 : kStraightCost;
                if (p == CellPass::Water) step *= 2;
                if (p == CellPass::RivalGate) step += gateCost;
                if (costs.avoidRadius > 0 && std::max(std::abs(nc - costs.avoidColumn),
                                                      std::abs(nr - costs.avoidRow)) <= costs.avoidRadius)
                    step += avoidCost;
                const int32_t d = cost + step;
                if (d < dist_[to]) {
                    dist_[to] = d;
                    parent_[to] = at;
                    buckets_[d % kBuckets].push_back(to);
                    ++pending;
                }
            }
        }
        bucket.clear();
    }
}

int32_t DistanceField::distance(int column, int row) const {
    if (!inside(column, row) || dist_.empty()) return kUnreached;
    return dist_[index(column, row)];
}

std::vector<int> DistanceField::pathTo(int column, int row) const {
    std::vector<int> path;
    if (distance(column, row) == kUnreached) return path;
    for (int at = index(column, row); at >= 0; at = parent_[at]) path.push_back(at);
    std::reverse(path.begin(), path.end());
    return path;
}
