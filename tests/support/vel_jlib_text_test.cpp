#include "support/vel_jlib_text.h"

#include "support/errors.h"
#include "support/shift_jis.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace tetsuro {
namespace {

using namespace VelJLib;

std::vector<int8_t> B(std::initializer_list<int> values) {
    std::vector<int8_t> out;
    for (int v : values) out.push_back(static_cast<int8_t>(v));
    return out;
}

std::vector<int8_t> bytesOf(std::string_view s) { return std::vector<int8_t>(s.begin(), s.end()); }

std::vector<std::string> texts(const std::vector<J_String>& lines) {
    std::vector<std::string> out;
    for (const J_String& l : lines) out.push_back(l._toCP());
    return out;
}

using Lines = std::vector<std::string>;

TEST(VelJLibText, SplitsLinesUpToTheFirstEmptyOne) {
    struct Case {
        const char* input;
        Lines lines;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\nb\n", {"a", "b"}},
        {"one\ntwo\n\nfour\n", {"one", "two"}},  // the third line is empty
        {"a\r\rb", {"a"}},                       // CR CR: the second CR starts an empty line
        {"a\n\rb", {"a"}},                       // LF CR likewise
        {"\nb", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(texts(BytesToJStringArray(bytesOf(c.input))), c.lines);
    }
    EXPECT_EQ(BytesToStringArray(B({0x89, 0x77, '\r', '\n', 0xB1})), (Lines{"駅", "ｱ"}));
}

TEST(VelJLibText, SplitsAtWholeCharactersOnly) {
    const auto pieces = split(J_String("a\t\tb"), '\t');
    EXPECT_EQ(texts(pieces), (Lines{"a", "", "b"}));
    EXPECT_EQ(countChar(J_String("a\t\tb"), '\t'), 2);
    EXPECT_EQ(texts(split(J_String(""), '\t')), (Lines{""}));
    EXPECT_EQ(texts(split(J_String("\t"), '\t')), (Lines{"", ""}));

    // "ソ" is 0x83 0x5C: its trail byte must not split the text.
    const J_String so(B({0x83, 0x5C, '\\', 'x'}));
    EXPECT_EQ(countChar(so, '\\'), 1);
    const auto parts = split(so, '\\');
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].getBytes(), B({0x83, 0x5C}));
    EXPECT_EQ(parts[1].getBytes(), B({'x'}));
}

TEST(VelJLibText, ParsesTabSeparatedNumbers) {
    EXPECT_EQ(StringToArray(J_String("1\t 22 \t-3")), (std::vector<int32_t>{1, 22, -3}));
    EXPECT_EQ(StringToArrayf(J_String("1.5\t-0.25\t3")), (std::vector<float>{1.5f, -0.25f, 3.0f}));
    EXPECT_THROW(StringToArray(J_String("a\t\tb")), NumberFormatException);
    EXPECT_THROW(StringToArray(J_String("1\t\t2")), NumberFormatException);
    EXPECT_THROW(StringToArrayf(J_String("1.5\tx")), NumberFormatException);
    EXPECT_EQ(parseInt(std::vector<J_String>{J_String(" 7"), J_String("8 ")}), (std::vector<int32_t>{7, 8}));
    EXPECT_EQ(parseFloat(std::vector<J_String>{J_String("0.5")}), (std::vector<float>{0.5f}));
}

TEST(VelJLibText, MeasuresAndComparesByteRuns) {
    const std::vector<int8_t> s = B({'a', 'b', 'c', 0, 'd'});
    EXPECT_EQ(m_strlen(s, 0, 10), 3);
    EXPECT_EQ(m_strlen(s, 0, 2), 2);
    EXPECT_EQ(m_strlen(s, 4, 10), 1);  // end of the array
    EXPECT_EQ(m_strlen(s, 5, 10), 0);
    EXPECT_EQ(m_strlen(s, -1, 10), 0);

    struct Case {
        std::vector<int8_t> a;
        int ia;
        std::vector<int8_t> b;
        int ib;
        int count;
        int expected;
    };
    const Case cases[] = {
        {B({'a', 'b'}), 0, B({'a', 'c'}), 0, 5, -1},
        {B({'x', 'a', 'c'}), 1, B({'a', 'b'}), 0, 5, 1},
        {B({'a', 'b', 'x'}), 0, B({'a', 'b', 'y'}), 0, 2, 0},        // count reached
        {B({'a', 0, 'x'}), 0, B({'a', 0, 'y'}), 0, 5, 0},            // shared zero
        {B({0x90}), 0, B({'a'}), 0, 1, -1},                          // signed bytes
        {B({'a'}), 0, B({'a', 0}), 0, 5, 0},                         // a ends, b has zero
        {B({'a'}), 0, B({'a', 'b'}), 0, 5, -1},                      // b is longer
        {B({'a', 'b'}), 0, B({'a'}), 0, 5, 1},
        {B({'a'}), 0, B({'a'}), 0, 5, 0},                            // both end together
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_strncmp(c.a, c.ia, c.b, c.ib, c.count), c.expected);
    }
}

TEST(VelJLibText, CopiesNamesIntoFixedFields) {
    const std::string name5 = "Tokyo";
    const std::string name20 = "ABCDEFGHIJKLMNOPQRST";
    {
        std::vector<int8_t> rec(60, 'z');
        EXPECT_EQ(toByteAryNull(rec, 36, J_String(name5.c_str()), 18), 5);
        EXPECT_EQ(rec[40], 'o');
        EXPECT_EQ(rec[41], 0);
        EXPECT_EQ(rec[42], 'z');
    }
    {
        std::vector<int8_t> rec(60, 'z');
        EXPECT_EQ(toByteAryNull(rec, 36, J_String(name20.c_str()), 18), 18);
        EXPECT_EQ(rec[53], 'R');
        EXPECT_EQ(rec[54], 'z');  // no terminator outside the field
    }
    {
        std::vector<int8_t> rec(60, 'z');
        EXPECT_EQ(toByteAryNull(rec, 36, std::string_view(name20), 18), 18);
        EXPECT_EQ(rec[52], 'Q');
        EXPECT_EQ(rec[53], 0);
        EXPECT_EQ(rec[54], 'z');
    }
    {
        // The limit falls inside 駅: copy one byte less rather than half of it.
        std::vector<int8_t> rec(8, 'z');
        EXPECT_EQ(toByteAryNull(rec, 0, J_String(B({'a', 'b', 0x89, 0x77})), 3), 2);
        EXPECT_EQ(rec, B({'a', 'b', 0, 'z', 'z', 'z', 'z', 'z'}));
        EXPECT_EQ(toByteAry(rec, 0, std::string_view("ab駅"), 4), 3);
        EXPECT_EQ(rec, B({'a', 'b', 0, 'z', 'z', 'z', 'z', 'z'}));
    }
    {
        // Never outside the destination.
        std::vector<int8_t> rec(4, 'z');
        EXPECT_EQ(toByteAryNull(rec, 2, J_String("abcdef"), 18), 2);
        EXPECT_EQ(rec, B({'z', 'z', 'a', 'b'}));
        EXPECT_EQ(toByteAryNull(rec, 2, std::string_view("abcdef"), 18), 2);
        EXPECT_EQ(rec, B({'z', 'z', 'a', 0}));
        EXPECT_EQ(toByteAry(rec, 9, J_String("a"), 5), 0);
        EXPECT_EQ(toByteAry(rec, -1, std::string_view("a"), 5), 0);
    }
}

TEST(VelJLibText, DigitHelpers) {
    struct Keta {
        int64_t n;
        int digits;
    };
    const Keta keta[] = {{0, 1},
                         {9, 1},
                         {10, 2},
                         {-123, 3},
                         {99'999'999'999, 11},
                         {100'000'000'000, 12},
                         {1'000'000'000'000'000, 12},
                         {std::numeric_limits<int64_t>::min(), 12}};
    for (const Keta& k : keta) EXPECT_EQ(getKeta(k.n), k.digits) << k.n;

    EXPECT_EQ(getNumKeta(9876, 0), 6);
    EXPECT_EQ(getNumKeta(9876, 3), 9);
    EXPECT_EQ(getNumKeta(9876, 4), 0);
    EXPECT_EQ(getNumKeta(-9876, 1), 7);
    EXPECT_EQ(toUnsigned(static_cast<int8_t>(-1)), 255);

    EXPECT_EQ(IntToString(42, 5, ' ')._toCP(), "   42");
    EXPECT_EQ(IntToString(-42, 5, '0')._toCP(), "00-42");
    EXPECT_EQ(IntToString(123456, 3, ' ')._toCP(), "123456");

    EXPECT_EQ(NumToZen(0).getBytes(), B({0x82, 0x4F}));
    EXPECT_EQ(NumToZen(8).getBytes(), B({0x82, 0x57}));
    EXPECT_EQ(NumToZen(9), NumToZen(-1));
    EXPECT_EQ(NumToZen(9), NumToZen(12));
    EXPECT_EQ(IntToStringZ(45, 4, SJ(u8"　")).toUtf8(), "　　４５");
    EXPECT_EQ(IntToStringZ(-7, 3, J_String(" ")).toUtf8(), " －７");
    EXPECT_EQ(IntToStringZ(1'234'567'890'123, 2, J_String(" ")).toUtf8(), "１２３４５６７８９０１２３");
}

TEST(VelJLibText, WidthFollowsTheCodePage932ByteLength) {
    struct Case {
        char16_t c;
        bool half;
    };
    const Case cases[] = {
        {u'A', true},    {u'\\', true},   {u'~', true},     {u'ｱ', true},      {u'ﾟ', true},
        {u'×', false},   {u'°', false},   {u'±', false},    {u'￥', false},    {u'あ', false},
        {u'Ａ', false},  {u'～', false},  {char16_t{0xD83D}, true},  // lone surrogate: '?'
    };
    for (const Case& c : cases) EXPECT_EQ(isHankaku(c.c), c.half) << std::hex << int(c.c);
    EXPECT_EQ(getWidth(u"Aあ×ｱ", 12), 6 + 12 + 12 + 6);
    EXPECT_EQ(getWidth(u"", 12), 0);
    EXPECT_EQ(getWidth(J_String(B({'A', 0x82, 0xA0, 0, 'x'})), 12), 18);
}

}  // namespace
}  // namespace tetsuro
