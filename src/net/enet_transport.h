// The transport over ENet (UDP, IPv4 as this ENet supports).
#pragma once

#include <memory>
#include <string>

#include "net/transport.h"

constexpr int kDefaultGamePort = 7650;

class EnetTransport;

// Listens on `port` (0: any free port) on every IPv4 address, or only on
// `bindAddress` when one is given ("127.0.0.1" for tests). Room for one
// player more than a game takes, so that an extra one can be told the game is
// full. Null, with `error` set, when the port cannot be had.
std::unique_ptr<EnetTransport> hostEnet(int port, const std::string& bindAddress, std::string& error);
// Starts connecting to "HOST[:PORT]"; Connected arrives from service().
std::unique_ptr<EnetTransport> joinEnet(const std::string& address, std::string& error);

class EnetTransport : public Transport {
public:
    ~EnetTransport() override;
    void service(int64_t nowMs) override;
    bool poll(NetEvent& event) override;
    bool send(int peer, NetChannel channel, const uint8_t* data, size_t size) override;
    void disconnect(int peer) override;
    void flush() override;
    uint64_t bytesSent() const override;
    int roundTripMs(int peer) const override;
    // For a process about to end: serves the connections for up to `ms`
    // until every one has closed, so that what was sent last (the goodbye)
    // is resent if lost rather than left to the other side's timeout.
    void drain(int ms);
    // The port the host listens on (the one chosen when asked for 0).
    int port() const;

    struct Impl;
    explicit EnetTransport(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

// Splits "HOST[:PORT]"; false with `error` set when the port is not a number
// from 1 to 65535 or the host part is empty.
bool splitHostPort(const std::string& address, std::string& host, int& port, std::string& error);
