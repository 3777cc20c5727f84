// The sound table against a real OpenAL device (OpenAL Soft's null backend
// under ctest). Loading ends the process on failure, so every load runs in a
// forked child with its output captured; the parent never opens the device.
#include <gtest/gtest.h>

#include <AL/al.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "audio/openal_sink.h"
#include "audio/sound_table.h"
#include "audio/sounds.h"

namespace fs = std::filesystem;

namespace {

struct ChildRun {
    int status = -1;  // exit status, or -1 when the child did not exit normally
    std::string out, err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A scratch copy of the built data directory's sounds, removed afterwards.
class ScratchData {
public:
    ScratchData() {
        char tmpl[] = "/tmp/hoofbrawl-sound-XXXXXX";
        dir_ = mkdtemp(tmpl);
        fs::copy(fs::path(HOOFBRAWL_DATA_DIR) / "sounds", dir_ / "sounds");
    }
    ~ScratchData() { fs::remove_all(dir_); }
    const fs::path& dir() const { return dir_; }
    void remove(const std::string& file) { fs::remove(dir_ / file); }
    void write(const std::string& file, const std::string& bytes) {
        std::ofstream(dir_ / file, std::ios::binary) << bytes;
    }

private:
    fs::path dir_;
};

void reportCreatedSources() { std::fprintf(stderr, "[sources created: %d]\n", soundSourcesCreated()); }

// Runs body in a child whose working directory is dir and whose standard
// output and error are captured; the child ends with status 0 if body returns.
ChildRun runInChild(const fs::path& dir, const std::function<void()>& body,
                    const char* drivers = nullptr) {
    fs::path out = dir / "child.out", err = dir / "child.err";
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        if (std::freopen(out.c_str(), "w", stdout) == nullptr) _exit(101);
        if (std::freopen(err.c_str(), "w", stderr) == nullptr) _exit(102);
        if (chdir(dir.c_str()) != 0) _exit(103);
        if (drivers) setenv("ALSOFT_DRIVERS", drivers, 1);
        std::atexit(reportCreatedSources);
        body();
        std::fflush(nullptr);
        _exit(0);
    }
    ChildRun run;
    int raw = 0;
    if (pid > 0 && waitpid(pid, &raw, 0) == pid && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    run.out = slurp(out);
    run.err = slurp(err);
    return run;
}

struct Row {
    const char* file;
    const char* message;
};

// Each row's failure message exactly as players see it.
const Row kExpected[kSoundCount] = {
    {"sounds/intro.wav", "alSettingASource(CowSoundBuffer,SplashScreen, \"sounds/intro.wav\"): "},
    {"sounds/moo.wav", "alSettingASource((CowSoundBuffer,Cow1Jump, \"sounds/moo.wav\"): "},
    {"sounds/moo_big.wav", "alSettingASource((CowSoundBuffer,Cow1BigJump, \"sounds/moo_big.wav\"): "},
    {"sounds/moo3.wav", "alSettingASource(CowSoundBuffer,Cow2JumpSoundSource, \"sounds/moo3.wav\"): "},
    {"sounds/moo3_big.wav", "alSettingASource(CowSoundBuffer,Cow2BigJump, \"sounds/moo3_big.wav\"): "},
    {"sounds/crushcan.wav", "alSettingASource(CowChewSoundBuffer,CowChewSoundSource, \"sounds/crushcan.wav\"): "},
    {"sounds/sonar.wav", "alSettingASource(CowSoundBuffer,CowSonarSoundSource, \"sounds/sonar.wav\"): "},
    {"sounds/splash.wav", "alSettingASource(CowSoundBuffer,WaterSplash, \"sounds/splash.wav\"): "},
    {"sounds/powerdown.wav", "alSettingASource(CowSoundBuffer,CowShrinkSoundSource, \"sounds/powerdown.wav\"): "},
    {"sounds/powerup.wav", "alSettingASource(CowSoundBuffer,CowGrowSoundSource, \"sounds/powerup.wav\"): "},
    {"sounds/headbutt2.wav", "alSettingASource(CowSoundBuffer,CowHBSoundSource, \"sounds/headbutt2.wav\"): "},
    {"sounds/yay.wav", "alSettingASource(CowSoundBuffer,HayYAYSoundSource, \"sounds/yay.wav\"): "},
    {"sounds/MorningLQ.wav", "alSettingASource(CowSoundBuffer,Ambient, \"sounds/MorningLQ.wav\"): "},
    {"sounds/gate_jingle.wav", "alSettingASource(CowSoundBuffer,ChainJingle, \"sounds/gate_jingle.wav\"): "},
    {"sounds/syringebreak2.wav", "alSettingASource(CowSoundBuffer,SyringeBreak, \"sounds/syringebreak2.wav\"): "},
    {"sounds/outofwater2.wav", "alSettingASource(CowSoundBuffer,GetOutoftheWater, \"sounds/outofwater2.wav\"): "},
    {"sounds/syringe.wav", "alSettingASource(CowSoundBuffer,InjectSyringe, \"sounds/syringe.wav\"): "},
    {"sounds/pickup.wav", "alSettingASource(CowSoundBuffer,SyringePickup, \"sounds/pickup.wav\"): "},
    {"sounds/gate_open.wav", "alSettingASource(CowSoundBuffer,OpenGate, \"sounds/gate_open.wav\"): "},
    {"sounds/gate_close.wav", "alSettingASource(CowSoundBuffer,CloseGate, \"sounds/gate_close.wav\"): "},
    {"sounds/StartRound.wav", "alSettingASource(CowSoundBuffer,GameStart, \"sounds/StartRound.wav\"): "},
    {"sounds/cow_full.wav", "alSettingASource(CowSoundBuffer,CowFull, \"sounds/cow_full.wav\"): "},
    {"sounds/hay_stolen.wav", "alSettingASource(CowSoundBuffer,HayStolen, \"sounds/hay_stolen.wav\"): "},
    {"sounds/headbutt_hit.wav", "alSettingASource(CowSoundBuffer,Hit, \"sounds/headbutt_hit.wav\"): "},
    {"sounds/win.wav", "alSettingASource(CowSoundBuffer,Win, \"sounds/win.wav\"): "},
    {"sounds/Slowdown.wav", "alSettingASource(CowSoundBuffer,Slowdown, \"sounds/Slowdown.wav\"): "},
};

std::string createdLine(int n) { return "[sources created: " + std::to_string(n) + "]"; }

// Checks made inside the child after a full load; each problem is one line.
void checkLoadedTable() {
    auto fail = [](const std::string& what) { std::printf("FAIL %s\n", what.c_str()); };
    if (soundSourcesCreated() != kSoundCount) fail("created " + std::to_string(soundSourcesCreated()));
    for (int i = 0; i < kSoundCount; ++i) {
        SoundId id = static_cast<SoundId>(i);
        std::string name = soundName(id);
        ALuint source = soundSourceName(id);
        if (!alIsSource(source)) { fail(name + ": no source"); continue; }
        ALint buffer = 0, looping = 0, frequency = 0, bits = 0, channels = 0, size = 0;
        alGetSourcei(source, AL_BUFFER, &buffer);
        alGetSourcei(source, AL_LOOPING, &looping);
        alGetBufferi(buffer, AL_FREQUENCY, &frequency);
        alGetBufferi(buffer, AL_BITS, &bits);
        alGetBufferi(buffer, AL_CHANNELS, &channels);
        alGetBufferi(buffer, AL_SIZE, &size);
        if (buffer == 0) fail(name + ": no buffer attached");
        if (frequency != 22050 || bits != 16 || channels != 1 || size <= 0)
            fail(name + ": buffer " + std::to_string(frequency) + " Hz " + std::to_string(bits) + " bits " +
                 std::to_string(channels) + " channels " + std::to_string(size) + " bytes");
        bool shouldLoop = id == SoundId::SplashScreen || id == SoundId::Ambient || id == SoundId::CowSonarSoundSource;
        if ((looping == AL_TRUE) != shouldLoop) fail(name + ": looping " + std::to_string(looping));
        for (int j = 0; j < i; ++j) {
            ALint other = 0;
            alGetSourcei(soundSourceName(static_cast<SoundId>(j)), AL_BUFFER, &other);
            if (soundSourceName(static_cast<SoundId>(j)) == source || other == buffer)
                fail(name + ": shares its source or buffer with " + soundName(static_cast<SoundId>(j)));
        }
    }
    ALfloat x = 1, y = 1, z = 1;
    alGetListener3f(AL_POSITION, &x, &y, &z);
    if (x != 0 || y != 0 || z != 0) fail("listener not at the origin");

    // Requests by name reach the right source.
    if (dynamic_cast<OpenAlSink*>(soundSink()) == nullptr) fail("OpenAL sink not installed");
    auto state = [](SoundId id) {
        ALint s = 0;
        alGetSourcei(soundSourceName(id), AL_SOURCE_STATE, &s);
        return s;
    };
    playSound(SoundId::Hit);
    if (state(SoundId::Hit) != AL_PLAYING) fail("Hit does not play");
    if (state(SoundId::Win) == AL_PLAYING) fail("Win plays too");
    playSoundWithoutRestart(SoundId::Hit);
    if (state(SoundId::Hit) != AL_PLAYING) fail("Hit stopped by a play without restart");
    stopSound(SoundId::Hit);
    if (state(SoundId::Hit) != AL_STOPPED) fail("Hit does not stop");
    playSound(SoundId::Ambient);
    alSourcePause(soundSourceName(SoundId::Ambient));
    if (state(SoundId::Ambient) != AL_PAUSED) fail("Ambient does not pause");
    if (alGetError() != AL_NO_ERROR) fail("OpenAL error after the requests");
    std::printf("DONE\n");
}

}  // namespace

TEST(SoundTable, EveryRowLoadsIntoItsOwnSourceAndRequestsReachIt) {
    ScratchData data;
    ChildRun run = runInChild(data.dir(), [] {
        loadSounds();
        checkLoadedTable();
    });
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "DONE\n");
}

TEST(SoundTable, EachMissingFileGivesItsMessageAndEndsAtThatRow) {
    for (int i = 0; i < kSoundCount; ++i) {
        SCOPED_TRACE(kExpected[i].file);
        EXPECT_STREQ(soundRow(static_cast<SoundId>(i)).file, kExpected[i].file);
        ScratchData data;
        data.remove(kExpected[i].file);
        ChildRun run = runInChild(data.dir(), [] { loadSounds(); });
        EXPECT_EQ(run.status, 255);
        // The file's own failure: ALUT's code for an unreadable file, 526.
        EXPECT_EQ(run.out, std::string(kExpected[i].message) + "526");
        EXPECT_NE(run.err.find(std::string(kExpected[i].file) + ": cannot open it: No such file or directory"),
                  std::string::npos) << run.err;
        EXPECT_NE(run.err.find(createdLine(i + 1)), std::string::npos) << run.err;
    }
}

TEST(SoundTable, NothingAfterTheFailingRowIsTried) {
    ScratchData data;
    data.remove("sounds/moo3_big.wav");    // row 5
    data.remove("sounds/gate_close.wav");  // row 20
    ChildRun run = runInChild(data.dir(), [] {
        loadSounds();
        std::printf("loading went on");
    });
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.out, std::string(kExpected[4].message) + "526");
    EXPECT_EQ(run.err.find("gate_close"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(createdLine(5)), std::string::npos) << run.err;
}

TEST(SoundTable, UndecodableFilesFailTheirRowWithAlutsCode) {
    struct Case {
        const char* bytes;
        size_t length;
        const char* code;
        const char* reason;
    } cases[] = {
        {"this is not a sound at all", 26, "527", "Unsupported file type"},
        {"", 0, "529", "corrupt or truncated"},
        // A WAV header that promises more sample data than the file holds.
        {"RIFF\x24\x10\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0data\0\x10\0\0\x01\x02",
         46, "529", "corrupt or truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        ScratchData data;
        data.write("sounds/win.wav", std::string(c.bytes, c.length));
        ChildRun run = runInChild(data.dir(), [] { loadSounds(); });
        EXPECT_EQ(run.status, 255);
        EXPECT_EQ(run.out, std::string(kExpected[24].message) + c.code);
        EXPECT_NE(run.err.find(std::string("sounds/win.wav: ")), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(createdLine(25)), std::string::npos) << run.err;
    }
}

TEST(SoundTable, NoAudioDeviceSaysSoAndEnds) {
    ScratchData data;
    ChildRun run = runInChild(data.dir(), [] { loadSounds(); }, "no-such-backend");
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("cannot open the audio device"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(createdLine(0)), std::string::npos) << run.err;
}
