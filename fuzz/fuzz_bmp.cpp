// Any bytes as a BMP file: a status, or a picture of exactly the announced size.
#include <cstddef>
#include <cstdint>

#include "assets/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbImage image;
    if (decodeBmp(data, size, image) == BmpStatus::Ok) {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != size_t(image.width) * size_t(image.height) * 3)
            __builtin_trap();
    } else if (!image.pixels.empty()) {
        __builtin_trap();
    }
    return 0;
}
