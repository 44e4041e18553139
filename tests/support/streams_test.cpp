#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "support/data_input_stream.h"
#include "support/data_output_stream.h"
#include "support/errors.h"
#include "support/input_stream.h"
#include "temp_folder.h"

namespace tetsuro {
namespace {

using testing::bytes;
using testing::pattern;
using Bytes = std::vector<std::int8_t>;

// A file that hands out its content in chunks of one to three bytes, is
// interrupted before every other chunk, misreports its size, and can fail
// after a given number of bytes: what a pipe or a slow device may do.
class TrickleFile : public os::File {
public:
    explicit TrickleFile(Bytes content, std::size_t failAt = SIZE_MAX)
        : content_(std::move(content)), failAt_(failAt) {}

    os::Transfer readSome(void* dst, std::size_t len) override {
        os::Transfer t;
        ++calls;
        if (calls % 2 == 0) {
            t.interrupted = true;
            return t;
        }
        if (pos_ >= failAt_) {
            t.failed = true;
            t.error = {5, "device error"};
            return t;
        }
        std::size_t n = std::min({len, static_cast<std::size_t>(1 + calls % 3), content_.size() - pos_, failAt_ - pos_});
        std::copy_n(content_.begin() + static_cast<std::ptrdiff_t>(pos_), n, static_cast<std::int8_t*>(dst));
        pos_ += n;
        t.count = n;
        return t;
    }
    os::Transfer writeSome(const void*, std::size_t) override { return {}; }
    bool sync(os::Error*) override { return true; }
    std::optional<std::uint64_t> size() override { return content_.size() / 3; }
    bool close(os::Error*) override { return true; }

    int calls = 0;

private:
    Bytes content_;
    std::size_t pos_ = 0;
    std::size_t failAt_;
};

InputStream trickle(Bytes content, std::size_t failAt = SIZE_MAX) {
    return InputStream(std::make_unique<TrickleFile>(std::move(content), failAt));
}

TEST(DataOutputStream, WritesBigEndianBytes) {
    struct Case {
        const char* what;
        std::function<void(DataOutputStream&)> write;
        Bytes expected;
    };
    const Case cases[] = {
        {"writeByte -1", [](auto& s) { s.writeByte(-1); }, bytes({0xFF})},
        {"writeByte keeps low 8 bits", [](auto& s) { s.writeByte(0x1A5); }, bytes({0xA5})},
        {"writeShort 0x1234", [](auto& s) { s.writeShort(0x1234); }, bytes({0x12, 0x34})},
        {"writeShort -2", [](auto& s) { s.writeShort(-2); }, bytes({0xFF, 0xFE})},
        {"writeInt 258", [](auto& s) { s.writeInt(258); }, bytes({0, 0, 1, 2})},
        {"writeInt min", [](auto& s) { s.writeInt(INT_MIN); }, bytes({0x80, 0, 0, 0})},
        {"writeLong", [](auto& s) { s.writeLong(0x0102030405060708LL); },
         bytes({1, 2, 3, 4, 5, 6, 7, 8})},
        {"writeLong -1", [](auto& s) { s.writeLong(-1); },
         bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"write int16 {1,-1}", [](auto& s) { s.write(std::vector<std::int16_t>{1, -1}); },
         bytes({0x00, 0x01, 0xFF, 0xFF})},
        {"write int16 slice", [](auto& s) { s.write(std::vector<std::int16_t>{1, 0x7F80, 3}, 1, 5); },
         bytes({0x7F, 0x80, 0x00, 0x03})},
    };
    for (const auto& c : cases) {
        DataOutputStream out;
        c.write(out);
        EXPECT_EQ(out.buffer(), c.expected) << c.what;
    }
}

// A stream without a file keeps every write, in order; out-of-range slices
// are cut to the array instead of reading past it.
TEST(OutputStream, BufferCollectsEverythingInOrder) {
    DataOutputStream out;
    out.writeByte(9);
    out.write(bytes({1, 2, 3, 4}), 1, 2);
    out.write(bytes({5, 6}), 1, 10);
    out.write(bytes({7}), 0, 0);
    out.write(bytes({7}), 5, 1);
    out.writeShort(0x0A0B);
    out.write(bytes({0x0C}));
    EXPECT_TRUE(out.close());
    EXPECT_EQ(out.buffer(), bytes({9, 2, 3, 6, 0x0A, 0x0B, 0x0C}));
}

TEST(DataInputStream, ReadsBigEndianValues) {
    DataInputStream in(ByteArrayInputStream(
        bytes({0, 0, 1, 2, 0xFF, 0xFE, 0xFF, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 1})));
    EXPECT_EQ(in.readInt(), 258);
    EXPECT_EQ(in.readShort(), -2);
    EXPECT_EQ(in.readByte(), -1);
    EXPECT_EQ(in.readUnsignedByte(), 255);
    EXPECT_EQ(in.readLong(), INT64_MIN + 1);
}

TEST(DataStreams, RoundTripOfExtremes) {
    DataOutputStream out;
    out.writeByte(-128);
    out.writeShort(-32768);
    out.writeShort(32767);
    out.writeInt(INT_MIN);
    out.writeInt(INT_MAX);
    out.writeLong(INT64_MIN);
    out.writeLong(INT64_MAX);
    out.write(std::vector<std::int16_t>{-1, 0x1234});
    DataInputStream in(ByteArrayInputStream(out.buffer()));
    EXPECT_EQ(in.readByte(), -128);
    EXPECT_EQ(in.readShort(), -32768);
    EXPECT_EQ(in.readShort(), 32767);
    EXPECT_EQ(in.readInt(), INT_MIN);
    EXPECT_EQ(in.readInt(), INT_MAX);
    EXPECT_EQ(in.readLong(), INT64_MIN);
    EXPECT_EQ(in.readLong(), INT64_MAX);
    std::vector<std::int16_t> dt(2);
    EXPECT_EQ(in.read(dt), 4);
    EXPECT_EQ(dt, (std::vector<std::int16_t>{-1, 0x1234}));
}

// A value cut short by the end of the data is an error, never a value
// assembled from stale bytes; handlers of input/output errors catch it.
TEST(DataInputStream, ShortReadRaisesEndOfFile) {
    struct Case {
        const char* what;
        Bytes data;
        std::function<void(DataInputStream&)> read;
    };
    const Case cases[] = {
        {"readByte on nothing", {}, [](auto& s) { s.readByte(); }},
        {"readShort on 1 byte", bytes({1}), [](auto& s) { s.readShort(); }},
        {"readInt on 3 bytes", bytes({1, 2, 3}), [](auto& s) { s.readInt(); }},
        {"readLong on 7 bytes", bytes({1, 2, 3, 4, 5, 6, 7}), [](auto& s) { s.readLong(); }},
        {"readFully 4 of 3", bytes({1, 2, 3}), [](auto& s) { Bytes b(4); s.readFully(b); }},
    };
    for (const auto& c : cases) {
        for (bool fromFile : {false, true}) {
            DataInputStream in(fromFile ? trickle(c.data) : ByteArrayInputStream(c.data));
            bool eof = false;
            try {
                c.read(in);
            } catch (const IOException& e) {
                eof = dynamic_cast<const EOFException*>(&e) != nullptr;
            }
            EXPECT_TRUE(eof) << c.what << (fromFile ? " (file)" : " (array)");
        }
    }
}

// Reads arriving a few bytes at a time, with interruptions, still give whole
// values, including a read larger than the stream's read-ahead.
TEST(InputStream, PartialReadsAreCompleted) {
    DataOutputStream out;
    out.writeInt(0x11223344);
    out.writeLong(-5);
    out.writeShort(0x7EEF);
    Bytes big = pattern(100000);
    out.write(big);
    out.writeInt(77);
    Bytes tail = pattern(5000);
    out.write(tail);

    auto file = std::make_unique<TrickleFile>(out.buffer());
    TrickleFile* raw = file.get();
    DataInputStream in{InputStream(std::move(file))};
    EXPECT_EQ(in.readInt(), 0x11223344);
    EXPECT_EQ(in.readLong(), -5);
    EXPECT_EQ(in.readShort(), 0x7EEF);
    Bytes got(big.size());
    in.readFully(got);
    EXPECT_EQ(got, big);
    EXPECT_EQ(in.readInt(), 77);
    EXPECT_GT(raw->calls, 1000);  // really came in small pieces
    // The rest, although the file understates its size.
    EXPECT_EQ(in._getPtr(), tail);
    EXPECT_EQ(in._read(got.data(), 10), 0);
}

TEST(InputStream, FailingReadRaisesIOException) {
    DataInputStream in(trickle(pattern(100), 10));
    Bytes buf(50);
    EXPECT_THROW(in.readFully(buf), IOException);
    DataInputStream whole(trickle(pattern(100), 60));
    EXPECT_THROW(whole._getPtr(), IOException);
}

TEST(InputStream, ArrayStreamsAndMissingSources) {
    struct Case {
        int offset, length;
        Bytes expected;
    };
    const Bytes src = bytes({1, 2, 3, 4, 5});
    const Case cases[] = {
        {1, 3, bytes({2, 3, 4})}, {3, 10, bytes({4, 5})}, {-2, 2, bytes({1, 2})},
        {9, 2, {}},               {2, -1, {}},
    };
    for (const auto& c : cases) {
        ByteArrayInputStream in(src, c.offset, c.length);
        EXPECT_EQ(in._getPtr(), c.expected) << c.offset << "," << c.length;
    }

    // read() stops at the end and then returns 0; 16-bit reads keep only whole pairs.
    ByteArrayInputStream in(bytes({0, 1, 0xFF, 0xFF, 0x7F}));
    std::vector<std::int16_t> dt{9, 9, 9};
    EXPECT_EQ(in.read(dt), 5);
    EXPECT_EQ(dt, (std::vector<std::int16_t>{1, -1, 9}));
    Bytes b(4);
    EXPECT_EQ(in.read(b), 0);
    Bytes none;
    EXPECT_EQ(in.read(none), 0);

    InputStream empty;
    EXPECT_THROW(empty.read(b), IOException);
    InputStream closed = trickle(pattern(10));
    closed.close();
    EXPECT_THROW(closed.read(b), IOException);
}

TEST(FileInputStream, ReadsRealFilesAndRefusesMissingOnes) {
    testing::TempFolder dir;
    Bytes content = pattern(70000);
    testing::writeFile(dir / "a.bin", content);

    FileInputStream in(dir / "a.bin");
    Bytes head(3);
    EXPECT_EQ(in.read(head), 3);
    const Bytes& rest = in._getPtr();
    EXPECT_EQ(rest, Bytes(content.begin() + 3, content.end()));
    EXPECT_EQ(&in._getPtr(), &rest);  // later calls give the same array

    EXPECT_THROW(FileInputStream(dir / "missing.bin"), FileNotFoundException);
    EXPECT_THROW(FileInputStream(dir.str()), FileNotFoundException);  // a folder
}

}  // namespace
}  // namespace tetsuro
