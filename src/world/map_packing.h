// A map's text deflated and back, as replays keep it and as a host sends it
// to its guest: a map is mostly the same few cells over and over, and the
// shipped one's 17 KB become under 1 KB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> packMap(const std::string& text);

// Exactly `size` bytes from exactly the `length` bytes at `packed`, or false
// (and `text` empty). Inflated into that size alone, so no input can make it
// allocate more than its caller allows.
bool unpackMap(const uint8_t* packed, size_t length, size_t size, std::string& text);
