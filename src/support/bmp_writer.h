#pragma once
// Writer for the bitmaps the reader in bmp.h takes: uncompressed, 40-byte
// information header, rows stored bottom up and padded to 4 bytes. Used by
// the resource generator for car textures and by tests for fixtures.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tetsuro {

// An 8-bit palettised bitmap. `palette` holds 1..256 entries 0xRRGGBB (the
// header's colour count is their number); `indices` width × height palette
// indices, top row first, each below palette.size(). Empty (null) when the
// sizes or an index are out of range or the file would exceed 2^31 bytes.
std::vector<int8_t> encodeBmp8(int32_t width, int32_t height, std::span<const int32_t> palette,
                               std::span<const uint8_t> indices);

// A 24-bit bitmap: width × height colours 0xRRGGBB, top row first. Empty
// (null) on the same conditions.
std::vector<int8_t> encodeBmp24(int32_t width, int32_t height, std::span<const int32_t> pixels);

// Writes the bytes through AtomicFileWriter. False (reason in *error when
// given) when nothing or only part could be written; the old file then stays.
bool writeBmpFile(const std::string& path, const std::vector<int8_t>& bytes, std::string* error = nullptr);

}  // namespace tetsuro
