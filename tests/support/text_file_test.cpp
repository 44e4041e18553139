#include "support/text_file.h"

#include <gtest/gtest.h>

#include "support/connector.h"
#include "support/errors.h"
#include "temp_folder.h"

namespace tetsuro {

TEST(TextFile, ResourceTablesStopAtTheFirstBlankLine) {
    testing::TempFolder dir;
    Connector::setResourceDir(dir.str());
    testing::writeFile(dir / "t.txt", [] {
        std::string s = "1\t2\t 3\r\n-4\t5\n\n99\n";
        return std::vector<int8_t>(s.begin(), s.end());
    }());
    EXPECT_EQ(VelJLib::readFileArray("resource:///t.txt"), (std::vector<int32_t>{1, 2, 3, -4, 5}));
    auto jag = VelJLib::readFileJag("resource:///t.txt");
    ASSERT_EQ(jag.size(), 2u);
    EXPECT_EQ(jag[1], (std::vector<int32_t>{-4, 5}));
    EXPECT_EQ(VelJLib::readFileText(dir / "t.txt").size(), 2u);
    Connector::setResourceDir("");
}

TEST(TextFile, MissingFilesAndBadNumbersAreErrorsTheCallerCanCatch) {
    testing::TempFolder dir;
    EXPECT_THROW(VelJLib::readFileArray(dir / "none.txt"), FileNotFoundException);
    testing::writeFile(dir / "bad.txt", testing::bytes({'1', '\t', '\t', '2', '\n'}));
    EXPECT_THROW(VelJLib::readFileJag(dir / "bad.txt"), NumberFormatException);
    testing::writeFile(dir / "f.txt", testing::bytes({'1', '.', '5', '\t', '-', '2', '\n'}));
    EXPECT_EQ(VelJLib::readFileJagf(dir / "f.txt")[0], (std::vector<float>{1.5f, -2.0f}));
}

}  // namespace tetsuro
