#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/settings.h"
#include "platform/key_names.h"
#include "platform/x11_keys.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class SettingsFileTest : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("hoofbrawl-settings-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
};

Settings changedSettings() {
    Settings s;
    s.volume = 3;
    s.muted = true;
    s.fullScreen = true;
    s.mode = "computer";
    s.computerLevel = "hard";
    s.address = "127.0.0.1:4700";
    s.arena = "Wetlands";
    s.bindings.cow[0].key[0] = 'T';
    s.bindings.cow[1].key[4] = vk::Tab;
    s.bindings.cow[1].key[6] = 220;  // backslash
    return s;
}

TEST_F(SettingsFileTest, EverySettingSurvivesAWriteAndARead) {
    const Settings s = changedSettings();
    std::string error;
    const std::string path = (dir / "deep" / "er" / "settings.ini").string();
    ASSERT_TRUE(writeSettingsFile(s, path, error)) << error;
    SettingsRead r = readSettingsFile(path);
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    EXPECT_TRUE(r.settings == s);
    EXPECT_FALSE(fs::exists(path + ".new")) << "the temporary file was left behind";
}

TEST_F(SettingsFileTest, NoFileMeansTheDefaultsAndNoWarning) {
    SettingsRead r = readSettingsFile((dir / "none.ini").string());
    EXPECT_FALSE(r.fileFound);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_TRUE(r.settings == Settings());
}

TEST_F(SettingsFileTest, BadLinesAreNamedAndOnlyTheyFallBack) {
    const std::string text =
        "# kept by hand\n"
        "volume = 4\n"
        "volume = eleven\n"    // 3
        "mute = perhaps\n"     // 4
        "arena = Atlantis\n"   // 5
        "arena = Paddock\n"
        "horace.jump = NOSUCHKEY\n"  // 7
        "colour = blue\n"      // 8
        "just words\n"         // 9
        "computer-level = hard\n";
    SettingsRead r = parseSettings(text, "/x/settings.ini");
    ASSERT_EQ(r.warnings.size(), 6u);
    const int lines[] = {3, 4, 5, 7, 8, 9};
    for (size_t i = 0; i < r.warnings.size(); ++i)
        EXPECT_EQ(r.warnings[i].rfind("/x/settings.ini:" + std::to_string(lines[i]) + ": ", 0), 0u) << r.warnings[i];
    EXPECT_NE(r.warnings[0].find("eleven"), std::string::npos);
    EXPECT_NE(r.warnings[3].find("NOSUCHKEY"), std::string::npos);
    EXPECT_EQ(r.settings.volume, 4);
    EXPECT_FALSE(r.settings.muted);
    EXPECT_EQ(r.settings.arena, "Paddock");
    EXPECT_EQ(r.settings.computerLevel, "hard");
    EXPECT_EQ(r.settings.bindings.cow[1].key[4], defaultKeyBindings().cow[1].key[4]);
}

TEST_F(SettingsFileTest, KeysThatClashPutEveryBindingBack) {
    // Boris's jump on W, which Horace moves with: one of them would be dead.
    SettingsRead r = parseSettings("boris.up = T\nboris.jump = W\n", "s.ini");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find("s.ini:1: W is bound to two actions"), std::string::npos) << r.warnings[0];
    for (int c = 0; c < 2; ++c)
        for (int a = 0; a < kCowActionCount; ++a)
            EXPECT_EQ(r.settings.bindings.cow[c].key[a], defaultKeyBindings().cow[c].key[a]);
    // The game's own keys are no cow's.
    r = parseSettings("horace.help = ESC\n", "s.ini");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find("game's own key (quit)"), std::string::npos);
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadWarnsOnce) {
    // A directory where the file should be: open works, reading does not,
    // whoever runs the test.
    fs::create_directories(dir / "settings.ini");
    SettingsRead r = readSettingsFile((dir / "settings.ini").string());
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find((dir / "settings.ini").string() + ": cannot read it"), std::string::npos);
    EXPECT_TRUE(r.settings == Settings());
}

TEST_F(SettingsFileTest, TheStoreWritesOnlyWhenThePlayerChangesSomething) {
    const fs::path path = dir / "settings.ini";
    const std::string damaged = "volume = 7\nmute = maybe\n";
    std::ofstream(path) << damaged;
    std::FILE* messages = std::tmpfile();
    SettingsStore store;
    store.load(path.string(), messages);
    EXPECT_EQ(store.live().volume, 7);
    // An override for the run only.
    store.live().muted = true;
    EXPECT_EQ(slurp(path), damaged) << "the file was touched without a change";
    EXPECT_EQ(store.writes(), 0);
    // Setting a value to what it is already changes nothing.
    store.change([](Settings& s) { s.volume = 7; });
    EXPECT_EQ(store.writes(), 0);
    store.change([](Settings& s) { s.volume = 8; });
    EXPECT_EQ(store.writes(), 1);
    SettingsRead back = readSettingsFile(path.string());
    EXPECT_TRUE(back.warnings.empty());
    EXPECT_EQ(back.settings.volume, 8);
    EXPECT_FALSE(back.settings.muted) << "the run's override was written";
    std::rewind(messages);
    char line[512] = {};
    ASSERT_NE(std::fgets(line, sizeof line, messages), nullptr);
    EXPECT_NE(std::string(line).find(path.string() + ":2: mute 'maybe'"), std::string::npos) << line;
    std::fclose(messages);
}

TEST_F(SettingsFileTest, ADirectoryThatCannotBeWrittenIsSaidOnceAndTheGamePlaysOn) {
    // A plain file where the directory should be: no one can make it, root neither.
    std::ofstream(dir / "blocker") << "x";
    const std::string path = (dir / "blocker" / "hoofbrawl" / "settings.ini").string();
    std::FILE* messages = std::tmpfile();
    SettingsStore store;
    store.load(path, messages);
    store.change([](Settings& s) { s.volume = 2; });
    store.change([](Settings& s) { s.volume = 3; });
    EXPECT_EQ(store.live().volume, 3);
    EXPECT_EQ(store.writes(), 0);
    std::rewind(messages);
    std::string all;
    char line[512];
    int count = 0;
    while (std::fgets(line, sizeof line, messages)) {
        all += line;
        ++count;
    }
    EXPECT_EQ(count, 1) << all;
    EXPECT_NE(all.find("cannot save the settings"), std::string::npos) << all;
    std::fclose(messages);
}

TEST(SettingsPathTest, FollowsTheConfigurationHome) {
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string keepConfig = oldConfig ? oldConfig : "", keepHome = oldHome ? oldHome : "";
    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(settingsPath(), "/cfg/hoofbrawl/settings.ini");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // ignored, as the rules say
    EXPECT_EQ(settingsPath(), "/home/someone/.config/hoofbrawl/settings.ini");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(settingsPath(), "/home/someone/.config/hoofbrawl/settings.ini");
    if (oldConfig) ::setenv("XDG_CONFIG_HOME", keepConfig.c_str(), 1);
    if (oldHome) ::setenv("HOME", keepHome.c_str(), 1);
    else ::unsetenv("HOME");
}

TEST(KeyNamesTest, EveryNamedKeyReadsBackAndHasOneName) {
    for (uint32_t code : namedKeys()) {
        const char* name = keyName(code);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(keyFromName(name), code) << name;
    }
    // The live keyboard can read every key a player can be given.
    for (uint32_t code : namedKeys()) EXPECT_NE(keysymForVirtualKey(code), 0ul) << keyName(code);
    EXPECT_EQ(keyFromName("rshift"), vk::RShift);
    EXPECT_EQ(keyFromName("nonsense"), 0u);
    // The defaults, the settings' fallback, all have names.
    const KeyBindings d = defaultKeyBindings();
    for (const CowBindings& c : d.cow)
        for (uint32_t k : c.key) EXPECT_NE(keyName(k), nullptr);
}

}  // namespace
