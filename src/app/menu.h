// The title screen's menu: a table of entries, each shown only while it is
// available, and three screens of its own (the controls, an address to type,
// the recorded games). Its state and logic only: the drawing reads a
// MenuView, the keys come in as a MenuKeys each frame.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/key_bindings.h"

struct MenuEntry {
    std::string label;
    // Null: always shown. A mode that is not there is not shown at all.
    std::function<bool()> available;
    // What the entry is set to, shown beside it ("normal", "7/10"); null none.
    std::function<std::string()> value;
    // Left (-1) and right (+1) step the value; null: no value to step.
    std::function<void(int)> adjust;
    // Enter.
    std::function<void()> choose;
};

// The keys as held this frame; the menu acts on presses (up to down), one
// action per press.
struct MenuKeys {
    bool up = false, down = false, left = false, right = false;
    bool enter = false, back = false, restore = false;
    // A key held now with a name (key_names.h), 0 for none: what the controls
    // screen takes and the address is typed with.
    uint32_t anyKey = 0;
    bool shift = false;
};

struct MenuLine {
    std::string label;
    std::string value;
    bool selected = false;
};

struct MenuView {
    std::string heading;
    std::vector<MenuLine> lines;
    std::string message;  // a refusal, a prompt, a notice
    std::string hint;     // the keys of this screen
};

// What the rebinding refuses, in words; empty when `key` may be bound to
// `action` of `cow` in `b` (and then it is).
std::string bindKey(KeyBindings& b, int cow, int action, uint32_t key);
// The name of a cow action for people: "Boris's JUMP".
std::string actionTitle(int cow, int action);

class Menu {
public:
    enum class Screen { Main, Controls, Address, Replays };

    // The main screen's entries, in order.
    std::vector<MenuEntry> entries;

    // Controls: the table the screen edits, and who hears of a change.
    std::function<KeyBindings()> bindings;
    std::function<void(const KeyBindings&)> bindingsChanged;
    // Address: the text to start from, and what Enter does with it.
    std::string address;
    std::function<void(const std::string&)> addressChosen;
    // Replays: the files, newest first, and what choosing one does.
    std::function<std::vector<std::string>()> listReplays;
    std::function<void(const std::string&)> replayChosen;

    // One frame of keys.
    void update(const MenuKeys& keys);
    MenuView view() const;

    // The title shows its plain screen until a player asks for the menu with
    // UP, DOWN or ENTER; BACKSPACE on the main screen puts it away again.
    bool isOpen() const { return open_; }
    void close() { open_ = false; backToMain(); }
    Screen screen() const { return screen_; }
    // Entering text: the game's own letter keys (N, M...) must not act.
    bool typing() const { return open_ && screen_ == Screen::Address; }
    void openControls();
    void openAddress();
    void openReplays();
    void backToMain();
    // Puts the main screen's highlight on entry `index` (an unavailable one
    // gives way to the first shown).
    void select(int index) { selected_ = index; }

private:
    std::vector<int> shownEntries() const;
    void updateMain(const MenuKeys& k);
    void updateControls(const MenuKeys& k);
    void updateAddress(const MenuKeys& k);
    void updateReplays(const MenuKeys& k);
    bool pressed(bool now, bool before) const { return now && !before && started_; }

    Screen screen_ = Screen::Main;
    int selected_ = 0;         // the main screen's: an index into entries
    int controlsRow_ = 0;      // 0..13 the actions, 14 back
    bool capturing_ = false;   // waiting for the key of controlsRow_
    bool captureReady_ = false;  // every key seen up since the capture began
    bool settling_ = false;      // a capture ended: waiting for its key to be let go
    int replayRow_ = 0;
    std::vector<std::string> replays_;
    std::string message_;
    MenuKeys before_;
    uint32_t lastAnyKey_ = 0;
    bool started_ = false;  // the first frame only learns what is held
    bool open_ = false;
};

// The files in `dir` (the replay directory: app/replay_store.h), newest first; none when it cannot be read.
std::vector<std::string> listReplayFiles(const std::string& dir);

// The modes other parts of the game plug into the menu. An unset hook hides
// its entry: a mode that is not there is not offered.
struct MenuHooks {
    std::function<bool()> hostAvailable;
    std::function<void()> host;
    std::function<bool()> joinAvailable;
    std::function<void(const std::string& address)> join;
    std::function<void(const std::string& path)> watchReplay;
};
extern MenuHooks menuHooks;
