#include <gtest/gtest.h>

#include "support/connector.h"
#include "support/data_paths.h"
#include "support/errors.h"
#include "support/file_bytes.h"
#include "temp_folder.h"

namespace tetsuro {
namespace {

using testing::bytes;
using testing::pattern;
using testing::readFile;
using testing::writeFile;

class ConnectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir / "res");
        Connector::setResourceDir(dir / "res");
        // Deliberately missing: the first save creates it.
        Connector::setDataDir(dir / "data/nested");
    }
    void TearDown() override {
        Connector::setResourceDir("");
        Connector::setDataDir("");
    }
    testing::TempFolder dir;
};

TEST_F(ConnectorTest, ResourceAddressesReadFromTheResourceFolder) {
    writeFile(dir / "res/a.bin", bytes({0, 0, 1, 2, 7}));
    InputStream raw = Connector::openInputStream("resource:///a.bin");
    EXPECT_EQ(raw._getPtr(), bytes({0, 0, 1, 2, 7}));
    DataInputStream in = Connector::openDataInputStream("resource:///a.bin");
    EXPECT_EQ(in.readInt(), 258);
    EXPECT_EQ(VelJLib::readFileBytes("resource:///a.bin"), bytes({0, 0, 1, 2, 7}));
    // Plain paths are taken as they are.
    EXPECT_EQ(VelJLib::readFileBytes(dir / "res/a.bin"), bytes({0, 0, 1, 2, 7}));

    EXPECT_THROW(Connector::openInputStream("resource:///none.bin"), IOException);
    EXPECT_THROW(Connector::openDataInputStream("resource:///none.bin"), FileNotFoundException);
    EXPECT_THROW(VelJLib::readFileBytes("resource:///none.bin"), FileNotFoundException);
}

// Whole files of any size, not stitched together from fixed-size pieces.
TEST_F(ConnectorTest, ReadFileBytesReadsWholeFiles) {
    for (std::size_t n : {std::size_t{0}, std::size_t{65536}, std::size_t{65537}, std::size_t{300001}}) {
        auto content = pattern(n);
        writeFile(dir / "res/f.bin", content);
        EXPECT_EQ(VelJLib::readFileBytes("resource:///f.bin"), content) << n;
    }
}

TEST_F(ConnectorTest, ScratchPadRoundTripKeepsPreviousSave) {
    const char* addr = "scratchpad:///0;pos=3";
    EXPECT_EQ(Connector::openDataInputStream_savedata(addr), nullptr);  // nothing saved yet

    for (int value : {111, 222}) {
        std::string message;
        auto out = Connector::openDataOutputStream(addr, &message);
        ASSERT_NE(out, nullptr) << message;
        out->writeInt(value);
        out->writeShort(0x1234);
        EXPECT_TRUE(out->close()) << out->error();
    }
    const std::string file = dir / "data/nested/savedata_3.bin";
    EXPECT_EQ(readFile(file), bytes({0, 0, 0, 222, 0x12, 0x34}));
    EXPECT_EQ(readFile(file + ".bak"), bytes({0, 0, 0, 111, 0x12, 0x34}));

    auto in = Connector::openDataInputStream_savedata(addr);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->readInt(), 222);
    EXPECT_EQ(in->readShort(), 0x1234);

    // A save dropped without close() publishes nothing.
    {
        auto out = Connector::openDataOutputStream(addr);
        ASSERT_NE(out, nullptr);
        out->writeInt(333);
    }
    EXPECT_EQ(readFile(file), bytes({0, 0, 0, 222, 0x12, 0x34}));
}

TEST_F(ConnectorTest, PositionsThatLeaveTheDataFolderAreRefused) {
    writeFile(dir / "outside.bin", bytes({1}));
    writeFile(dir / "savedata_x.bin", bytes({1}));
    for (const char* pos : {"../outside", "/tmp/x", "a/b", "..", "", "x\\y", "1.2", "../savedata_x"}) {
        std::string addr = std::string("scratchpad:///0;pos=") + pos;
        EXPECT_EQ(Connector::openDataInputStream_savedata(addr), nullptr) << pos;
        std::string message;
        EXPECT_EQ(Connector::openDataOutputStream(addr, &message), nullptr) << pos;
        EXPECT_FALSE(message.empty()) << pos;
    }
    EXPECT_EQ(Connector::openDataInputStream_savedata("resource:///savedata_1.bin"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir / "data"));  // nothing was created
}

TEST_F(ConnectorTest, UncreatableSaveIsReportedNotSwallowed) {
    writeFile(dir / "file", bytes({1}));
    Connector::setDataDir(dir / "file/saves");  // under a regular file
    std::string message;
    EXPECT_EQ(Connector::openDataOutputStream("scratchpad:///0;pos=7", &message), nullptr);
    const std::string head = "ファイル savedata_7.bin のオープンに失敗しました\nErrNo=";
    ASSERT_EQ(message.substr(0, head.size()), head) << message;
    EXPECT_NE(message.substr(head.size(), 2), "0\n") << message;  // the system's number

    // The stream opens, but publishing fails (the name is taken by a folder):
    // close() says so.
    Connector::setDataDir(dir.str());
    std::filesystem::create_directories(dir / "savedata_8.bin");
    auto out = Connector::openDataOutputStream("scratchpad:///0;pos=8", &message);
    ASSERT_NE(out, nullptr) << message;
    out->writeInt(1);
    EXPECT_FALSE(out->close());
    EXPECT_FALSE(out->error().empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "savedata_8.bin"));
}

TEST(DataPaths, DefaultsFollowTheEnvironment) {
    EXPECT_EQ(dataDirFrom("/x/data", "/home/u"), "/x/data/tetsuro");
    EXPECT_EQ(dataDirFrom("relative", "/home/u"), "/home/u/.local/share/tetsuro");
    EXPECT_EQ(dataDirFrom(nullptr, "/home/u/"), "/home/u/.local/share/tetsuro");
    EXPECT_EQ(dataDirFrom("", ""), "tetsuro-data");
    EXPECT_EQ(resourceDirFor("/opt/tetsuro/bin/tetsuro"), "/opt/tetsuro/bin/resource");
    EXPECT_EQ(resourceDirFor(""), "resource");
    // The test program itself is found, so its resource folder sits beside it.
    EXPECT_EQ(defaultResourceDir().substr(0, 1), "/");
}

}  // namespace
}  // namespace tetsuro
