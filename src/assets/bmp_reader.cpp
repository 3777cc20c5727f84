#include "assets/bmp_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <new>
#include <string>

#include "platform/message_box.h"

namespace {

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;

uint16_t read16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t read32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

using Rgb = std::array<uint8_t, 3>;

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        max = m >> shift;
    }
    uint8_t operator()(uint32_t pixel) const {
        if (!max) return 0;
        uint64_t v = (pixel & mask) >> shift;
        return uint8_t((v * 255 + max / 2) / max);
    }
};

// The output picture, addressed by the rows as the file stores them.
class Canvas {
public:
    Canvas(RgbImage& image, bool topDown) : image_(image), topDown_(topDown) {}

    void put(uint32_t fileRow, uint32_t x, const Rgb& c) {
        uint32_t row = topDown_ ? uint32_t(image_.height) - 1 - fileRow : fileRow;
        uint8_t* p = &image_.pixels[(size_t(row) * uint32_t(image_.width) + x) * 3];
        p[0] = c[0];
        p[1] = c[1];
        p[2] = c[2];
    }
    void fill(const Rgb& c) {
        for (size_t i = 0; i < image_.pixels.size(); i += 3) {
            image_.pixels[i] = c[0];
            image_.pixels[i + 1] = c[1];
            image_.pixels[i + 2] = c[2];
        }
    }

private:
    RgbImage& image_;
    bool topDown_;
};

struct Palette {
    std::vector<Rgb> colours;
    // Indices past the table read as black rather than as memory past it.
    Rgb operator[](uint32_t index) const { return index < colours.size() ? colours[index] : Rgb{0, 0, 0}; }
};

void decodeRows(const uint8_t* pixelData, uint64_t pitch, const BmpInfoHeader& h, uint32_t rows,
                const Palette& palette, const Channel masks[3], Canvas& canvas) {
    const uint32_t width = uint32_t(h.width);
    for (uint32_t y = 0; y < rows; ++y) {
        const uint8_t* row = pixelData + y * pitch;
        for (uint32_t x = 0; x < width; ++x) {
            switch (h.bitCount) {
            case 1: canvas.put(y, x, palette[(row[x >> 3] >> (7 - (x & 7))) & 1]); break;
            case 4: canvas.put(y, x, palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]); break;
            case 8: canvas.put(y, x, palette[row[x]]); break;
            case 16: {
                uint32_t v = read16(row + 2 * x);
                canvas.put(y, x, {masks[0](v), masks[1](v), masks[2](v)});
                break;
            }
            case 24: {
                const uint8_t* p = row + 3 * x;
                canvas.put(y, x, {p[2], p[1], p[0]});
                break;
            }
            case 32: {
                uint32_t v = read32(row + 4 * x);
                canvas.put(y, x, {masks[0](v), masks[1](v), masks[2](v)});
                break;
            }
            }
        }
    }
}

// Run-length data as the format defines it: a count and a value, or a zero
// and an escape (end of line, end of bitmap, delta, absolute run padded to an
// even length). Runs are cut at the row's end, rows past the height end the
// decoding, and data that stops early leaves the rest of the picture in the
// background colour; nothing is ever written outside the picture.
void decodeRle(const uint8_t* p, const uint8_t* end, bool fourBit, uint32_t width, uint32_t height,
               const Palette& palette, Canvas& canvas) {
    uint32_t x = 0, y = 0;
    // Every caller stops at the row's end, so x is always inside the row here.
    auto emit = [&](uint32_t index) { canvas.put(y, x++, palette[index]); };
    while (end - p >= 2 && y < height) {
        uint8_t count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            for (uint32_t i = 0; i < count && x < width; ++i)
                emit(fourBit ? ((i & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1:  // end of bitmap
            return;
        case 2:  // delta
            if (end - p < 2) return;
            x = uint32_t(std::min<uint64_t>(uint64_t(x) + p[0], width));
            y += p[1];
            p += 2;
            break;
        default: {  // absolute run of `value` pixels
            size_t bytes = fourBit ? (value + 1u) / 2 : value;
            if (size_t(end - p) < bytes) return;
            for (uint32_t i = 0; i < value && x < width; ++i)
                emit(fourBit ? ((i & 1) ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
            size_t padded = (bytes + 1) & ~size_t(1);
            p += std::min(padded, size_t(end - p));
        }
        }
    }
}

}  // namespace

uint16_t colourCount(const BmpInfoHeader& header) {
    if (header.size == 40 && header.clrUsed != 0) return uint16_t(header.clrUsed);
    switch (header.bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

const char* bmpStatusText(BmpStatus status) {
    switch (status) {
    case BmpStatus::Ok: return "";
    case BmpStatus::UnknownFormat: return "Unknown DIB file format.";
    case BmpStatus::OutOfMemory: return "Out of memory.";
    case BmpStatus::ConversionError: return "Image file conversion error.";
    }
    return "";
}

BmpStatus decodeBmp(const uint8_t* data, size_t size, RgbImage& out, uint64_t maxPixels) {
    out = RgbImage{};
    // Where the info header starts and, with the file header, where the pixels do.
    const bool fileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const size_t infoAt = fileHeader ? 14 : 0;
    if (size < infoAt + 4) return BmpStatus::UnknownFormat;
    BmpInfoHeader h;
    h.size = read32(data + infoAt);
    if (h.size != 12 && h.size != 40) return BmpStatus::UnknownFormat;
    if (size - infoAt < h.size) return BmpStatus::ConversionError;

    const uint8_t* info = data + infoAt;
    if (h.size == 12) {
        h.width = read16(info + 4);
        h.height = read16(info + 6);
        h.planes = read16(info + 8);
        h.bitCount = read16(info + 10);
    } else {
        h.width = int32_t(read32(info + 4));
        h.height = int32_t(read32(info + 8));
        h.planes = read16(info + 12);
        h.bitCount = read16(info + 14);
        h.compression = read32(info + 16);
        h.sizeImage = read32(info + 20);
        h.xPelsPerMeter = int32_t(read32(info + 24));
        h.yPelsPerMeter = int32_t(read32(info + 28));
        h.clrUsed = read32(info + 32);
        h.clrImportant = read32(info + 36);
    }

    // Bit depth and compression must fit each other.
    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return BmpStatus::ConversionError;
    }
    switch (h.compression) {
    case kCompressionNone: break;
    case kCompressionRle8: if (h.bitCount != 8) return BmpStatus::ConversionError; break;
    case kCompressionRle4: if (h.bitCount != 4) return BmpStatus::ConversionError; break;
    case kCompressionBitFields:
        if (h.bitCount != 16 && h.bitCount != 32) return BmpStatus::ConversionError;
        break;
    default: return BmpStatus::ConversionError;
    }
    if (h.width <= 0 || h.height == 0) return BmpStatus::ConversionError;
    const bool topDown = h.height < 0;
    const uint64_t width = uint64_t(h.width);
    const uint64_t height = topDown ? uint64_t(-int64_t(h.height)) : uint64_t(h.height);

    // Channel masks: from the file for bit fields, else 5-5-5 and 8-8-8.
    size_t tableAt = infoAt + h.size;
    Channel masks[3] = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    if (h.bitCount == 32) masks[0] = Channel(0xFF0000), masks[1] = Channel(0xFF00), masks[2] = Channel(0xFF);
    if (h.compression == kCompressionBitFields) {
        if (size - tableAt < 12) return BmpStatus::ConversionError;
        for (int i = 0; i < 3; ++i) masks[i] = Channel(read32(data + tableAt + 4 * i));
        tableAt += 12;
    }

    const uint16_t entries = colourCount(h);
    const size_t entrySize = h.size == 12 ? 3 : 4;
    const size_t tableBytes = size_t(entries) * entrySize;
    if (size - tableAt < tableBytes) return BmpStatus::ConversionError;
    Palette palette;
    const uint64_t pixels = width * height;
    if (pixels > std::min(maxPixels, kMaxBmpPixels)) return BmpStatus::OutOfMemory;
    try {
        palette.colours.resize(entries);
    } catch (const std::bad_alloc&) {
        return BmpStatus::OutOfMemory;
    }
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = data + tableAt + i * entrySize;
        palette.colours[i] = {e[2], e[1], e[0]};
    }

    const uint64_t pixelAt = fileHeader ? read32(data + 10) : tableAt + tableBytes;
    if (pixelAt > size) return BmpStatus::ConversionError;
    const uint8_t* pixelData = data + pixelAt;
    const uint64_t available = size - pixelAt;

    const bool rle = h.compression == kCompressionRle8 || h.compression == kCompressionRle4;
    // Run-length data may leave most of the picture to delta, end-of-line and
    // end-of-bitmap escapes, so a short file can legally describe a large
    // picture: only the size limit above bounds it. Decoding costs one pass
    // over the picture and one over the file, whatever the ratio of the two.
    uint64_t pitch = 0;
    if (!rle) {
        // Every row padded to 4 bytes; the last one may lack its padding.
        const uint64_t rowBits = width * h.bitCount;
        pitch = (rowBits + 31) / 32 * 4;
        const uint64_t needed = pitch * (height - 1) + (rowBits + 7) / 8;
        if (needed > available) return BmpStatus::ConversionError;
    }

    try {
        out.pixels.resize(size_t(pixels) * 3);
    } catch (const std::bad_alloc&) {
        out = RgbImage{};
        return BmpStatus::OutOfMemory;
    }
    out.width = int32_t(width);
    out.height = int32_t(height);
    Canvas canvas(out, topDown);
    if (rle) {
        // The new picture is already black; only another background needs a pass.
        if (palette[0] != Rgb{0, 0, 0}) canvas.fill(palette[0]);
        decodeRle(pixelData, data + size, h.compression == kCompressionRle4, uint32_t(width),
                  uint32_t(height), palette, canvas);
    } else {
        decodeRows(pixelData, pitch, h, uint32_t(height), palette, masks, canvas);
    }
    return BmpStatus::Ok;
}

std::unique_ptr<RgbImage> decodeBmpImage(const uint8_t* data, size_t size) {
    std::unique_ptr<RgbImage> image;
    BmpStatus status = BmpStatus::OutOfMemory;
    try {
        image = std::make_unique<RgbImage>();
        status = decodeBmp(data, size, *image);
    } catch (const std::bad_alloc&) {
        status = BmpStatus::OutOfMemory;
    }
    if (status == BmpStatus::Ok) return image;
    showErrorMessage(bmpStatusText(status));
    return nullptr;
}

std::unique_ptr<RgbImage> loadBmpImage(const char* fileName) {
    // The whole file through one read-only mapping; an empty file cannot be
    // mapped and so counts as one that cannot be opened.
    const uint8_t* data = nullptr;
    size_t size = 0;
    int fd = fileName ? open(fileName, O_RDONLY | O_CLOEXEC) : -1;
    if (fd >= 0) {
        struct stat st;
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            size = size_t(st.st_size);
            void* m = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (m != MAP_FAILED) data = static_cast<const uint8_t*>(m);
        }
        close(fd);
    }
    if (!data) {
        std::string message = "Failed to open DIB file ";
        message += fileName ? fileName : "";
        message += ".\n";
        showErrorMessage(message.c_str());
        return nullptr;
    }
    std::unique_ptr<RgbImage> image = decodeBmpImage(data, size);
    munmap(const_cast<uint8_t*>(data), size);
    return image;
}
