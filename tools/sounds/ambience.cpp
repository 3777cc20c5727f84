// The two background loops: a morning on the farm (wind and birds) and the
// sonar ping heard while a cow is in the water. Events are mixed round the
// loop, so a chirp that runs over the end goes on at the start.
#include <algorithm>

#include "recipes.h"

using namespace synth;

namespace {

// A bird call: a sine whose pitch follows `shape` (0..1 in, Hz out), with a
// soft attack and release, and a faint second harmonic.
template <typename Shape>
Signal chirp(double seconds, Shape shape) {
    Signal s(samples(seconds));
    Sine tone, over;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        double u = static_cast<double>(i) / n;
        double hz = shape(u);
        double env = std::sin(kPi * u);
        s[i] = env * env * (tone(hz) + 0.12 * over(2 * hz));
    }
    return s;
}

void birdCall(Signal& out, int kind, double at, double gain, Noise& noise) {
    long start = samples(at);
    switch (kind) {
    case 0: {  // "tweet tweet tweet": quick upward flicks
        int count = 2 + static_cast<int>(noise.uniform() * 3);
        double base = noise.range(2600, 3400);
        for (int k = 0; k < count; ++k) {
            Signal c = chirp(0.07, [=](double u) { return base + 1800 * u * u; });
            mixInto(out, c, start + samples(0.13 * k), gain, true);
        }
        break;
    }
    case 1: {  // a trill: fast warble falling slightly
        double base = noise.range(3200, 4200);
        Sine lfo;
        Signal c = chirp(0.55, [&](double u) { return base * (1 - 0.15 * u) + 500 * lfo(28.0); });
        mixInto(out, c, start, gain * 0.7, true);
        break;
    }
    case 2: {  // a two-note whistle: down, then up ("tee-oo-ee")
        double base = noise.range(2200, 2800);
        Signal a = chirp(0.22, [=](double u) { return base * (1.25 - 0.3 * u); });
        Signal b = chirp(0.18, [=](double u) { return base * (0.95 + 0.35 * u); });
        mixInto(out, a, start, gain, true);
        mixInto(out, b, start + samples(0.24), gain, true);
        break;
    }
    default: {  // a distant dove: low, soft "hoo-hooo"
        Signal a = chirp(0.25, [](double u) { return 520 + 40 * std::sin(kPi * u); });
        Signal b = chirp(0.5, [](double u) { return 560 - 60 * u; });
        mixInto(out, a, start, gain * 0.8, true);
        mixInto(out, b, start + samples(0.35), gain * 0.8, true);
        break;
    }
    }
}

}  // namespace

namespace recipes {

Signal morningAmbience() {
    const int length = samples(12.0);
    const int fade = samples(1.0);
    Noise noise(51);

    // Wind: low, slowly breathing noise. Its gusts run a whole number of
    // cycles per loop; the noise itself is crossfaded over the seam.
    Signal wind(length + fade);
    Biquad band;
    OnePoleLow body(500);
    for (size_t i = 0; i < wind.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double gust = 0.6 + 0.25 * std::sin(kTwoPi * t * 2 / 12.0) + 0.15 * std::sin(kTwoPi * t * 5 / 12.0 + 1.0);
        band.bandPass(350 + 250 * gust, 0.7);
        wind[i] = gust * band(body(noise.white()));
    }
    Signal out = crossfadeLoop(wind, length, fade);
    normalise(out, 0.16);

    // Birds: a handful of calls spread over the loop, near and far.
    Signal birds(length, 0.0);
    const struct { int kind; double at, gain; } calls[] = {
        {0, 0.4, 0.9}, {2, 1.6, 0.6}, {3, 2.6, 0.5}, {1, 3.5, 0.45}, {0, 4.6, 0.5},
        {2, 5.7, 0.8}, {0, 6.9, 0.7}, {3, 7.9, 0.45}, {1, 8.8, 0.6}, {0, 9.9, 0.45},
        {2, 10.7, 0.5}, {0, 11.6, 0.6},
    };
    for (const auto& c : calls) birdCall(birds, c.kind, c.at, c.gain, noise);
    for (size_t i = 0; i < out.size(); ++i) out[i] += 0.2 * birds[i];
    removeDc(out);
    normalise(out, 0.35);
    return out;
}

Signal sonarPing() {
    // One ping every 1.8 s with two fainter echoes, over a low underwater hum.
    const int length = samples(1.8);
    const int fade = samples(0.3);
    Noise noise(61);
    Signal hum(length + fade);
    Biquad low;
    low.lowPass(180, 0.7);
    for (double& v : hum) v = low(noise.white());
    Signal out = crossfadeLoop(hum, length, fade);
    normalise(out, 0.06);

    Signal ping(samples(1.8));
    Sine tone, ring;
    for (size_t i = 0; i < ping.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double env = pluckEnv(t, 0.006, 0.22);
        ping[i] = env * (tone(1180 * (1 - 0.02 * t)) + 0.2 * ring(2360 * (1 - 0.02 * t)));
    }
    // The echoes come back duller.
    Signal echo(ping.size());
    OnePoleLow dull(1800);
    for (size_t i = 0; i < ping.size(); ++i) echo[i] = dull(ping[i]);
    mixInto(out, ping, 0, 0.5, true);
    mixInto(out, echo, samples(0.42), 0.17, true);
    mixInto(out, echo, samples(0.84), 0.06, true);
    removeDc(out);
    normalise(out, 0.5);
    return out;
}

}  // namespace recipes
