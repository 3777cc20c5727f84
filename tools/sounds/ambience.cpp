// The two background loops: a morning on the farm (wind, birds, a crow, a
// woodpecker) and the sonar ping heard while a cow is in the water. Events are
// mixed round the loop, so a chirp that runs over the end goes on at the start.
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

// A short knock of a woodpecker's bill: a damped wooden resonance.
Signal knock(double hz) {
    Signal s(samples(0.03));
    Sine tone;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        s[i] = rampUp(t, 0.0008) * std::exp(-t / 0.006) * tone(hz);
    }
    return s;
}

// A rough "kraa" of a crow: a buzzy pulse train through a nasal band.
Signal caw(double seconds, double hz, Noise& noise) {
    Signal s(samples(seconds));
    Saw saw;
    Biquad nose, top;
    OnePoleLow rough(40);
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n; ++i) {
        double u = static_cast<double>(i) / n;
        nose.bandPass(1300 - 300 * u, 3);
        top.bandPass(2600, 4);
        double f = hz * (1 + 0.1 * std::sin(kPi * u)) * (1 + 0.3 * rough(noise.white()));
        double x = saw(f);
        double env = std::sin(kPi * u);
        s[i] = env * env * (nose(x) + 0.5 * top(x));
    }
    return s;
}

// One call of one of eight kinds, its pitch scaled by `pitch` (about 1).
void birdCall(Signal& out, int kind, long start, double gain, double pitch, Noise& noise) {
    switch (kind) {
    case 0: {  // "tweet tweet tweet": quick upward flicks
        int count = 2 + static_cast<int>(noise.uniform() * 4);
        double base = noise.range(2600, 3400) * pitch, gap = noise.range(0.1, 0.16);
        for (int k = 0; k < count; ++k) {
            Signal c = chirp(0.07, [=](double u) { return base + 1800 * u * u; });
            mixInto(out, c, start + samples(gap * k), gain * (1 - 0.08 * k), true);
        }
        break;
    }
    case 1: {  // a trill: fast warble falling slightly
        double base = noise.range(3200, 4200) * pitch, rate = noise.range(22, 32);
        Sine lfo;
        Signal c = chirp(noise.range(0.4, 0.9), [&](double u) { return base * (1 - 0.15 * u) + 500 * lfo(rate); });
        mixInto(out, c, start, gain * 0.7, true);
        break;
    }
    case 2: {  // a two-note whistle: down, then up ("tee-oo-ee")
        double base = noise.range(2200, 2800) * pitch;
        Signal a = chirp(0.22, [=](double u) { return base * (1.25 - 0.3 * u); });
        Signal b = chirp(0.18, [=](double u) { return base * (0.95 + 0.35 * u); });
        mixInto(out, a, start, gain, true);
        mixInto(out, b, start + samples(0.24), gain, true);
        break;
    }
    case 3: {  // a distant dove: low, soft "hoo-hooo", sometimes twice
        int times = noise.uniform() < 0.4 ? 2 : 1;
        for (int k = 0; k < times; ++k) {
            Signal a = chirp(0.25, [=](double u) { return (520 + 40 * std::sin(kPi * u)) * pitch; });
            Signal b = chirp(0.5, [=](double u) { return (560 - 60 * u) * pitch; });
            long at = start + samples(1.1 * k);
            mixInto(out, a, at, gain * 0.8, true);
            mixInto(out, b, at + samples(0.35), gain * 0.8, true);
        }
        break;
    }
    case 4: {  // a cuckoo: two falling notes, a major third apart
        double hz = noise.range(650, 760) * pitch;
        int times = 1 + static_cast<int>(noise.uniform() * 3);
        for (int k = 0; k < times; ++k) {
            Signal a = chirp(0.16, [=](double u) { return hz * (1.0 - 0.02 * u); });
            Signal b = chirp(0.26, [=](double u) { return hz * 0.8 * (1.0 - 0.03 * u); });
            long at = start + samples(0.75 * k);
            mixInto(out, a, at, gain * 0.9, true);
            mixInto(out, b, at + samples(0.2), gain * 0.9, true);
        }
        break;
    }
    case 5: {  // a crow, far off: two or three harsh "kraa"
        int times = 2 + static_cast<int>(noise.uniform() * 2);
        double hz = noise.range(380, 470) * pitch;
        for (int k = 0; k < times; ++k)
            mixInto(out, caw(noise.range(0.22, 0.32), hz, noise), start + samples(0.42 * k), gain * 0.35, true);
        break;
    }
    case 6: {  // a warbler: a run of quick notes, each a little different
        int count = 7 + static_cast<int>(noise.uniform() * 7);
        double base = noise.range(3000, 4000) * pitch;
        long at = start;
        for (int k = 0; k < count; ++k) {
            double a = base * noise.range(0.8, 1.25), b = a * noise.range(0.85, 1.2), len = noise.range(0.04, 0.08);
            Signal c = chirp(len, [=](double u) { return a + (b - a) * u; });
            mixInto(out, c, at, gain * noise.range(0.5, 0.9), true);
            at += samples(len + noise.range(0.01, 0.04));
        }
        break;
    }
    default: {  // a woodpecker drumming on a far tree: a fast roll that slows
        double hz = noise.range(900, 1300) * pitch;
        Signal k1 = knock(hz);
        double at = 0, gap = 0.045;
        for (int k = 0; k < 16; ++k) {
            mixInto(out, k1, start + samples(at), gain * 0.8 * (1 - 0.03 * k), true);
            at += gap;
            gap *= 1.03;
        }
        break;
    }
    }
}

}  // namespace

namespace recipes {

Signal morningAmbience() {
    const double seconds = 48.0;
    const int length = samples(seconds);
    const int fade = samples(1.5);
    Noise noise(51);

    // Wind: a low body and a wider airy band whose centre and level breathe
    // with the gusts. The gusts run whole numbers of cycles per loop; the
    // noise itself is crossfaded over the seam.
    Signal wind(length + fade);
    Biquad band, air;
    OnePoleLow body(400);
    for (size_t i = 0; i < wind.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double gust = 0.55 + 0.2 * std::sin(kTwoPi * t * 3 / seconds) + 0.15 * std::sin(kTwoPi * t * 7 / seconds + 1.0) +
                      0.1 * std::sin(kTwoPi * t * 17 / seconds + 2.0);
        band.bandPass(250 + 350 * gust, 0.6);
        air.bandPass(700 + 1400 * gust * gust, 0.5);
        double w = noise.white();
        wind[i] = gust * (band(body(w)) * 1.4 + 0.35 * gust * air(w));
    }
    Signal out = crossfadeLoop(wind, length, fade);
    normalise(out, 0.16);

    // Birds: calls at seeded random moments, about 3 s apart on average but
    // now and then a longer hush; each one picks its kind, its distance
    // (level and dullness) and its own pitch, and never the kind just heard.
    Signal birds(length, 0.0);
    double at = 0.5;
    int last = -1;
    while (at < seconds - 0.5) {
        int kind;
        do kind = static_cast<int>(noise.uniform() * 8); while (kind == last);
        last = kind;
        double distance = noise.uniform();
        Signal call(length, 0.0);
        birdCall(call, kind, samples(at), 1.0, noise.range(0.88, 1.15), noise);
        // Far calls lose their top as well as their level.
        OnePoleLow dull(9000 - 6500 * distance);
        double gain = 0.9 - 0.65 * distance;
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i < length; ++i) {
                double v = dull(call[i]);
                if (pass == 1) birds[i] += gain * v;
            }
        double gap = 0.8 + 1.6 * -std::log(1.0 - 0.95 * noise.uniform());
        if (noise.uniform() < 0.15) gap += noise.range(5, 9);
        at += gap;
    }
    for (size_t i = 0; i < out.size(); ++i) out[i] += 0.3 * birds[i];
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
