#include "synth.h"

#include "loudness.h"

#include <algorithm>
#include <cstdio>

namespace synth {

void mixInto(Signal& dst, const Signal& src, long at, double gain, bool loop) {
    const long n = static_cast<long>(dst.size());
    if (n == 0) return;
    for (size_t i = 0; i < src.size(); ++i) {
        long j = at + static_cast<long>(i);
        if (loop) {
            j %= n;
            if (j < 0) j += n;
        } else if (j < 0 || j >= n) {
            continue;
        }
        dst[j] += gain * src[i];
    }
}

void fadeEdges(Signal& s, double inSeconds, double outSeconds) {
    const int n = static_cast<int>(s.size());
    const int in = std::min(n, samples(inSeconds)), out = std::min(n, samples(outSeconds));
    for (int i = 0; i < in; ++i) s[i] *= rampUp(i, in);
    for (int i = 0; i < out; ++i) s[n - 1 - i] *= rampUp(i, out);
}

void normalise(Signal& s, double peak) {
    double m = 0;
    for (double v : s) m = std::max(m, std::fabs(v));
    if (m <= 0) return;
    for (double& v : s) v *= peak / m;
}

void squash(Signal& s, double drive) {
    normalise(s, 1.0);
    for (double& v : s) v = std::tanh(drive * v) / std::tanh(drive);
}

void limitPeaks(Signal& s, double ceiling) {
    const int n = static_cast<int>(s.size()), reach = samples(0.005);
    // The gain each sample needs, then the least of it within reach, then a
    // raised-cosine smoothing that never lifts a needed dip.
    std::vector<double> need(n), held(n);
    for (int i = 0; i < n; ++i) need[i] = std::min(1.0, ceiling / std::max(std::fabs(s[i]), 1e-12));
    for (int i = 0; i < n; ++i) {
        double g = 1.0;
        for (int k = std::max(0, i - reach); k <= std::min(n - 1, i + reach); ++k) g = std::min(g, need[k]);
        held[i] = g;
    }
    std::vector<double> kernel(2 * reach + 1);
    double sum = 0;
    for (int k = -reach; k <= reach; ++k) sum += kernel[k + reach] = 0.5 + 0.5 * std::cos(kPi * k / (reach + 1));
    for (int i = 0; i < n; ++i) {
        double g = 0;
        for (int k = -reach; k <= reach; ++k) g += kernel[k + reach] * held[std::clamp(i + k, 0, n - 1)];
        s[i] *= std::min(g / sum, 1.0);
    }
    // The smoothing can leave a peak a hair over; the last word is a plain scale.
    double m = 0;
    for (double v : s) m = std::max(m, std::fabs(v));
    if (m > ceiling) for (double& v : s) v *= ceiling / m;
}

void levelTo(Signal& s, double targetDb, double ceiling) {
    for (int pass = 0; pass < 4; ++pass) {
        double gain = std::pow(10.0, (targetDb - loudness::loudestDb(s)) / 20.0);
        for (double& v : s) v *= gain;
        double m = 0;
        for (double v : s) m = std::max(m, std::fabs(v));
        if (m <= ceiling) return;
        limitPeaks(s, ceiling);
    }
}

void removeDc(Signal& s) {
    if (s.empty()) return;
    double mean = 0;
    for (double v : s) mean += v;
    mean /= static_cast<double>(s.size());
    for (double& v : s) v -= mean;
}

Signal crossfadeLoop(const Signal& s, int length, int fade) {
    Signal out(s.begin(), s.begin() + length);
    for (int i = 0; i < fade; ++i) {
        double w = (i + 0.5) / fade * kPi / 2;
        out[i] = s[i] * std::sin(w) + s[length + i] * std::cos(w);
    }
    return out;
}

Signal pluck(double hz, double seconds, double decay, double brightness, Noise& noise) {
    const double period = kRate / hz;
    // The averaging filter delays by half a sample; the all-pass makes up the
    // fraction, kept between 0.1 and 1.1 samples so it stays well behaved.
    const int n = std::max(2, static_cast<int>(std::floor(period - 0.6)));
    const double frac = period - 0.5 - n;
    const double c = (1 - frac) / (1 + frac);
    const double gain = std::pow(0.001, 1.0 / (hz * decay));

    Signal line(n);
    OnePoleLow soften(300 + 9000 * brightness * brightness);
    for (int i = 0; i < n * 2; ++i) soften(noise.white());  // settle the filter
    for (int i = 0; i < n; ++i) line[i] = soften(noise.white());
    removeDc(line);

    Signal out(samples(seconds));
    double prev = 0, apIn = 0, apOut = 0;
    int idx = 0;
    for (double& o : out) {
        double v = line[idx];
        o = v;
        double avg = gain * 0.5 * (v + prev);
        prev = v;
        double ap = c * avg + apIn - c * apOut;
        apIn = avg;
        apOut = ap;
        line[idx] = ap;
        if (++idx == n) idx = 0;
    }
    fadeEdges(out, 0.001, std::min(0.05, seconds / 4));
    return out;
}

bool writeWav(const std::string& path, const Signal& s) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    std::vector<int16_t> pcm(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        double v = std::clamp(s[i], -1.0, 1.0) * 32767.0;
        pcm[i] = static_cast<int16_t>(std::lround(v));
    }
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    auto u32 = [&](uint32_t v) {
        unsigned char b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto u16 = [&](uint16_t v) {
        unsigned char b[2] = {uint8_t(v), uint8_t(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);         // plain PCM fmt chunk
    u16(1);          // PCM
    u16(1);          // mono
    u32(kRate);
    u32(kRate * 2);  // bytes per second
    u16(2);          // block align
    u16(16);         // bits per sample
    std::fwrite("data", 1, 4, f);
    u32(dataBytes);
    for (int16_t v : pcm) u16(static_cast<uint16_t>(v));
    bool ok = std::ferror(f) == 0;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "%s: write failed\n", path.c_str());
    return ok;
}

}  // namespace synth
