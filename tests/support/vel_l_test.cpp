#include "support/vel_l.h"

#include <gtest/gtest.h>

#include <limits>

namespace tetsuro {
namespace {

TEST(VelL, SwapHighLowReversesEveryByte) {
    EXPECT_EQ(VelL::swapHighLow(std::int16_t{0x1234}), std::int16_t{0x3412});
    EXPECT_EQ(VelL::swapHighLow(std::int16_t{-2}), std::int16_t{-257});  // FF FE -> FE FF
    EXPECT_EQ(VelL::swapHighLow(std::uint16_t{0x00FF}), std::uint16_t{0xFF00});
    EXPECT_EQ(VelL::swapHighLow(std::int32_t{0x12345678}), std::int32_t{0x78563412});
    EXPECT_EQ(VelL::swapHighLow(std::uint32_t{0x000000F1u}), std::uint32_t{0xF1000000u});
    EXPECT_EQ(VelL::swapHighLow(std::int64_t{0x0102030405060708}), std::int64_t{0x0807060504030201});
    EXPECT_EQ(VelL::swapHighLow(std::uint64_t{0xF0}), std::uint64_t{0xF000000000000000u});
    static_assert(VelL::swapHighLow(VelL::swapHighLow(std::int32_t{-123456})) == -123456);
}

TEST(VelL, PowersOfTwo) {
    const std::pair<int, std::int64_t> pow2[] = {
        {-3, 1}, {0, 1}, {1, 2}, {10, 1024}, {31, std::int64_t{1} << 31}, {62, std::int64_t{1} << 62},
        {63, std::numeric_limits<std::int64_t>::max()},
    };
    for (const auto& [n, want] : pow2) EXPECT_EQ(VelL::pow_2(n), want) << n;

    const std::pair<std::int32_t, std::int64_t> toPow2[] = {
        {-5, 0},     {0, 0},       {1, 1},          {2, 2},
        {3, 4},      {640, 1024},  {1024, 1024},    {1025, 2048},
        {(1 << 30) + 1, std::int64_t{1} << 31},     {std::numeric_limits<std::int32_t>::max(), std::int64_t{1} << 31},
    };
    for (const auto& [v, want] : toPow2) EXPECT_EQ(VelL::toPow2(v), want) << v;
}

}  // namespace
}  // namespace tetsuro
