// Any bytes as a BMP file: a status, or a picture of exactly the announced size.
#include <cstddef>
#include <cstdint>

#include "assets/bmp_reader.h"

// A few bytes of run-length data may legally describe a picture of the full
// 2^26-pixel limit; filling 192 MiB on every such run would leave the fuzzer
// a few runs a second. The decoding is the same at any size below the limit.
constexpr uint64_t kFuzzMaxPixels = uint64_t(1) << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbImage image;
    if (decodeBmp(data, size, image, kFuzzMaxPixels) == BmpStatus::Ok) {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != size_t(image.width) * size_t(image.height) * 3)
            __builtin_trap();
    } else if (!image.pixels.empty()) {
        __builtin_trap();
    }
    return 0;
}
