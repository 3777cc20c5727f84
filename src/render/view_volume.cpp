#include "render/view_volume.h"

#include <cmath>

ViewVolume viewVolumeOf(const double m[16]) {
    ViewVolume v;
    // Row i of the matrix is (m[i], m[4 + i], m[8 + i], m[12 + i]); a point is
    // inside when -w <= x, y, z <= w in clip space.
    const int axis[6] = {0, 0, 1, 1, 2, 2};
    const double sign[6] = {1, -1, 1, -1, 1, -1};
    for (int p = 0; p < 6; ++p) {
        const int i = axis[p];
        double n[4];
        for (int k = 0; k < 4; ++k) n[k] = m[4 * k + 3] + sign[p] * m[4 * k + i];
        const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int k = 0; k < 4; ++k) v.plane[p][k] = len > 0 ? n[k] / len : 0.0;
    }
    return v;
}

bool ViewVolume::excludes(double x, double y, double z, double radius) const {
    for (const auto& p : plane) {
        if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
        if (p[0] * x + p[1] * y + p[2] * z + p[3] < -radius) return true;
    }
    return false;
}
