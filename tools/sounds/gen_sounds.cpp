// PLACEHOLDER(sound): short plain tones so the game can start; the real
// generator replaces this file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

static void writeWav(const std::string& path, double freq, double seconds) {
    const int rate = 22050;
    int n = static_cast<int>(rate * seconds);
    std::vector<int16_t> s(n);
    for (int i = 0; i < n; ++i) {
        double env = std::sin(M_PI * i / n);
        s[i] = static_cast<int16_t>(8000 * env * std::sin(2 * M_PI * freq * i / rate));
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) { std::perror(path.c_str()); return; }
    auto u32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto u16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, f); };
    std::fwrite("RIFF", 1, 4, f); u32(36 + n * 2); std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
    std::fwrite("data", 1, 4, f); u32(n * 2); std::fwrite(s.data(), 2, n, f);
    std::fclose(f);
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const char* names[] = {"intro", "moo", "moo_big", "moo3", "moo3_big", "crushcan", "sonar", "splash",
                           "powerdown", "powerup", "headbutt2", "yay", "MorningLQ", "gate_jingle",
                           "syringebreak2", "outofwater2", "syringe", "pickup", "gate_open", "gate_close",
                           "StartRound", "cow_full", "hay_stolen", "headbutt_hit", "win", "Slowdown"};
    int i = 0;
    for (const char* name : names) writeWav(std::string(argv[1]) + "/" + name + ".wav", 220 + 20 * i++, 0.3);
    return 0;
}
