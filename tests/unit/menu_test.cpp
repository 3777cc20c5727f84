#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/menu.h"
#include "platform/key_names.h"

namespace {

namespace fs = std::filesystem;

// A menu of four entries, one of them a mode that is not there, with a
// binding table of its own.
class MenuTest : public ::testing::Test {
protected:
    Menu menu;
    KeyBindings table = defaultKeyBindings();
    std::vector<std::string> chosen;
    bool networkThere = false;
    int level = 1;

    void SetUp() override {
        menu.entries = {
            {"TWO PLAYERS", nullptr, nullptr, nullptr, [this] { chosen.push_back("two"); }},
            {"HOST A GAME", [this] { return networkThere; }, nullptr, nullptr, [this] { chosen.push_back("host"); }},
            {"AGAINST THE COMPUTER", nullptr, [this] { return std::to_string(level); },
             [this](int by) { level += by; }, [this] { chosen.push_back("computer"); }},
            {"CONTROLS", nullptr, nullptr, nullptr, [this] { menu.openControls(); }},
        };
        menu.bindings = [this] { return table; };
        menu.bindingsChanged = [this](const KeyBindings& b) { table = b; };
        menu.addressChosen = [this](const std::string& a) { chosen.push_back("join " + a); };
        frame({});  // the first frame only learns what is held
    }
    void frame(const MenuKeys& k) { menu.update(k); }
    // One press and its release.
    void press(bool MenuKeys::*key) {
        MenuKeys k;
        k.*key = true;
        frame(k);
        frame({});
    }
    void pressKey(uint32_t code) {
        MenuKeys k;
        k.anyKey = code;
        frame(k);
        frame({});
    }
    std::vector<std::string> labels() {
        std::vector<std::string> l;
        for (const MenuLine& line : menu.view().lines) l.push_back(line.label);
        return l;
    }
    std::string selected() {
        for (const MenuLine& line : menu.view().lines)
            if (line.selected) return line.label;
        return "";
    }
};

TEST_F(MenuTest, OpensOnAPressAndHidesWhatIsNotThere) {
    EXPECT_FALSE(menu.isOpen());
    press(&MenuKeys::down);  // opens; the press that opens does not move
    ASSERT_TRUE(menu.isOpen());
    EXPECT_EQ(selected(), "TWO PLAYERS");
    EXPECT_EQ(labels(), (std::vector<std::string>{"TWO PLAYERS", "AGAINST THE COMPUTER", "CONTROLS"}));
    networkThere = true;
    EXPECT_EQ(labels().size(), 4u);
    networkThere = false;
    press(&MenuKeys::down);
    EXPECT_EQ(selected(), "AGAINST THE COMPUTER") << "the hidden entry was stepped on";
    press(&MenuKeys::down);
    press(&MenuKeys::down);  // wraps
    EXPECT_EQ(selected(), "TWO PLAYERS");
    press(&MenuKeys::up);
    EXPECT_EQ(selected(), "CONTROLS");
    press(&MenuKeys::back);
    EXPECT_FALSE(menu.isOpen());
    EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuTest, OpensOnTheEntryChosenBeforeOrTheFirstShown) {
    menu.select(2);
    press(&MenuKeys::enter);  // opens
    EXPECT_EQ(selected(), "AGAINST THE COMPUTER");
    press(&MenuKeys::enter);
    EXPECT_EQ(chosen, std::vector<std::string>{"computer"});
    menu.select(1);  // the network, not there
    EXPECT_EQ(selected(), "TWO PLAYERS");
    press(&MenuKeys::down);
    EXPECT_EQ(selected(), "AGAINST THE COMPUTER");
}

TEST_F(MenuTest, OneActionPerPressNotPerFrameHeld) {
    press(&MenuKeys::enter);  // opens
    MenuKeys k;
    k.down = true;
    for (int i = 0; i < 10; ++i) frame(k);
    EXPECT_EQ(selected(), "AGAINST THE COMPUTER");
    k = {};
    k.right = true;
    for (int i = 0; i < 10; ++i) frame(k);
    EXPECT_EQ(level, 2);
    press(&MenuKeys::left);
    press(&MenuKeys::left);
    EXPECT_EQ(level, 0);
    press(&MenuKeys::enter);
    EXPECT_EQ(chosen, std::vector<std::string>{"computer"});
}

class ControlsTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        press(&MenuKeys::enter);  // open
        press(&MenuKeys::up);     // CONTROLS
        press(&MenuKeys::enter);
        ASSERT_EQ(menu.screen(), Menu::Screen::Controls);
    }
    // Enter on the current row, then the key once Enter is let go.
    void rebind(uint32_t key) {
        MenuKeys k;
        k.enter = true;
        k.anyKey = vk::Return;
        frame(k);
        frame({});
        pressKey(key);
    }
};

TEST_F(ControlsTest, AnyKeyTakesTheActionAndTheOldKeyIsFree) {
    rebind('T');  // row 0: Boris's UP
    EXPECT_EQ(table.cow[0].of(CowAction::Up), uint32_t('T'));
    EXPECT_EQ(menu.view().message, "Boris's UP is now T");
    // The old key is free: Horace's UP can take it.
    for (int i = 0; i < 7; ++i) press(&MenuKeys::down);
    rebind(vk::Up);
    EXPECT_EQ(table.cow[1].of(CowAction::Up), vk::Up);
}

TEST_F(ControlsTest, AKeyTakenIsRefusedNamingItsAction) {
    const KeyBindings before = table;
    rebind(vk::LShift);  // Horace's JUMP
    EXPECT_EQ(menu.view().message, "LSHIFT is taken: it is Horace's JUMP");
    EXPECT_EQ(table.cow[0].of(CowAction::Up), before.cow[0].of(CowAction::Up));
    rebind(vk::N);
    EXPECT_EQ(menu.view().message, "N is the game's own key (new game)");
    rebind(vk::Backspace);  // keeps the key
    EXPECT_EQ(table.cow[0].of(CowAction::Up), vk::Up);
}

TEST_F(ControlsTest, TheKeyThatOpensTheCaptureIsNotTakenWhileHeld) {
    MenuKeys k;
    k.enter = true;
    k.anyKey = vk::RShift;  // a pad's A is the jump key
    for (int i = 0; i < 5; ++i) frame(k);
    EXPECT_EQ(table.cow[0].of(CowAction::Up), vk::Up);
    frame({});
    pressKey('G');
    EXPECT_EQ(table.cow[0].of(CowAction::Up), uint32_t('G'));
}

TEST_F(ControlsTest, DeleteRestoresTheDefaultUnlessAnotherActionHoldsIt) {
    rebind('T');
    press(&MenuKeys::restore);
    EXPECT_EQ(table.cow[0].of(CowAction::Up), vk::Up);
    EXPECT_EQ(menu.view().message, "Boris's UP is back to UP");
    // Give UP to Horace, then ask for Boris's default back.
    rebind('T');
    for (int i = 0; i < 7; ++i) press(&MenuKeys::down);
    rebind(vk::Up);
    for (int i = 0; i < 7; ++i) press(&MenuKeys::up);
    press(&MenuKeys::restore);
    EXPECT_EQ(menu.view().message, "UP is taken: it is Horace's UP");
    EXPECT_EQ(table.cow[0].of(CowAction::Up), uint32_t('T'));
}

TEST_F(MenuTest, AnAddressIsTypedAndChosen) {
    menu.address = "";
    menu.openAddress();
    EXPECT_TRUE(menu.typing());
    for (uint32_t k : {uint32_t('L'), uint32_t('O'), uint32_t(vk::Period), uint32_t('7'), uint32_t(vk::Semicolon),
                       uint32_t('9'), uint32_t(vk::Backspace), uint32_t('8')})
        pressKey(k);
    EXPECT_EQ(menu.address, "lo.7:8");
    pressKey(vk::Return);
    EXPECT_EQ(chosen, std::vector<std::string>{"join lo.7:8"});
    // Backspace on an empty address goes back.
    menu.address = "a";
    menu.openAddress();
    pressKey(vk::Backspace);
    pressKey(vk::Backspace);
    EXPECT_EQ(menu.screen(), Menu::Screen::Main);
}

TEST(ReplayListTest, NewestFirst) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("hoofbrawl-replays-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "subdir");
    const auto now = fs::file_time_type::clock::now();
    const char* names[] = {"old.hbr", "newest.hbr", "middle.hbr"};
    const int ages[] = {300, 10, 100};
    for (int i = 0; i < 3; ++i) {
        std::ofstream(dir / names[i]) << "x";
        fs::last_write_time(dir / names[i], now - std::chrono::seconds(ages[i]));
    }
    const std::vector<std::string> files = listReplayFiles(dir.string());
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(fs::path(files[0]).filename(), "newest.hbr");
    EXPECT_EQ(fs::path(files[1]).filename(), "middle.hbr");
    EXPECT_EQ(fs::path(files[2]).filename(), "old.hbr");
    EXPECT_TRUE(listReplayFiles((dir / "missing").string()).empty());
    fs::remove_all(dir);
}

}  // namespace
