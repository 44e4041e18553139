#include "city/money_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tetsuro {
namespace {

// One buffer for the whole table, longest text first: a shorter text
// written over a longer one must leave nothing of it behind.
TEST(MoneyFormat, CommasSignAndWidth) {
    struct Case {
        int64_t n;
        int32_t width;
        const char* text;
    };
    const Case cases[] = {
        {std::numeric_limits<int64_t>::min(), 0, "-9,223,372,036,854,775,808"},
        {std::numeric_limits<int64_t>::max(), 30, "     9,223,372,036,854,775,807"},
        {-1234, 8, "  -1,234"},
        {1234567, 3, "1,234,567"},  // narrower than the text: no blanks, no cut
        {1000, 0, "1,000"},
        {999, 0, "999"},
        {-999, 4, "-999"},
        {-1, 3, " -1"},
        {0, 0, "0"},
        {0, -5, "0"},
        {5, 1, "5"},
    };
    J_String buffer;
    for (const auto& c : cases) {
        LongToFundJString(buffer, c.n, c.width);
        EXPECT_EQ(buffer.toUtf8(), c.text) << c.n << " at width " << c.width;
        EXPECT_EQ(buffer.getBytes().size(), std::string(c.text).size()) << c.n;
    }
    EXPECT_EQ(LongToFundString(-1234, 8).toUtf8(), "  -1,234");
}

}  // namespace
}  // namespace tetsuro
