#include "support/shift_jis.h"

#include "support/j_string.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace tetsuro {
namespace {

const auto B = &testing::bytes;

TEST(ShiftJis, LeadBytesAndCharacterLengths) {
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(VelL::isZen(static_cast<int8_t>(b)), lead) << b;
    }
    const std::vector<int8_t> s = B({0x82, 0xA0, 'a', 0x82, 0, 0x82});
    EXPECT_EQ(cp932CharLength(s, 0), 2u);
    EXPECT_EQ(cp932CharLength(s, 2), 1u);
    EXPECT_EQ(cp932CharLength(s, 3), 1u);  // a zero byte is never a trail
    EXPECT_EQ(cp932CharLength(s, 5), 1u);  // nor is the end of the array
    EXPECT_EQ(cp932CharCode(s, 0), 0x82A0);
    EXPECT_EQ(cp932CharCode(s, 5), 0x82);
}

// Half-width katakana is one byte both ways; it must survive a round trip.
TEST(ShiftJis, HalfWidthKatakanaRoundTrips) {
    for (int b = 0xA1; b <= 0xDF; ++b) {
        const std::vector<int8_t> one = B({b});
        const std::u16string u = cp932ToUtf16(one);
        ASSERT_EQ(u.size(), 1u) << b;
        EXPECT_EQ(u[0], 0xFF61 + (b - 0xA1)) << b;
        EXPECT_EQ(utf8ToCp932(cp932ToUtf8(one)), one) << b;
    }
}

// The code-page-932 mapping, not the plain Shift-JIS one.
TEST(ShiftJis, UsesTheCodePage932Mapping) {
    EXPECT_EQ(cp932ToUtf16(B({0x5C})), u"\u005C");  // backslash; the font draws it as yen
    EXPECT_EQ(cp932ToUtf16(B({0x7E})), u"\u007E");
    EXPECT_EQ(cp932ToUtf16(B({0x81, 0x60})), u"\uFF5E");
    EXPECT_EQ(utf8ToCp932("\uFF5E"), B({0x81, 0x60}));
    EXPECT_EQ(utf8ToCp932("\\~"), B({0x5C, 0x7E}));
    EXPECT_EQ(cp932ToUtf8(B({0x82, 0xA0, 0x89, 0x77, 0x87, 0x40})), "あ駅①");
    // One of the codes that does not round-trip: why stored text never
    // goes through Unicode.
    EXPECT_EQ(cp932ToUtf16(B({0xED, 0x40})), u"\u7E8A");
    EXPECT_EQ(utf8ToCp932("\u7E8A"), B({0xFA, 0x5C}));
}

TEST(ShiftJis, ReplacesBadBytesAndNeverReadsPastTheEnd) {
    struct Case {
        const char* name;
        std::vector<int8_t> bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"lone lead byte at the end", B({'A', 0x82}), u"A\uFFFD"},
        {"undefined double-byte code", B({0x85, 0x40, 'b'}), u"\uFFFDb"},
        {"lead byte before a line end", B({0x82, '\n', 'c'}), u"\uFFFD\nc"},
        {"lead byte before zero", B({0x82, 0, 'd'}), std::u16string(u"\uFFFD\0d", 3)},
        {"undefined single bytes", B({0x80, 0xA0, 0xFD, 0xFF}), u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"recovers after a bad byte", B({0xFF, 0x82, 0xA0}), u"\uFFFD\u3042"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Copy into an exactly-sized heap block so the sanitizer sees overreads.
        const std::vector<int8_t> exact(c.bytes);
        EXPECT_EQ(cp932ToUtf16(exact), c.expected);
        std::string utf8;
        for (char16_t ch : c.expected) {
            if (ch == 0xFFFD) utf8 += "\xEF\xBF\xBD";
            else if (ch == 0x3042) utf8 += "\xE3\x81\x82";
            else utf8 += static_cast<char>(ch);
        }
        EXPECT_EQ(cp932ToUtf8(exact), utf8);
    }
}

TEST(ShiftJis, EncodesWhatCodePage932LacksAsQuestionMarks) {
    EXPECT_EQ(utf8ToCp932("a\xF0\x9F\x98\x80z"), B({'a', '?', 'z'}));  // emoji
    EXPECT_EQ(utf8ToCp932("a\xFFz"), B({'a', '?', 'z'}));              // not UTF-8
    EXPECT_EQ(utf8ToCp932("a\xE3\x81z"), B({'a', '?', 'z'}));          // broken sequence
    EXPECT_EQ(utf8ToCp932("a\xE3\x81"), B({'a', '?'}));                // cut off at the end
    EXPECT_TRUE(utf8ToCp932("").empty());
}

TEST(ShiftJis, DecodeTableMatchesTheConverter) {
    const auto& table = cp932DecodeTable();
    EXPECT_EQ(&table, &cp932DecodeTable());
    EXPECT_EQ(table['A'], u'A');
    EXPECT_EQ(table[0x5C], 0x5C);
    EXPECT_EQ(table[0xB1], 0xFF71);
    EXPECT_EQ(table[0x8160], 0xFF5E);
    EXPECT_EQ(table[0x82A0], 0x3042);
    EXPECT_EQ(table[0x8540], 0);  // undefined
    EXPECT_EQ(table[0x80], 0);
    int defined = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!VelL::isZen(static_cast<int8_t>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::u16string u = cp932ToUtf16(B({lead, trail}));
            const char16_t want = u.size() == 1 && u[0] != 0xFFFD ? u[0] : 0;
            ASSERT_EQ(table[lead * 256 + trail], want) << std::hex << lead << ' ' << trail;
            defined += want != 0;
        }
    }
    EXPECT_GT(defined, 7000);
}

TEST(ShiftJis, CachesLiteralConversions) {
    const J_String& a = SJ(u8"東京駅");
    EXPECT_EQ(a.getBytes(), B({0x93, 0x8C, 0x8B, 0x9E, 0x89, 0x77}));
    EXPECT_EQ(&SJ(u8"東京駅"), &a);
    EXPECT_NE(&SJ(u8"駅"), &a);
    EXPECT_EQ(SJ(u8"駅").getBytes(), B({0x89, 0x77}));
}

}  // namespace
}  // namespace tetsuro
