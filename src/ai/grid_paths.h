// Distance fields over the map's cells for the computer player: what a cow may
// walk through, and the cheapest way from one cell to every other.
#pragma once

#include <cstdint>
#include <vector>

#include "world/records.h"

// How a cell looks to one cow finding its way.
enum class CellPass : uint8_t {
    Blocked,    // no ground, or an object that stops the cow
    Open,       // dry ground with nothing that stops it
    Water,      // open but at half speed
    RivalGate,  // the rival's gate, shut but breakable
};

CellPass cellPass(const Cow& self, int column, int row);

// Extra cost a plan puts on cells: around the rival, and on the rival's gates.
struct PathCosts {
    int gateCost = 80;  // a shut rival gate: three headbutts' time
    int avoidColumn = -1;
    int avoidRow = -1;
    int avoidRadius = 0;  // Chebyshev radius around (avoidColumn, avoidRow)
    int avoidCost = 0;    // added for entering each such cell
};

constexpr int32_t kUnreached = INT32_MAX;
// One orthogonal step of dry ground; a diagonal costs 14, water twice as much.
constexpr int32_t kStraightCost = 10;

class DistanceField {
public:
    // Cheapest costs from (column, row) to every cell of the map. Diagonal
    // steps do not cut the corners of solid cells: the cow looks only at the
    // cell straight ahead of it and would catch on the corner.
    void compute(const Cow& self, int column, int row, const PathCosts& costs);

    int32_t distance(int column, int row) const;
    // The cells from the start to (column, row), both included; empty when it
    // cannot be reached.
    std::vector<int> pathTo(int column, int row) const;

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int index(int column, int row) const { return column * rows_ + row; }
    int columnOf(int index) const { return index / rows_; }
    int rowOf(int index) const { return index % rows_; }
    bool inside(int column, int row) const {
        return column >= 0 && row >= 0 && column < columns_ && row < rows_;
    }
    CellPass passAt(int index) const { return static_cast<CellPass>(pass_[index]); }

private:
    int columns_ = 0;
    int rows_ = 0;
    std::vector<int32_t> dist_;
    std::vector<int32_t> parent_;
    std::vector<uint8_t> pass_;
    std::vector<std::vector<int>> buckets_;
};
