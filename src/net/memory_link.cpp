#include "net/memory_link.h"

#include <algorithm>

namespace {
// What a UDP packet costs besides its message: IP and UDP headers and the
// connection's own few bytes, as ENet adds them.
constexpr uint64_t kPacketOverhead = 28 + 12;
}  // namespace

MemoryNetwork::MemoryNetwork(LinkConditions conditions) : conditions_(conditions), random_(conditions.seed) {}
MemoryNetwork::~MemoryNetwork() = default;

MemoryTransport& MemoryNetwork::addEndpoint() {
    endpoints_.push_back(std::make_unique<MemoryTransport>(*this, static_cast<int>(endpoints_.size())));
    return *endpoints_.back();
}

bool MemoryNetwork::chance(double p) {
    if (p <= 0) return false;
    return std::uniform_real_distribution<double>(0, 1)(random_) < p;
}

int MemoryNetwork::delay() {
    int d = conditions_.delayMs;
    if (conditions_.jitterMs > 0)
        d += std::uniform_int_distribution<int>(-conditions_.jitterMs, conditions_.jitterMs)(random_);
    if (chance(conditions_.reorder)) d += std::uniform_int_distribution<int>(10, 60)(random_);
    return std::max(0, d);
}

void MemoryNetwork::connect(MemoryTransport& from, MemoryTransport& to) {
    const int a = from.nextPeer_++, b = to.nextPeer_++;
    from.peers_[a] = {to.index_, b};
    to.peers_[b] = {from.index_, a};
    post(from.index_, to.index_, b, NetChannel::Reliable, {}, NetEvent::Kind::Connected);
    post(to.index_, from.index_, a, NetChannel::Reliable, {}, NetEvent::Kind::Connected);
}

void MemoryNetwork::post(int fromEndpoint, int toEndpoint, int toPeer, NetChannel channel,
                         std::vector<uint8_t> data, NetEvent::Kind kind) {
    const bool reliable = channel == NetChannel::Reliable || kind != NetEvent::Kind::Message;
    int copies = 1;
    if (!reliable) {
        if (silent_ || chance(conditions_.loss)) return;
        if (chance(conditions_.duplicate)) copies = 2;
    }
    for (int i = 0; i < copies; ++i) {
        int64_t at = now_ + delay();
        if (reliable) {
            // A lost reliable packet is resent after about a round trip.
            if (chance(conditions_.loss)) at += 2 * conditions_.delayMs + 20;
            int64_t& tail = reliableTail_[{fromEndpoint, toEndpoint}];
            at = std::max(at, tail);
            tail = at;
        }
        NetEvent e;
        e.kind = kind;
        e.peer = toPeer;
        e.channel = channel;
        e.data = data;
        inFlight_.push_back({at, order_++, toEndpoint, std::move(e)});
    }
}

void MemoryNetwork::advance(int64_t nowMs) {
    now_ = std::max(now_, nowMs);
    std::vector<Packet> due;
    std::vector<Packet> later;
    for (Packet& p : inFlight_) {
        const bool reliable = p.event.channel == NetChannel::Reliable || p.event.kind != NetEvent::Kind::Message;
        if (p.at > now_ || (silent_ && reliable)) {
            later.push_back(std::move(p));
        } else if (!silent_) {
            due.push_back(std::move(p));
        }
        // Unsequenced packets due while silent are lost.
    }
    inFlight_ = std::move(later);
    std::sort(due.begin(), due.end(), [](const Packet& a, const Packet& b) {
        return a.at != b.at ? a.at < b.at : a.order < b.order;
    });
    for (Packet& p : due) {
        MemoryTransport& t = *endpoints_[p.to];
        if (t.dead_) continue;
        auto link = t.peers_.find(p.event.peer);
        if (link == t.peers_.end() || !link->second.open) continue;
        if (p.event.kind == NetEvent::Kind::Disconnected) link->second.open = false;
        t.events_.push_back(std::move(p.event));
    }
}

bool MemoryTransport::poll(NetEvent& event) {
    if (events_.empty()) return false;
    event = std::move(events_.front());
    events_.pop_front();
    return true;
}

bool MemoryTransport::send(int peer, NetChannel channel, const uint8_t* data, size_t size) {
    auto it = peers_.find(peer);
    if (dead_ || it == peers_.end() || !it->second.open) return false;
    bytesSent_ += size + kPacketOverhead;
    net_.post(index_, it->second.endpoint, it->second.remotePeer, channel, std::vector<uint8_t>(data, data + size),
              NetEvent::Kind::Message);
    return true;
}

void MemoryTransport::disconnect(int peer) {
    auto it = peers_.find(peer);
    if (dead_ || it == peers_.end() || !it->second.open) return;
    it->second.open = false;
    net_.post(index_, it->second.endpoint, it->second.remotePeer, NetChannel::Reliable, {},
              NetEvent::Kind::Disconnected);
}
