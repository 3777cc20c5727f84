#include "net/enet_transport.h"

#include <enet/enet.h>

#include <deque>
#include <map>

namespace {

bool enetReady(std::string& error) {
    static int state = 0;  // 0 not tried, 1 up, -1 failed
    if (state == 0) {
        state = enet_initialize() == 0 ? 1 : -1;
        if (state == 1) std::atexit(enet_deinitialize);
    }
    if (state < 0) error = "the network library could not start";
    return state > 0;
}

// Our own rule ends a silent match after ten seconds, so ENet's must not end
// it earlier; and unsequenced packets are never thrown away by ENet's
// throttle, which would otherwise drop input packets on a lossy link just
// when they matter.
void configurePeer(ENetPeer* peer) {
    enet_peer_timeout(peer, 64, 15000, 20000);
    enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
}

}  // namespace

struct EnetTransport::Impl {
    ENetHost* host = nullptr;
    std::map<int, ENetPeer*> peers;
    std::deque<NetEvent> events;
    int nextPeer = 1;

    int idOf(ENetPeer* p) {
        if (!p->data) {
            peers[nextPeer] = p;
            p->data = reinterpret_cast<void*>(static_cast<intptr_t>(nextPeer++));
        }
        return static_cast<int>(reinterpret_cast<intptr_t>(p->data));
    }
    ENetPeer* peer(int id) const {
        auto it = peers.find(id);
        return it == peers.end() ? nullptr : it->second;
    }
};

EnetTransport::EnetTransport(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

EnetTransport::~EnetTransport() {
    if (impl_->host) {
        flush();
        enet_host_destroy(impl_->host);
    }
}

bool splitHostPort(const std::string& address, std::string& host, int& port, std::string& error) {
    const size_t colon = address.rfind(':');
    host = address.substr(0, colon);
    port = kDefaultGamePort;
    if (colon != std::string::npos) {
        const std::string p = address.substr(colon + 1);
        char* end = nullptr;
        const long n = p.empty() ? 0 : std::strtol(p.c_str(), &end, 10);
        if (p.empty() || *end != '\0' || n < 1 || n > 65535) {
            error = "'" + address + "': the port must be a number from 1 to 65535";
            return false;
        }
        port = static_cast<int>(n);
    }
    if (host.empty()) {
        error = "'" + address + "' names no host";
        return false;
    }
    return true;
}

std::unique_ptr<EnetTransport> hostEnet(int port, const std::string& bindAddress, std::string& error) {
    if (!enetReady(error)) return nullptr;
    ENetAddress address;
    address.host = ENET_HOST_ANY;
    address.port = static_cast<enet_uint16>(port);
    if (!bindAddress.empty() && enet_address_set_host_ip(&address, bindAddress.c_str()) != 0) {
        error = "'" + bindAddress + "' is not an IPv4 address";
        return nullptr;
    }
    auto impl = std::make_unique<EnetTransport::Impl>();
    impl->host = enet_host_create(&address, 3, kNetChannelCount, 0, 0);
    if (!impl->host) {
        error = "cannot listen on port " + std::to_string(port) + " (is another game using it?)";
        return nullptr;
    }
    return std::make_unique<EnetTransport>(std::move(impl));
}

std::unique_ptr<EnetTransport> joinEnet(const std::string& text, std::string& error) {
    if (!enetReady(error)) return nullptr;
    std::string name;
    int port = 0;
    if (!splitHostPort(text, name, port, error)) return nullptr;
    ENetAddress address;
    if (enet_address_set_host(&address, name.c_str()) != 0) {
        error = "cannot find the host '" + name + "' (IPv4 names and addresses only)";
        return nullptr;
    }
    address.port = static_cast<enet_uint16>(port);
    auto impl = std::make_unique<EnetTransport::Impl>();
    impl->host = enet_host_create(nullptr, 1, kNetChannelCount, 0, 0);
    if (!impl->host) {
        error = "cannot open a network socket";
        return nullptr;
    }
    ENetPeer* peer = enet_host_connect(impl->host, &address, kNetChannelCount, 0);
    if (!peer) {
        error = "cannot start a connection to " + text;
        enet_host_destroy(impl->host);
        return nullptr;
    }
    // The throttle is set once connected: a command queued before would
    // upset ENet's own connect exchange.
    impl->idOf(peer);
    return std::make_unique<EnetTransport>(std::move(impl));
}

void EnetTransport::service(int64_t) {
    ENetEvent e;
    while (enet_host_service(impl_->host, &e, 0) > 0) {
        NetEvent out;
        switch (e.type) {
        case ENET_EVENT_TYPE_CONNECT:
            configurePeer(e.peer);
            out.kind = NetEvent::Kind::Connected;
            out.peer = impl_->idOf(e.peer);
            break;
        case ENET_EVENT_TYPE_RECEIVE:
            out.kind = NetEvent::Kind::Message;
            out.peer = impl_->idOf(e.peer);
            out.channel = e.channelID == 0 ? NetChannel::Reliable : NetChannel::Unsequenced;
            out.data.assign(e.packet->data, e.packet->data + e.packet->dataLength);
            enet_packet_destroy(e.packet);
            break;
        case ENET_EVENT_TYPE_DISCONNECT:
            out.kind = NetEvent::Kind::Disconnected;
            out.peer = impl_->idOf(e.peer);
            impl_->peers.erase(out.peer);
            e.peer->data = nullptr;
            break;
        default:
            continue;
        }
        impl_->events.push_back(std::move(out));
    }
}

bool EnetTransport::poll(NetEvent& event) {
    if (impl_->events.empty()) return false;
    event = std::move(impl_->events.front());
    impl_->events.pop_front();
    return true;
}

bool EnetTransport::send(int peer, NetChannel channel, const uint8_t* data, size_t size) {
    ENetPeer* p = impl_->peer(peer);
    if (!p || p->state != ENET_PEER_STATE_CONNECTED) return false;
    const enet_uint32 flags =
        channel == NetChannel::Reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
    ENetPacket* packet = enet_packet_create(data, size, flags);
    if (!packet) return false;
    if (enet_peer_send(p, static_cast<enet_uint8>(channel), packet) != 0) {
        enet_packet_destroy(packet);
        return false;
    }
    return true;
}

void EnetTransport::disconnect(int peer) {
    if (ENetPeer* p = impl_->peer(peer)) enet_peer_disconnect_later(p, 0);
}

void EnetTransport::flush() { enet_host_flush(impl_->host); }

void EnetTransport::drain(int ms) {
    const enet_uint32 start = enet_time_get();
    for (;;) {
        bool open = false;
        for (size_t i = 0; i < impl_->host->peerCount; ++i) {
            const ENetPeer& p = impl_->host->peers[i];
            if (p.state != ENET_PEER_STATE_DISCONNECTED && p.state != ENET_PEER_STATE_ZOMBIE) open = true;
        }
        const enet_uint32 spent = enet_time_get() - start;
        if (!open || spent >= static_cast<enet_uint32>(ms)) return;
        ENetEvent e;
        if (enet_host_service(impl_->host, &e, 5) > 0 && e.type == ENET_EVENT_TYPE_RECEIVE)
            enet_packet_destroy(e.packet);
    }
}

uint64_t EnetTransport::bytesSent() const {
    // ENet counts its own headers; UDP and IPv4 add 28 bytes a packet.
    return impl_->host->totalSentData + 28ull * impl_->host->totalSentPackets;
}

int EnetTransport::roundTripMs(int peer) const {
    ENetPeer* p = impl_->peer(peer);
    return p ? static_cast<int>(p->roundTripTime) : -1;
}

int EnetTransport::port() const { return impl_->host->address.port; }
