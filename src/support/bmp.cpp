#include "support/bmp.h"

#include <utility>

#include "support/int_math.h"

namespace tetsuro {

namespace {
constexpr int64_t kFileHeader = 14;
constexpr int64_t kInfoHeader = 40;
constexpr int64_t kPaletteAt = kFileHeader + kInfoHeader;  // 54
}  // namespace

BMP::BMP(std::vector<int8_t> bytes) : m_sba(std::move(bytes)) { m_error = check(); }

std::optional<BMP> BMP::fromBytes(std::vector<int8_t> bytes, std::string* error) {
    BMP b(std::move(bytes));
    if (error) *error = b.m_error;
    if (!b.isValid()) return std::nullopt;
    return b;
}

uint32_t BMP::u8(int64_t at) const {
    if (at < 0 || at >= static_cast<int64_t>(m_sba.size())) return 0;
    return static_cast<uint8_t>(m_sba[static_cast<size_t>(at)]);
}

uint32_t BMP::u16(int64_t at) const { return u8(at) | (u8(at + 1) << 8); }

uint32_t BMP::u32(int64_t at) const { return u16(at) | (u16(at + 2) << 16); }

int32_t BMP::getWidth() const { return static_cast<int32_t>(u32(18)); }
int32_t BMP::getHeight() const { return static_cast<int32_t>(u32(22)); }
int32_t BMP::getBitsPixel() const { return static_cast<int32_t>(u16(28)); }
int32_t BMP::getClrUsed() const { return static_cast<int32_t>(u32(46)); }

int64_t BMP::getClrUsedCount() const {
    uint32_t used = u32(46);
    if (used != 0) return used;
    int32_t bits = getBitsPixel();
    return bits >= 62 ? INT64_MAX : int64_t{1} << bits;
}

int64_t BMP::paletteEntries() const {
    // Above 8 bits per pixel a palette is optional and only as long as the
    // colour count says.
    return getBitsPixel() <= 8 ? getClrUsedCount() : u32(46);
}

int64_t BMP::stride() const {
    return (int64_t{getWidth()} * getBitsPixel() + 31) / 32 * 4;
}

std::string BMP::check() {
    const int64_t size = static_cast<int64_t>(m_sba.size());
    if (size < kPaletteAt) return "file too short for the bitmap headers";
    if (u8(0) != 'B' || u8(1) != 'M') return "not a bitmap (no BM signature)";
    if (u32(kFileHeader) != kInfoHeader) return "unsupported information header size";
    if (getWidth() <= 0) return "width is not positive";
    if (getHeight() == 0 || getHeight() == INT32_MIN) return "height is 0 or out of range";
    switch (getBitsPixel()) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return "unsupported bits per pixel";
    }
    if (u32(30) != 0) return "compressed bitmaps are not supported";
    if (u32(46) > 256) return "more than 256 palette colours";
    const int64_t paletteEnd = kPaletteAt + 4 * paletteEntries();
    if (paletteEnd > size) return "palette runs past the end of the file";
    const int64_t rows = getHeight() < 0 ? -int64_t{getHeight()} : getHeight();
    const int128_t dataSize = int128_t{stride()} * rows;
    const int64_t field = u32(10);
    if (field >= paletteEnd && field + dataSize <= size) {
        m_bitsIndex = field;
    } else if (paletteEnd + dataSize <= size) {
        m_bitsIndex = paletteEnd;
    } else {
        return "pixel data shorter than the picture";
    }
    return {};
}

int32_t BMP::getPalette(int32_t n, int32_t t) const {
    if (n < 0 || n >= paletteEntries() || t < 0 || t > 2) return -1;
    int64_t at = kPaletteAt + 4 * int64_t{n} + t;
    if (at >= static_cast<int64_t>(m_sba.size())) return -1;
    return static_cast<int32_t>(u8(at));
}

int32_t BMP::getPalette(int32_t n) const {
    int32_t b = getPalette(n, 0), g = getPalette(n, 1), r = getPalette(n, 2);
    if (b < 0 || g < 0 || r < 0) return -1;
    return (r << 16) | (g << 8) | b;
}

bool BMP::setPalette(int32_t n, int32_t c) {
    if (getPalette(n, 2) < 0) return false;  // entry not (wholly) in the file
    size_t at = static_cast<size_t>(kPaletteAt + 4 * int64_t{n});
    m_sba[at] = static_cast<int8_t>(c & 0xFF);
    m_sba[at + 1] = static_cast<int8_t>((c >> 8) & 0xFF);
    m_sba[at + 2] = static_cast<int8_t>((c >> 16) & 0xFF);
    return true;
}

int64_t BMP::getBitsIndex() const { return m_bitsIndex; }

std::vector<int8_t> BMP::getBits() const {
    if (!isValid()) return {};
    return {m_sba.begin() + m_bitsIndex, m_sba.end()};
}

int32_t BMP::getPixel(int32_t x, int32_t y) const {
    if (!isValid()) return -1;
    const int32_t h = getHeight();
    const int64_t rows = h < 0 ? -int64_t{h} : h;
    if (x < 0 || x >= getWidth() || y < 0 || y >= rows) return -1;
    const int64_t row = h > 0 ? rows - 1 - y : y;
    const int64_t base = m_bitsIndex + row * stride();
    switch (getBitsPixel()) {
        case 1: {
            uint32_t byte = u8(base + x / 8);
            return getPalette(static_cast<int32_t>((byte >> (7 - x % 8)) & 1));
        }
        case 4: {
            uint32_t byte = u8(base + x / 2);
            return getPalette(static_cast<int32_t>(x % 2 == 0 ? byte >> 4 : byte & 0xF));
        }
        case 8:
            return getPalette(static_cast<int32_t>(u8(base + x)));
        case 16: {
            // 5 bits each of red, green and blue; widened by repeating the top bits.
            uint32_t v = u16(base + 2 * int64_t{x});
            auto widen = [](uint32_t c) { return (c << 3) | (c >> 2); };
            return static_cast<int32_t>((widen((v >> 10) & 31) << 16) |
                                        (widen((v >> 5) & 31) << 8) | widen(v & 31));
        }
        case 24:
        case 32: {
            int64_t at = base + int64_t{x} * (getBitsPixel() / 8);
            return static_cast<int32_t>((u8(at + 2) << 16) | (u8(at + 1) << 8) | u8(at));
        }
        default:
            return -1;
    }
}

}  // namespace tetsuro
