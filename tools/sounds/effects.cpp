// One-shot effects, mostly filtered noise, resonators and sweeps.
#include <algorithm>
#include <array>

#include "recipes.h"

using namespace synth;

namespace {

double timeOf(size_t i) { return static_cast<double>(i) / kRate; }

// Sounds that the game restarts in every frame (51 ms apart at full pace, more
// when the machine is slow) while an action lasts. A restart cuts the wave
// wherever it is, so the first 45 ms are a whole sound that has died away by
// then, and nothing sounds until well after the next restart would have come;
// the rest of the sound fades in from there.
namespace restart {
constexpr double kHeadEnd = 0.045, kTailFrom = 0.075;
// Quick attack, gone by kHeadEnd.
inline double headEnv(double t) { return rampUp(t, 0.003) * (1 - rampUp(t - 0.015, kHeadEnd - 0.015)); }
// Silent before kTailFrom, full after `rise`.
inline double tailEnv(double t, double rise) { return rampUp(t - restart::kTailFrom, rise); }
}  // namespace restart

// A water droplet: a sine that jumps up in pitch as the bubble closes.
Signal droplet(double hz, double seconds) {
    Signal s(samples(seconds * 3));
    Sine tone;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = timeOf(i);
        double u = std::min(1.0, t / seconds);
        s[i] = pluckEnv(t, 0.002, seconds / 3.5) * tone(hz * (1 + 1.2 * u * u));
    }
    fadeEdges(s, 0, seconds);
    return s;
}

// A struck piece of metal or glass: a few inharmonic partials.
Signal strike(const std::vector<double>& partials, double decay, Noise& noise) {
    Signal s(samples(decay * 9));
    std::vector<Sine> tones;
    std::vector<double> gains, decays;
    for (size_t k = 0; k < partials.size(); ++k) {
        tones.emplace_back(noise.uniform());
        gains.push_back(noise.range(0.5, 1.0) / (1 + k));
        decays.push_back(decay * noise.range(0.6, 1.2));
    }
    for (size_t i = 0; i < s.size(); ++i) {
        double t = timeOf(i), v = 0;
        for (size_t k = 0; k < partials.size(); ++k) v += gains[k] * pluckEnv(t, 0.0008, decays[k]) * tones[k](partials[k]);
        s[i] = v;
    }
    return s;
}

void finish(Signal& s, double fadeIn, double fadeOut, double peak) {
    removeDc(s);
    fadeEdges(s, fadeIn, fadeOut);
    normalise(s, peak);
}

}  // namespace

namespace recipes {

Signal chewing() {
    // Four crunchy bites: crackling noise in the upper mids over a soft munch.
    Signal out(samples(0.85), 0.0);
    Noise noise(71);
    const std::array<double, 4> bites = {0.0, 0.15, 0.31, 0.46};
    for (size_t b = 0; b < bites.size(); ++b) {
        Signal bite(samples(0.3));
        Biquad crunch, munch;
        crunch.bandPass(noise.range(1800, 2600), 1.2);
        munch.bandPass(280, 2.0);
        for (size_t i = 0; i < bite.size(); ++i) {
            double t = timeOf(i);
            double crackle = noise.uniform() < 0.08 ? noise.white() * 4 : noise.white() * 0.3;
            double env = pluckEnv(t, 0.004, 0.04);
            bite[i] = env * (crunch(crackle) + 1.5 * munch(noise.white()));
        }
        mixInto(out, bite, samples(bites[b] + noise.range(0, 0.015)), 1.0 - 0.12 * b);
    }
    squash(out, 2.0);
    finish(out, 0.002, 0.05, 0.75);
    return out;
}

Signal splash() {
    // A wash of noise falling in pitch, a low plunge and droplets after it.
    Signal out(samples(0.9), 0.0);
    Noise noise(81);
    Biquad band;
    Sine plunge;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        band.bandPass(600 + 2600 * std::exp(-t / 0.12), 0.8);
        out[i] = pluckEnv(t, 0.006, 0.16) * band(noise.white()) * 1.4 +
                 0.5 * pluckEnv(t, 0.004, 0.08) * plunge(130 * std::exp(-t / 0.1) + 50);
    }
    for (int k = 0; k < 9; ++k) {
        double at = noise.range(0.1, 0.7);
        mixInto(out, droplet(noise.range(700, 1400), noise.range(0.03, 0.06)), samples(at),
                0.35 * noise.range(0.5, 1.0) * (1 - at));
    }
    finish(out, 0.002, 0.1, 0.75);
    return out;
}

Signal outOfWater() {
    // A slosh as the cow climbs out, then drips off its coat.
    Signal out(samples(0.8), 0.0);
    Noise noise(91);
    Biquad slosh;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        slosh.bandPass(900 - 400 * std::min(1.0, t / 0.25), 1.0);
        out[i] = 0.8 * rampUp(t, 0.03) * std::exp(-t / 0.09) * slosh(noise.white());
    }
    const std::array<double, 6> drips = {0.18, 0.29, 0.38, 0.5, 0.58, 0.69};
    for (size_t k = 0; k < drips.size(); ++k)
        mixInto(out, droplet(noise.range(900, 1600), 0.045), samples(drips[k]), 0.5 * (1 - 0.1 * k));
    finish(out, 0.003, 0.05, 0.7);
    return out;
}

Signal whoosh() {
    // The dash restarts this in every frame of the dash, so it is built in two
    // parts: a short "fff" of rushing air that is whole and gone within one
    // frame, heard once per frame, and the long whoosh of the cow sailing on,
    // heard after the last frame of the dash.
    Signal out(samples(0.42));
    Noise noise(101);
    Biquad headBand, headLow, band, band2, soft;
    headBand.bandPass(850, 1.1);
    headLow.bandPass(380, 1.0);
    soft.lowPass(2200, 0.7);
    const double tailLen = out.size() / static_cast<double>(kRate) - restart::kTailFrom;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i), w = noise.white();
        double head = restart::headEnv(t) * (headBand(w) + 0.8 * headLow(w));
        double u = std::max(0.0, t - restart::kTailFrom) / tailLen;
        double centre = 450 + 1100 * std::sin(kPi * std::min(1.0, u * 1.3));
        band.bandPass(centre, 1.4);
        band2.bandPass(centre * 0.5, 1.1);
        double tail = restart::tailEnv(t, 0.09) * std::pow(1 - u, 1.6) * (band(w) + 0.7 * band2(w));
        out[i] = soft(1.6 * head + tail);
    }
    finish(out, 0.001, 0.03, 0.7);
    return out;
}

Signal headbuttHit() {
    // A hollow "bonk": a low thud, a knock on wood and a click of contact.
    Signal out(samples(0.45));
    Noise noise(111);
    Sine thud, knock, knock2;
    OnePoleHigh click(3000);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        // The knock carries the loudness; the thud under it is felt more
        // than heard and would only add peak.
        out[i] = 0.45 * pluckEnv(t, 0.002, 0.08) * thud(70 + 110 * std::exp(-t / 0.03)) +
                 0.6 * pluckEnv(t, 0.001, 0.11) * (knock(640 * (1 - 0.25 * t)) + 0.45 * knock2(1570 * (1 - 0.25 * t))) +
                 0.5 * std::exp(-t / 0.004) * click(noise.white());
    }
    finish(out, 0.0005, 0.05, 0.8);
    return out;
}

Signal powerUp() {
    // A square-wave arpeggio climbing two octaves over a rising glide.
    Signal out(samples(0.8));
    Square sq;
    Sine glide;
    const std::array<int, 9> steps = {0, 4, 7, 12, 16, 19, 24, 28, 31};
    const double stepLen = 0.065;
    Biquad soft;
    soft.lowPass(5000, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        int k = std::min<int>(steps.size() - 1, static_cast<int>(t / stepLen));
        double hz = 392 * std::pow(2.0, steps[k] / 12.0);
        double env = rampUp(t, 0.005) * (1 - rampUp(t - 0.55, 0.25));
        out[i] = env * (0.5 * soft(sq(hz, 0.25)) + 0.4 * glide(300 * std::pow(2.0, t * 3.5)));
    }
    finish(out, 0.003, 0.05, 0.65);
    return out;
}

Signal powerDown() {
    // The same arpeggio falling, with a tremolo that slows as it sinks.
    Signal out(samples(0.85));
    Square sq;
    Sine glide;
    const std::array<int, 9> steps = {31, 28, 24, 19, 16, 12, 7, 4, 0};
    const double stepLen = 0.075;
    Biquad soft;
    soft.lowPass(4000, 0.7);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        int k = std::min<int>(steps.size() - 1, static_cast<int>(t / stepLen));
        double hz = 262 * std::pow(2.0, steps[k] / 12.0);
        double trem = 0.75 + 0.25 * std::sin(kTwoPi * (14 * t - 5 * t * t));
        double env = rampUp(t, 0.005) * (1 - rampUp(t - 0.6, 0.25)) * trem;
        out[i] = env * (0.5 * soft(sq(hz, 0.25)) + 0.4 * glide(1600 * std::pow(2.0, -t * 3.2)));
    }
    finish(out, 0.003, 0.05, 0.65);
    return out;
}

Signal slowDown() {
    // A chord running down like a record player losing power: pitch, tone and
    // a "wah" all sag and slow together.
    Signal out(samples(1.35));
    Saw a, b, c;
    Biquad lp;
    double wahPhase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        double speed = std::exp(-t / 0.55);  // 1 falling to about 0.09
        double hz = 330 * (0.2 + 0.8 * speed);
        wahPhase += (2 + 6 * speed) / kRate;
        double wah = 0.5 + 0.5 * std::sin(kTwoPi * wahPhase);
        lp.lowPass(300 + 2500 * speed * (0.4 + 0.6 * wah), 3.0);
        double env = rampUp(t, 0.01) * (1 - rampUp(t - 0.95, 0.4));
        out[i] = env * lp(a(hz) + 0.7 * b(hz * 1.5) + 0.5 * c(hz * 0.5));
    }
    finish(out, 0.003, 0.05, 0.7);
    return out;
}

Signal chainJingle() {
    // Chain links knocking together: a rattle of small metallic strikes.
    Signal out(samples(0.7), 0.0);
    Noise noise(121);
    double at = 0;
    OnePoleHigh tick(4000);
    for (int k = 0; k < 40 && at < 0.5; ++k) {
        double base = noise.range(1800, 4200);
        std::vector<double> partials = {base, base * noise.range(1.4, 1.7), base * noise.range(2.3, 2.9)};
        Signal s = strike(partials, noise.range(0.008, 0.03), noise);
        for (int i = 0; i < samples(0.004); ++i) s[i] += 0.5 * std::exp(-i / 20.0) * tick(noise.white());
        mixInto(out, s, samples(at), (1 - at * 1.3) * noise.range(0.3, 1.0));
        at += noise.range(0.006, 0.035);
    }
    finish(out, 0.001, 0.05, 0.7);
    return out;
}

Signal gateCreak(bool opening) {
    // Stick-slip friction of a hinge: a train of clicks whose rate glides,
    // ringing a few wooden resonances. Closing ends with the latch.
    const double creakLen = opening ? 0.75 : 0.5;
    Signal out(samples(opening ? 0.85 : 0.85), 0.0);
    Noise noise(opening ? 131 : 132);
    Biquad r1, r2, r3;
    r1.bandPass(opening ? 620 : 560, 14);
    r2.bandPass(opening ? 1450 : 1250, 12);
    r3.bandPass(2700, 9);
    double phase = 0;
    for (int i = 0; i < samples(creakLen); ++i) {
        double t = timeOf(i), u = t / creakLen;
        double rate = opening ? 45 + 140 * std::sin(kPi * 0.8 * u) + 10 * std::sin(kTwoPi * 3 * t)
                              : 150 - 100 * u + 8 * std::sin(kTwoPi * 4 * t);
        phase += rate / kRate;
        double pulse = 0;
        if (phase >= 1) { phase -= 1; pulse = 1 + 0.3 * noise.white(); }
        double x = pulse * 6 + 0.02 * noise.white();
        double env = rampUp(u, 0.12) * (1 - rampUp(u - 0.75, 0.25));
        out[i] = env * (r1(x) + 0.8 * r2(x) + 0.4 * r3(x));
    }
    if (!opening) {
        // The latch: a wooden knock and a metal click.
        Sine knock;
        OnePoleHigh click(2500);
        long at = samples(0.55);
        for (long i = at; i < static_cast<long>(out.size()); ++i) {
            double t = timeOf(i - at);
            out[i] += 0.3 * pluckEnv(t, 0.001, 0.05) * knock(180 * (1 + 0.5 * std::exp(-t / 0.01))) +
                      0.15 * std::exp(-t / 0.005) * click(noise.white());
        }
    }
    finish(out, 0.005, 0.05, 0.7);
    return out;
}

Signal alarm() {
    // A two-tone alarm, restarted in every update the thief stays: its first
    // 45 ms are the two tones once, high then low, gone before the next
    // restart, so a thief who stays hears a fast "dee-da" trill; the slower
    // alarm after it is heard when the thief leaves.
    Signal out(samples(0.8));
    Sine tone, over;
    Biquad soft;
    soft.lowPass(3000, 0.7);
    const double high = 988, low = 740, seg = 0.12;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i), hz, env;
        if (t < restart::kHeadEnd) {
            hz = t < 0.021 ? high : low;
            env = restart::headEnv(t) * 1.3;
        } else {
            double local = std::max(0.0, t - restart::kTailFrom);
            int k = static_cast<int>(local / seg);
            double inSeg = local - k * seg;
            hz = k % 2 == 0 ? high : low;
            env = restart::tailEnv(t, 0.06) * rampUp(inSeg, 0.006) * (1 - rampUp(inSeg - (seg - 0.012), 0.012)) *
                  (1 - rampUp(t - 0.55, 0.2));
        }
        out[i] = env * soft(tone(hz) + 0.22 * over(3 * hz));
    }
    finish(out, 0.001, 0.04, 0.38);
    return out;
}

Signal pickupPling() {
    // Two bright rising notes, glassy like the syringe being picked up.
    Signal out(samples(0.42), 0.0);
    Noise noise(141);
    for (int k = 0; k < 2; ++k) {
        double hz = k == 0 ? 1319 : 1976;
        Signal s = strike({hz, hz * 2.0, hz * 2.76}, 0.09, noise);
        mixInto(out, s, samples(0.075 * k), k == 0 ? 0.8 : 1.0);
    }
    finish(out, 0.001, 0.05, 0.65);
    return out;
}

Signal injection() {
    // The plunger clicks, air hisses out and a thin squirt whistles down.
    Signal out(samples(0.55));
    Noise noise(151);
    OnePoleHigh click(2000);
    Biquad hiss, hissLow;
    hiss.highPass(3500, 0.7);
    hissLow.lowPass(9000, 0.7);
    Sine whistle;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        double w = noise.white();
        double hissEnv = rampUp(t - 0.02, 0.03) * (1 - rampUp(t - 0.1, 0.35));
        double whistleEnv = rampUp(t - 0.04, 0.04) * (1 - rampUp(t - 0.2, 0.25));
        out[i] = 0.9 * std::exp(-t / 0.003) * click(w) + 0.5 * hissEnv * hissLow(hiss(w)) +
                 0.25 * whistleEnv * whistle(2600 - 1500 * std::min(1.0, t / 0.45));
    }
    finish(out, 0.0005, 0.05, 0.65);
    return out;
}

Signal breakingGlass() {
    // A sharp crack, then shards: many short high strikes, most of them early.
    Signal out(samples(0.95), 0.0);
    Noise noise(161);
    OnePoleHigh crackHp(2500);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = timeOf(i);
        out[i] = 0.9 * pluckEnv(t, 0.0005, 0.03) * crackHp(noise.white());
    }
    for (int k = 0; k < 34; ++k) {
        double at = std::min(0.7, -0.12 * std::log(1 - noise.uniform() * 0.99));
        double base = noise.range(2800, 6500);
        Signal s = strike({base, base * noise.range(1.3, 1.6), base * noise.range(1.9, 2.4)},
                          noise.range(0.015, 0.06), noise);
        mixInto(out, s, samples(at), noise.range(0.3, 0.8) * (1 - at));
    }
    finish(out, 0.0005, 0.08, 0.7);
    return out;
}

}  // namespace recipes
