#include "support/j_string.h"

#include "support/shift_jis.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "temp_folder.h"

namespace tetsuro {
namespace {

const auto B = &testing::bytes;

J_String JS(std::initializer_list<int> values) { return J_String(B(values)); }

// Character model: lead bytes pair with the next byte, everything else is
// one byte, the logical text ends at the first zero, and broken text stays in
// bounds.
TEST(JString, CountsAndCodesCharacters) {
    struct Case {
        const char* name;
        std::vector<int8_t> bytes;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"half-width katakana", B({0xB1}), {0xB1}},
        {"hiragana a", B({0x82, 0xA0}), {0x82A0}},
        {"mixed", B({'A', 0x89, 0x77, 0xB1, 'z'}), {'A', 0x8977, 0xB1, 'z'}},
        {"trail byte in ASCII range", B({0x83, 0x5C, 0x5C}), {0x835C, 0x5C}},
        {"stops at first zero", B({'A', 'B', 0, 0}), {'A', 'B'}},
        {"empty", B({}), {}},
        {"lone lead byte at the end", B({'A', 0x82}), {'A', 0x82}},
        {"lead byte before zero", B({0x82, 0, 'A'}), {0x82}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const J_String s(c.bytes);
        ASSERT_EQ(s.length(), static_cast<int>(c.codes.size()));
        for (std::size_t i = 0; i < c.codes.size(); ++i) EXPECT_EQ(s.charAt(static_cast<int>(i)), c.codes[i]);
        EXPECT_EQ(s.charAt(s.length()), 0);
        EXPECT_EQ(s.charAt(-1), 0);
    }
}

TEST(JString, ConstructsFromSlicesAndCText) {
    const std::vector<int8_t> bytes = B({'a', 'b', 'c', 'd'});
    EXPECT_EQ(J_String(bytes, 1, 2).getBytes(), B({'b', 'c'}));
    EXPECT_EQ(J_String(bytes, 2, 100).getBytes(), B({'c', 'd'}));
    EXPECT_TRUE(J_String(bytes, 1, -3).getBytes().empty());
    EXPECT_TRUE(J_String(bytes, 4, 1).getBytes().empty());
    EXPECT_TRUE(J_String(bytes, -1, 2).getBytes().empty());
    EXPECT_EQ(J_String("ab").getBytes(), B({'a', 'b'}));
    EXPECT_TRUE(J_String(static_cast<const char*>(nullptr)).getBytes().empty());
}

// Copies never share an array.
TEST(JString, IsAValueType) {
    const J_String a(B({'x', 'y'}));
    J_String b = a;
    b.mutableBytes()[0] = 'Z';
    b += static_cast<int8_t>('!');
    EXPECT_EQ(a.getBytes(), B({'x', 'y'}));
    EXPECT_EQ(b.getBytes(), B({'Z', 'y', '!'}));
}

TEST(JString, AppendsEveryKindOfRightHandSide) {
    const J_String ab00 = JS({'A', 'B', 0, 0});
    struct Case {
        const char* name;
        J_String result;
        std::vector<int8_t> expected;
    };
    auto with = [&](auto rhs) {
        J_String s = ab00;
        s += rhs;
        return s;
    };
    const Case cases[] = {
        {"J_String", with(J_String("C")), B({'A', 'B', 'C', 0, 0})},
        {"J_String with its own zeros", with(JS({'C', 0, 'D'})), B({'A', 'B', 'C', 0, 0, 0, 0})},
        {"C text", with("C"), B({'A', 'B', 'C', 0, 0})},
        {"system text", with(u8"ア"), B({'A', 'B', 0x83, 0x41, 0, 0})},
        {"int", with(-12), B({'A', 'B', '-', '1', '2', 0, 0})},
        {"64-bit", with(int64_t{10000000000}),
         B({'A', 'B', '1', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', 0, 0})},
        {"one-byte code", with(u'C'), B({'A', 'B', 'C', 0, 0})},
        {"two-byte code", with(char16_t{0x82A0}), B({'A', 'B', 0x82, 0xA0, 0, 0})},
        {"byte after the zeros", with(static_cast<int8_t>('C')), B({'A', 'B', 0, 0, 'C'})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result.getBytes(), c.expected);
    }
    EXPECT_EQ(with(static_cast<int8_t>('C')).length(), 2);

    J_String self("ab");
    self += self;
    EXPECT_EQ(self.getBytes(), B({'a', 'b', 'a', 'b'}));
}

TEST(JString, SearchesByCharacterNotByByte) {
    // "ソ" is 0x83 0x5C: its trail byte is a backslash.
    const J_String s = JS({0x83, 0x5C, '\\', 'a', '\\'});
    EXPECT_EQ(s.indexOf(static_cast<int8_t>('\\')), 1);
    EXPECT_EQ(s.indexOf(static_cast<int8_t>('\\'), 2), 3);
    EXPECT_EQ(s.indexOf(static_cast<int8_t>('\\'), 4), -1);
    EXPECT_EQ(s.indexOf("a\\"), 2);
    EXPECT_EQ(s.indexOf(JS({0x83, 0x5C})), 0);
    EXPECT_EQ(s.indexOf("zz"), -1);
    EXPECT_EQ(s.indexOf("", -5), 0);
    EXPECT_EQ(s.indexOf("a", -5), 2);

    EXPECT_TRUE(s.startsWith(JS({0x83, 0x5C, '\\'})));
    EXPECT_TRUE(s.startsWith(J_String("\\a"), 1));
    EXPECT_FALSE(s.startsWith(J_String("\\a\\\\"), 1));  // runs past the end
    EXPECT_FALSE(s.startsWith(J_String("\\"), -1));
}

TEST(JString, SubstringsStayInBounds) {
    const J_String s = JS({'a', 0x82, 0xA0, 'b', 0, 'c'});
    EXPECT_EQ(s._toIndex(2), 3u);
    EXPECT_EQ(s.substring(1, 3).getBytes(), B({0x82, 0xA0, 'b'}));
    EXPECT_EQ(s.substring(1).getBytes(), B({0x82, 0xA0, 'b', 0, 'c'}));  // to the end of the array
    EXPECT_EQ(s.substring(2, 99).getBytes(), B({'b', 0, 'c'}));
    EXPECT_TRUE(s.substring(3, 1).getBytes().empty());
    EXPECT_TRUE(s.substring(99).getBytes().empty());
    EXPECT_EQ(s.substring(-2, 1).getBytes(), B({'a'}));

    const J_String lone = JS({'a', 0x82});
    EXPECT_EQ(lone.substring(1).getBytes(), B({0x82}));
    EXPECT_EQ(lone._toIndex(5), 2u);

    const J_String big(std::vector<int8_t>(70000, 'x'));
    EXPECT_EQ(big.substring(1).getBytes().size(), static_cast<std::size_t>(J_String::kMaxTailBytes));
}

TEST(JString, TrimsBytesWithoutUnicodeRoundTrip) {
    // 0xED40 decodes to U+7E8A, which encodes back as 0xFA5C: trimming through
    // Unicode would change it. 0x82 0x20 is a (broken) two-byte character
    // whose trail byte must not be taken for a space.
    EXPECT_EQ(JS({' ', '\t', 0xED, 0x40, '\r', '\n'}).trim().getBytes(), B({0xED, 0x40}));
    EXPECT_EQ(JS({'a', 0x82, 0x20}).trim().getBytes(), B({'a', 0x82, 0x20}));
    EXPECT_EQ(JS({' ', 'a', ' ', 'b', ' ', 0, 'c'}).trim().getBytes(), B({'a', ' ', 'b'}));
    EXPECT_TRUE(JS({' ', '\t'}).trim().getBytes().empty());
    // The full-width space is text, not white space.
    EXPECT_EQ(JS({0x81, 0x40, 'a'}).trim().getBytes(), B({0x81, 0x40, 'a'}));
}

TEST(JString, ConvertsSystemText) {
    const J_String eki(u8"駅ｱ");
    EXPECT_EQ(eki.getBytes(), B({0x89, 0x77, 0xB1}));
    EXPECT_EQ(J_String::fromUtf8("駅ｱ"), eki);
    EXPECT_EQ(eki.toUtf8(), "駅ｱ");
    EXPECT_EQ(eki.toCharArray(), u"駅ｱ");
    EXPECT_EQ(JS({'a', 'b', 0, 'c'}).toUtf8(), "ab");
    EXPECT_EQ(JS({'a', 'b', 0, 'c'})._toCP(), "ab");
    EXPECT_TRUE(J_String().toCharArray().empty());
    J_String s("x");
    s.appendUtf8("駅");
    EXPECT_EQ(s.getBytes(), B({'x', 0x89, 0x77}));
}

TEST(JString, ComparesLogicalText) {
    EXPECT_EQ(JS({'a', 'b', 0, 'x'}), J_String("ab"));
    EXPECT_NE(J_String("ab"), J_String("abc"));
    EXPECT_LT(J_String("ab"), J_String("abc"));
    EXPECT_LT(J_String("z"), JS({0x82, 0xA0}));  // unsigned bytes
    EXPECT_GT(J_String("b"), J_String("abc"));
}

}  // namespace
}  // namespace tetsuro
