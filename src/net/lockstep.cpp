#include "net/lockstep.h"

#include <algorithm>
#include <cstdio>

#include "game/game_digest.h"
#include "world/map_packing.h"

namespace {

constexpr int kHandshakePings = 5;
constexpr int64_t kHandshakePingEveryMs = 30;
constexpr int64_t kHandshakePingsForMs = 1500;
constexpr int64_t kPlayPingEveryMs = 1000;
// Records further ahead of our step than this are not kept.
constexpr int64_t kMaxAhead = 64;
// An input packet goes at least this often, new records or not: it carries
// the acknowledgement and repeats what was lost, and its arrival tells the
// peer we are still here.
// Just over a frame, so that at the frame's pace the packet a new record
// sends makes this one unneeded.
constexpr int64_t kInputsEveryMs = 60;

// The map goes deflated (the shipped one in under a kilobyte), a chunk at a
// time at this pace, so that even a large map keeps to the match's two
// kilobytes a second; the host pings meanwhile, as the guest has nothing
// else to say until the map is in.
constexpr size_t kMapChunkBytes = 700;
constexpr int64_t kMapChunkEveryMs = 500;
constexpr int64_t kMapPingEveryMs = 1000;

uint64_t mapDigest(const std::string& text) {
    Fnv64 h;
    h.bytes(text.data(), text.size());
    return h.value();
}

std::string hex(uint64_t v) {
    char b[24];
    std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(v));
    return b;
}

}  // namespace

int delayForRoundTrip(int roundTripMs) {
    const int d = 1 + (std::max(0, roundTripMs) + 40) / kStepMs;
    return std::min(d, kMaxDelay);
}

const char* cowName(int cow) { return cow == 0 ? "Boris" : "Horace"; }

LockstepSession::LockstepSession(Transport& transport, SessionConfig config)
    : transport_(transport), config_(std::move(config)) {
    if (config_.host) localCow_ = config_.cow == 1 ? 1 : 0;
}

void LockstepSession::send(NetChannel channel, const NetMessage& m) {
    if (peer_ < 0) return;
    const std::vector<uint8_t> bytes = encodeMessage(m);
    transport_.send(peer_, channel, bytes.data(), bytes.size());
}

void LockstepSession::finish(End how, const std::string& message) {
    if (state_ == State::Ended) return;
    state_ = State::Ended;
    end_ = how;
    endMessage_ = message;
    if (peer_ >= 0) transport_.disconnect(peer_);
    transport_.flush();
}

void LockstepSession::refuse(const std::string& reason) {
    NetMessage m;
    m.type = MessageType::Refuse;
    m.text = reason;
    send(NetChannel::Reliable, m);
    finish(End::Refused, "Refused: " + reason);
}

void LockstepSession::finishMatch(int64_t nowMs) {
    if (state_ != State::Playing || localFinished_) return;
    localFinished_ = true;
    NetMessage m;
    m.type = MessageType::Bye;
    m.cow = static_cast<uint8_t>(ByeReason::Finished);
    m.first = static_cast<uint32_t>(step_);
    send(NetChannel::Reliable, m);
    sendInputs(nowMs);
    transport_.flush();
}

void LockstepSession::sayGoodbye(ByeReason why, uint32_t step) {
    NetMessage m;
    m.type = MessageType::Bye;
    m.cow = static_cast<uint8_t>(why);
    m.first = step;
    send(NetChannel::Reliable, m);
    // Three copies unsequenced: one gets through a lossy link at once.
    for (int i = 0; i < 3; ++i) send(NetChannel::Unsequenced, m);
}

void LockstepSession::quit() {
    if (state_ == State::Ended) return;
    sayGoodbye(ByeReason::Quit, static_cast<uint32_t>(step_));
    finish(End::LocalQuit, "You left the game");
}

void LockstepSession::update(int64_t nowMs) {
    if (startedMs_ < 0) startedMs_ = nowMs;
    transport_.service(nowMs);
    NetEvent e;
    while (transport_.poll(e)) handle(e, nowMs);
    if (state_ == State::Ended) return;

    if (state_ == State::Connecting && !config_.host && nowMs - startedMs_ > kConnectTimeoutMs) {
        finish(End::ConnectFailed, "No answer from the host");
        return;
    }
    if (state_ == State::Handshaking) {
        if (nowMs - lastHeardMs_ > kConnectTimeoutMs) {
            finish(End::Lost, "The other player stopped answering before the game began");
            return;
        }
        // The host measures the round trip, then sends the delay and the map.
        if (config_.host && helloOk_ && !startSent_) {
            const bool enough = static_cast<int>(pings_.size()) >= kHandshakePings ||
                                (!pings_.empty() && nowMs - lastHeardMs_ > kHandshakePingsForMs);
            if (!enough && nowMs - lastPingMs_ >= kHandshakePingEveryMs) sendPing(nowMs);
            if (enough) {
                std::vector<int> sorted = pings_;
                std::sort(sorted.begin(), sorted.end());
                roundTripMs_ = sorted[sorted.size() / 2];
                delay_ = delayForRoundTrip(roundTripMs_);
                NetMessage s;
                s.type = MessageType::Start;
                s.cow = static_cast<uint8_t>(localCow_);
                s.delay = static_cast<uint8_t>(delay_);
                mapPacked_ = packMap(config_.mapText);
                s.size = static_cast<uint32_t>(config_.mapText.size());
                s.packed = static_cast<uint32_t>(mapPacked_.size());
                s.value = mapDigest(config_.mapText);
                s.steps = static_cast<uint32_t>(std::min<int64_t>(std::max<int64_t>(config_.stepLimit, 0), UINT32_MAX));
                send(NetChannel::Reliable, s);
                startSent_ = true;
                sendMapChunk(nowMs);
            }
        }
        if (config_.host && startSent_ && mapSent_ < mapPacked_.size() && nowMs - lastChunkMs_ >= kMapChunkEveryMs)
            sendMapChunk(nowMs);
        if (config_.host && startSent_ && nowMs - lastPingMs_ >= kMapPingEveryMs) sendPing(nowMs);
        transport_.flush();
        return;
    }
    if (state_ != State::Playing) return;

    if (nowMs - lastHeardMs_ >= kLostAfterMs) {
        finish(End::Lost, std::string("Lost the connection to ") + cowName(remoteCow()));
        return;
    }
    if (nowMs - lastPingMs_ >= kPlayPingEveryMs) sendPing(nowMs);
    if (inputsOwed_ || nowMs - lastInputsSentMs_ >= kInputsEveryMs) sendInputs(nowMs);
    transport_.flush();
}

void LockstepSession::handle(const NetEvent& e, int64_t nowMs) {
    switch (e.kind) {
    case NetEvent::Kind::Connected:
        if (peer_ >= 0 || state_ == State::Ended) {
            // Someone else while a game is on or settling: told, then let go.
            NetMessage m;
            m.type = MessageType::Refuse;
            m.text = "game full";
            const std::vector<uint8_t> bytes = encodeMessage(m);
            transport_.send(e.peer, NetChannel::Reliable, bytes.data(), bytes.size());
            transport_.disconnect(e.peer);
            return;
        }
        peer_ = e.peer;
        state_ = State::Handshaking;
        lastHeardMs_ = nowMs;
        {
            NetMessage h;
            h.type = MessageType::Hello;
            h.protocol = config_.protocol;
            h.text = config_.gameVersion;
            h.value = config_.simulationDigest;
            h.cow = static_cast<uint8_t>(config_.host ? localCow_ : (config_.cow < 0 ? 2 : config_.cow));
            send(NetChannel::Reliable, h);
            helloSent_ = true;
        }
        return;
    case NetEvent::Kind::Disconnected:
        if (e.peer != peer_ || state_ == State::Ended) return;
        peer_ = -1;
        if (state_ == State::Playing)
            finish(End::PeerQuit, std::string(cowName(remoteCow())) + " left the game");
        else
            finish(End::Lost, "The other side closed the connection before the game began");
        return;
    case NetEvent::Kind::Message:
        break;
    }
    if (e.peer != peer_ || state_ == State::Ended) return;
    NetMessage m;
    if (!decodeMessage(e.data.data(), e.data.size(), m)) return;
    // Control messages only on the reliable channel, records and pings only
    // on the other: anything else is not this protocol. A goodbye goes on
    // both: on the reliable channel it can wait behind what a blackout held
    // up for seconds, and a game that is ending cannot wait for that.
    const bool unsequencedKind =
        m.type == MessageType::Inputs || m.type == MessageType::Ping || m.type == MessageType::Pong;
    if (m.type != MessageType::Bye && unsequencedKind != (e.channel == NetChannel::Unsequenced)) return;
    lastHeardMs_ = nowMs;
    handleMessage(m, nowMs);
}

void LockstepSession::checkHello(const NetMessage& m, int64_t nowMs) {
    if (m.protocol != config_.protocol) {
        refuse("different protocol versions (this game " + std::to_string(config_.protocol) + ", the other " +
               std::to_string(m.protocol) + ")");
        return;
    }
    if (m.text != config_.gameVersion) {
        refuse("different game versions (this game " + config_.gameVersion + ", the other " + m.text + ")");
        return;
    }
    if (m.value != config_.simulationDigest) {
        refuse("the two builds compute the game differently (test match " + hex(config_.simulationDigest) +
               " here, " + hex(m.value) + " there)");
        return;
    }
    if (!config_.host) {
        if (m.cow > 1) return;  // the host names its cow
        if (config_.cow >= 0 && config_.cow == m.cow) {
            refuse(std::string("both players asked to drive ") + cowName(m.cow));
            return;
        }
        localCow_ = 1 - m.cow;
    } else if (m.cow == localCow_) {
        refuse(std::string("both players asked to drive ") + cowName(localCow_));
        return;
    }
    helloOk_ = true;
    (void)nowMs;
}

void LockstepSession::handleMessage(const NetMessage& m, int64_t nowMs) {
    switch (m.type) {
    case MessageType::Hello:
        if (state_ == State::Handshaking && !helloOk_) checkHello(m, nowMs);
        return;
    case MessageType::Refuse:
        finish(End::Refused, "Refused: " + m.text);
        return;
    case MessageType::Ping: {
        NetMessage p;
        p.type = MessageType::Pong;
        p.first = m.first;
        send(NetChannel::Unsequenced, p);
        return;
    }
    case MessageType::Pong: {
        const int rtt = static_cast<int>(static_cast<uint32_t>(nowMs) - m.first);
        if (rtt < 0 || rtt > 60000) return;
        if (state_ == State::Handshaking) {
            if (pings_.size() < 64) pings_.push_back(rtt);
        } else {
            roundTripMs_ = roundTripMs_ < 0 ? rtt : (3 * roundTripMs_ + rtt) / 4;
        }
        return;
    }
    case MessageType::Start:
        if (config_.host || state_ != State::Handshaking || !helloOk_ || incomingMapSize_) return;
        if (m.cow != 1 - localCow_) return;
        delay_ = m.delay > kMaxDelay ? kMaxDelay : m.delay;
        incomingMapSize_ = m.size;
        incomingPackedSize_ = m.packed;
        config_.stepLimit = m.steps;
        incomingMapDigest_ = m.value;
        incomingMap_.clear();
        return;
    case MessageType::MapChunk:
        if (config_.host || state_ != State::Handshaking || !incomingMapSize_) return;
        if (m.first != incomingMap_.size() || incomingMap_.size() + m.bytes.size() > incomingPackedSize_) {
            refuse("the host's map arrived damaged");
            return;
        }
        incomingMap_.insert(incomingMap_.end(), m.bytes.begin(), m.bytes.end());
        if (incomingMap_.size() == incomingPackedSize_) {
            std::string text;
            if (!unpackMap(incomingMap_.data(), incomingMap_.size(), incomingMapSize_, text) || mapDigest(text) != incomingMapDigest_) {
                refuse("the host's map arrived damaged");
                return;
            }
            config_.mapText = text;
            const std::string error = config_.loadMap ? config_.loadMap(config_.mapText) : std::string();
            if (!error.empty()) {
                refuse("the host's map does not load: " + error);
                return;
            }
            NetMessage r;
            r.type = MessageType::Ready;
            send(NetChannel::Reliable, r);
            startPlay(nowMs);
        }
        return;
    case MessageType::Ready:
        if (config_.host && state_ == State::Handshaking && startSent_) startPlay(nowMs);
        return;
    case MessageType::Inputs: {
        if (state_ != State::Playing || m.game != game_) return;
        if (m.ack > peerHas_ && m.ack <= local_.size()) peerHas_ = m.ack;
        // Records are taken in order only: one starting past what is known
        // would leave a hole, and cannot come from a sound peer.
        if (m.first > remote_.size()) return;
        for (size_t i = 0; i < m.bytes.size(); ++i) {
            const uint64_t at = static_cast<uint64_t>(m.first) + i;
            // A sound peer is never more than a few steps ahead of us (it
            // needs our records too); one that claims more is not kept.
            if (static_cast<int64_t>(at) > step_ + kMaxAhead) break;
            // The acknowledgement rides on our next packet.
            if (at == remote_.size()) remote_.push_back(m.bytes[i]);
        }
        return;
    }
    case MessageType::Digest:
        if (state_ != State::Playing || m.game != game_) return;
        if (m.first % kDigestEvery != 0 || peerDigests_.size() > 4096) return;
        peerDigests_[m.first] = m.value;
        compareDigests();
        return;
    case MessageType::Rematch:
        if (state_ != State::Playing || m.game != static_cast<uint8_t>(game_ + 1)) return;
        peerRematch_ = true;
        if (localRematch_) resetGame(nowMs);
        return;
    case MessageType::Pause:
        // A sound peer numbers a change at most one past the highest it
        // has seen, and it has seen none higher than ours.
        if (state_ != State::Playing || m.first > pauseNumber_ + 1) return;
        applyPause(m.first, !config_.host, m.paused, remoteCow(), nowMs);
        return;
    case MessageType::Bye:
        if (m.cow == static_cast<uint8_t>(ByeReason::Finished)) {
            peerFinished_ = true;
            return;
        }
        if (m.cow == static_cast<uint8_t>(ByeReason::OutOfSync))
            finish(End::OutOfSync, "Out of sync at step " + std::to_string(m.first));
        else
            finish(End::PeerQuit, std::string(cowName(remoteCow())) + " left the game");
        return;
    }
}

void LockstepSession::startPlay(int64_t nowMs) {
    state_ = State::Playing;
    lastHeardMs_ = nowMs;
    lastStepMs_ = nowMs;
    lastPingMs_ = nowMs - kPlayPingEveryMs;  // both sides measure at once
    resetGame(nowMs);
    newGame_ = false;  // the first game is the one the owner starts anyway
}

void LockstepSession::resetGame(int64_t nowMs) {
    if (localRematch_ || peerRematch_) game_ = static_cast<uint8_t>(game_ + 1);
    localRematch_ = peerRematch_ = false;
    localFinished_ = peerFinished_ = false;
    newGame_ = true;
    // The first `delay` steps run on empty records on both sides: nobody
    // has read an input for them yet.
    local_.assign(delay_, 0);
    remote_.assign(delay_, 0);
    peerHas_ = static_cast<uint32_t>(delay_);
    step_ = 0;
    history_.clear();
    localDigests_.clear();
    peerDigests_.clear();
    inputsOwed_ = true;
    // The game both agreed to starts running, whoever held the last one.
    if (paused_) setPaused(false, nowMs);
}

void LockstepSession::setPaused(bool paused, int64_t nowMs) {
    if (state_ != State::Playing || paused == paused_) return;
    const uint32_t number = pauseNumber_ + 1;
    applyPause(number, config_.host, paused, localCow_, nowMs);
    NetMessage m;
    m.type = MessageType::Pause;
    m.first = number;
    m.paused = paused;
    send(NetChannel::Reliable, m);
    transport_.flush();
}

void LockstepSession::applyPause(uint32_t number, bool byHost, bool paused, int byCow, int64_t nowMs) {
    // Both sides see both sides' changes, and each keeps the greatest: the
    // same one on both.
    if (number < pauseNumber_ || (number == pauseNumber_ && (!byHost || pauseByHost_))) return;
    pauseNumber_ = number;
    pauseByHost_ = byHost;
    if (paused_ && !paused) lastStepMs_ = nowMs;  // the time held is not time waited
    paused_ = paused;
    pausedBy_ = paused ? byCow : -1;
}

void LockstepSession::sendPing(int64_t nowMs) {
    NetMessage p;
    p.type = MessageType::Ping;
    p.first = static_cast<uint32_t>(nowMs);
    send(NetChannel::Unsequenced, p);
    lastPingMs_ = nowMs;
}

void LockstepSession::sendMapChunk(int64_t nowMs) {
    NetMessage c;
    c.type = MessageType::MapChunk;
    c.first = static_cast<uint32_t>(mapSent_);
    const size_t n = std::min(kMapChunkBytes, mapPacked_.size() - mapSent_);
    c.bytes.assign(mapPacked_.begin() + static_cast<long>(mapSent_), mapPacked_.begin() + static_cast<long>(mapSent_ + n));
    send(NetChannel::Reliable, c);
    mapSent_ += n;
    lastChunkMs_ = nowMs;
}

bool LockstepSession::takeNewGame() {
    const bool n = newGame_;
    newGame_ = false;
    return n;
}

void LockstepSession::askRematch(int64_t nowMs) {
    if (state_ != State::Playing || localRematch_) return;
    localRematch_ = true;
    NetMessage m;
    m.type = MessageType::Rematch;
    m.game = static_cast<uint8_t>(game_ + 1);
    send(NetChannel::Reliable, m);
    transport_.flush();
    if (peerRematch_) resetGame(nowMs);
}

bool LockstepSession::waiting(int64_t nowMs) const {
    if (state_ != State::Playing) return false;
    // Silence, or packets that bring no record for the step we are held on
    // (the other game is not stepping: its window hidden, its machine busy).
    // Held by a pause is not held on the peer.
    const bool heldOnPeer = !paused_ && static_cast<int64_t>(local_.size()) > step_ &&
                            static_cast<int64_t>(remote_.size()) <= step_ && nowMs - lastStepMs_ >= kWaitingAfterMs;
    return nowMs - lastHeardMs_ >= kWaitingAfterMs || heldOnPeer;
}

std::string LockstepSession::waitingMessage(int64_t nowMs) const {
    return waiting(nowMs) ? std::string("Waiting for ") + cowName(remoteCow()) + "\u2026" : std::string();
}

bool LockstepSession::wantsLocalInput() const {
    return state_ == State::Playing && !paused_ && static_cast<int64_t>(local_.size()) <= step_ + delay_;
}

void LockstepSession::addLocalInput(CowInput input, int64_t nowMs) {
    if (!wantsLocalInput()) return;
    local_.push_back(input.bits & kCowInputMask);
    sendInputs(nowMs);
}

void LockstepSession::sendInputs(int64_t nowMs) {
    NetMessage m;
    m.type = MessageType::Inputs;
    m.game = game_;
    m.ack = static_cast<uint32_t>(remote_.size());
    m.first = peerHas_;
    const size_t end = std::min(local_.size(), static_cast<size_t>(peerHas_) + kMaxInputsPerPacket);
    m.bytes.assign(local_.begin() + peerHas_, local_.begin() + end);
    send(NetChannel::Unsequenced, m);
    lastInputsSentMs_ = nowMs;
    inputsOwed_ = false;
}

bool LockstepSession::stepReady() const {
    return state_ == State::Playing && !paused_ && static_cast<int64_t>(local_.size()) > step_ &&
           static_cast<int64_t>(remote_.size()) > step_;
}

StepInput LockstepSession::takeStep() {
    StepInput in;
    if (!stepReady()) return in;
    in.cow[localCow_].bits = local_[step_];
    in.cow[remoteCow()].bits = remote_[step_];
    history_.push_back(in);
    ++step_;
    return in;
}

void LockstepSession::stepDone(uint64_t digest, int64_t nowMs) {
    lastStepMs_ = nowMs;
    if (state_ != State::Playing || step_ % kDigestEvery != 0) return;
    const uint32_t at = static_cast<uint32_t>(step_);
    localDigests_[at] = digest;
    NetMessage m;
    m.type = MessageType::Digest;
    m.game = game_;
    m.first = at;
    m.value = digest;
    send(NetChannel::Reliable, m);
    compareDigests();
}

void LockstepSession::compareDigests() {
    while (!localDigests_.empty() && !peerDigests_.empty()) {
        auto l = localDigests_.begin();
        auto p = peerDigests_.begin();
        if (l->first < p->first) {
            localDigests_.erase(l);
        } else if (p->first < l->first) {
            peerDigests_.erase(p);
        } else if (l->second != p->second) {
            const uint32_t step = l->first;
            sayGoodbye(ByeReason::OutOfSync, step);
            finish(End::OutOfSync, "Out of sync at step " + std::to_string(step));
            return;
        } else {
            localDigests_.erase(l);
            peerDigests_.erase(p);
        }
    }
}
