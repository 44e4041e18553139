#include <gtest/gtest.h>

#include <filesystem>

#include "support/atomic_file.h"
#include "temp_folder.h"

namespace tetsuro {
namespace {

using testing::bytes;
using testing::pattern;
using testing::readFile;
using testing::writeFile;
using Names = std::set<std::string>;

TEST(AtomicFileWriter, CommitReplacesContentAndKeepsBackup) {
    testing::TempFolder dir;
    const std::string target = dir / "save.bin";
    const auto old = bytes({1, 2, 3});
    writeFile(target, old);
    // Larger than the writer's own buffer, so several checked writes happen.
    const auto fresh = pattern(200000);
    {
        AtomicFileWriter w(target, /*keepBackup=*/true);
        ASSERT_TRUE(w.ok()) << w.error();
        EXPECT_TRUE(w.write(fresh.data(), 100));
        EXPECT_TRUE(w.write(std::vector<std::int8_t>(fresh.begin() + 100, fresh.end())));
        EXPECT_EQ(readFile(target), old);  // nothing visible before commit
        CommitResult r = w.commit();
        EXPECT_TRUE(r.ok) << r.reason;
        EXPECT_TRUE(w.commit().ok);  // asking again repeats the answer
        EXPECT_FALSE(w.write(old));  // but no more writing
    }
    EXPECT_EQ(readFile(target), fresh);
    EXPECT_EQ(readFile(target + ".bak"), old);
    EXPECT_EQ(dir.list(), (Names{"save.bin", "save.bin.bak"}));

    // A second save rotates the backup; without keepBackup none is made.
    {
        AtomicFileWriter w(target, true);
        w.write(old);
        EXPECT_TRUE(w.commit().ok);
    }
    EXPECT_EQ(readFile(target), old);
    EXPECT_EQ(readFile(target + ".bak"), fresh);
    {
        AtomicFileWriter w(dir / "plain.bin");
        w.write(old);
        EXPECT_TRUE(w.commit().ok);
    }
    EXPECT_EQ(readFile(dir / "plain.bin"), old);
    EXPECT_EQ(dir.list(), (Names{"save.bin", "save.bin.bak", "plain.bin"}));
}

TEST(AtomicFileWriter, AbandonedWriteLeavesOldFileAlone) {
    testing::TempFolder dir;
    const std::string target = dir / "save.bin";
    const auto old = pattern(1000);
    writeFile(target, old);
    // A leftover temporary from an earlier crash is neither reused nor touched.
    writeFile(target + ".tmp", bytes({42}));
    {
        AtomicFileWriter w(target, true);
        ASSERT_TRUE(w.ok()) << w.error();
        w.write(pattern(300000));
    }
    {
        AtomicFileWriter w(target, true);
        w.write(bytes({9}));
        w.abandon();
        EXPECT_FALSE(w.commit().ok);
    }
    EXPECT_EQ(readFile(target), old);
    EXPECT_EQ(readFile(target + ".tmp"), bytes({42}));
    EXPECT_EQ(dir.list(), (Names{"save.bin", "save.bin.tmp"}));
}

TEST(AtomicFileWriter, FailuresAreReported) {
    testing::TempFolder dir;
    // The target's folder is a regular file: nothing can be created there
    // (even for root).
    writeFile(dir / "file", bytes({1}));
    {
        AtomicFileWriter w(dir / "file/save.bin");
        EXPECT_FALSE(w.ok());
        EXPECT_FALSE(w.write(bytes({1})));
        CommitResult r = w.commit();
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.reason.find("save.bin"), std::string::npos) << r.reason;
        EXPECT_NE(w.systemError().code, 0);
    }
    // The target is a folder: the final rename fails after all data was written.
    std::filesystem::create_directory(dir / "taken");
    {
        AtomicFileWriter w(dir / "taken", true);
        ASSERT_TRUE(w.ok()) << w.error();
        EXPECT_TRUE(w.write(bytes({1, 2})));
        CommitResult r = w.commit();
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.reason.empty());
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));
    EXPECT_EQ(dir.list(), (Names{"file", "taken"}));  // no temporary left behind
}

}  // namespace
}  // namespace tetsuro
