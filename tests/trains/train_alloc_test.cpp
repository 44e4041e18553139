// The chain mover is the hot path of running: once a train has been round
// its line, moving it again allocates nothing.
#include <atomic>
#include <cstdlib>
#include <new>

#include "train_fixture.h"

namespace {
std::atomic<int64_t> g_allocations{0};
}  // namespace

// Counts every allocation of this test program (the count is read only
// around the moves below). Every plain form of new and delete is replaced
// together, so memory from any of them is released by the matching one
// (the sanitizer checks that pairing).
namespace {
void* countedAlloc(std::size_t n) {
    ++g_allocations;
    return std::malloc(n == 0 ? 1 : n);
}
}  // namespace

void* operator new(std::size_t n) {
    if (void* p = countedAlloc(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    if (void* p = countedAlloc(n)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return countedAlloc(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return countedAlloc(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace tetsuro::testing {

namespace {

using TrainAllocationTest = TrainTest;

TEST_F(TrainAllocationTest, MovingAlongTheLineAllocatesNothing) {
    // 60 pieces of 100 dm, each its own section.
    for (int32_t k = 0; k < 60; ++k) ASSERT_GE(lay(5000, 1000 + 100 * k, 5000, 1100 + 100 * k, 20 + k % 2), 0);
    const int32_t ti = placed(0, 0, 10, 5000, 3050, 0, 1);
    auto run = [ti](int steps) {
        for (int i = 0; i < steps; ++i) {
            if (!Train::moveChain(ti, 37 * kUnit)) continue;
            const int32_t next = TrainDirection::nextRail(Train::getRI(ti, 0));
            if (next < 0 || !Train::moveRail(ti, next)) Train::reverse(ti, false);
        }
    };
    run(1000);  // there and back: every buffer at its full size
    const int64_t before = g_allocations.load();
    run(1000);
    EXPECT_EQ(g_allocations.load() - before, 0);
}

}  // namespace

}  // namespace tetsuro::testing
