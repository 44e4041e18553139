#include "support/bmp_writer.h"

#include "support/atomic_file.h"

namespace tetsuro {
namespace {

constexpr int64_t kHeaders = 14 + 40;
constexpr int64_t kMaxFile = int64_t{1} << 31;

void put16(std::vector<int8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<int8_t>(v & 0xFF);
    b[at + 1] = static_cast<int8_t>((v >> 8) & 0xFF);
}

void put32(std::vector<int8_t>& b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

int64_t strideOf(int32_t width, int bits) { return (int64_t{width} * bits + 31) / 32 * 4; }

// Headers and palette of a bitmap whose pixel rows follow; empty when the
// whole file would be too large.
std::vector<int8_t> headers(int32_t width, int32_t height, int bits, std::span<const int32_t> palette) {
    const int64_t paletteBytes = 4 * static_cast<int64_t>(palette.size());
    const int64_t dataBytes = strideOf(width, bits) * height;
    const int64_t fileBytes = kHeaders + paletteBytes + dataBytes;
    if (fileBytes >= kMaxFile) return {};
    std::vector<int8_t> b(static_cast<size_t>(kHeaders));
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(fileBytes));
    put32(b, 10, static_cast<uint32_t>(kHeaders + paletteBytes));
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(width));
    put32(b, 22, static_cast<uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<uint32_t>(bits));
    put32(b, 34, static_cast<uint32_t>(dataBytes));
    // 2835 pixels per metre is 72 dpi, what most tools put there.
    put32(b, 38, 2835);
    put32(b, 42, 2835);
    put32(b, 46, static_cast<uint32_t>(palette.size()));
    b.reserve(static_cast<size_t>(fileBytes));
    for (int32_t c : palette) {
        b.push_back(static_cast<int8_t>(c & 0xFF));
        b.push_back(static_cast<int8_t>((c >> 8) & 0xFF));
        b.push_back(static_cast<int8_t>((c >> 16) & 0xFF));
        b.push_back(0);
    }
    return b;
}

bool sizesOk(int32_t width, int32_t height, size_t count) {
    return width > 0 && height > 0 && static_cast<uint64_t>(count) == uint64_t(width) * uint64_t(height);
}

}  // namespace

std::vector<int8_t> encodeBmp8(int32_t width, int32_t height, std::span<const int32_t> palette,
                               std::span<const uint8_t> indices) {
    if (!sizesOk(width, height, indices.size()) || palette.empty() || palette.size() > 256) return {};
    for (uint8_t i : indices) {
        if (i >= palette.size()) return {};
    }
    std::vector<int8_t> b = headers(width, height, 8, palette);
    if (b.empty()) return {};
    const int64_t pad = strideOf(width, 8) - width;
    for (int64_t y = height - 1; y >= 0; --y) {
        const uint8_t* row = indices.data() + y * width;
        for (int32_t x = 0; x < width; ++x) b.push_back(static_cast<int8_t>(row[x]));
        for (int64_t p = 0; p < pad; ++p) b.push_back(0);
    }
    return b;
}

std::vector<int8_t> encodeBmp24(int32_t width, int32_t height, std::span<const int32_t> pixels) {
    if (!sizesOk(width, height, pixels.size())) return {};
    std::vector<int8_t> b = headers(width, height, 24, {});
    if (b.empty()) return {};
    const int64_t pad = strideOf(width, 24) - 3 * int64_t{width};
    for (int64_t y = height - 1; y >= 0; --y) {
        const int32_t* row = pixels.data() + y * width;
        for (int32_t x = 0; x < width; ++x) {
            b.push_back(static_cast<int8_t>(row[x] & 0xFF));
            b.push_back(static_cast<int8_t>((row[x] >> 8) & 0xFF));
            b.push_back(static_cast<int8_t>((row[x] >> 16) & 0xFF));
        }
        for (int64_t p = 0; p < pad; ++p) b.push_back(0);
    }
    return b;
}

bool writeBmpFile(const std::string& path, const std::vector<int8_t>& bytes, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    if (bytes.empty()) return fail("no bitmap to write to " + path);
    AtomicFileWriter w(path);
    if (!w.ok() || !w.write(bytes)) return fail(w.error());
    CommitResult r = w.commit();
    if (!r) return fail(r.reason);
    return true;
}

}  // namespace tetsuro
