#pragma once
// Reader for uncompressed Windows bitmaps with the 40-byte information
// header (all values little-endian), used for car textures and map images.
//
// A bitmap is checked when it is made: the headers must be whole, the width
// positive and the height not 0 (a negative height means rows stored top
// down), the bits per pixel one of 1, 4, 8, 16, 24, 32, no compression, at
// most 256 palette entries, and the palette and every pixel row inside the
// file. The pixel data starts at the file's own offset field when that
// points past the palette and leaves room for the rows, otherwise right after
// the palette. A bitmap that fails the check is invalid: error() says why,
// getBits() is empty and getPixel() gives -1; the raw accessors still read
// what is there (0 beyond the end).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tetsuro {

class BMP {
public:
    // Takes the whole file; check isValid() afterwards.
    explicit BMP(std::vector<int8_t> bytes);

    // The bitmap, or nothing when the bytes are not a bitmap this reader
    // takes; the reason goes to *error when given.
    static std::optional<BMP> fromBytes(std::vector<int8_t> bytes, std::string* error = nullptr);

    bool isValid() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    int32_t getWidth() const;      // offset 18
    int32_t getHeight() const;     // offset 22; negative for top-down rows
    int32_t getBitsPixel() const;  // offset 28
    int32_t getClrUsed() const;    // offset 46
    // getClrUsed(), or 2 to the bits per pixel when that is 0.
    int64_t getClrUsedCount() const;

    // Byte t (0 blue, 1 green, 2 red) of palette entry n; -1 outside the
    // palette or for t outside 0..2.
    int32_t getPalette(int32_t n, int32_t t) const;
    // Entry n as 0xRRGGBB; -1 outside the palette.
    int32_t getPalette(int32_t n) const;
    // Writes 0xRRGGBB into entry n; false (nothing written) outside it.
    bool setPalette(int32_t n, int32_t c);

    // Where the pixel rows begin (see above).
    int64_t getBitsIndex() const;
    // A copy of every byte from getBitsIndex() to the end of the file.
    std::vector<int8_t> getBits() const;

    // The colour 0xRRGGBB of pixel (x, y), y counted from the top row of the
    // picture whichever way the rows are stored; -1 outside the picture, for
    // a palette index beyond the palette, or for an invalid bitmap.
    int32_t getPixel(int32_t x, int32_t y) const;

    const std::vector<int8_t>& bytes() const { return m_sba; }

private:
    uint32_t u8(int64_t at) const;
    uint32_t u16(int64_t at) const;
    uint32_t u32(int64_t at) const;
    int64_t paletteEntries() const;  // entries present (0 above 8 bits per pixel)
    int64_t stride() const;
    std::string check();

    std::vector<int8_t> m_sba;
    std::string m_error;
    int64_t m_bitsIndex = 0;
};

}  // namespace tetsuro
