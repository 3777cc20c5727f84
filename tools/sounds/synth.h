// Small building blocks for the game's synthesised sounds: a fixed-seed noise
// source, filters, envelopes, plucked strings and the WAV writer. Everything is
// deterministic, so every build writes the same files.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Signal = std::vector<double>;

inline int samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// xorshift64*: small, fast and the same everywhere.
class Noise {
public:
    explicit Noise(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    double uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); }  // [0, 1)
    double white() { return 2.0 * uniform() - 1.0; }                             // [-1, 1)
    double range(double a, double b) { return a + (b - a) * uniform(); }

private:
    uint64_t state_;
};

// One-pole low-pass with its corner in Hz.
class OnePoleLow {
public:
    explicit OnePoleLow(double hz = 1000) { set(hz); }
    void set(double hz) { a_ = 1.0 - std::exp(-kTwoPi * hz / kRate); }
    double operator()(double x) { return y_ += a_ * (x - y_); }

private:
    double a_ = 0, y_ = 0;
};

// One-pole high-pass (the input less its low-passed self).
class OnePoleHigh {
public:
    explicit OnePoleHigh(double hz = 100) : low_(hz) {}
    void set(double hz) { low_.set(hz); }
    double operator()(double x) { return x - low_(x); }

private:
    OnePoleLow low_;
};

// RBJ biquad; coefficients may be changed every sample for sweeps.
class Biquad {
public:
    void lowPass(double hz, double q) { design(hz, q, 0); }
    void highPass(double hz, double q) { design(hz, q, 1); }
    // Band-pass with a peak gain of 1.
    void bandPass(double hz, double q) { design(hz, q, 2); }
    double operator()(double x) {
        double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_; x1_ = x; y2_ = y1_; y1_ = y;
        return y;
    }

private:
    void design(double hz, double q, int kind) {
        hz = std::fmin(std::fmax(hz, 10.0), kRate * 0.45);
        double w = kTwoPi * hz / kRate, c = std::cos(w), alpha = std::sin(w) / (2 * q);
        double a0 = 1 + alpha;
        if (kind == 0) { b0_ = (1 - c) / 2; b1_ = 1 - c; b2_ = (1 - c) / 2; }
        else if (kind == 1) { b0_ = (1 + c) / 2; b1_ = -(1 + c); b2_ = (1 + c) / 2; }
        else { b0_ = alpha; b1_ = 0; b2_ = -alpha; }
        b0_ /= a0; b1_ /= a0; b2_ /= a0;
        a1_ = -2 * c / a0; a2_ = (1 - alpha) / a0;
    }
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Band-limited sawtooth (polyBLEP), phase in cycles.
class Saw {
public:
    double operator()(double hz) {
        double dt = hz / kRate;
        double v = 2.0 * phase_ - 1.0 - blep(phase_, dt);
        phase_ += dt;
        if (phase_ >= 1.0) phase_ -= 1.0;
        return v;
    }
    static double blep(double t, double dt) {
        if (t < dt) { t /= dt; return t + t - t * t - 1.0; }
        if (t > 1.0 - dt) { t = (t - 1.0) / dt; return t * t + t + t + 1.0; }
        return 0.0;
    }

private:
    double phase_ = 0;
};

// Band-limited square (two polyBLEP steps per cycle).
class Square {
public:
    double operator()(double hz, double duty = 0.5) {
        double dt = hz / kRate;
        double v = phase_ < duty ? 1.0 : -1.0;
        v += Saw::blep(phase_, dt);
        double t2 = phase_ - duty;
        if (t2 < 0) t2 += 1.0;
        v -= Saw::blep(t2, dt);
        phase_ += dt;
        if (phase_ >= 1.0) phase_ -= 1.0;
        return v;
    }

private:
    double phase_ = 0;
};

// A sine whose frequency may change every sample without phase jumps.
class Sine {
public:
    explicit Sine(double phase = 0) : phase_(phase) {}
    double operator()(double hz) {
        double v = std::sin(kTwoPi * phase_);
        phase_ += hz / kRate;
        if (phase_ >= 1.0) phase_ -= 1.0;
        return v;
    }

private:
    double phase_;
};

// Raised-cosine ramps for click-free edges.
inline double rampUp(double t, double len) {
    if (t <= 0) return 0;
    if (t >= len) return 1;
    return 0.5 - 0.5 * std::cos(kPi * t / len);
}
// Attack, then exponential decay with the given time constant (seconds).
inline double pluckEnv(double t, double attack, double decay) {
    return t < 0 ? 0 : rampUp(t, attack) * std::exp(-t / decay);
}

// Adds src into dst from sample offset `at`, scaled; wraps round when `loop`.
void mixInto(Signal& dst, const Signal& src, long at, double gain, bool loop = false);

// Fades the first and last `seconds` of a one-shot to silence.
void fadeEdges(Signal& s, double inSeconds, double outSeconds);

// Scales so that the highest peak is `peak` (of full scale).
void normalise(Signal& s, double peak);

// Squashes peaks (tanh) after scaling to full scale: sparse, spiky sounds get
// more body for the same peak. `drive` 1 is gentle, 3 is strong.
void squash(Signal& s, double drive);

// Holds the peaks at or below `ceiling` (of full scale) with a smooth gain
// that dips around each louder peak (5 ms either side), so the waveform keeps
// its shape; quieter stretches are not touched.
void limitPeaks(Signal& s, double ceiling);

// Scales a sound so that its loudest 400 ms, A-weighted, sits at `targetDb`,
// limiting any peak above `ceiling` on the way; the set is levelled by
// loudness, not by peak, so that no effect jumps out or hides.
void levelTo(Signal& s, double targetDb, double ceiling);

// Removes the mean (no DC offset in any file).
void removeDc(Signal& s);

// Makes a loop of `length` samples from a longer rendering: the part after
// `length` is crossfaded (equal power) into the start, so the end joins the
// start without a step.
Signal crossfadeLoop(const Signal& s, int length, int fade);

// Karplus-Strong plucked string with a fractional (all-pass) delay for exact
// pitch. `brightness` 0..1 colours the excitation, `decay` is the time in
// seconds to fall by 60 dB.
Signal pluck(double hz, double seconds, double decay, double brightness, Noise& noise);

// 16-bit PCM, mono, 22050 Hz, plain 16-byte fmt chunk. Returns false on error.
bool writeWav(const std::string& path, const Signal& s);

}  // namespace synth
