// The message codec: every message comes back as it went, and nothing that
// is not exactly a message is taken for one.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "net/enet_transport.h"
#include "net/lockstep.h"
#include "net/protocol.h"

namespace {

std::vector<NetMessage> everyKind() {
    std::vector<NetMessage> all;
    NetMessage m;
    m.type = MessageType::Hello;
    m.protocol = 3;
    m.text = "1.0.0";
    m.value = 0x0123456789abcdefull;
    m.cow = 2;
    all.push_back(m);
    m = {};
    m.type = MessageType::Refuse;
    m.text = "game full";
    all.push_back(m);
    m = {};
    m.type = MessageType::Start;
    m.cow = 1;
    m.delay = 3;
    m.size = 17577;
    m.packed = 678;
    m.value = 42;
    m.steps = 23520;
    all.push_back(m);
    m = {};
    m.type = MessageType::MapChunk;
    m.first = 1024;
    m.bytes.assign(1024, '.');
    all.push_back(m);
    m = {};
    m.type = MessageType::Ready;
    all.push_back(m);
    m = {};
    m.type = MessageType::Ping;
    m.first = 0xdeadbeef;
    all.push_back(m);
    m.type = MessageType::Pong;
    all.push_back(m);
    m = {};
    m.type = MessageType::Inputs;
    m.game = 7;
    m.ack = 100000;
    m.first = 99990;
    m.bytes = {0, 0x7f, 0x15, 3};
    all.push_back(m);
    m = {};
    m.type = MessageType::Digest;
    m.game = 1;
    m.first = 340;
    m.value = ~0ull;
    all.push_back(m);
    m = {};
    m.type = MessageType::Rematch;
    m.game = 2;
    all.push_back(m);
    m = {};
    m.type = MessageType::Bye;
    m.cow = static_cast<uint8_t>(ByeReason::OutOfSync);
    m.first = 340;
    all.push_back(m);
    m = {};
    m.type = MessageType::Pause;
    m.first = 77;
    m.paused = true;
    all.push_back(m);
    return all;
}

bool same(const NetMessage& a, const NetMessage& b) {
    return a.type == b.type && a.protocol == b.protocol && a.text == b.text && a.value == b.value &&
           a.cow == b.cow && a.delay == b.delay && a.game == b.game && a.size == b.size && a.packed == b.packed && a.steps == b.steps && a.ack == b.ack &&
           a.first == b.first && a.paused == b.paused && a.bytes == b.bytes;
}

TEST(NetProtocol, EveryMessageDecodesAsItWasAndNoPrefixOrExtensionDoes) {
    for (const NetMessage& m : everyKind()) {
        SCOPED_TRACE(static_cast<int>(m.type));
        const std::vector<uint8_t> bytes = encodeMessage(m);
        ASSERT_LE(bytes.size(), kMaxMessageBytes);
        NetMessage back;
        ASSERT_TRUE(decodeMessage(bytes.data(), bytes.size(), back));
        EXPECT_TRUE(same(m, back));
        for (size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(decodeMessage(bytes.data(), n, back)) << n;
        std::vector<uint8_t> longer = bytes;
        longer.push_back(0);
        EXPECT_FALSE(decodeMessage(longer.data(), longer.size(), back));
    }
}

TEST(NetProtocol, FieldsOutOfTheirRangesAreRefused) {
    NetMessage back;
    const auto refused = [&](NetMessage m) {
        const std::vector<uint8_t> b = encodeMessage(m);
        return !decodeMessage(b.data(), b.size(), back);
    };
    NetMessage inputs = everyKind()[7];
    inputs.bytes[1] = 0x80;  // no such control
    EXPECT_TRUE(refused(inputs));
    NetMessage hello = everyKind()[0];
    hello.text = "1.0\x1b[2J";  // a terminal's control sequence in a reason shown on it
    EXPECT_TRUE(refused(hello));
    hello = everyKind()[0];
    hello.cow = 3;
    EXPECT_TRUE(refused(hello));
    NetMessage start = everyKind()[2];
    start.size = kMaxMapBytes + 1;
    EXPECT_TRUE(refused(start));
    start = everyKind()[2];
    start.delay = 0;
    EXPECT_TRUE(refused(start));
    start = everyKind()[2];
    start.packed = 0;
    EXPECT_TRUE(refused(start));
    start.packed = kMaxMapBytes + 1;
    EXPECT_TRUE(refused(start));
    NetMessage refuse = everyKind()[1];
    refuse.text.clear();
    EXPECT_TRUE(refused(refuse));
    NetMessage bye = everyKind()[10];
    bye.cow = 9;
    EXPECT_TRUE(refused(bye));
    NetMessage pause = everyKind()[11];
    pause.first = 0;  // the state before any change, never sent
    EXPECT_TRUE(refused(pause));
    std::vector<uint8_t> flag = encodeMessage(everyKind()[11]);
    flag.back() = 2;  // neither held nor going on
    EXPECT_FALSE(decodeMessage(flag.data(), flag.size(), back));

    std::vector<uint8_t> b = encodeMessage(everyKind()[4]);
    b[0] = 'X';  // not our magic
    EXPECT_FALSE(decodeMessage(b.data(), b.size(), back));
    b = encodeMessage(everyKind()[4]);
    b[2] = 200;  // no such type
    EXPECT_FALSE(decodeMessage(b.data(), b.size(), back));
    EXPECT_FALSE(decodeMessage(nullptr, 0, back));
    // A blob whose length runs past the packet.
    b = encodeMessage(everyKind()[7]);
    b[13] = 0xff;
    EXPECT_FALSE(decodeMessage(b.data(), b.size(), back));
}

TEST(NetProtocol, LongFieldsAreCutToTheirBoundsWhenSent) {
    NetMessage m;
    m.type = MessageType::Inputs;
    m.bytes.assign(kMaxInputsPerPacket + 50, 1);
    std::vector<uint8_t> b = encodeMessage(m);
    NetMessage back;
    ASSERT_TRUE(decodeMessage(b.data(), b.size(), back));
    EXPECT_EQ(back.bytes.size(), kMaxInputsPerPacket);
    m = {};
    m.type = MessageType::Refuse;
    m.text.assign(1000, 'a');
    b = encodeMessage(m);
    ASSERT_TRUE(decodeMessage(b.data(), b.size(), back));
    EXPECT_EQ(back.text.size(), kMaxTextBytes);
}

TEST(NetProtocol, DelayGrowsWithTheRoundTripFromOneToFour) {
    EXPECT_EQ(delayForRoundTrip(0), 1);
    EXPECT_EQ(delayForRoundTrip(5), 1);  // loopback and a home network
    EXPECT_EQ(delayForRoundTrip(30), 2);
    EXPECT_EQ(delayForRoundTrip(80), 3);  // 40 ms each way
    EXPECT_EQ(delayForRoundTrip(200), 4);
    EXPECT_EQ(delayForRoundTrip(5000), 4);
}

TEST(NetProtocol, AddressesSplitIntoHostAndPort) {
    std::string host, error;
    int port = 0;
    ASSERT_TRUE(splitHostPort("127.0.0.1:4000", host, port, error));
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, 4000);
    ASSERT_TRUE(splitHostPort("farm.example", host, port, error));
    EXPECT_EQ(port, kDefaultGamePort);
    for (const char* bad : {"farm:", "farm:0", "farm:70000", "farm:12ab", ":4000"}) {
        EXPECT_FALSE(splitHostPort(bad, host, port, error)) << bad;
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}

}  // namespace

#include <dirent.h>

#include <fstream>
#include <sstream>

namespace {

// The fuzzer starts from these; a seed the decoder refuses would start it
// nowhere near the messages.
TEST(NetProtocol, EverySeedOfTheFuzzCorpusIsAMessage) {
    const std::string dir = std::string(HOOFBRAWL_SOURCE_DIR) + "/fuzz/corpus/net_message";
    DIR* d = opendir(dir.c_str());
    ASSERT_NE(d, nullptr) << dir;
    int seen = 0;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream in(dir + "/" + e->d_name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        const std::string b = s.str();
        NetMessage m;
        EXPECT_TRUE(decodeMessage(reinterpret_cast<const uint8_t*>(b.data()), b.size(), m)) << e->d_name;
        ++seen;
    }
    closedir(d);
    EXPECT_EQ(seen, 12);
}

}  // namespace
