// The messages two games exchange, as bytes. Pure: no sockets, no clock.
// Every message starts with two magic bytes and a type, and every field is
// bounded; the decoder takes a message only when it is exactly well formed,
// so a stray or hostile packet is dropped whole and changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Raised whenever a message changes meaning; two games that differ here are
// refused at the handshake.
constexpr uint16_t kProtocolVersion = 2;

constexpr size_t kMaxMessageBytes = 1400;  // fits one UDP packet on any network
constexpr size_t kMaxTextBytes = 200;      // reasons and version names
constexpr size_t kMaxMapChunk = 1024;
constexpr size_t kMaxMapBytes = 256 * 1024;  // a full 256 x 256 map and its line ends
constexpr size_t kMaxInputsPerPacket = 128;

enum class MessageType : uint8_t {
    Hello = 1,     // protocol, version text, test-match digest, cow
    Refuse = 2,    // text: why the game cannot go on
    Start = 3,     // host: cow, delay, size (map bytes), packed (deflated), value (map digest), steps (limit, 0 none)
    MapChunk = 4,  // first (offset into the deflated map), bytes
    Ready = 5,     // guest: the map is read, play may start
    Ping = 6,      // first: the sender's clock
    Pong = 7,      // first: the ping's clock, echoed
    Inputs = 8,    // game, ack, first, bytes (one input record each)
    Digest = 9,    // game, first (step), value
    Rematch = 10,  // game: the new game's number, asked for or agreed to
    Bye = 11,      // cow: a ByeReason; first: the step it concerns
    Pause = 12,    // first: the pause's number (from 1), paused: held or going on
};

// Finished: the match ended here at step `first` (won, or the step limit).
enum class ByeReason : uint8_t { Quit = 1, OutOfSync = 2, Finished = 3 };

struct NetMessage {
    MessageType type = MessageType::Ping;
    uint16_t protocol = 0;
    std::string text;
    uint64_t value = 0;
    uint8_t cow = 0;    // Hello: 0 Boris, 1 Horace, 2 either; Start: the host's cow
    uint8_t delay = 0;  // Start: steps between reading an input and its step
    uint8_t game = 0;   // which game of the session (rematches count up)
    uint32_t size = 0;
    uint32_t packed = 0;  // Start: the map's bytes deflated, as they are sent
    uint32_t steps = 0;  // Start: where a headless match stops, 0 for no limit
    uint32_t ack = 0;    // Inputs: how many of the receiver's records the sender holds
    uint32_t first = 0;  // Inputs: the step of bytes[0]; MapChunk: the offset; Digest: the step
    bool paused = false;  // Pause: both games held (true) or going on
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> encodeMessage(const NetMessage& m);
// False for anything that is not exactly one well-formed message.
bool decodeMessage(const uint8_t* data, size_t size, NetMessage& out);
