// The generated sound files: the format ALUT's loader takes, and sounds that
// start and end cleanly (one-shots) or run on without a step (loops).
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "audio/sound_files.h"
#include "loudness.h"

namespace fs = std::filesystem;

namespace {

bool isLoop(const std::string& name) { return name == "intro" || name == "MorningLQ" || name == "sonar"; }

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

uint32_t le32(const std::string& b, size_t at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t le16(const std::string& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

struct Wav {
    std::string error;  // empty when the header is the plain form we write
    std::vector<int16_t> samples;
};

Wav parse(const std::string& b) {
    Wav w;
    if (b.size() < 44) { w.error = "shorter than a header"; return w; }
    if (b.compare(0, 4, "RIFF") || b.compare(8, 8, "WAVEfmt ")) { w.error = "not RIFF/WAVE"; return w; }
    if (le32(b, 4) != b.size() - 8) w.error += " RIFF size";
    if (le32(b, 16) != 16) w.error += " fmt chunk not 16 bytes";
    if (le16(b, 20) != 1) w.error += " not PCM";
    if (le16(b, 22) != 1) w.error += " not mono";
    if (le32(b, 24) != 22050) w.error += " not 22050 Hz";
    if (le32(b, 28) != 44100 || le16(b, 32) != 2) w.error += " byte rate or block align";
    if (le16(b, 34) != 16) w.error += " not 16-bit";
    if (b.compare(36, 4, "data") || le32(b, 40) != b.size() - 44) w.error += " data chunk";
    for (size_t i = 44; i + 1 < b.size(); i += 2) w.samples.push_back(static_cast<int16_t>(le16(b, i)));
    return w;
}

double rms(const std::vector<int16_t>& s, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / count);
}

}  // namespace

TEST(SoundFiles, AllArePlainPcmMono22050WithCleanEdgesAndNoClipping) {
    const fs::path dir = fs::path(HOOFBRAWL_DATA_DIR) / "sounds";
    for (const char* name : kSoundFileStems) {
        SCOPED_TRACE(name);
        Wav w = parse(slurp(dir / (std::string(name) + ".wav")));
        ASSERT_EQ(w.error, "");
        const auto& s = w.samples;
        const double seconds = s.size() / 22050.0;
        ASSERT_GT(seconds, 0.25);
        int peak = 0;
        for (int16_t v : s) peak = std::max(peak, std::abs(int(v)));
        EXPECT_LT(peak, 32000) << "clipped or at full scale";
        EXPECT_GT(rms(s, 0, s.size()), 300) << "nearly silent";
        if (isLoop(name)) {
            EXPECT_GE(seconds, 1.5);
            // The step from the last sample to the first is no bigger than the
            // signal's ordinary steps.
            double stepRms = 0;
            for (size_t i = 1; i < s.size(); ++i) stepRms += double(s[i] - s[i - 1]) * (s[i] - s[i - 1]);
            stepRms = std::sqrt(stepRms / (s.size() - 1));
            EXPECT_LE(std::abs(s.front() - s.back()), 4 * stepRms + 8);
            // No fade at the seam: the loop is as loud there as elsewhere.
            EXPECT_GT(rms(s, 0, 2205) + rms(s, s.size() - 2205, 2205), 0.1 * rms(s, 0, s.size()));
        } else {
            EXPECT_LE(seconds, 2.6);
            EXPECT_LE(std::abs(int(s.front())), 64);
            EXPECT_LE(std::abs(int(s.back())), 64);
            EXPECT_LT(rms(s, s.size() - 110, 110), 200) << "ends abruptly";
        }
    }
}

TEST(SoundFiles, TheGeneratorWritesTheSameFilesEveryTime) {
    const fs::path tool = fs::path(HOOFBRAWL_DATA_DIR).parent_path() / "gen_sounds";
    char tmpl[] = "/tmp/hoofbrawl-gen-XXXXXX";
    const fs::path out = mkdtemp(tmpl);
    const std::string command = tool.string() + " " + out.string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : kSoundFileStems) {
        std::string file = std::string(name) + ".wav";
        EXPECT_TRUE(slurp(out / file) == slurp(fs::path(HOOFBRAWL_DATA_DIR) / "sounds" / file)) << file;
    }
    fs::remove_all(out);
}

// ---- How the set sounds in play --------------------------------------------

namespace {

std::vector<double> load(const std::string& name) {
    const fs::path dir = fs::path(HOOFBRAWL_DATA_DIR) / "sounds";
    Wav w = parse(slurp(dir / (name + ".wav")));
    std::vector<double> out;
    for (int16_t v : w.samples) out.push_back(v / 32768.0);
    return out;
}

size_t at(double seconds) { return static_cast<size_t>(seconds * 22050); }

// Strength of one frequency in s[from, from + count) (Goertzel), as an amplitude.
double toneLevel(const std::vector<double>& s, size_t from, size_t count, double hz) {
    const double w = 2 * 3.14159265358979323846 * hz / 22050, c = 2 * std::cos(w);
    double a = 0, b = 0;
    for (size_t i = from; i < from + count; ++i) {
        double v = s[i] + c * a - b;
        b = a;
        a = v;
    }
    return std::sqrt(a * a + b * b - c * a * b) * 2 / count;
}

const char* const kRestarted[] = {"headbutt2", "hay_stolen"};  // dash frames, updates in the rival's home
const char* const kMoos[] = {"moo", "moo_big", "moo3", "moo3_big"};

}  // namespace

TEST(SoundLoudness, TheMeasureReadsKnownTonesAsTheAWeightingSays) {
    std::vector<double> k1(22050), lo(22050);
    for (size_t i = 0; i < k1.size(); ++i) {
        k1[i] = std::sin(2 * 3.14159265358979323846 * 1000 * i / 22050);
        lo[i] = 0.5 * std::sin(2 * 3.14159265358979323846 * 100 * i / 22050);
    }
    EXPECT_NEAR(loudness::loudestDb(k1), -3.01, 0.1);
    EXPECT_NEAR(loudness::loudestDb(lo), -3.01 - 6.02 - 19.1, 0.3);  // A(100 Hz) = -19.1 dB
    // Half a window of tone reads 3 dB down: short sounds are not flattered.
    std::vector<double> half(k1.begin(), k1.begin() + 4410);
    EXPECT_NEAR(loudness::loudestDb(half), -6.02, 0.1);
}

TEST(SoundLoudness, OneShotsSitWithinFourDbOfTheirMedianWithPeaksAtMinusSixOrBelow) {
    std::vector<std::pair<double, std::string>> levels;
    for (const char* name : kSoundFileStems) {
        if (isLoop(name)) continue;
        std::vector<double> s = load(name);
        levels.emplace_back(loudness::loudestDb(s), name);
        EXPECT_LE(loudness::peakDb(s), -6.0) << name;
    }
    std::vector<std::pair<double, std::string>> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    const double median = (sorted[sorted.size() / 2].first + sorted[(sorted.size() - 1) / 2].first) / 2;
    for (const auto& [db, name] : levels) EXPECT_NEAR(db, median, 4.0) << name << " against the median " << median;
    // The loops sit under the effects: the ambience plays all game long.
    EXPECT_LT(loudness::averageDb(load("MorningLQ")), median - 8);
    EXPECT_LT(loudness::averageDb(load("sonar")), median - 3);
}

TEST(SoundLoudness, ABusyMinuteOfPlayNeverClips) {
    // The game mixes its sources at unity gain, one source per file, and a
    // play restarts its source. A minute at full pace (51 ms frames): both
    // cows hop all the time, one dashes every two seconds and hits with every
    // other dash, hay is eaten, a cow splashes in and out of water, someone
    // raids a home, the start and win jingles, all over the ambience (and the
    // sonar while in water). The moments are seeded, not tuned.
    const size_t frame = at(0.051), frames = 60 * 1000 / 51;
    std::vector<double> mix(frames * frame + at(3), 0.0);
    auto loop = [&](const std::string& name, size_t from, size_t to) {
        std::vector<double> s = load(name);
        for (size_t i = from; i < to && i < mix.size(); ++i) mix[i] += s[(i - from) % s.size()];
    };
    loop("MorningLQ", 0, mix.size());
    loop("sonar", 20 * 20 * frame, 28 * 20 * frame);
    std::map<std::string, std::vector<size_t>> starts;  // frame numbers
    uint64_t seed = 12;
    auto rnd = [&](size_t n) { seed = seed * 6364136223846793005ull + 1442695040888963407ull; return (seed >> 33) % n; };
    starts["StartRound"] = {0};
    starts["win"] = {frames - 50};
    for (size_t f = 3; f < frames; f += 16) starts["moo"].push_back(f);
    for (size_t f = 9; f < frames; f += 16) starts[f > frames / 2 ? "moo3_big" : "moo3"].push_back(f);
    for (size_t f = 20; f + 5 < frames; f += 35 + rnd(10)) {
        for (size_t k = 0; k < 5; ++k) starts["headbutt2"].push_back(f + k);
        if (rnd(2)) { starts["headbutt_hit"].push_back(f + 2); starts["powerdown"].push_back(f + 3); }
    }
    for (size_t f = 5; f < frames; f += 12 + rnd(20)) starts["crushcan"].push_back(f);
    for (size_t f = 40; f < frames; f += 60 + rnd(40)) starts["yay"].push_back(f);
    starts["splash"] = {20 * 20};
    starts["outofwater2"] = {28 * 20 + 1};
    for (size_t f = 800; f < 840; ++f) starts["hay_stolen"].push_back(f);
    starts["powerup"] = {300, 700};
    starts["syringe"] = {450};
    starts["pickup"] = {430};
    starts["Slowdown"] = {451};
    starts["gate_open"] = {250, 610};
    starts["gate_jingle"] = {330};
    starts["cow_full"] = {520, 521, 522};
    for (const auto& [name, frameList] : starts) {
        std::vector<double> s = load(name);
        for (size_t k = 0; k < frameList.size(); ++k) {
            size_t from = frameList[k] * frame;
            size_t to = k + 1 < frameList.size() ? frameList[k + 1] * frame : mix.size();  // a restart cuts it
            for (size_t i = from; i < to && i - from < s.size() && i < mix.size(); ++i) mix[i] += s[i - from];
        }
    }
    EXPECT_LT(loudness::peakDb(mix), -1.0);
}

TEST(SoundRestarts, RestartedSoundsAreWholeWithinTheFirst45MsAndQuietUntilLateFrames) {
    // A restart cuts the sound wherever it is and starts it again from its
    // first sample. Cut it after each frame length from full pace (51 ms) to
    // a slow 90 ms: the step at the cut must stay small.
    for (const char* name : kRestarted) {
        SCOPED_TRACE(name);
        std::vector<double> s = load(name);
        ASSERT_GT(s.size(), at(0.2));
        EXPECT_LT(std::fabs(s[0]) * 32768, 64);
        double loudest = 0;
        for (size_t i = 0; i < at(0.045); ++i) loudest = std::max(loudest, std::fabs(s[i]));
        // Restarted at full pace, the first part alone is about as loud as
        // the whole sound played through.
        std::vector<double> repeated;
        for (int k = 0; k < 10; ++k) repeated.insert(repeated.end(), s.begin(), s.begin() + at(0.051));
        EXPECT_NEAR(loudness::loudestDb(repeated), loudness::loudestDb(s), 3.0);
        double quiet = 0;
        for (size_t i = at(0.045); i < at(0.09); ++i) quiet = std::max(quiet, std::fabs(s[i]));
        EXPECT_LT(quiet * 32768, 1000) << "still sounding when the next restart comes";
        for (int ms = 51; ms <= 90; ++ms) {
            size_t cut = at(ms / 1000.0);
            EXPECT_LT(std::fabs(s[cut - 1] - s[0]) * 32768, 1000) << "cut at " << ms << " ms";
        }
        // The rest of the sound does follow, heard when the restarts stop.
        double rest = 0;
        for (size_t i = at(0.12); i < s.size(); ++i) rest = std::max(rest, std::fabs(s[i]));
        EXPECT_GT(rest, 0.5 * loudest);
    }
}

TEST(SoundRestarts, TheAlarmIsTwoTonesEvenInTheFirst45Ms) {
    std::vector<double> s = load("hay_stolen");
    const size_t half = at(0.018);
    // High then low within the part a staying thief hears...
    EXPECT_GT(toneLevel(s, at(0.002), half, 988), 3 * toneLevel(s, at(0.002), half, 740));
    EXPECT_GT(toneLevel(s, at(0.024), half, 740), 3 * toneLevel(s, at(0.024), half, 988));
    // ...and the slower alternation after it.
    EXPECT_GT(toneLevel(s, at(0.1), at(0.08), 988), 3 * toneLevel(s, at(0.1), at(0.08), 740));
    EXPECT_GT(toneLevel(s, at(0.22), at(0.08), 740), 3 * toneLevel(s, at(0.22), at(0.08), 988));
}

TEST(SoundLengths, MoosEndWithinAHopLoopsAreLongAndTheAmbienceNeverRepeatsItself) {
    // A held jump key starts a jump, and its moo, every 16 frames of 51 ms.
    for (const char* name : kMoos) {
        std::vector<double> s = load(name);
        double after = 0;
        for (size_t i = at(16 * 0.051); i < s.size(); ++i) after = std::max(after, std::fabs(s[i]));
        EXPECT_LT(loudness::peakDb({after}), loudness::peakDb(s) - 40) << name << " still sounding after a hop";
    }
    EXPECT_GE(load("intro").size(), at(16 * 4 * 60.0 / 140));  // 16 bars at 140 a minute
    std::vector<double> amb = load("MorningLQ");
    ASSERT_GE(amb.size(), at(45));

    // Bird calls are bright and the wind is not: follow the level above
    // 2 kHz in 50 ms frames.
    std::vector<double> env;
    double hp = 0, prev = 0;
    for (size_t f = 0; f + at(0.05) <= amb.size(); f += at(0.05)) {
        double e = 0;
        for (size_t i = f; i < f + at(0.05); ++i) {
            hp = 0.53 * (hp + amb[i] - prev);  // one-pole high-pass near 2 kHz
            prev = amb[i];
            e += hp * hp;
        }
        env.push_back(std::sqrt(e / at(0.05)));
    }
    std::vector<double> sorted = env;
    std::sort(sorted.begin(), sorted.end());
    const double floor = sorted[sorted.size() / 2];
    // Calls, with quiet stretches between: some long stretch of 5 s or more
    // holds no call, and calls come about every 3 s on average.
    int calls = 0, longestQuiet = 0, quiet = 0;
    bool inCall = false;
    for (double e : env) {
        bool loud = e > 4 * floor;
        if (loud && !inCall) ++calls;
        inCall = loud;
        quiet = loud ? 0 : quiet + 1;
        longestQuiet = std::max(longestQuiet, quiet);
    }
    const double seconds = amb.size() / 22050.0;
    EXPECT_GE(longestQuiet * 0.05, 5.0);
    EXPECT_GT(calls, seconds / 6);
    EXPECT_LT(calls, seconds / 1.2);
    // No stretch of calls comes back later: the envelope is unlike itself at
    // every shift from 2 s to half the loop.
    double mean = 0;
    for (double e : env) mean += e;
    mean /= env.size();
    double var = 0;
    for (double e : env) var += (e - mean) * (e - mean);
    for (size_t lag = 40; lag < env.size() / 2; ++lag) {
        double c = 0;
        for (size_t i = 0; i < env.size(); ++i) c += (env[i] - mean) * (env[(i + lag) % env.size()] - mean);
        ASSERT_LT(c / var, 0.5) << "the calls repeat after " << lag * 0.05 << " s";
    }
}
