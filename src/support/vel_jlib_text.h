#pragma once
// VelJLib text utilities: line splitting of resource files, tab-separated
// number rows, fixed-width byte fields, digit helpers and text widths.
//
// Every function takes and returns values; an empty vector stands for null.
// Functions that look at a J_String's text look at its logical text (the
// bytes before the first zero byte) unless they say otherwise.

#include "support/j_string.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tetsuro::VelJLib {

// Lines of a text file. A line is the run of bytes before the next CR or LF
// or the end; after a line one CR, then one LF, is skipped, so CR LF, LF and
// a lone CR each end one line. The first empty line ends the list: nothing
// after it is read.
std::vector<J_String> BytesToJStringArray(std::span<const int8_t> bytes);
// The same lines, decoded to UTF-8.
std::vector<std::string> BytesToStringArray(std::span<const int8_t> bytes);

// Occurrences of the one-byte character ch. Only whole characters count: the
// trail byte of a two-byte character (0x5C in "ソ", say) is never a match.
int countChar(const J_String& s, int8_t ch);
// The countChar(s, ch) + 1 pieces between occurrences of ch, empty pieces kept.
std::vector<J_String> split(const J_String& s, int8_t ch);

// Split at TAB, trim each piece and parse it; an empty or malformed piece
// throws NumberFormatException.
std::vector<int32_t> StringToArray(const J_String& s);
std::vector<float> StringToArrayf(const J_String& s);
std::vector<int32_t> parseInt(const std::vector<J_String>& sa);
std::vector<float> parseFloat(const std::vector<J_String>& sa);

// Bytes from off before the first zero byte, at most max and at most to the
// end of the array; 0 for an offset outside the array.
int m_strlen(std::span<const int8_t> bytes, int off, int max);
// Signed byte comparison of up to count bytes from a[ia] and b[ib]: -1 or 1 at
// the first difference, 0 on a shared zero byte or after count equal bytes.
// When one side runs out first (an index outside its array), 0 if the other
// holds a zero byte there, else the side with bytes left is greater.
int m_strncmp(std::span<const int8_t> a, int ia, std::span<const int8_t> b, int ib, int count);

// Copies the string's bytes (the whole array, at most len) into dst from at;
// returns the number copied. Never writes outside dst, and never cuts a
// two-byte character in half at the limit: it stops one byte short instead.
int toByteAry(std::vector<int8_t>& dst, int at, const J_String& s, int len);
// System text: converted to CP932, at most len - 1 bytes (whole characters)
// and a zero byte; returns the bytes written including the zero.
int toByteAry(std::vector<int8_t>& dst, int at, std::string_view utf8, int len);
// toByteAry, then a zero byte right after the copy when it is shorter than len.
int toByteAryNull(std::vector<int8_t>& dst, int at, const J_String& s, int len);
int toByteAryNull(std::vector<int8_t>& dst, int at, std::string_view utf8, int len);

constexpr int toUnsigned(int8_t b) { return static_cast<uint8_t>(b); }

// Decimal digits of |n|: 1 below 10, 2 below 100, ... 11 below 10^11, and 12
// for everything larger (a display width, not an exact count).
int getKeta(int64_t n);
// Decimal digit k of |n| counted from the right (k = 0 is the units); 0 for k
// outside 0..18.
int getNumKeta(int64_t n, int k);
// Decimal text of n, left-padded with the byte c until it is width bytes long
// (digits plus the minus sign).
J_String IntToString(int64_t n, int width, int8_t c);
// Full-width digits of n (each through NumToZen), preceded by pad repeated
// until digits and padding reach width places. A negative n gets a full-width
// minus sign, which takes one place.
J_String IntToStringZ(int64_t n, int width, const J_String& pad);
// Full-width digit "０".."８" for 0..8, and "９" for any other value.
J_String NumToZen(int d);

// Half width when the character is one byte in CP932 (ASCII, half-width
// katakana, and characters CP932 lacks, which are drawn as '?'); full width
// when it is two (so ×, °, ± and ￥ are full width).
bool isHankaku(char16_t wc);
// Pixel width of UTF-16 text: half the font height per half-width character,
// the full height per other one.
int getWidth(std::u16string_view chars, int font);
// Logical bytes × font height ÷ 2.
int getWidth(const J_String& str, int font);

}  // namespace tetsuro::VelJLib
