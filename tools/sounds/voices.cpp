// Voiced sounds: a sawtooth "throat" through formant filters, the way a vowel
// is shaped by the mouth. Moos, the full-belly burp and the cheer.
#include <algorithm>
#include <array>

#include "recipes.h"

using namespace synth;

namespace {

struct Formants {
    double f1, f2, f3;
};

Formants mix(const Formants& a, const Formants& b, double w) {
    return {a.f1 + (b.f1 - a.f1) * w, a.f2 + (b.f2 - a.f2) * w, a.f3 + (b.f3 - a.f3) * w};
}

// Three parallel band-passes, the first strongest, retuned every sample.
class Mouth {
public:
    double operator()(double x, const Formants& f, double q = 6) {
        b1_.bandPass(f.f1, q * 0.7);
        b2_.bandPass(f.f2, q);
        b3_.bandPass(f.f3, q * 1.3);
        return 1.0 * b1_(x) + 0.45 * b2_(x) + 0.18 * b3_(x);
    }

private:
    Biquad b1_, b2_, b3_;
};

struct MooShape {
    double seconds;
    double startHz, peakHz, endHz;  // pitch contour
    double peakAt;                  // fraction of the length where the pitch peaks
    Formants closed, open;          // "mm" and the open "oo-aa"
    double vibratoHz;
    double roughness;               // slow random wobble of the pitch
    uint64_t seed;
};

Signal voiceMoo(const MooShape& m) {
    Signal out(samples(m.seconds));
    Saw saw;
    Sine vib;
    Mouth mouth;
    Biquad nasal;
    Noise noise(m.seed);
    OnePoleLow wobble(6), breathTone(1200), throat(700);
    const int n = static_cast<int>(out.size());
    for (int i = 0; i < n; ++i) {
        double u = static_cast<double>(i) / n;  // 0..1 through the moo
        double t = static_cast<double>(i) / kRate;
        double hz = u < m.peakAt ? m.startHz + (m.peakHz - m.startHz) * rampUp(u, m.peakAt)
                                 : m.peakHz + (m.endHz - m.peakHz) * rampUp(u - m.peakAt, 1 - m.peakAt);
        hz *= 1.0 + 0.012 * vib(m.vibratoHz) * rampUp(t, 0.25) + m.roughness * wobble(noise.white());
        // Mouth: closed "mm", opens to the vowel, half closes at the end.
        double open = rampUp(u, 0.3) * (1.0 - 0.55 * rampUp(u - 0.7, 0.3));
        Formants f = mix(m.closed, m.open, open);
        // A softened sawtooth: the throat rounds off the buzz.
        double src = 2.0 * throat(saw(hz)) + 0.08 * breathTone(noise.white());
        double voiced = mouth(src, f);
        nasal.lowPass(300 + 900 * open, 0.8);
        double closedPart = nasal(src) * 0.22;
        // Swells as the mouth opens, then dies away.
        double amp = rampUp(t, 0.09) * (1.0 - rampUp(u - 0.72, 0.28)) * (0.6 + 0.4 * std::sin(kPi * std::min(1.0, u * 1.3)));
        out[i] = amp * (voiced * (0.4 + 0.6 * open) + closedPart * (1.0 - open));
    }
    removeDc(out);
    fadeEdges(out, 0.01, 0.05);
    normalise(out, 0.75);
    return out;
}

}  // namespace

namespace recipes {

Signal moo(CowVoice voice) {
    // Boris: a round, low "mmoooo" that falls at the end. Horace: higher, more
    // open and nasal, rising to an "aah" and bending up like a question.
    MooShape boris{0.95, 105, 128, 92, 0.35, {260, 700, 2200}, {560, 900, 2400}, 5.0, 0.04, 21};
    MooShape horace{0.85, 150, 175, 205, 0.45, {300, 900, 2500}, {760, 1300, 2700}, 6.5, 0.06, 22};
    MooShape m = voice == CowVoice::Boris || voice == CowVoice::BorisBig ? boris : horace;
    if (voice == CowVoice::BorisBig || voice == CowVoice::HoraceBig) {
        // The grown cow: lower voice, bigger mouth, a longer call.
        m.startHz *= 0.68; m.peakHz *= 0.68; m.endHz *= 0.68;
        for (Formants* f : {&m.closed, &m.open}) { f->f1 *= 0.82; f->f2 *= 0.85; f->f3 *= 0.88; }
        m.seconds *= 1.3;
        m.seed += 100;
    }
    // A held jump key starts a new jump, and restarts the moo, every 16
    // frames (0.82 s at full pace): every moo has died away by then.
    m.seconds = std::min(m.seconds, 0.78);
    return voiceMoo(m);
}

Signal burp() {
    // A rough, slow pulse train with a jittering period through an "uh" mouth.
    Signal out(samples(0.6));
    Noise noise(31);
    Mouth mouth;
    double phase = 0;
    const Formants uh{480, 950, 2300};
    const int n = static_cast<int>(out.size());
    OnePoleLow slow(20), throat(500);
    Saw saw;
    for (int i = 0; i < n; ++i) {
        double u = static_cast<double>(i) / n;
        double t = static_cast<double>(i) / kRate;
        double hz = (88 - 30 * u) * (1.0 + 0.5 * slow(noise.white()));
        phase += hz / kRate;
        double pulse = 0;
        if (phase >= 1.0) { phase -= 1.0; pulse = 1.0 + 0.4 * noise.white(); }
        // The pulses give the croak, the softened sawtooth the body under it.
        double src = pulse * 6.0 + 1.5 * throat(saw(hz)) + 0.05 * noise.white();
        double v = mouth(src, mix(uh, {380, 800, 2200}, u), 7);
        double amp = rampUp(t, 0.03) * (1.0 - rampUp(u - 0.5, 0.5)) * (0.7 + 0.3 * std::sin(kTwoPi * 9 * t));
        out[i] = amp * v;
    }
    removeDc(out);
    squash(out, 1.2);
    fadeEdges(out, 0.005, 0.05);
    normalise(out, 0.6);
    return out;
}

Signal cheer() {
    // A few voices shouting "yaaay" with rising pitch, and a patter of claps.
    Signal out(samples(1.25), 0.0);
    Noise noise(41);
    const Formants y{300, 2200, 3000}, ay{720, 1750, 2600}, ee{330, 2300, 3000};
    const std::array<double, 5> pitches = {250, 300, 215, 340, 275};
    const std::array<double, 5> starts = {0.0, 0.03, 0.05, 0.08, 0.02};
    for (size_t v = 0; v < pitches.size(); ++v) {
        Signal voice(samples(0.95));
        Saw saw;
        Sine vib(0.1 * v);
        Mouth mouth;
        const int n = static_cast<int>(voice.size());
        double shift = 0.9 + 0.06 * v;  // each voice's own mouth size
        for (int i = 0; i < n; ++i) {
            double u = static_cast<double>(i) / n;
            double t = static_cast<double>(i) / kRate;
            double hz = pitches[v] * (0.85 + 0.35 * rampUp(u, 0.6)) * (1 + 0.02 * vib(6 + v));
            Formants f = u < 0.15 ? mix(y, ay, u / 0.15) : mix(ay, ee, rampUp(u - 0.6, 0.4) * 0.6);
            f.f1 *= shift; f.f2 *= shift; f.f3 *= shift;
            double amp = rampUp(t, 0.05) * (1.0 - rampUp(u - 0.65, 0.35));
            voice[i] = amp * mouth(saw(hz) + 0.05 * noise.white(), f, 5);
        }
        mixInto(out, voice, samples(starts[v]), 0.5);
    }
    // Claps: short bursts of band-passed noise at random moments.
    Biquad clapTone;
    clapTone.bandPass(1400, 0.9);
    Signal claps(out.size(), 0.0);
    for (int k = 0; k < 28; ++k) {
        long at = samples(noise.range(0.05, 0.85));
        double g = noise.range(0.4, 1.0);
        for (int i = 0; i < samples(0.03); ++i) {
            double t = static_cast<double>(i) / kRate;
            if (at + i < static_cast<long>(claps.size())) claps[at + i] += g * std::exp(-t / 0.005) * noise.white();
        }
    }
    for (size_t i = 0; i < out.size(); ++i) out[i] += 0.35 * clapTone(claps[i]);
    removeDc(out);
    fadeEdges(out, 0.005, 0.15);
    normalise(out, 0.75);
    return out;
}

}  // namespace recipes
