// How loud a sound is to the ear, for levelling the set against itself: the
// A-weighted mean square of its loudest 400 ms, in dB of full scale (a full
// scale 1 kHz sine reads -3 dB). The weighting is applied in the frequency
// domain of each window, which is slow but exact and needs no filter design.
// Header-only, so the generator and the tests measure the same way.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace loudness {

constexpr int kRate = 22050;
constexpr double kWindowSeconds = 0.4;

// Power gain of the A curve at `hz` (1 at 1 kHz).
inline double aWeightPower(double hz) {
    const double f2 = hz * hz;
    const double c1 = 20.598997 * 20.598997, c2 = 107.65265 * 107.65265;
    const double c3 = 737.86223 * 737.86223, c4 = 12194.217 * 12194.217;
    const double ra = c4 * f2 * f2 / ((f2 + c1) * std::sqrt((f2 + c2) * (f2 + c3)) * (f2 + c4));
    const double gain = ra * std::pow(10.0, 2.0 / 20.0);
    return gain * gain;
}

// In-place radix-2 FFT; the size must be a power of two.
inline void fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const double ang = -2.0 * 3.14159265358979323846 / static_cast<double>(len);
        const std::complex<double> wl(std::cos(ang), std::sin(ang));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w(1.0);
            for (size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= wl;
            }
        }
    }
}

// A-weighted mean square of s[from, from + count), zero beyond the end.
inline double weightedMeanSquare(const std::vector<double>& s, size_t from, size_t count) {
    size_t n = 1;
    while (n < count) n <<= 1;
    std::vector<std::complex<double>> buf(n);
    for (size_t i = 0; i < count && from + i < s.size(); ++i) buf[i] = s[from + i];
    fft(buf);
    // Parseval over the padded block: sum |X|^2 / n is the block's energy.
    double energy = 0;
    for (size_t k = 0; k <= n / 2; ++k) {
        const double hz = static_cast<double>(k) * kRate / static_cast<double>(n);
        const double p = std::norm(buf[k]) * aWeightPower(hz);
        energy += (k == 0 || k == n / 2) ? p : 2 * p;
    }
    return energy / static_cast<double>(n) / static_cast<double>(count);
}

inline double toDb(double meanSquare) { return 10.0 * std::log10(std::max(meanSquare, 1e-20)); }

// The loudest window (400 ms, stepped by 50 ms) in dB. A sound shorter than a
// window is measured over the window all the same: short means quieter.
inline double loudestDb(const std::vector<double>& s) {
    const size_t window = static_cast<size_t>(kWindowSeconds * kRate), hop = window / 8;
    double best = 0;
    for (size_t from = 0;; from += hop) {
        best = std::max(best, weightedMeanSquare(s, from, window));
        if (from + window >= s.size()) break;
    }
    return toDb(best);
}

// The mean over the whole sound, for the loops.
inline double averageDb(const std::vector<double>& s) {
    const size_t window = static_cast<size_t>(kWindowSeconds * kRate);
    double sum = 0;
    size_t count = 0;
    for (size_t from = 0; from + window <= s.size(); from += window, ++count) sum += weightedMeanSquare(s, from, window);
    return toDb(count ? sum / static_cast<double>(count) : weightedMeanSquare(s, 0, s.size()));
}

inline double peakDb(const std::vector<double>& s) {
    double m = 0;
    for (double v : s) m = std::max(m, std::fabs(v));
    return 20.0 * std::log10(std::max(m, 1e-10));
}

}  // namespace loudness
