// Any bytes as a packet from the network: the decoder takes only well-formed
// messages, and what it takes encodes back to bytes that decode the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "net/protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NetMessage m;
    if (!decodeMessage(data, size, m)) return 0;
    const std::vector<uint8_t> again = encodeMessage(m);
    NetMessage back;
    if (!decodeMessage(again.data(), again.size(), back)) std::abort();
    if (encodeMessage(back) != again) std::abort();
    return 0;
}
