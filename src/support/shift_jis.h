#pragma once
// Shift-JIS (code page 932) conversion at the edges of the game.
//
// Game text stays CP932 bytes from resource file to screen. Unicode appears
// only where text leaves or enters the game: drawing (through the decode
// table), debug output, and player input. Stored text must never be
// round-tripped through Unicode: 398 double-byte codes (the NEC and IBM
// duplicates of the extension rows, e.g. 0xED40 and 0xFA5C are both U+7E8A)
// come back as a different code.
//
// The converter is glibc iconv under the name "CP932". The name matters:
// "SHIFT_JIS" turns 0x5C into the yen sign and 0x8160 into U+301C, whereas
// the game's files mean backslash (drawn as a yen sign by the font layer) and
// U+FF5E. The descriptors are opened once, on first use, and kept open; the
// program is single-threaded.
//
// Bad input never stops a conversion and never reads past the array:
//   decoding   an undefined double-byte code (lead byte + trail byte in
//              0x40..0x7E or 0x80..0xFC) gives one U+FFFD for both bytes; any
//              other bad byte, and a lead byte at the very end, gives one
//              U+FFFD for that byte alone.
//   encoding   a character CP932 lacks, and each broken UTF-8 sequence, gives
//              one '?'.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tetsuro {

class J_String;

namespace VelL {

// Lead byte of a double-byte character: 0x81..0x9F or 0xE0..0xFC.
constexpr bool isZen(int8_t b) {
    const auto u = static_cast<uint8_t>(b);
    return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

}  // namespace VelL

// Byte length (1 or 2) of the character starting at bytes[at], for at within
// the span. A lead byte pairs with the byte after it unless it is the last
// byte or the next byte is zero: a zero byte ends the text and is never
// swallowed as a trail, so walks stop at the logical end and stay in bounds.
constexpr std::size_t cp932CharLength(std::span<const int8_t> bytes, std::size_t at) {
    return (VelL::isZen(bytes[at]) && at + 1 < bytes.size() && bytes[at + 1] != 0) ? 2 : 1;
}

// Code of the character starting at bytes[at] (same pairing rule): lead * 256
// + trail for a double-byte character, the byte value 0..255 otherwise.
constexpr int cp932CharCode(std::span<const int8_t> bytes, std::size_t at) {
    const int b0 = static_cast<uint8_t>(bytes[at]);
    return cp932CharLength(bytes, at) == 2 ? b0 * 256 + static_cast<uint8_t>(bytes[at + 1]) : b0;
}

std::string cp932ToUtf8(std::span<const int8_t> bytes);
std::u16string cp932ToUtf16(std::span<const int8_t> bytes);
std::vector<int8_t> utf8ToCp932(std::string_view utf8);

// For each character code (see cp932CharCode) the Unicode code point, 0 where
// CP932 defines none. Built once, on first use.
const std::array<char16_t, 65536>& cp932DecodeTable();

// Game text for a UTF-8 source literal: SJ(u8"駅"). Each distinct text is
// converted once; later calls return the same cached string.
const J_String& SJ(std::u8string_view literal);

}  // namespace tetsuro
