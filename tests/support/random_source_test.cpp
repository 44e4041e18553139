#include "support/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "support/sub.h"
#include "support/vel_l_random.h"

namespace tetsuro {
namespace {

// The algorithm written out step by step with 32-bit state, as the game has
// always drawn its numbers, for comparing long sequences.
struct Reference {
    int32_t limit;
    bool addN;
    int32_t type = 0;
    int32_t count = 0;

    int32_t get(int32_t n) {
        if (count < 1 || count > 2047) {
            count = count % 2047;
            type = type + (addN ? n : 1);
        }
        if (type < 0 || type > limit) type = type % limit;
        count = count + 1;
        int32_t r = (1561650090 - type) / count;
        count = count + n;
        return r % n;
    }
};

TEST(RandomSource, FirstValuesOfAnUnseededSource) {
    RandomSource shared(RandomSource::Variant::Shared);
    std::vector<int32_t> got;
    for (int32_t n : {10, 10, 7, 100, 1000, 3}) got.push_back(shared.get(n));
    EXPECT_EQ(got, (std::vector<int32_t>{0, 6, 6, 9, 682, 2}));

    // The canvas seeds its type from the clock; 12345 is above its limit.
    RandomSource canvas(RandomSource::Variant::Canvas);
    canvas.seed(12345);
    got.clear();
    for (int32_t n : {10, 10, 7, 100, 1000, 3}) got.push_back(canvas.get(n));
    EXPECT_EQ(got, (std::vector<int32_t>{9, 2, 4, 7, 682, 2}));
}

TEST(RandomSource, LongSequencesFollowTheAlgorithm) {
    struct Variant {
        RandomSource::Variant v;
        int32_t limit;
        bool addN;
        int32_t seedType;
    };
    for (Variant var : {Variant{RandomSource::Variant::Shared, 65535, true, 0},
                        Variant{RandomSource::Variant::Canvas, 4095, false, 0},
                        Variant{RandomSource::Variant::Canvas, 4095, false, 32768}}) {
        RandomSource s(var.v);
        s.seed(var.seedType);
        Reference r{var.limit, var.addN, var.seedType, 0};
        // Sizes from 1 up to 216000 wrap the count many times.
        for (int i = 0; i < 20000; ++i) {
            const int32_t n = 1 + (i * 7919) % (i % 5 == 0 ? 216000 : 97);
            ASSERT_EQ(s.get(n), r.get(n)) << "draw " << i << " n=" << n;
        }
    }
}

TEST(RandomSource, NonPositiveSizesGiveZeroAndLeaveTheSequence) {
    RandomSource a, b;
    EXPECT_EQ(a.get(5), b.get(5));
    EXPECT_EQ(a.get(0), 0);
    EXPECT_EQ(a.get(-3), 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(a.get(9), b.get(9));
}

TEST(RandomSource, HugeSizesAndOddSeedsStayInRange) {
    RandomSource s;
    for (int i = 0; i < 5000; ++i) {
        int32_t v = s.get(INT32_MAX);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, INT32_MAX);
    }
    RandomSource t;
    t.seed(-70000, -1);  // the count would come to 0 with a truncating remainder
    for (int i = 0; i < 100; ++i) {
        int32_t v = t.get(10);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 10);
    }
}

TEST(RandomSource, PermutationIsAShuffleOfAllValues) {
    RandomSource s, again;
    Reference r{65535, true};
    std::vector<int32_t> p = s.permutation(50);
    EXPECT_EQ(p, again.permutation(50));
    std::vector<int32_t> want(50);
    std::iota(want.begin(), want.end(), 0);
    for (int32_t i = 0; i < 50; ++i) std::swap(want[i], want[r.get(50)]);
    EXPECT_EQ(p, want);
    std::sort(p.begin(), p.end());
    std::vector<int32_t> ids(50);
    std::iota(ids.begin(), ids.end(), 0);
    EXPECT_EQ(p, ids);
    EXPECT_TRUE(s.permutation(0).empty());
}

// The shared parameters and the VelL helpers draw from separate sources.
TEST(RandomSource, SubAndVelLSequencesAreIndependent) {
    Sub::reset();
    VelL::randomSource().reset();
    std::vector<int32_t> alone;
    for (int i = 0; i < 5; ++i) alone.push_back(VelL::RND_get(100));

    Sub::reset();
    VelL::randomSource().reset();
    std::vector<int32_t> mixed;
    for (int i = 0; i < 5; ++i) {
        Sub::RND_get(7);
        Sub::RND_getAry(4);
        mixed.push_back(VelL::RND_get(100));
    }
    EXPECT_EQ(mixed, alone);
    RandomSource fresh;
    Sub::reset();
    EXPECT_EQ(Sub::RND_get(1000), fresh.get(1000));
    Sub::reset();
    VelL::randomSource().reset();
}

}  // namespace
}  // namespace tetsuro
