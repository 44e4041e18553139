#include "support/j_string.h"

#include "support/shift_jis.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tetsuro {

namespace {

std::span<const int8_t> cTextSpan(const char* cText) {
    if (cText == nullptr) return {};
    return {reinterpret_cast<const int8_t*>(cText), std::strlen(cText)};
}

std::span<const int8_t> beforeZero(std::span<const int8_t> bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), int8_t{0});
    return bytes.first(static_cast<std::size_t>(zero - bytes.begin()));
}

template <typename Int>
std::span<const int8_t> decimal(Int n, char (&buf)[24]) {
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    return {reinterpret_cast<const int8_t*>(buf), static_cast<std::size_t>(r.ptr - buf)};
}

bool isBlank(int8_t b) { return static_cast<uint8_t>(b) <= 0x20; }

// Whether the characters of p follow in text from byte i. Character by
// character, so that a trail byte never matches a one-byte character.
bool matchesAt(std::span<const int8_t> text, std::size_t i, std::span<const int8_t> p) {
    for (std::size_t j = 0; j < p.size(); j += cp932CharLength(p, j)) {
        if (i >= text.size() || cp932CharCode(text, i) != cp932CharCode(p, j)) return false;
        i += cp932CharLength(text, i);
    }
    return true;
}

}  // namespace

J_String::J_String(const char* cText) {
    const auto s = cTextSpan(cText);
    m_ca.assign(s.begin(), s.end());
}

J_String::J_String(std::u8string_view utf8)
    : m_ca(utf8ToCp932({reinterpret_cast<const char*>(utf8.data()), utf8.size()})) {}

J_String J_String::fromUtf8(std::string_view utf8) { return J_String(utf8ToCp932(utf8)); }

J_String::J_String(std::span<const int8_t> bytes, int offset, int length) {
    if (offset < 0 || length <= 0 || static_cast<std::size_t>(offset) >= bytes.size()) return;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length),
                                                bytes.size() - static_cast<std::size_t>(offset));
    const auto from = bytes.begin() + offset;
    m_ca.assign(from, from + static_cast<std::ptrdiff_t>(n));
}

std::span<const int8_t> J_String::logical() const { return beforeZero(m_ca); }

std::size_t J_String::logicalSize() const { return logical().size(); }

int J_String::length() const {
    const auto text = logical();
    int n = 0;
    for (std::size_t i = 0; i < text.size(); i += cp932CharLength(text, i)) ++n;
    return n;
}

int J_String::charAt(int i) const {
    if (i < 0) return 0;
    const auto text = logical();
    std::size_t at = 0;
    for (int k = 0; k < i && at < text.size(); ++k) at += cp932CharLength(text, at);
    return at < text.size() ? cp932CharCode(text, at) : 0;
}

std::size_t J_String::_toIndex(int n) const {
    std::size_t at = 0;
    for (int k = 0; k < n && at < m_ca.size(); ++k) at += cp932CharLength(m_ca, at);
    return at;
}

bool J_String::startsWith(const J_String& prefix, int at) const {
    const auto p = prefix.logical();
    if (p.empty()) return true;
    if (at < 0) return false;  // charAt of a negative index is 0, never a character
    const auto text = logical();
    std::size_t i = 0;
    for (int k = 0; k < at && i < text.size(); ++k) i += cp932CharLength(text, i);
    return matchesAt(text, i, p);
}

int J_String::indexOf(const J_String& str, int from) const {
    const auto text = logical();
    const auto p = str.logical();
    const int last = length() - str.length();
    const int first = std::max(from, 0);
    std::size_t i = 0;
    for (int k = 0; k < first && i < text.size(); ++k) i += cp932CharLength(text, i);
    for (int pos = first; pos <= last; ++pos) {
        if (matchesAt(text, i, p)) return pos;
        if (i < text.size()) i += cp932CharLength(text, i);
    }
    return -1;
}

int J_String::indexOf(const char* cText, int from) const { return indexOf(J_String(cText), from); }

int J_String::indexOf(int8_t ch, int from) const {
    return indexOf(J_String(std::vector<int8_t>{ch}), from);
}

J_String J_String::substring(int begin, int end) const {
    const std::size_t b = _toIndex(std::max(begin, 0));
    const std::size_t e = _toIndex(std::max(end, 0));
    if (e <= b) return {};
    return J_String(std::vector<int8_t>(m_ca.begin() + static_cast<std::ptrdiff_t>(b),
                                        m_ca.begin() + static_cast<std::ptrdiff_t>(e)));
}

J_String J_String::substring(int begin) const {
    const std::size_t b = _toIndex(std::max(begin, 0));
    const std::size_t e = std::min(m_ca.size(), b + kMaxTailBytes);
    return J_String(std::vector<int8_t>(m_ca.begin() + static_cast<std::ptrdiff_t>(b),
                                        m_ca.begin() + static_cast<std::ptrdiff_t>(e)));
}

J_String J_String::trim() const {
    const auto text = logical();
    // Walk forward so that character boundaries are known: the trail byte of
    // a two-byte character may well be 0x20 or lower.
    std::size_t first = text.size();
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = cp932CharLength(text, i);
        if (len == 2 || !isBlank(text[i])) {
            first = std::min(first, i);
            end = i + len;
        }
        i += len;
    }
    if (first >= end) return {};
    return J_String(std::vector<int8_t>(text.begin() + static_cast<std::ptrdiff_t>(first),
                                        text.begin() + static_cast<std::ptrdiff_t>(end)));
}

std::string J_String::toUtf8() const { return cp932ToUtf8(logical()); }

std::u16string J_String::toCharArray() const { return cp932ToUtf16(logical()); }

std::string J_String::_toCP() const {
    const auto text = logical();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

J_String& J_String::appendText(std::span<const int8_t> text) {
    const auto mine = logical();
    const auto theirs = beforeZero(text);
    std::vector<int8_t> out(m_ca.size() + text.size(), 0);
    std::copy(mine.begin(), mine.end(), out.begin());
    std::copy(theirs.begin(), theirs.end(), out.begin() + static_cast<std::ptrdiff_t>(mine.size()));
    m_ca = std::move(out);
    return *this;
}

J_String& J_String::operator+=(const J_String& s) { return appendText(s.m_ca); }

J_String& J_String::operator+=(const char* cText) { return appendText(cTextSpan(cText)); }

J_String& J_String::operator+=(std::u8string_view utf8) {
    return appendText(J_String(utf8).m_ca);
}

J_String& J_String::appendUtf8(std::string_view utf8) { return appendText(utf8ToCp932(utf8)); }

J_String& J_String::operator+=(int n) {
    char buf[24];
    return appendText(decimal(n, buf));
}

J_String& J_String::operator+=(long n) {
    char buf[24];
    return appendText(decimal(n, buf));
}

J_String& J_String::operator+=(long long n) {
    char buf[24];
    return appendText(decimal(n, buf));
}

J_String& J_String::operator+=(char16_t code) {
    int8_t buf[2];
    std::size_t n = 0;
    if (code >= 256) buf[n++] = static_cast<int8_t>(code >> 8);
    buf[n++] = static_cast<int8_t>(code & 0xFF);
    // As C text: a zero low byte ends it.
    return appendText(beforeZero(std::span<const int8_t>(buf, n)));
}

J_String& J_String::operator+=(int8_t byte) {
    m_ca.push_back(byte);
    return *this;
}

int J_String::compare(const J_String& other) const {
    const auto a = logical();
    const auto b = other.logical();
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<uint8_t>(a[i]);
        const auto y = static_cast<uint8_t>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace tetsuro
