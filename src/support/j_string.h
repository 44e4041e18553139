#pragma once
// J_String: the game's text, Shift-JIS (code page 932) bytes.
//
// Model
//   The logical text is the bytes before the first zero byte, or the whole
//   array when it holds none; there is no separate length. A byte in
//   0x81..0x9F or 0xE0..0xFC (VelL::isZen) leads a two-byte character with
//   the byte after it; every other byte is a one-byte character. Operations
//   taking an index take a character index.
//
//   Broken text stays in bounds: a lead byte that is the last byte of the
//   array, or that is followed by a zero byte, is a one-byte character whose
//   code is the lead byte itself. So length(), charAt(), substring() and the
//   searches never read past the array and always agree on where characters
//   begin.
//
// Ownership
//   J_String is a value type over std::vector<int8_t>: copying copies, and no
//   two strings share a mutable array. getBytes() is a read-only view;
//   mutableBytes() the writable array of this string alone.
//
// System text
//   "System text" is UTF-8 (std::string_view, or char8_t literals). It is
//   converted through CP932 on the way in (characters CP932 lacks become '?')
//   and decoded for display or debugging on the way out. Never round-trip
//   stored text through it: see shift_jis.h. For source literals use the
//   cached SJ(u8"...") instead of converting on every call.
//
// C text
//   const char* arguments are raw CP932 bytes up to their terminator. Those
//   constructors are explicit so that a literal is never silently taken as
//   either kind of text.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tetsuro {

class J_String {
public:
    // Longest tail substring(begin) returns, in bytes.
    static constexpr int kMaxTailBytes = 65535;

    J_String() = default;
    // C text: the bytes before the terminator; nullptr gives an empty string.
    explicit J_String(const char* cText);
    // System text, converted to CP932.
    explicit J_String(std::u8string_view utf8);
    static J_String fromUtf8(std::string_view utf8);
    // Takes the array as it is (zero bytes included).
    explicit J_String(std::vector<int8_t> bytes) : m_ca(std::move(bytes)) {}
    // Copy of min(length, bytes.size() - offset) bytes from offset; empty when
    // the count is negative or the offset lies outside the bytes.
    J_String(std::span<const int8_t> bytes, int offset, int length);

    // Characters before the first zero byte.
    int length() const;
    // Code of character i (lead * 256 + trail, or the byte 0..255); 0 when i
    // is negative or not below length().
    int charAt(int i) const;

    const std::vector<int8_t>& getBytes() const { return m_ca; }
    std::vector<int8_t>& mutableBytes() { return m_ca; }
    // Number of bytes before the first zero byte.
    std::size_t logicalSize() const;
    // Byte offset of character n, walking over the whole array (zero bytes are
    // one-byte characters there); the array size when n runs past the end.
    std::size_t _toIndex(int n) const;

    // First character index p >= from (a negative from counts as 0) with
    // startsWith(str, p); -1 when none.
    int indexOf(const J_String& str, int from = 0) const;
    int indexOf(const char* cText, int from = 0) const;
    int indexOf(int8_t ch, int from = 0) const;
    // True when each character of prefix equals this string's character at
    // at + its index (an empty prefix always matches).
    bool startsWith(const J_String& prefix, int at = 0) const;

    // Bytes from character begin up to, not including, character end; indices
    // are clamped to the array, an empty range gives an empty string.
    J_String substring(int begin, int end) const;
    // From character begin to the end of the array, at most kMaxTailBytes.
    J_String substring(int begin) const;
    // The logical text without leading and trailing ASCII white space and
    // control bytes (<= 0x20). Works on the bytes, not through Unicode, so
    // every code survives; a trail byte is never taken for white space.
    J_String trim() const;

    // Decoded logical text.
    std::string toUtf8() const;
    std::string _toString() const { return toUtf8(); }
    std::u16string toCharArray() const;
    // The logical text as a zero-terminated C string (use .c_str()); unlike a
    // pointer into the array it can never run past the end.
    std::string _toCP() const;

    // Appending. Text forms build an array of (this array's size + the other
    // text's size): this string's logical text, the other's logical text, then
    // zero bytes for the rest.
    J_String& operator+=(const J_String& s);
    J_String& operator+=(const char* cText);
    J_String& operator+=(std::u8string_view utf8);
    // Without it a u8"" literal would convert to bool before the view.
    J_String& operator+=(const char8_t* utf8) { return *this += std::u8string_view(utf8); }
    J_String& appendUtf8(std::string_view utf8);
    // Decimal text.
    J_String& operator+=(int n);
    J_String& operator+=(long n);
    J_String& operator+=(long long n);
    // A character code: one byte below 256, else code / 256 then code % 256;
    // appended as C text.
    J_String& operator+=(char16_t code);
    // One byte after the whole old array, zero bytes included: appending 'C'
    // to A B 0 0 gives A B 0 0 C, with the C outside the logical text.
    J_String& operator+=(int8_t byte);
    // A plain char would promote to int and append its decimal value: make
    // the caller say int8_t (one byte) or char16_t (a character code).
    J_String& operator+=(char) = delete;
    J_String& operator+=(unsigned char) = delete;
    J_String& operator+=(bool) = delete;

    // Equality and ordering of the logical text (bytes compared unsigned).
    friend bool operator==(const J_String& a, const J_String& b) { return a.compare(b) == 0; }
    friend std::strong_ordering operator<=>(const J_String& a, const J_String& b) {
        return a.compare(b) <=> 0;
    }
    int compare(const J_String& other) const;

private:
    std::span<const int8_t> logical() const;
    J_String& appendText(std::span<const int8_t> text);

    std::vector<int8_t> m_ca;
};

}  // namespace tetsuro
