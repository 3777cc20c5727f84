// The generated sound files: the format ALUT's loader takes, and sounds that
// start and end cleanly (one-shots) or run on without a step (loops).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "audio/sound_files.h"

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
