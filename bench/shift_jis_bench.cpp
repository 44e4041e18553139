// CP932 decoding: the iconv path (display, debug, file names) against the
// 64K table the text drawer uses.
#include "support/shift_jis.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace tetsuro {
namespace {

// 1 MiB of the kind of text the game holds: kanji and kana names, ASCII
// numbers and tabs, half-width katakana, line ends.
const std::vector<int8_t>& mixedText() {
    static const std::vector<int8_t> text = [] {
        const std::vector<int8_t> line = utf8ToCp932(
            "東京駅\t12\t345\tｶﾞｲﾄﾞ\t急行「さくら」号 ①番線 ～ 発車\r\n"
            "Shinjuku\t0.75\t-3\t各駅停車（快速）ﾊﾞｽ乗り場\r\n");
        std::vector<int8_t> out;
        const std::size_t size = 1 << 20;
        while (out.size() + line.size() <= size) out.insert(out.end(), line.begin(), line.end());
        out.insert(out.end(), line.begin(), line.begin() + static_cast<std::ptrdiff_t>(size - out.size()));
        // Do not end on half a character.
        std::size_t i = 0;
        while (i + 1 < out.size()) i += cp932CharLength(out, i);
        if (i + 1 == out.size() && VelL::isZen(out.back())) out.back() = ' ';
        return out;
    }();
    return text;
}

void BM_Cp932ToUtf8Iconv(benchmark::State& state) {
    const auto& text = mixedText();
    for (auto _ : state) {
        std::string utf8 = cp932ToUtf8(text);
        benchmark::DoNotOptimize(utf8.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Cp932ToUtf8Iconv);

// The table walk producing the same UTF-8, into a reused buffer.
void BM_Cp932ToUtf8Table(benchmark::State& state) {
    const auto& text = mixedText();
    const auto& table = cp932DecodeTable();
    std::string utf8(text.size() * 3, '\0');  // one byte never yields more than three
    for (auto _ : state) {
        char* o = utf8.data();
        for (std::size_t i = 0; i < text.size();) {
            const int code = cp932CharCode(text, i);
            char32_t cp = table[static_cast<std::size_t>(code)];
            if (cp == 0 && code != 0) cp = 0xFFFD;
            if (cp < 0x80) {
                *o++ = static_cast<char>(cp);
            } else if (cp < 0x800) {
                *o++ = static_cast<char>(0xC0 | (cp >> 6));
                *o++ = static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                *o++ = static_cast<char>(0xE0 | (cp >> 12));
                *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                *o++ = static_cast<char>(0x80 | (cp & 0x3F));
            }
            i += cp932CharLength(text, i);
        }
        benchmark::DoNotOptimize(o);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Cp932ToUtf8Table);

// What the drawer does per glyph: code points only.
void BM_Cp932DecodeTableCodePoints(benchmark::State& state) {
    const auto& text = mixedText();
    const auto& table = cp932DecodeTable();
    for (auto _ : state) {
        uint64_t sum = 0;
        for (std::size_t i = 0; i < text.size(); i += cp932CharLength(text, i)) {
            sum += table[static_cast<std::size_t>(cp932CharCode(text, i))];
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Cp932DecodeTableCodePoints);

}  // namespace
}  // namespace tetsuro
