#include "platform/key_names.h"

#include <cctype>

#include "platform/keys.h"

namespace {

struct Named {
    uint32_t code;
    const char* name;
};

std::vector<Named> buildNames() {
    std::vector<Named> n;
    static const char* const letters[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                            "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    static const char* const digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    static const char* const pad[10] = {"KP0", "KP1", "KP2", "KP3", "KP4", "KP5", "KP6", "KP7", "KP8", "KP9"};
    static const char* const fkeys[12] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
    n.push_back({vk::Up, "UP"});
    n.push_back({vk::Down, "DOWN"});
    n.push_back({vk::Left, "LEFT"});
    n.push_back({vk::Right, "RIGHT"});
    for (uint32_t i = 0; i < 26; ++i) n.push_back({'A' + i, letters[i]});
    for (uint32_t i = 0; i < 10; ++i) n.push_back({'0' + i, digits[i]});
    for (uint32_t i = 0; i < 10; ++i) n.push_back({96 + i, pad[i]});
    for (uint32_t i = 0; i < 12; ++i) n.push_back({vk::F1 + i, fkeys[i]});
    const Named rest[] = {
        {vk::LShift, "LSHIFT"}, {vk::RShift, "RSHIFT"}, {vk::LControl, "LCTRL"}, {vk::RControl, "RCTRL"},
        {vk::LAlt, "LALT"},     {vk::RAlt, "RALT"},     {vk::Space, "SPACE"},    {vk::Return, "ENTER"},
        {vk::Tab, "TAB"},       {vk::Backspace, "BACKSPACE"}, {vk::Escape, "ESC"}, {vk::Pause, "PAUSE"},
        {vk::Insert, "INSERT"}, {vk::Delete, "DELETE"}, {36, "HOME"},            {35, "END"},
        {33, "PAGEUP"},         {34, "PAGEDOWN"},       {106, "KP*"},            {107, "KP+"},
        {109, "KP-"},           {110, "KP."},           {111, "KP/"},            {vk::Semicolon, ";"},
        {vk::Equals, "="},      {vk::Comma, ","},       {vk::Minus, "-"},        {vk::Period, "."},
        {191, "/"},             {192, "`"},             {219, "["},              {220, "\\"},
        {221, "]"},             {222, "'"},
    };
    for (const Named& r : rest) n.push_back(r);
    return n;
}

const std::vector<Named>& names() {
    static const std::vector<Named> n = buildNames();
    return n;
}

}  // namespace

const char* keyName(uint32_t virtualKey) {
    for (const Named& n : names())
        if (n.code == virtualKey) return n.name;
    return nullptr;
}

uint32_t keyFromName(const std::string& name) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Named& n : names())
        if (upper == n.name) return n.code;
    return 0;
}

const std::vector<uint32_t>& namedKeys() {
    static const std::vector<uint32_t> codes = [] {
        std::vector<uint32_t> c;
        for (const Named& n : names()) c.push_back(n.code);
        return c;
    }();
    return codes;
}

const char* reservedKeyUse(uint32_t virtualKey) {
    switch (virtualKey) {
    case vk::Escape: return "quit";
    case vk::N: return "new game";
    case vk::P:
    case vk::Pause: return "pause";
    case vk::M: return "mute";
    case vk::Minus:
    case vk::Equals: return "volume";
    case vk::F11: return "full screen";
    case vk::Space: return "start";
    case vk::Return:
    case vk::Backspace: return "the menu";
    default: return nullptr;
    }
}

uint32_t anyKeyDown(KeySource& source) {
    for (uint32_t code : namedKeys())
        if (source.isDown(code)) return code;
    return 0;
}
