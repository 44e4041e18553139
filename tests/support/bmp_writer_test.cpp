#include "support/bmp_writer.h"

#include <gtest/gtest.h>

#include "support/bmp.h"
#include "temp_folder.h"

namespace tetsuro {
namespace {

uint32_t field32(const std::vector<int8_t>& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + size_t(i)]);
    return v;
}

// Odd widths make every row need padding, so a stride or row-order mistake
// shows up as shifted pixels.
TEST(BmpWriterTest, EightBitReadsBackPixelForPixel) {
    const std::vector<int32_t> palette{0x000000, 0x102030, 0xFFEEDD, 0x0000FF, 0x808080};
    const int w = 5, h = 3;
    std::vector<uint8_t> idx(w * h);
    for (int i = 0; i < w * h; ++i) idx[size_t(i)] = uint8_t((i * 3 + i / w) % palette.size());
    std::vector<int8_t> bytes = encodeBmp8(w, h, palette, idx);
    BMP b(bytes);
    ASSERT_TRUE(b.isValid()) << b.error();
    EXPECT_EQ(b.getWidth(), w);
    EXPECT_EQ(b.getHeight(), h);  // positive: rows stored bottom up
    EXPECT_EQ(b.getBitsPixel(), 8);
    EXPECT_EQ(b.getClrUsed(), 5);
    EXPECT_EQ(b.getBitsIndex(), 54 + 4 * 5);  // palette right after the header
    EXPECT_EQ(field32(bytes, 14), 40u);
    EXPECT_EQ(field32(bytes, 2), bytes.size());
    EXPECT_EQ(bytes.size(), 54u + 20u + 8u * 3u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(b.getPalette(i), palette[size_t(i)]);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) EXPECT_EQ(b.getPixel(x, y), palette[idx[size_t(y * w + x)]]) << x << "," << y;
}

TEST(BmpWriterTest, TwentyFourBitReadsBackPixelForPixel) {
    const int w = 3, h = 2;
    const std::vector<int32_t> px{0x010203, 0xFF0000, 0x00FF00, 0x0000FF, 0xABCDEF, 0x000001};
    std::vector<int8_t> bytes = encodeBmp24(w, h, px);
    BMP b(bytes);
    ASSERT_TRUE(b.isValid()) << b.error();
    EXPECT_EQ(b.getBitsPixel(), 24);
    EXPECT_EQ(b.getBitsIndex(), 54);
    EXPECT_EQ(bytes.size(), 54u + 12u * 2u);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) EXPECT_EQ(b.getPixel(x, y), px[size_t(y * w + x)]) << x << "," << y;
}

TEST(BmpWriterTest, RefusesWhatItCannotWriteFaithfully) {
    const std::vector<int32_t> two{0, 0xFFFFFF};
    const std::vector<int32_t> big(257, 0x111111);
    const std::vector<uint8_t> four{0, 1, 1, 0};
    struct Case {
        const char* what;
        std::vector<int8_t> bytes;
    } cases[] = {
        {"zero width", encodeBmp8(0, 4, two, {})},
        {"negative height", encodeBmp8(2, -2, two, four)},
        {"too few indices", encodeBmp8(3, 2, two, four)},
        {"empty palette", encodeBmp8(2, 2, {}, four)},
        {"palette over 256", encodeBmp8(2, 2, big, four)},
        {"index beyond palette", encodeBmp8(2, 2, two, std::vector<uint8_t>{0, 1, 2, 0})},
        {"24-bit count mismatch", encodeBmp24(2, 2, two)},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.bytes.empty()) << c.what;
}

TEST(BmpWriterTest, WritesFileOrReportsWithoutLeavingDebris) {
    testing::TempFolder dir;
    const std::vector<int32_t> pal{0x000000, 0x336699};
    std::vector<int8_t> bytes = encodeBmp8(2, 2, pal, std::vector<uint8_t>{0, 1, 1, 0});
    std::string err;
    ASSERT_TRUE(writeBmpFile(dir / "t.bmp", bytes, &err)) << err;
    EXPECT_EQ(testing::readFile(dir / "t.bmp"), bytes);
    EXPECT_EQ(dir.list(), (std::set<std::string>{"t.bmp"}));

    EXPECT_FALSE(writeBmpFile(dir / "missing/t.bmp", bytes, &err));
    EXPECT_FALSE(err.empty());
    err.clear();
    EXPECT_FALSE(writeBmpFile(dir / "null.bmp", {}, &err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(dir.list(), (std::set<std::string>{"t.bmp"}));
}

}  // namespace
}  // namespace tetsuro
