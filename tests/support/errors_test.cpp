#include "support/errors.h"

#include <gtest/gtest.h>

namespace tetsuro {

// An input/output handler must also catch the end of the data.
TEST(Errors, EndOfFileAndMissingFileAreInputOutputErrors) {
    auto caught = [](auto thrower) {
        try {
            thrower();
        } catch (const IOException&) {
            return true;
        } catch (...) {
        }
        return false;
    };
    EXPECT_TRUE(caught([] { throw EOFException("end"); }));
    EXPECT_TRUE(caught([] { throw FileNotFoundException("missing"); }));
    EXPECT_FALSE(caught([] { throw NumberFormatException("x"); }));
}

}  // namespace tetsuro
