// The live keyboard's two rules that need no X server: which keysym each
// polled key is, and whether a key typed now reaches the game's windows.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <map>
#include <set>

#include "platform/key_focus.h"
#include "platform/x11_keys.h"

namespace {

TEST(KeysymTable, EveryPolledKeyHasItsOwnKeysym) {
    // Every key the game polls: the cows', the help keys, the camera's, the
    // shell's and full screen.
    const std::map<uint32_t, unsigned long> polled = {
        {vk::Up, XK_Up},           {vk::Down, XK_Down},         {vk::Left, XK_Left},
        {vk::Right, XK_Right},     {vk::W, XK_w},               {vk::S, XK_s},
        {vk::A, XK_a},             {vk::D, XK_d},               {vk::LShift, XK_Shift_L},
        {vk::RShift, XK_Shift_R},  {vk::LControl, XK_Control_L}, {vk::RControl, XK_Control_R},
        {vk::F1, XK_F1},           {vk::F12, XK_F12},           {vk::F11, XK_F11},
        {vk::I, XK_i},             {vk::J, XK_j},               {vk::K, XK_k},
        {vk::L, XK_l},             {vk::U, XK_u},               {vk::O, XK_o},
        {vk::Space, XK_space},     {vk::N, XK_n},               {vk::Escape, XK_Escape},
    };
    std::set<unsigned long> seen;
    for (const auto& [code, sym] : polled) {
        EXPECT_EQ(keysymForVirtualKey(code), sym) << "virtual key " << code;
        EXPECT_TRUE(seen.insert(keysymForVirtualKey(code)).second) << "virtual key " << code << " shares its keysym";
    }
    // The generic codes stand for no particular side; the game never polls them.
    EXPECT_EQ(keysymForVirtualKey(16), 0u);  // VK_SHIFT
    EXPECT_EQ(keysymForVirtualKey(17), 0u);  // VK_CONTROL
    EXPECT_EQ(keysymForVirtualKey(300), 0u);
}

// A window tree written by the test: parents, the pointer's line, the focus.
class FakeTree : public WindowTree {
public:
    static constexpr WindowId kRoot = 0x100;
    std::map<WindowId, WindowId> parents;
    std::map<WindowId, WindowId> pointerChild;  // window -> its child under the pointer
    WindowId focused = kRoot;
    int questions = 0;

    WindowId root() override { return kRoot; }
    WindowId focus() override { return focused; }
    WindowId parent(WindowId w) override {
        ++questions;
        auto it = parents.find(w);
        return it == parents.end() ? 0 : it->second;
    }
    WindowId childUnderPointer(WindowId w) override {
        ++questions;
        auto it = pointerChild.find(w);
        return it == pointerChild.end() ? 0 : it->second;
    }
    void pointerOver(std::initializer_list<WindowId> line) {
        pointerChild.clear();
        WindowId above = kRoot;
        for (WindowId w : line) {
            pointerChild[above] = w;
            above = w;
        }
    }
};

// root
// +- frame 0x200 (a window manager's) +- game 0x210 +- (no child)
// +- other 0x300 (another program)    +- its child 0x310
// +- box 0x400 (the image reader's error box)
class KeyFocusTest : public ::testing::Test {
protected:
    static constexpr WindowId kFrame = 0x200, kGame = 0x210, kOther = 0x300, kOtherChild = 0x310,
                              kBox = 0x400;
    FakeTree tree;

    void SetUp() override {
        tree.parents = {{kFrame, FakeTree::kRoot}, {kGame, kFrame}, {kOther, FakeTree::kRoot},
                        {kOtherChild, kOther}, {kBox, FakeTree::kRoot}, {FakeTree::kRoot, 0}};
        addGameWindow(kGame);
    }
    void TearDown() override {
        removeGameWindow(kGame);
        removeGameWindow(kBox);
    }
};

TEST_F(KeyFocusTest, FocusOnTheGameOrInsideIt) {
    tree.focused = kGame;
    tree.pointerOver({kOther, kOtherChild});  // where the pointer is does not matter then
    EXPECT_TRUE(keysReachGame(tree));
    EXPECT_EQ(tree.questions, 0);  // the common case asks the server nothing more
    tree.parents[0x211] = kGame;
    tree.focused = 0x211;
    EXPECT_TRUE(keysReachGame(tree));
}

TEST_F(KeyFocusTest, AnotherProgramsWindowOrNoFocus) {
    tree.focused = kOtherChild;
    tree.pointerOver({kFrame, kGame});  // the pointer over the game does not steal the keys
    EXPECT_FALSE(keysReachGame(tree));
    tree.focused = kOther;
    EXPECT_FALSE(keysReachGame(tree));
    tree.focused = 0;
    EXPECT_FALSE(keysReachGame(tree));
    // A window manager's frame around the game: keys reach the game only when
    // the pointer is inside it; elsewhere they go to the frame itself.
    tree.focused = kFrame;
    EXPECT_TRUE(keysReachGame(tree));
    tree.pointerOver({kOther});
    EXPECT_FALSE(keysReachGame(tree));
}

TEST_F(KeyFocusTest, FocusFollowingThePointer) {
    for (WindowId focus : {WindowTree::pointerRoot(), FakeTree::kRoot}) {
        tree.focused = focus;
        tree.pointerOver({kFrame, kGame});
        EXPECT_TRUE(keysReachGame(tree)) << focus;
        tree.pointerOver({kOther, kOtherChild});
        EXPECT_FALSE(keysReachGame(tree)) << focus;
        tree.pointerOver({});  // over the bare root
        EXPECT_FALSE(keysReachGame(tree)) << focus;
    }
}

TEST_F(KeyFocusTest, ErrorBoxCountsWhileItIsUp) {
    tree.focused = kBox;
    EXPECT_FALSE(keysReachGame(tree));
    addGameWindow(kBox);
    EXPECT_TRUE(keysReachGame(tree));
    removeGameWindow(kBox);
    EXPECT_FALSE(keysReachGame(tree));
    // The game window itself stays registered.
    tree.focused = kGame;
    EXPECT_TRUE(keysReachGame(tree));
}

TEST_F(KeyFocusTest, NoGameWindowKnownReadsTheWholeKeyboard) {
    tree.focused = kOther;
    EXPECT_FALSE(keysReachGame(tree));
    removeGameWindow(kGame);
    EXPECT_TRUE(keysReachGame(tree));
}

TEST_F(KeyFocusTest, VanishedWindowsReadAsNotTheGame) {
    tree.focused = 0x999;  // gone: no parent, no pointer line through it
    tree.pointerOver({kFrame, kGame});
    EXPECT_FALSE(keysReachGame(tree));
    // A tree that loops (a corrupt answer) ends in a bounded number of questions.
    tree.parents[0x999] = 0x998;
    tree.parents[0x998] = 0x999;
    tree.questions = 0;
    EXPECT_FALSE(keysReachGame(tree));
    EXPECT_LT(tree.questions, 200);
}

TEST_F(KeyFocusTest, OneFocusAnswerServesABurstOfPolls) {
    FocusAnswer answer;
    tree.focused = kGame;
    tree.pointerOver({kOther});
    EXPECT_TRUE(answer.reachesGame(tree, 1000));
    tree.focused = kOther;  // the focus moves away ...
    EXPECT_TRUE(answer.reachesGame(tree, 1000 + kFocusReuseMs - 1));  // ... within the burst
    EXPECT_FALSE(answer.reachesGame(tree, 1000 + kFocusReuseMs));     // ... and is seen after it
    tree.focused = kGame;
    EXPECT_FALSE(answer.reachesGame(tree, 1000 + kFocusReuseMs + 5));
    EXPECT_TRUE(answer.reachesGame(tree, 1000 + 2 * kFocusReuseMs));
    // A clock that went back asks again rather than trusting an old answer.
    tree.focused = kOther;
    EXPECT_FALSE(answer.reachesGame(tree, 10));
}

}  // namespace
