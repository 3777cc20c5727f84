// An in-process network for tests, run on the caller's clock: any number of
// endpoints, and between them a link that delays, jitters, drops, duplicates
// and reorders packets from a seed, and can go silent. The reliable channel is
// never lost or reordered, only late (a drop costs it a resend), as ENet's is.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "net/transport.h"

struct LinkConditions {
    int delayMs = 0;         // one way
    int jitterMs = 0;        // each packet's delay is delayMs ± jitterMs
    double loss = 0;         // chance an unsequenced packet is lost; a reliable one is resent
    double duplicate = 0;    // chance an unsequenced packet arrives twice
    double reorder = 0;      // chance a packet is held back a further 10 to 60 ms
    uint64_t seed = 1;
};

class MemoryTransport;

class MemoryNetwork {
public:
    explicit MemoryNetwork(LinkConditions conditions = {});
    ~MemoryNetwork();
    // A new endpoint; it lives as long as the network.
    MemoryTransport& addEndpoint();
    // Starts a connection; both ends see Connected one delay later.
    void connect(MemoryTransport& from, MemoryTransport& to);
    // Delivers every packet due by `nowMs` into its endpoint's events.
    void advance(int64_t nowMs);
    // While silent nothing arrives: unsequenced packets are lost, reliable
    // ones wait and arrive when the link comes back.
    void setSilent(bool silent) { silent_ = silent; }
    void setConditions(const LinkConditions& c) { conditions_ = c; }
    int64_t now() const { return now_; }

private:
    friend class MemoryTransport;
    struct Packet {
        int64_t at;
        uint64_t order;  // ties keep sending order
        int to;          // endpoint index
        NetEvent event;
    };
    void post(int fromEndpoint, int toEndpoint, int toPeer, NetChannel channel, std::vector<uint8_t> data,
              NetEvent::Kind kind);
    int delay();
    bool chance(double p);

    LinkConditions conditions_;
    std::mt19937_64 random_;
    std::vector<std::unique_ptr<MemoryTransport>> endpoints_;
    std::vector<Packet> inFlight_;
    // The latest arrival time queued for each ordered pair's reliable stream.
    std::map<std::pair<int, int>, int64_t> reliableTail_;
    uint64_t order_ = 0;
    int64_t now_ = 0;
    bool silent_ = false;
};

class MemoryTransport : public Transport {
public:
    MemoryTransport(MemoryNetwork& net, int index) : net_(net), index_(index) {}
    void service(int64_t nowMs) override { net_.advance(nowMs); }
    bool poll(NetEvent& event) override;
    bool send(int peer, NetChannel channel, const uint8_t* data, size_t size) override;
    void disconnect(int peer) override;
    void flush() override {}
    uint64_t bytesSent() const override { return bytesSent_; }
    int roundTripMs(int) const override { return 2 * net_.conditions_.delayMs; }
    // Sends nothing more and drops whatever arrives: a process killed.
    void kill() { dead_ = true; }

private:
    friend class MemoryNetwork;
    struct Link {
        int endpoint;
        int remotePeer;
        bool open = true;
    };
    MemoryNetwork& net_;
    int index_;
    bool dead_ = false;
    std::deque<NetEvent> events_;
    std::map<int, Link> peers_;
    int nextPeer_ = 1;
    uint64_t bytesSent_ = 0;
};
