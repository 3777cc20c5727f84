#include "app/menu.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/settings.h"
#include "platform/key_names.h"
#include "platform/keys.h"

namespace {

const char* const kCowTitles[2] = {"Boris", "Horace"};
const char* const kActionTitles[kCowActionCount] = {"UP", "DOWN", "LEFT", "RIGHT", "JUMP", "HEADBUTT", "HELP"};
constexpr int kControlsRows = 2 * kCowActionCount;  // then Back
constexpr size_t kAddressLimit = 255;

// The character a key types into an address, 0 for none.
char addressCharacter(uint32_t key) {
    if (key >= 'A' && key <= 'Z') return static_cast<char>('a' + (key - 'A'));
    if (key >= '0' && key <= '9') return static_cast<char>(key);
    if (key >= 96 && key <= 105) return static_cast<char>('0' + (key - 96));
    if (key == vk::Period || key == 110) return '.';
    if (key == vk::Minus || key == 109) return '-';
    // No address has a semicolon: the key is taken as the colon before a port.
    if (key == vk::Semicolon) return ':';
    return 0;
}

}  // namespace

std::string actionTitle(int cow, int action) {
    return std::string(kCowTitles[cow]) + "'s " + kActionTitles[action];
}

std::string bindKey(KeyBindings& b, int cow, int action, uint32_t key) {
    const char* name = keyName(key);
    if (!name) return "That key cannot be bound";
    if (const char* use = reservedKeyUse(key)) return std::string(name) + " is the game's own key (" + use + ")";
    for (int c = 0; c < 2; ++c)
        for (int a = 0; a < kCowActionCount; ++a)
            if (b.cow[c].key[a] == key && !(c == cow && a == action))
                return std::string(name) + " is taken: it is " + actionTitle(c, a);
    b.cow[cow].key[action] = key;
    return "";
}

std::vector<int> Menu::shownEntries() const {
    std::vector<int> shown;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        if (!entries[i].available || entries[i].available()) shown.push_back(i);
    return shown;
}

void Menu::openControls() {
    open_ = true;
    screen_ = Screen::Controls;
    controlsRow_ = 0;
    capturing_ = false;
    message_.clear();
}

void Menu::openAddress() {
    open_ = true;
    screen_ = Screen::Address;
    message_.clear();
}

void Menu::openReplays() {
    open_ = true;
    screen_ = Screen::Replays;
    replayRow_ = 0;
    replays_ = listReplays ? listReplays() : std::vector<std::string>();
    message_ = replays_.empty() ? "No recorded games yet" : "";
}

void Menu::backToMain() {
    screen_ = Screen::Main;
    capturing_ = false;
    message_.clear();
}

void Menu::update(const MenuKeys& k) {
    if (!open_) {
        if (pressed(k.up, before_.up) || pressed(k.down, before_.down) || pressed(k.enter, before_.enter)) {
            open_ = true;
            screen_ = Screen::Main;
        }
    } else {
        switch (screen_) {
        case Screen::Main: updateMain(k); break;
        case Screen::Controls: updateControls(k); break;
        case Screen::Address: updateAddress(k); break;
        case Screen::Replays: updateReplays(k); break;
        }
    }
    before_ = k;
    lastAnyKey_ = k.anyKey;
    started_ = true;
}

void Menu::updateMain(const MenuKeys& k) {
    if (pressed(k.back, before_.back)) {
        open_ = false;
        return;
    }
    const std::vector<int> shown = shownEntries();
    if (shown.empty()) return;
    auto at = std::find(shown.begin(), shown.end(), selected_);
    int pos = at == shown.end() ? 0 : static_cast<int>(at - shown.begin());
    const int n = static_cast<int>(shown.size());
    if (pressed(k.up, before_.up)) pos = (pos + n - 1) % n;
    if (pressed(k.down, before_.down)) pos = (pos + 1) % n;
    selected_ = shown[pos];
    MenuEntry& e = entries[selected_];
    if (e.adjust && pressed(k.left, before_.left)) e.adjust(-1);
    if (e.adjust && pressed(k.right, before_.right)) e.adjust(+1);
    if (e.choose && pressed(k.enter, before_.enter)) e.choose();
}

void Menu::updateControls(const MenuKeys& k) {
    // The key just taken is still down, and may now be a direction the
    // screen itself steers with: nothing moves until it is let go.
    if (settling_) {
        if (k.anyKey == 0) settling_ = false;
        return;
    }
    if (capturing_) {
        // The key that opened the capture (Enter, or a pad's button) must be
        // let go first, or it would bind itself.
        if (!captureReady_) {
            if (k.anyKey == 0) captureReady_ = true;
            return;
        }
        if (k.anyKey == 0) return;
        capturing_ = false;
        settling_ = true;
        if (k.anyKey == vk::Backspace) {
            message_.clear();
            return;
        }
        KeyBindings b = bindings ? bindings() : keyBindings;
        const int cow = controlsRow_ / kCowActionCount, action = controlsRow_ % kCowActionCount;
        const std::string refusal = bindKey(b, cow, action, k.anyKey);
        if (!refusal.empty()) {
            message_ = refusal;
            return;
        }
        message_ = actionTitle(cow, action) + " is now " + keyName(k.anyKey);
        if (bindingsChanged) bindingsChanged(b);
        return;
    }
    if (pressed(k.up, before_.up)) controlsRow_ = (controlsRow_ + kControlsRows) % (kControlsRows + 1);
    if (pressed(k.down, before_.down)) controlsRow_ = (controlsRow_ + 1) % (kControlsRows + 1);
    if (pressed(k.back, before_.back)) {
        backToMain();
        return;
    }
    if (controlsRow_ == kControlsRows) {
        if (pressed(k.enter, before_.enter)) backToMain();
        return;
    }
    const int cow = controlsRow_ / kCowActionCount, action = controlsRow_ % kCowActionCount;
    if (pressed(k.enter, before_.enter)) {
        capturing_ = true;
        captureReady_ = false;
        message_ = "Press a key for " + actionTitle(cow, action) + " (BACKSPACE: keep it)";
    } else if (pressed(k.restore, before_.restore)) {
        KeyBindings b = bindings ? bindings() : keyBindings;
        const uint32_t key = defaultKeyBindings().cow[cow].key[action];
        if (b.cow[cow].key[action] == key) {
            message_ = actionTitle(cow, action) + " is already " + keyName(key);
            return;
        }
        const std::string refusal = bindKey(b, cow, action, key);
        if (!refusal.empty()) {
            message_ = refusal;
            return;
        }
        message_ = actionTitle(cow, action) + " is back to " + keyName(key);
        if (bindingsChanged) bindingsChanged(b);
    }
}

void Menu::updateAddress(const MenuKeys& k) {
    const bool newKey = started_ && k.anyKey != 0 && k.anyKey != lastAnyKey_;
    if (!newKey) return;
    if (k.anyKey == vk::Return) {
        if (address.empty()) {
            message_ = "Type the address of the machine that hosts the game";
            return;
        }
        if (addressChosen) addressChosen(address);
        return;
    }
    if (k.anyKey == vk::Backspace) {
        if (address.empty()) backToMain();
        else address.pop_back();
        return;
    }
    const char c = addressCharacter(k.anyKey);
    if (c && address.size() < kAddressLimit) address += c;
}

void Menu::updateReplays(const MenuKeys& k) {
    const int rows = static_cast<int>(replays_.size()) + 1;
    if (pressed(k.up, before_.up)) replayRow_ = (replayRow_ + rows - 1) % rows;
    if (pressed(k.down, before_.down)) replayRow_ = (replayRow_ + 1) % rows;
    if (pressed(k.back, before_.back)) {
        backToMain();
        return;
    }
    if (!pressed(k.enter, before_.enter)) return;
    if (replayRow_ == rows - 1) backToMain();
    else if (replayChosen) replayChosen(replays_[replayRow_]);
}

MenuView Menu::view() const {
    MenuView v;
    v.message = message_;
    switch (screen_) {
    case Screen::Main:
        for (int i : shownEntries()) {
            MenuLine line;
            line.label = entries[i].label;
            if (entries[i].value) line.value = entries[i].value();
            line.selected = i == selected_;
            v.lines.push_back(line);
        }
        // Before the first frame, nothing is selected yet: the first entry is.
        if (!v.lines.empty() && std::none_of(v.lines.begin(), v.lines.end(), [](const MenuLine& l) { return l.selected; }))
            v.lines.front().selected = true;
        v.hint = "UP/DOWN: CHOOSE   ENTER: GO   LEFT/RIGHT: CHANGE   BACKSPACE: CLOSE";
        break;
    case Screen::Controls: {
        v.heading = "CONTROLS";
        const KeyBindings b = bindings ? bindings() : keyBindings;
        for (int r = 0; r < kControlsRows; ++r) {
            const int cow = r / kCowActionCount, action = r % kCowActionCount;
            const char* name = keyName(b.cow[cow].key[action]);
            MenuLine line;
            line.label = std::string(cow == 0 ? "BORIS " : "HORACE ") + kActionTitles[action];
            line.value = capturing_ && r == controlsRow_ ? "..." : (name ? name : "?");
            line.selected = r == controlsRow_;
            v.lines.push_back(line);
        }
        v.lines.push_back({"BACK", "", controlsRow_ == kControlsRows});
        v.hint = "ENTER: NEW KEY   DELETE: DEFAULT   BACKSPACE: BACK";
        break;
    }
    case Screen::Address:
        v.heading = "JOIN A GAME";
        v.lines.push_back({"ADDRESS", address + "_", true});
        v.hint = "TYPE THE ADDRESS   ENTER: JOIN   BACKSPACE: ERASE";
        break;
    case Screen::Replays:
        v.heading = "REPLAYS";
        for (int i = 0; i < static_cast<int>(replays_.size()); ++i) {
            std::string name = replays_[i];
            const size_t slash = name.find_last_of('/');
            if (slash != std::string::npos) name = name.substr(slash + 1);
            v.lines.push_back({name, "", i == replayRow_});
        }
        v.lines.push_back({"BACK", "", replayRow_ == static_cast<int>(replays_.size())});
        v.hint = "ENTER: WATCH   BACKSPACE: BACK";
        break;
    }
    return v;
}

std::vector<std::string> listReplayFiles(const std::string& dir) {
    std::vector<std::pair<std::filesystem::file_time_type, std::string>> found;
    std::error_code ec;
    if (dir.empty()) return {};
    for (auto it = std::filesystem::directory_iterator(dir, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        std::error_code e2;
        if (!it->is_regular_file(e2)) continue;
        const auto when = it->last_write_time(e2);
        if (e2) continue;
        found.emplace_back(when, it->path().string());
    }
    // Newest first; files of one moment by name, so the order never wobbles.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::string> paths;
    for (auto& f : found) paths.push_back(f.second);
    return paths;
}
MenuHooks menuHooks;
