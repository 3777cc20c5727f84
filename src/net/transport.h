// What play across two machines needs of a network: connections, a reliable
// channel for control messages, an unsequenced one for input records (a lost
// input packet must not hold up the ones behind it), and events to poll. The
// lockstep and the handshake are written against this alone, so they run the
// same over ENet and over the in-memory link the tests use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class NetChannel : uint8_t { Reliable = 0, Unsequenced = 1 };
constexpr int kNetChannelCount = 2;

struct NetEvent {
    enum class Kind { Connected, Message, Disconnected };
    Kind kind = Kind::Message;
    int peer = 0;  // the transport's name for the connection; stable while it lasts
    NetChannel channel = NetChannel::Reliable;
    std::vector<uint8_t> data;
};

class Transport {
public:
    virtual ~Transport() = default;
    // Moves packets in and out; `nowMs` is the caller's clock (the in-memory
    // link runs on it, ENet on its own).
    virtual void service(int64_t nowMs) = 0;
    // The next event, or false when none is waiting.
    virtual bool poll(NetEvent& event) = 0;
    // Queues a message to one connected peer; false when that peer is gone.
    virtual bool send(int peer, NetChannel channel, const uint8_t* data, size_t size) = 0;
    // Ends a connection once what is queued for it has gone.
    virtual void disconnect(int peer) = 0;
    // Pushes out everything queued now, for a process about to end.
    virtual void flush() = 0;
    // Bytes handed to the network so far, headers included where known.
    virtual uint64_t bytesSent() const = 0;
    // The transport's own estimate of the round trip to a peer, -1 when it
    // has none. The handshake measures its own with pings, the same way on
    // every transport; this is for comparison.
    virtual int roundTripMs(int peer) const = 0;
};
