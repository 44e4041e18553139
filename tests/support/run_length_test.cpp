#include "support/run_length.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace tetsuro {
namespace {

using VelJLib::compressSB;
using VelJLib::compressSW;
using VelJLib::decompressSB;
using VelJLib::decompressSW;
using Bytes = std::vector<std::int8_t>;
using Words = std::vector<std::int16_t>;

template <class T>
std::vector<T> repeated(std::vector<T> head, std::size_t count, T v) {
    head.insert(head.end(), count, v);
    return head;
}

// The packed form is a file format: these must hold byte for byte.
TEST(RunLength, PacksTheFileFormatExactly) {
    struct Case {
        Bytes plain;
        Bytes packed;
    };
    const std::vector<Case> cases = {
        {{5, 7, 7, 7, 7, 2}, {5, 7, 7, 2, 2}},
        {{4, 4}, {4, 4}},
        {{1, 1, 1}, {1, 1, 1}},
        {repeated<std::int8_t>({9, 9}, 200, 9), {9, 9, 127, 73}},
        {repeated<std::int8_t>({9, 9}, 127, 9), {9, 9, 127}},          // ends on a multiple of L
        {repeated<std::int8_t>(repeated<std::int8_t>({}, 129, 9), 1, 3), {9, 9, 127, 0, 3}},
        {{2, 2, 2, 2, 2}, {2, 2, 3}},                                    // count equal to the value
        {{7, 7, 3, 3}, {7, 7, 0, 3, 3}},                                 // value after a count is fresh
        {{}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compressSB(c.plain), c.packed);
        EXPECT_EQ(decompressSB(c.packed), c.plain);
    }
    const Words run = repeated<std::int16_t>({-3}, 40002, 12);
    const Words packedRun = {-3, 12, 12, 32767, 7233};
    EXPECT_EQ(compressSW(run), packedRun);
    EXPECT_EQ(decompressSW(packedRun, run.size()), run);
}

// Random arrays built from runs of the lengths that sit on the format's
// edges, over a small alphabet that includes the count values 0 and L, so
// data values collide with counts as often as possible.
template <class T>
std::vector<T> randomRuns(std::mt19937& rng, const std::vector<std::size_t>& edgeRuns,
                          const std::vector<T>& alphabet) {
    std::vector<T> out;
    std::uniform_int_distribution<std::size_t> pickRun(0, edgeRuns.size() + 1);
    std::uniform_int_distribution<std::size_t> pickValue(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> shortRun(1, 6);
    const std::size_t segments = std::uniform_int_distribution<std::size_t>(0, 40)(rng);
    for (std::size_t s = 0; s < segments; ++s) {
        const std::size_t k = pickRun(rng);
        const std::size_t len = k < edgeRuns.size() ? edgeRuns[k] : shortRun(rng);
        out.insert(out.end(), len, alphabet[pickValue(rng)]);
    }
    return out;
}

TEST(RunLength, RoundTripsRunsOnTheLimitEdges8Bit) {
    std::mt19937 rng(1234);
    const std::vector<std::size_t> runs = {1, 2, 3, 126, 127, 128, 129, 130, 254, 255, 256};
    const Bytes alphabet = {-128, -1, 0, 1, 2, 126, 127};
    for (int iter = 0; iter < 400; ++iter) {
        const Bytes plain = randomRuns(rng, runs, alphabet);
        const Bytes packed = compressSB(plain);
        ASSERT_EQ(decompressSB(packed), plain) << "iteration " << iter;
        ASSERT_EQ(decompressSB(packed, plain.size()), plain) << "iteration " << iter;
    }
}

TEST(RunLength, RoundTripsRunsOnTheLimitEdges16Bit) {
    std::mt19937 rng(5678);
    const std::vector<std::size_t> runs = {1, 2, 3, 32767, 32768, 32769, 32770, 65534, 65535, 65536};
    const Words alphabet = {-32768, -1, 0, 1, 127, 32766, 32767};
    for (int iter = 0; iter < 60; ++iter) {
        const Words plain = randomRuns(rng, runs, alphabet);
        const Words packed = compressSW(plain);
        ASSERT_EQ(decompressSW(packed), plain) << "iteration " << iter;
        ASSERT_EQ(decompressSW(packed, plain.size()), plain) << "iteration " << iter;
    }
}

// Pairs everywhere is the encoder's worst case (a zero count after each).
TEST(RunLength, RoundTripsTheWorstCaseExpansion) {
    Words plain;
    for (std::int16_t v = 0; v < 1000; ++v) plain.insert(plain.end(), 2, v);
    const Words packed = compressSW(plain);
    EXPECT_EQ(packed.size(), plain.size() + plain.size() / 2 - 1);
    EXPECT_EQ(decompressSW(packed), plain);
}

TEST(RunLength, RejectsPackedDataThatDoesNotGiveTheExpectedLength) {
    struct Case {
        const char* what;
        Bytes packed;
        std::size_t expected;
    };
    const std::vector<Case> cases = {
        {"truncated count run", {9, 9, 127}, 202},
        {"trailing value lost", {5, 7, 7, 2}, 6},
        {"counts claim more", {9, 9, 127, 127, 127, 5}, 10},
        {"extra data after the end", {1, 2, 3, 4}, 3},
        {"data for an empty array", {1}, 0},
        {"no data for a full array", {}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_THROW((void)decompressSB(c.packed, c.expected), PackedDataException) << c.what;
    }
}

// Unpacking into the live array checks the length first: a mismatch leaves
// the array as it was.
TEST(RunLength, UnpacksIntoAnExistingArrayOnlyWhenItFitsExactly) {
    const Words plain = repeated<std::int16_t>({1, 2}, 40000, 3);
    const Words packed = compressSW(plain);
    Words live(plain.size(), -5);
    decompressSW(packed, live);
    EXPECT_EQ(live, plain);

    for (std::size_t size : {plain.size() - 1, plain.size() + 1}) {
        Words other(size, -5);
        EXPECT_THROW(decompressSW(packed, other), PackedDataException);
        EXPECT_EQ(other, Words(size, -5));
    }
    Bytes land(3, 4);
    EXPECT_THROW(decompressSB(Bytes{1, 1, -3}, land), PackedDataException);
    EXPECT_EQ(land, Bytes(3, 4));
}

TEST(RunLength, RejectsNegativeCountsInBothForms) {
    const Bytes bytes = {4, 5, 5, -1, 3};
    EXPECT_THROW((void)decompressSB(bytes), PackedDataException);
    EXPECT_THROW((void)decompressSB(bytes, 5), PackedDataException);
    const Words words = {5, 5, 32767, -7};
    EXPECT_THROW((void)decompressSW(words), PackedDataException);
}

// A million counts of L claim about 33 billion values. Both forms must refuse
// this from the counts alone; allocating first would fail with bad_alloc (or
// worse), not with the data error.
TEST(RunLength, RefusesAbsurdLengthsBeforeAllocating) {
    Words claim = {1, 1};
    claim.insert(claim.end(), 1'000'000, 32767);
    claim.push_back(0);
    EXPECT_THROW((void)decompressSW(claim), PackedDataException);
    EXPECT_THROW((void)decompressSW(claim, 100), PackedDataException);
    EXPECT_THROW((void)decompressSW(claim, std::size_t{1} << 32), PackedDataException);
}

// Garbage either unpacks to exactly the expected length or is refused, and
// the plain form agrees with the checked one.
TEST(RunLength, GarbageIsRefusedOrDecodesConsistently) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> value(-128, 127);
    std::uniform_int_distribution<int> small(0, 3);
    std::uniform_int_distribution<std::size_t> length(0, 64);
    for (int iter = 0; iter < 2000; ++iter) {
        Bytes garbage(length(rng));
        // Mostly tiny values so that pairs and counts appear.
        for (auto& b : garbage) b = static_cast<std::int8_t>(small(rng) == 0 ? value(rng) : small(rng));
        Bytes plain;
        try {
            plain = decompressSB(garbage);
        } catch (const PackedDataException&) {
            EXPECT_THROW((void)decompressSB(garbage, 10), PackedDataException);
            continue;
        }
        EXPECT_EQ(decompressSB(garbage, plain.size()), plain);
        EXPECT_THROW((void)decompressSB(garbage, plain.size() + 1), PackedDataException);
        if (!plain.empty()) {
            EXPECT_THROW((void)decompressSB(garbage, plain.size() - 1), PackedDataException);
        }
    }
}

}  // namespace
}  // namespace tetsuro
