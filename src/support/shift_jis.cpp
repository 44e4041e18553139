#include "support/shift_jis.h"

#include "support/j_string.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>

// The CP932 adapter: the only place that talks to iconv.
namespace tetsuro {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// One iconv descriptor, opened on first use and kept for the life of the
// program. When the C library lacks CP932 the game still runs: the fallback
// below keeps ASCII and half-width katakana and replaces the rest.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (!ok()) {
            std::fprintf(stderr, "tetsuro: no iconv converter from %s to %s; "
                                 "Japanese text will show as replacement marks\n",
                         from, to);
        }
    }
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

Converter& toUtf8() {
    static Converter c("UTF-8", "CP932");
    return c;
}
// Little-endian explicitly: plain "UTF-16" would add a byte-order mark.
Converter& toUtf16le() {
    static Converter c("UTF-16LE", "CP932");
    return c;
}
Converter& fromUtf8() {
    static Converter c("CP932", "UTF-8");
    return c;
}

bool isTrail(uint8_t u) { return u >= 0x40 && u <= 0xFC && u != 0x7F; }

// Bytes one replacement stands for when the decoder rejects input at p.
// A lead byte with a plausible trail is an undefined double-byte code and is
// dropped whole; anything else (including a line end after a lead byte) is
// left for the next step.
std::size_t badCp932Length(const char* p, std::size_t left) {
    if (left >= 2 && VelL::isZen(static_cast<int8_t>(p[0])) && isTrail(static_cast<uint8_t>(p[1])))
        return 2;
    return 1;
}

// Length of the UTF-8 sequence iconv rejected at p: a whole well-formed
// sequence (a character CP932 lacks), or the broken prefix of one, so that
// each bad sequence costs a single '?'.
std::size_t badUtf8Length(const char* p, std::size_t left) {
    const auto u = static_cast<uint8_t>(p[0]);
    std::size_t want = u >= 0xF0 && u <= 0xF4 ? 4 : u >= 0xE0 ? 3 : u >= 0xC2 && u < 0xE0 ? 2 : 1;
    if (u > 0xF4) want = 1;
    std::size_t n = 1;
    while (n < want && n < left && (static_cast<uint8_t>(p[n]) & 0xC0) == 0x80) ++n;
    return n;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Runs iconv over the whole input, writing `replacement` for each rejected
// sequence and resuming after it. `badLength` says how much a rejection
// skips. Output grows as needed.
template <typename BadLength>
std::string convert(iconv_t cd, const char* in, std::size_t inLen, std::string_view replacement,
                    std::size_t growth, BadLength badLength) {
    std::string out;
    char* ip = const_cast<char*>(in);
    std::size_t il = inLen;
    while (il > 0) {
        const std::size_t used = out.size();
        out.resize(used + std::max<std::size_t>(il * growth, 16));
        char* op = out.data() + used;
        std::size_t ol = out.size() - used;
        const std::size_t r = iconv(cd, &ip, &il, &op, &ol);
        const int err = errno;
        out.resize(static_cast<std::size_t>(op - out.data()));
        if (r != static_cast<std::size_t>(-1)) break;
        if (err == E2BIG) continue;
        // EILSEQ (bad sequence) or EINVAL (sequence cut off by the end).
        out += replacement;
        const std::size_t skip = err == EINVAL ? il : std::min(il, badLength(ip, il));
        ip += skip;
        il -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

// Without a converter: ASCII and half-width katakana survive, the rest is
// replaced, with the same skipping rules as above.
template <typename Sink>
void fallbackDecode(std::span<const int8_t> bytes, Sink sink) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto u = static_cast<uint8_t>(bytes[i]);
        if (u < 0x80) {
            sink(u);
            ++i;
        } else if (u >= 0xA1 && u <= 0xDF) {
            sink(0xFF61 + (u - 0xA1));
            ++i;
        } else {
            sink(kReplacement);
            i += badCp932Length(reinterpret_cast<const char*>(bytes.data() + i), bytes.size() - i);
        }
    }
}

}  // namespace

std::string cp932ToUtf8(std::span<const int8_t> bytes) {
    Converter& c = toUtf8();
    if (!c.ok()) {
        std::string out;
        fallbackDecode(bytes, [&](char32_t cp) { appendUtf8(out, cp); });
        return out;
    }
    // A one-byte katakana becomes three bytes of UTF-8.
    return convert(c.get(), reinterpret_cast<const char*>(bytes.data()), bytes.size(),
                   "\xEF\xBF\xBD", 3, badCp932Length);
}

std::u16string cp932ToUtf16(std::span<const int8_t> bytes) {
    std::u16string out;
    Converter& c = toUtf16le();
    if (!c.ok()) {
        fallbackDecode(bytes, [&](char32_t cp) { out += static_cast<char16_t>(cp); });
        return out;
    }
    const std::string le = convert(c.get(), reinterpret_cast<const char*>(bytes.data()),
                                   bytes.size(), "\xFD\xFF", 2, badCp932Length);
    out.resize(le.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<uint8_t>(le[2 * i]) |
                                       static_cast<uint8_t>(le[2 * i + 1]) << 8);
    }
    return out;
}

std::vector<int8_t> utf8ToCp932(std::string_view utf8) {
    std::string sj;
    Converter& c = fromUtf8();
    if (c.ok()) {
        sj = convert(c.get(), utf8.data(), utf8.size(), "?", 1, badUtf8Length);
    } else {
        for (std::size_t i = 0; i < utf8.size();) {
            const auto u = static_cast<uint8_t>(utf8[i]);
            if (u < 0x80) {
                sj += static_cast<char>(u);
                ++i;
                continue;
            }
            const std::size_t n = badUtf8Length(utf8.data() + i, utf8.size() - i);
            const auto b1 = n == 3 ? static_cast<uint8_t>(utf8[i + 1]) : 0;
            const auto b2 = n == 3 ? static_cast<uint8_t>(utf8[i + 2]) : 0;
            // U+FF61..U+FF9F is EF BD A1..EF BD BF and EF BE 80..EF BE 9F.
            if (u == 0xEF && b1 == 0xBD && b2 >= 0xA1)
                sj += static_cast<char>(b2);
            else if (u == 0xEF && b1 == 0xBE && b2 <= 0x9F)
                sj += static_cast<char>(b2 + 0x40);
            else
                sj += '?';
            i += n;
        }
    }
    return std::vector<int8_t>(sj.begin(), sj.end());
}

const std::array<char16_t, 65536>& cp932DecodeTable() {
    static const std::array<char16_t, 65536> table = [] {
        std::array<char16_t, 65536> t{};
        Converter& c = toUtf16le();
        // One code at a time, so that a rejection leaves exactly that entry 0.
        auto decodeOne = [&](const char* code, std::size_t len) -> char16_t {
            if (!c.ok()) {
                const auto u = static_cast<uint8_t>(code[0]);
                if (len == 1 && u < 0x80) return u;
                if (len == 1 && u >= 0xA1 && u <= 0xDF) return static_cast<char16_t>(0xFF61 + (u - 0xA1));
                return 0;
            }
            char* ip = const_cast<char*>(code);
            std::size_t il = len;
            char out[8];
            char* op = out;
            std::size_t ol = sizeof out;
            const std::size_t r = iconv(c.get(), &ip, &il, &op, &ol);
            iconv(c.get(), nullptr, nullptr, nullptr, nullptr);
            if (r == static_cast<std::size_t>(-1) || il != 0 || op - out != 2) return 0;
            return static_cast<char16_t>(static_cast<uint8_t>(out[0]) |
                                         static_cast<uint8_t>(out[1]) << 8);
        };
        for (int b = 0; b < 256; ++b) {
            if (VelL::isZen(static_cast<int8_t>(b))) continue;
            const char code[1] = {static_cast<char>(b)};
            t[b] = decodeOne(code, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!VelL::isZen(static_cast<int8_t>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) continue;
                const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                t[lead * 256 + trail] = decodeOne(code, 2);
            }
        }
        return t;
    }();
    return table;
}

const J_String& SJ(std::u8string_view literal) {
    // Ordered map with transparent lookup: no allocation on a hit, and node
    // addresses stay put, so the references handed out remain valid.
    static std::map<std::u8string, J_String, std::less<>> cache;
    auto it = cache.find(literal);
    if (it == cache.end()) {
        const std::string_view utf8(reinterpret_cast<const char*>(literal.data()), literal.size());
        it = cache.emplace(std::u8string(literal), J_String(utf8ToCp932(utf8))).first;
    }
    return it->second;
}

}  // namespace tetsuro
