#include "net/protocol.h"

#include "game/cow_input.h"

namespace {

constexpr uint8_t kMagic0 = 'H', kMagic1 = 'b';

class Writer {
public:
    std::vector<uint8_t> out;
    void u8(uint8_t v) { out.push_back(v); }
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void u64(uint64_t v) {
        u32(static_cast<uint32_t>(v));
        u32(static_cast<uint32_t>(v >> 32));
    }
    void blob(const uint8_t* p, size_t n) {
        u16(static_cast<uint16_t>(n));
        out.insert(out.end(), p, p + n);
    }
};

class Reader {
public:
    Reader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
    bool ok() const { return ok_; }
    bool done() const { return ok_ && at_ == n_; }
    uint8_t u8() {
        if (at_ >= n_) {
            ok_ = false;
            return 0;
        }
        return p_[at_++];
    }
    uint16_t u16() {
        const uint16_t lo = u8();
        return static_cast<uint16_t>(lo | (u8() << 8));
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | (static_cast<uint32_t>(u16()) << 16);
    }
    uint64_t u64() {
        const uint64_t lo = u32();
        return lo | (static_cast<uint64_t>(u32()) << 32);
    }
    bool blob(std::vector<uint8_t>& into, size_t limit) {
        const size_t n = u16();
        if (!ok_ || n > limit || n > n_ - at_) return ok_ = false;
        into.assign(p_ + at_, p_ + at_ + n);
        at_ += n;
        return true;
    }

private:
    const uint8_t* p_;
    size_t n_;
    size_t at_ = 0;
    bool ok_ = true;
};

// Reasons and versions are shown to players and written to standard error:
// printable ASCII only, so a peer cannot put control sequences on a terminal.
bool printable(const std::vector<uint8_t>& s) {
    for (uint8_t c : s)
        if (c < 0x20 || c > 0x7e) return false;
    return true;
}

}  // namespace

std::vector<uint8_t> encodeMessage(const NetMessage& m) {
    Writer w;
    w.u8(kMagic0);
    w.u8(kMagic1);
    w.u8(static_cast<uint8_t>(m.type));
    const auto text = [&] {
        const size_t n = m.text.size() < kMaxTextBytes ? m.text.size() : kMaxTextBytes;
        w.blob(reinterpret_cast<const uint8_t*>(m.text.data()), n);
    };
    switch (m.type) {
    case MessageType::Hello:
        w.u16(m.protocol);
        text();
        w.u64(m.value);
        w.u8(m.cow);
        break;
    case MessageType::Refuse:
        text();
        break;
    case MessageType::Start:
        w.u8(m.cow);
        w.u8(m.delay);
        w.u32(m.size);
        w.u32(m.packed);
        w.u64(m.value);
        w.u32(m.steps);
        break;
    case MessageType::MapChunk:
        w.u32(m.first);
        w.blob(m.bytes.data(), m.bytes.size() < kMaxMapChunk ? m.bytes.size() : kMaxMapChunk);
        break;
    case MessageType::Ready:
        break;
    case MessageType::Ping:
    case MessageType::Pong:
        w.u32(m.first);
        break;
    case MessageType::Inputs:
        w.u8(m.game);
        w.u32(m.ack);
        w.u32(m.first);
        w.blob(m.bytes.data(), m.bytes.size() < kMaxInputsPerPacket ? m.bytes.size() : kMaxInputsPerPacket);
        break;
    case MessageType::Digest:
        w.u8(m.game);
        w.u32(m.first);
        w.u64(m.value);
        break;
    case MessageType::Rematch:
        w.u8(m.game);
        break;
    case MessageType::Bye:
        w.u8(m.cow);
        w.u32(m.first);
        break;
    case MessageType::Pause:
        w.u32(m.first);
        w.u8(m.paused ? 1 : 0);
        break;
    }
    return w.out;
}

bool decodeMessage(const uint8_t* data, size_t size, NetMessage& out) {
    if (!data || size < 3 || size > kMaxMessageBytes) return false;
    Reader r(data, size);
    if (r.u8() != kMagic0 || r.u8() != kMagic1) return false;
    NetMessage m;
    m.type = static_cast<MessageType>(r.u8());
    std::vector<uint8_t> text;
    switch (m.type) {
    case MessageType::Hello:
        m.protocol = r.u16();
        if (!r.blob(text, kMaxTextBytes) || !printable(text)) return false;
        m.value = r.u64();
        m.cow = r.u8();
        if (m.cow > 2) return false;
        break;
    case MessageType::Refuse:
        if (!r.blob(text, kMaxTextBytes) || !printable(text) || text.empty()) return false;
        break;
    case MessageType::Start:
        m.cow = r.u8();
        m.delay = r.u8();
        m.size = r.u32();
        m.packed = r.u32();
        m.value = r.u64();
        m.steps = r.u32();
        if (m.cow > 1 || m.delay < 1 || m.delay > 8 || m.size == 0 || m.size > kMaxMapBytes || m.packed == 0 ||
            m.packed > kMaxMapBytes)
            return false;
        break;
    case MessageType::MapChunk:
        m.first = r.u32();
        if (!r.blob(m.bytes, kMaxMapChunk) || m.bytes.empty() || m.first >= kMaxMapBytes) return false;
        break;
    case MessageType::Ready:
        break;
    case MessageType::Ping:
    case MessageType::Pong:
        m.first = r.u32();
        break;
    case MessageType::Inputs:
        m.game = r.u8();
        m.ack = r.u32();
        m.first = r.u32();
        if (!r.blob(m.bytes, kMaxInputsPerPacket)) return false;
        for (uint8_t b : m.bytes)
            if (b & ~kCowInputMask) return false;
        break;
    case MessageType::Digest:
        m.game = r.u8();
        m.first = r.u32();
        m.value = r.u64();
        break;
    case MessageType::Rematch:
        m.game = r.u8();
        break;
    case MessageType::Bye:
        m.cow = r.u8();
        m.first = r.u32();
        if (m.cow < static_cast<uint8_t>(ByeReason::Quit) || m.cow > static_cast<uint8_t>(ByeReason::Finished))
            return false;
        break;
    case MessageType::Pause: {
        m.first = r.u32();
        const uint8_t paused = r.u8();
        // Number 0 is the state every game starts in, never sent.
        if (m.first == 0 || paused > 1) return false;
        m.paused = paused == 1;
        break;
    }
    default:
        return false;
    }
    if (!r.done()) return false;
    m.text.assign(text.begin(), text.end());
    out = std::move(m);
    return true;
}
