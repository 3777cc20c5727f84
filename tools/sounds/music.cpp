// The intro tune (plucked strings: a hoedown in G and a tremolo-picked half in
// E minor) and the two brass fanfares.
#include <algorithm>
#include <vector>

#include "recipes.h"

using namespace synth;

namespace {

double midiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A brass-like note: sawtooth pair through a low-pass that opens with the
// attack ("bwah"), a little late vibrato, soft release.
Signal brass(double hz, double seconds, double brightness) {
    Signal out(samples(seconds + 0.2));
    Saw a, b;
    Sine vib;
    Biquad lp;
    const double release = std::min(0.2, seconds * 0.5);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double amp = rampUp(t, 0.03) * (t < seconds ? 1.0 - 0.15 * std::min(1.0, t / 0.3)
                                                    : 0.85 * (1.0 - rampUp(t - seconds, release)));
        double depth = 0.006 * rampUp(t - 0.15, 0.2);
        double f = hz * (1.0 + depth * vib(5.5));
        double opening = rampUp(t, 0.05);
        lp.lowPass(hz * (1.5 + brightness * 5.0 * opening) * (0.6 + 0.4 * amp), 1.2);
        out[i] = amp * lp(0.5 * a(f) + 0.5 * b(f * 1.003));
    }
    return out;
}

struct Note {
    double beat;   // start, in beats
    double beats;  // length, in beats
    int midi;
};

}  // namespace

namespace recipes {

Signal introTune() {
    // Sixteen bars: the hoedown in G (eighth-note picking over a bass and a
    // chop), then a contrasting half in E minor with a tremolo-picked, singing
    // melody over a walking bass, turning on D back into the hoedown. 140
    // beats a minute gives exactly 9450 samples a beat, so the loop is a whole
    // number of samples.
    const int beat = kRate * 60 / 140;
    const int barsA = 8, barsB = 8;
    const int length = (barsA + barsB) * 4 * beat;
    Signal out(length, 0.0);
    Noise noise(7);
    auto pluckAt = [&](double atBeat, int midi, double decay, double bright, double gain) {
        if (midi < 0) return;
        Signal s = pluck(midiHz(midi), decay * 1.6, decay, bright, noise);
        long at = static_cast<long>(atBeat * beat) + static_cast<long>(noise.range(-40, 40));
        mixInto(out, s, at, gain, true);  // tails wrap round into the start
    };

    // A: melody in eighth notes, one row per bar; -1 is a rest.
    const int melody[barsA][8] = {
        {74, 71, 74, 79, 78, 79, 74, 71}, {72, 76, 79, 76, 74, 72, 71, 72},
        {71, 74, 79, 74, 71, 74, 76, 74}, {78, 76, 74, 72, 71, 69, 66, 69},
        {74, 71, 74, 79, 78, 79, 81, 79}, {76, 79, 84, 79, 76, 72, 74, 76},
        {78, 81, 78, 74, 72, 71, 69, 66}, {79, 74, 71, 74, 67, -1, 69, 71},
    };
    // Chord per bar: G C G D G C D G. Bass root and fifth, then a strum.
    const int roots[barsA] = {43, 48, 43, 50, 43, 48, 50, 43};
    const int fifths[barsA] = {50, 43, 50, 45, 50, 43, 45, 50};
    const int triads[barsA][3] = {{55, 59, 62}, {55, 60, 64}, {55, 59, 62}, {54, 57, 62},
                                  {55, 59, 62}, {55, 60, 64}, {54, 57, 62}, {55, 59, 62}};
    for (int bar = 0; bar < barsA; ++bar) {
        double b0 = bar * 4.0;
        for (int k = 0; k < 8; ++k) {
            // Accent the beats, lighter off-beats: the skip of a hoedown.
            double gain = k % 2 == 0 ? 0.55 : 0.4;
            pluckAt(b0 + k * 0.5, melody[bar][k], 0.55, 0.75, gain);
        }
        pluckAt(b0 + 0, roots[bar], 0.9, 0.45, 0.8);
        pluckAt(b0 + 2, fifths[bar], 0.9, 0.45, 0.7);
        for (int strum = 1; strum <= 3; strum += 2) {
            for (int n = 0; n < 3; ++n)
                pluckAt(b0 + strum + n * 0.025, triads[bar][n], 0.35, 0.6, 0.22);
        }
        // The "chop" on the last off-beat of each bar: a short damped strum.
        for (int n = 0; n < 3; ++n) pluckAt(b0 + 3.5 + n * 0.02, triads[bar][n] + 12, 0.12, 0.7, 0.12);
    }

    // B: Em C Am D twice. Long notes held by tremolo picking, darker strings.
    const std::vector<Note> tune = {
        {0, 2, 71}, {2, 1, 67}, {3, 1, 71},   {4, 3, 72}, {7, 1, 71},
        {8, 2, 69}, {10, 1, 72}, {11, 1, 76}, {12, 3, 74}, {15, 1, 72},
        {16, 1, 71}, {17, 1, 74}, {18, 2, 79}, {20, 2, 76}, {22, 1, 72}, {23, 1, 76},
        {24, 2, 72}, {26, 1, 69}, {27, 1, 72}, {28, 2, 74}, {30, 1, 72}, {31, 1, 69},
    };
    const int walk[4][4] = {{40, 47, 43, 47}, {36, 43, 40, 43}, {45, 40, 43, 44}, {38, 42, 45, 47}};
    const int chords[4][3] = {{52, 55, 59}, {52, 55, 60}, {52, 57, 60}, {54, 57, 62}};
    const double bStart = barsA * 4.0;
    for (const Note& n : tune) {
        for (double b = 0; b < n.beats - 0.01; b += 0.25) {
            bool onBeat = std::fmod(b, 1.0) < 0.01;
            pluckAt(bStart + n.beat + b, n.midi, 0.4, 0.45, (b == 0 ? 0.5 : onBeat ? 0.32 : 0.24));
        }
    }
    for (int bar = 0; bar < barsB; ++bar) {
        double b0 = bStart + bar * 4.0;
        for (int k = 0; k < 4; ++k) {
            pluckAt(b0 + k, walk[bar % 4][k], 0.7, 0.35, k == 0 ? 0.75 : 0.6);
            // A soft rolled chord on each beat, lower and gentler than the A's strum.
            for (int c = 0; c < 3; ++c) pluckAt(b0 + k + 0.5 + c * 0.04, chords[bar % 4][c], 0.3, 0.35, 0.1);
        }
    }
    removeDc(out);
    // Round off the sharpest pluck attacks: louder tune for the same peak.
    squash(out, 1.6);
    normalise(out, 0.6);
    return out;
}

Signal startFanfare() {
    // Three quick triplet calls and a held major chord: "ta-ta-ta-taaa".
    const double beat = 60.0 / 150.0;
    const std::vector<Note> notes = {
        {0, 1.0 / 3, 67}, {1.0 / 3, 1.0 / 3, 67}, {2.0 / 3, 1.0 / 3, 67},
        {0, 1.0 / 3, 64}, {1.0 / 3, 1.0 / 3, 64}, {2.0 / 3, 1.0 / 3, 64},
        {1, 2.4, 72}, {1, 2.4, 76}, {1, 2.4, 79}, {1, 2.4, 60},
    };
    Signal out(samples(1.5), 0.0);
    for (const Note& n : notes) {
        double len = n.beats * beat * 0.92;
        mixInto(out, brass(midiHz(n.midi), len, n.midi < 62 ? 0.4 : 0.8),
                samples(n.beat * beat), n.midi < 62 ? 0.5 : (n.beat < 1 ? 0.5 : 0.33));
    }
    // A timpani stroke under the held chord.
    Sine drum;
    Noise noise(11);
    long at = samples(beat);
    for (long i = at; i < static_cast<long>(out.size()); ++i) {
        double t = static_cast<double>(i - at) / kRate;
        double env = pluckEnv(t, 0.004, 0.25);
        out[i] += 0.45 * env * (drum(98 * (1 + 0.3 * std::exp(-t / 0.03))) + 0.15 * noise.white() * std::exp(-t / 0.02));
    }
    removeDc(out);
    fadeEdges(out, 0.003, 0.15);
    normalise(out, 0.7);
    return out;
}

Signal winFanfare() {
    // A rising arpeggio, a short call and a long held chord with a cymbal swell.
    const double beat = 60.0 / 160.0;
    const std::vector<Note> notes = {
        {0, 0.5, 60}, {0.5, 0.5, 64}, {1, 0.5, 67}, {1.5, 0.5, 72},
        {2, 0.75, 76}, {2.75, 0.25, 74}, {3, 0.5, 76},
        {3.5, 3.0, 79}, {3.5, 3.0, 76}, {3.5, 3.0, 72}, {3.5, 3.0, 48}, {3.5, 3.0, 60},
        {2, 1.5, 60}, {2, 1.5, 55},
    };
    Signal out(samples(2.55), 0.0);
    for (const Note& n : notes) {
        double len = n.beats * beat * 0.93;
        mixInto(out, brass(midiHz(n.midi), len, n.midi < 62 ? 0.4 : 0.85),
                samples(n.beat * beat), n.midi < 62 ? 0.4 : 0.3);
    }
    Noise noise(12);
    OnePoleHigh hp(5000);
    long at = samples(3.5 * beat);
    for (long i = at; i < static_cast<long>(out.size()); ++i) {
        double t = static_cast<double>(i - at) / kRate;
        out[i] += 0.1 * pluckEnv(t, 0.003, 0.5) * hp(noise.white());
    }
    Sine drum;
    for (long i = at; i < static_cast<long>(out.size()); ++i) {
        double t = static_cast<double>(i - at) / kRate;
        out[i] += 0.4 * pluckEnv(t, 0.004, 0.3) * drum(82 * (1 + 0.3 * std::exp(-t / 0.03)));
    }
    removeDc(out);
    fadeEdges(out, 0.003, 0.4);
    normalise(out, 0.7);
    return out;
}

}  // namespace recipes
