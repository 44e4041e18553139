#include "support/number_parse.h"

#include "support/errors.h"
#include "support/j_string.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace tetsuro {
namespace {

TEST(NumberParse, ParsesIntegers) {
    struct Case {
        const char* text;
        int radix;
        int32_t value;
    };
    const Case cases[] = {
        {"0", 10, 0},           {"42", 10, 42},        {"-42", 10, -42},     {" \t17\r\n", 10, 17},
        {"007", 10, 7},         {"2147483647", 10, 2147483647},
        {"-2147483648", 10, -2147483647 - 1},          {"ff", 16, 255},      {"-FF", 16, -255},
        {"101", 2, 5},          {"zz", 36, 1295},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Integer::parseInt(std::string_view(c.text), c.radix), c.value) << c.text;
    }
    EXPECT_EQ(Integer::parseInt(J_String("12\0" "34")), 12);  // logical text only
}

TEST(NumberParse, RejectsMalformedIntegers) {
    const char* bad[] = {"", "   ", "-", "1x", "x1", "--1", "+1", "-+1", "1 2", "1.0", "0x10",
                         "2147483648", "-2147483649", "99999999999999999999999", "\xEF\xBC\x91"};
    for (const char* text : bad) {
        EXPECT_THROW(Integer::parseInt(std::string_view(text)), NumberFormatException) << text;
    }
    EXPECT_THROW(Integer::parseInt(std::string_view("12"), 1), NumberFormatException);
    EXPECT_THROW(Integer::parseInt(std::string_view("12"), 37), NumberFormatException);
    EXPECT_THROW(Integer::parseInt(std::string_view("12"), 2), NumberFormatException);
    EXPECT_THROW(Integer::parseInt(J_String("")), NumberFormatException);
}

TEST(NumberParse, ParsesFloats) {
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {{"1.5", 1.5f},    {"-0.25", -0.25f}, {"3", 3.0f},   {".5", 0.5f},
                          {"2.", 2.0f},     {"1e3", 1000.0f},  {" 7.75 ", 7.75f}};
    for (const Case& c : cases) EXPECT_EQ(Float::parseFloat(std::string_view(c.text)), c.value) << c.text;

    const char* bad[] = {"", "-", ".", "1,5", "1.5x", "--1", "+1", "1e", "inf", "nan", "-inf", "1e50", "0x1p3"};
    for (const char* text : bad) {
        EXPECT_THROW(Float::parseFloat(std::string_view(text)), NumberFormatException) << text;
    }
}

// A decimal comma locale must not change what a resource file means.
TEST(NumberParse, IgnoresTheLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            comma = name;
            break;
        }
    }
    if (comma == nullptr) GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(Float::parseFloat(std::string_view("1.5")), 1.5f);
    EXPECT_THROW(Float::parseFloat(std::string_view("1,5")), NumberFormatException);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace tetsuro
