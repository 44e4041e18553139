#include "support/vel_jlib_text.h"

#include "support/number_parse.h"
#include "support/shift_jis.h"

#include <algorithm>
#include <charconv>

namespace tetsuro::VelJLib {

namespace {

constexpr int8_t kCR = 13;
constexpr int8_t kLF = 10;
constexpr int8_t kTab = 9;

std::span<const int8_t> logicalText(const J_String& s) {
    return std::span<const int8_t>(s.getBytes()).first(s.logicalSize());
}

// Calls line(begin, end) for each line, as BytesToJStringArray describes.
template <typename Line>
void forEachLine(std::span<const int8_t> bytes, Line line) {
    std::size_t pos = 0;
    for (;;) {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != kCR && bytes[end] != kLF) ++end;
        if (end == pos) return;
        line(pos, end);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == kCR) ++pos;
        if (pos < bytes.size() && bytes[pos] == kLF) ++pos;
    }
}

// Largest count <= limit of leading bytes of `bytes` that ends on a character
// boundary.
std::size_t wholeCharacters(std::span<const int8_t> bytes, std::size_t limit) {
    std::size_t n = 0;
    while (n < bytes.size()) {
        const std::size_t len = cp932CharLength(bytes, n);
        if (n + len > limit) break;
        n += len;
    }
    return n;
}

// Room in dst from at, or 0 when at lies outside it.
std::size_t room(const std::vector<int8_t>& dst, int at) {
    return at < 0 || static_cast<std::size_t>(at) > dst.size() ? 0 : dst.size() - static_cast<std::size_t>(at);
}

template <typename T, typename Parse>
std::vector<T> parseAll(const std::vector<J_String>& pieces, Parse parse) {
    std::vector<T> out;
    out.reserve(pieces.size());
    for (const J_String& p : pieces) out.push_back(parse(p.trim()));
    return out;
}

uint64_t magnitude(int64_t n) {
    return n < 0 ? uint64_t{0} - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
}

// CP932 full-width digits ０..９ are 0x824F..0x8258; the minus sign is 0x817C.
constexpr int8_t kZenLead = static_cast<int8_t>(0x82);
constexpr int kZenZeroTrail = 0x4F;

}  // namespace

std::vector<J_String> BytesToJStringArray(std::span<const int8_t> bytes) {
    std::vector<J_String> lines;
    forEachLine(bytes, [&](std::size_t b, std::size_t e) {
        lines.emplace_back(std::vector<int8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(b),
                                               bytes.begin() + static_cast<std::ptrdiff_t>(e)));
    });
    return lines;
}

std::vector<std::string> BytesToStringArray(std::span<const int8_t> bytes) {
    std::vector<std::string> lines;
    forEachLine(bytes, [&](std::size_t b, std::size_t e) {
        lines.push_back(cp932ToUtf8(bytes.subspan(b, e - b)));
    });
    return lines;
}

int countChar(const J_String& s, int8_t ch) {
    const auto text = logicalText(s);
    int n = 0;
    for (std::size_t i = 0; i < text.size(); i += cp932CharLength(text, i)) {
        if (cp932CharLength(text, i) == 1 && text[i] == ch) ++n;
    }
    return n;
}

std::vector<J_String> split(const J_String& s, int8_t ch) {
    const auto text = logicalText(s);
    std::vector<J_String> pieces;
    std::size_t start = 0;
    auto cut = [&](std::size_t end) {
        pieces.emplace_back(std::vector<int8_t>(text.begin() + static_cast<std::ptrdiff_t>(start),
                                                text.begin() + static_cast<std::ptrdiff_t>(end)));
    };
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = cp932CharLength(text, i);
        if (len == 1 && text[i] == ch) {
            cut(i);
            start = i + 1;
        }
        i += len;
    }
    cut(text.size());
    return pieces;
}

std::vector<int32_t> parseInt(const std::vector<J_String>& sa) {
    return parseAll<int32_t>(sa, [](const J_String& p) { return Integer::parseInt(p); });
}

std::vector<float> parseFloat(const std::vector<J_String>& sa) {
    return parseAll<float>(sa, [](const J_String& p) { return Float::parseFloat(p); });
}

std::vector<int32_t> StringToArray(const J_String& s) { return parseInt(split(s, kTab)); }

std::vector<float> StringToArrayf(const J_String& s) { return parseFloat(split(s, kTab)); }

int m_strlen(std::span<const int8_t> bytes, int off, int max) {
    if (off < 0 || max <= 0 || static_cast<std::size_t>(off) >= bytes.size()) return 0;
    const std::size_t end = std::min(bytes.size(), static_cast<std::size_t>(off) + static_cast<std::size_t>(max));
    int n = 0;
    for (std::size_t i = static_cast<std::size_t>(off); i < end && bytes[i] != 0; ++i) ++n;
    return n;
}

int m_strncmp(std::span<const int8_t> a, int ia, std::span<const int8_t> b, int ib, int count) {
    auto inside = [](std::span<const int8_t> s, int64_t i) {
        return i >= 0 && static_cast<uint64_t>(i) < s.size();
    };
    for (int64_t k = 0; k < count; ++k) {
        const int64_t i = ia + k;
        const int64_t j = ib + k;
        const bool aIn = inside(a, i);
        const bool bIn = inside(b, j);
        if (!aIn && !bIn) return 0;
        if (!aIn) return b[static_cast<std::size_t>(j)] == 0 ? 0 : -1;
        if (!bIn) return a[static_cast<std::size_t>(i)] == 0 ? 0 : 1;
        const int8_t x = a[static_cast<std::size_t>(i)];
        const int8_t y = b[static_cast<std::size_t>(j)];
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
    return 0;
}

int toByteAry(std::vector<int8_t>& dst, int at, const J_String& s, int len) {
    if (len <= 0) return 0;
    const std::size_t limit = std::min(static_cast<std::size_t>(len), room(dst, at));
    const auto& src = s.getBytes();
    const std::size_t n = wholeCharacters(src, limit);
    if (n == 0) return 0;
    std::copy_n(src.begin(), n, dst.begin() + at);
    return static_cast<int>(n);
}

int toByteAry(std::vector<int8_t>& dst, int at, std::string_view utf8, int len) {
    const std::size_t space = std::min(static_cast<std::size_t>(std::max(len, 0)), room(dst, at));
    if (space == 0) return 0;
    const std::vector<int8_t> sj = utf8ToCp932(utf8);
    const std::size_t n = wholeCharacters(sj, space - 1);
    std::copy_n(sj.begin(), n, dst.begin() + at);
    dst[static_cast<std::size_t>(at) + n] = 0;
    return static_cast<int>(n + 1);
}

namespace {
int terminateField(std::vector<int8_t>& dst, int at, int written, int len) {
    if (written < len && static_cast<std::size_t>(written) < room(dst, at))
        dst[static_cast<std::size_t>(at + written)] = 0;
    return written;
}
}  // namespace

int toByteAryNull(std::vector<int8_t>& dst, int at, const J_String& s, int len) {
    return terminateField(dst, at, toByteAry(dst, at, s, len), len);
}

int toByteAryNull(std::vector<int8_t>& dst, int at, std::string_view utf8, int len) {
    return terminateField(dst, at, toByteAry(dst, at, utf8, len), len);
}

int getKeta(int64_t n) {
    const uint64_t m = magnitude(n);
    uint64_t bound = 10;
    for (int digits = 1; digits <= 11; ++digits, bound *= 10) {
        if (m < bound) return digits;
    }
    return 12;
}

int getNumKeta(int64_t n, int k) {
    if (k < 0 || k > 18) return 0;
    uint64_t m = magnitude(n);
    for (int i = 0; i < k; ++i) m /= 10;
    return static_cast<int>(m % 10);
}

J_String IntToString(int64_t n, int width, int8_t c) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    const auto digits = static_cast<int>(r.ptr - buf);
    std::vector<int8_t> out(static_cast<std::size_t>(std::max(width - digits, 0)), c);
    out.insert(out.end(), buf, r.ptr);
    return J_String(std::move(out));
}

J_String IntToStringZ(int64_t n, int width, const J_String& pad) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude(n));
    const auto digits = static_cast<int>(r.ptr - buf);
    const int places = digits + (n < 0 ? 1 : 0);
    J_String out;
    for (int i = places; i < width; ++i) out += pad;
    if (n < 0) out += u'\x817C';
    for (const char* p = buf; p < r.ptr; ++p) out += NumToZen(*p - '0');
    return out;
}

J_String NumToZen(int d) {
    const int digit = d >= 0 && d <= 8 ? d : 9;
    return J_String(std::vector<int8_t>{kZenLead, static_cast<int8_t>(kZenZeroTrail + digit)});
}

bool isHankaku(char16_t wc) {
    if (wc < 0x80 || (wc >= 0xFF61 && wc <= 0xFF9F)) return true;  // always one byte
    std::string utf8;
    if (wc < 0x800) {
        utf8 += static_cast<char>(0xC0 | (wc >> 6));
        utf8 += static_cast<char>(0x80 | (wc & 0x3F));
    } else {
        // A lone surrogate comes out as bytes the converter rejects: '?'.
        utf8 += static_cast<char>(0xE0 | (wc >> 12));
        utf8 += static_cast<char>(0x80 | ((wc >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (wc & 0x3F));
    }
    return utf8ToCp932(utf8).size() == 1;
}

int getWidth(std::u16string_view chars, int font) {
    int64_t w = 0;
    for (char16_t c : chars) w += isHankaku(c) ? font / 2 : font;
    return static_cast<int>(w);
}

int getWidth(const J_String& str, int font) {
    return static_cast<int>(static_cast<int64_t>(str.logicalSize()) * font / 2);
}

}  // namespace tetsuro::VelJLib
