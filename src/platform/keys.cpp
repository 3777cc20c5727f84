#include "platform/keys.h"

namespace {
KeySource* activeSource = nullptr;
}

void setKeySource(KeySource* source) { activeSource = source; }

bool asyncKeyDown(uint32_t virtualKey) { return activeSource && activeSource->isDown(virtualKey); }
bool syncKeyDown(uint32_t virtualKey) { return activeSource && activeSource->isDown(virtualKey); }
