#include "support/vel_jlib_array.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/jsystem.h"
#include "support/object_vector.h"

namespace tetsuro {
namespace {

using namespace VelJLib;
using Ints = std::vector<std::int32_t>;

TEST(VelJLibArray, ResizeCopiesThePrefixAndFillsTheRest) {
    const Ints src = {1, 2, 3};
    EXPECT_EQ(arrayresize(src, 2), (Ints{1, 2}));
    EXPECT_EQ(arrayresize(src, 5), (Ints{1, 2, 3, 0, 0}));
    EXPECT_EQ(arrayresize(src, 5, -1), (Ints{1, 2, 3, -1, -1}));
    EXPECT_EQ(arrayresize(Ints{}, 2, 7), (Ints{7, 7}));  // null source: fresh array
    EXPECT_TRUE(arrayresize(src, -4).empty());
    EXPECT_EQ(src, (Ints{1, 2, 3}));

    // Reusing the caller's buffer gives the same contents.
    Ints grown = src;
    for (int n = 4; n <= 6; ++n) grown = arrayresize(std::move(grown), n, 9);
    EXPECT_EQ(grown, (Ints{1, 2, 3, 9, 9, 9}));

    const std::vector<std::string> names = {"a"};
    EXPECT_EQ(arrayresize(names, 2), (std::vector<std::string>{"a", ""}));

    EXPECT_EQ(arrayresize_idx(Ints{1, 2, 3, 4}, 1, 2), (Ints{2, 3}));
    EXPECT_EQ(arrayresize_idx(Ints{1, 2, 3, 4}, 2, 4), (Ints{3, 4, 0, 0}));  // only what exists is copied
    EXPECT_EQ(arrayresize_idx(Ints{1, 2}, 7, 2), (Ints{0, 0}));
}

TEST(VelJLibArray, AppendRules) {
    const Ints a = {1, 2};
    const Ints b = {3};
    EXPECT_EQ(arrayadd(a, b), (Ints{1, 2, 3}));
    EXPECT_EQ(arrayadd(Ints{}, b), b);
    EXPECT_EQ(arrayadd(a, Ints{}), a);
    EXPECT_TRUE(arrayadd(Ints{}, Ints{}).empty());  // both null: null

    EXPECT_EQ(arrayadd(Ints{}, 5), (Ints{5}));
    EXPECT_EQ(arrayadd(a, 5, 6, 7, 8), (Ints{1, 2, 5, 6, 7, 8}));
    EXPECT_EQ(arrayadd(std::vector<std::string>{"x"}, "y", "z"), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(arrayadd(std::vector<std::int8_t>{1}, 2, 3), (std::vector<std::int8_t>{1, 2, 3}));
    EXPECT_EQ(a, (Ints{1, 2}));

    Ints grown;
    for (int i = 0; i < 5; ++i) grown = arrayadd(std::move(grown), i);
    EXPECT_EQ(grown, (Ints{0, 1, 2, 3, 4}));

    // Float slice into an integer array truncates toward zero; only elements
    // that exist are taken; an out-of-range float saturates.
    const std::vector<float> f = {9.5f, 2.7f, -2.7f, 1e20f, NAN};
    EXPECT_EQ(arrayadd(a, f, 1, 2), (Ints{1, 2, 2, -2}));
    EXPECT_EQ(arrayadd(a, f, 3, 10), (Ints{1, 2, 2147483647, 0}));
    EXPECT_EQ(arrayadd(a, f, 9, 1), a);
    EXPECT_EQ(arrayadd(std::vector<float>{0.5f}, f, 0, 1), (std::vector<float>{0.5f, 9.5f}));
}

TEST(VelJLibArray, JaggedArraysCopyRowsAndKeepNullRows) {
    const std::vector<Ints> jag = {{1, 2}, {}, {3}};
    EXPECT_EQ(jagresize(jag, 4), (std::vector<Ints>{{1, 2}, {}, {3}, {}}));
    EXPECT_EQ(jagresize(jag, 1), (std::vector<Ints>{{1, 2}}));
    EXPECT_EQ(jagcopy(jag), jag);
    EXPECT_EQ(jagadd(jag, Ints{4, 5}), (std::vector<Ints>{{1, 2}, {}, {3}, {4, 5}}));
    const std::vector<std::u16string> text = {u"ab"};
    EXPECT_EQ(jagadd(text, std::u16string(u"c")), (std::vector<std::u16string>{u"ab", u"c"}));
}

TEST(VelJLibArray, InPlaceOperations) {
    Ints a = {1, 2, 3};
    EXPECT_EQ(&arrayreverse(a), &a);
    EXPECT_EQ(a, (Ints{3, 2, 1}));
    ArraysFill(a, 4);
    EXPECT_EQ(a, (Ints{4, 4, 4}));
    fillArray(a, -1);
    EXPECT_EQ(a, (Ints{-1, -1, -1}));
}

TEST(VelJLibArray, DuplicatesAndCounts) {
    EXPECT_EQ(eraseRepeat({5, 1, 5, 2, 1, 5}), (Ints{5, 1, 2}));
    EXPECT_TRUE(eraseRepeat({}).empty());
    // (1,2) and (2,1) are different pairs; the trailing 9 is no pair.
    EXPECT_EQ(eraseRepeat2({1, 2, 2, 1, 1, 2, 3, 3, 2, 1, 9}), (Ints{1, 2, 2, 1, 3, 3}));
    EXPECT_EQ(eraseRepeatN({1, 2, 3, 1, 2, 4, 1, 2, 3}, 3), (Ints{1, 2, 3, 1, 2, 4}));
    EXPECT_TRUE(eraseRepeatN({1, 2}, 0).empty());

    EXPECT_EQ(getCount({3, 1, 3, 3}, 3), 3);
    const Ints many = {3, 1, 3, 2, 1, 3, 4};
    EXPECT_EQ(getManyList(many, 2), (Ints{3, 1}));
    EXPECT_EQ(getManyList(many, 3), (Ints{3}));
    EXPECT_EQ(getManyList(many, 1), (Ints{3, 1, 2, 4}));
    EXPECT_TRUE(getManyList(many, 4).empty());
}

TEST(VelJLibArray, Searches) {
    const Ints a = {7, 3, 5, 2, 3, 9};
    EXPECT_EQ(searchIndex(a, 3), 1);
    EXPECT_EQ(searchIndex(a, 9, 5), -1);  // beyond the bound
    EXPECT_EQ(searchIndex(a, 9, 100), 5);  // bound past the end is clamped
    EXPECT_EQ(searchIndex(a, 4), -1);

    EXPECT_EQ(searchIndex2(Ints{}, 1, 2), -2);
    EXPECT_EQ(searchIndex2(Ints{}, 1, 2, 0), -1);
    EXPECT_EQ(searchIndex2(a, 5, 2), 2);
    EXPECT_EQ(searchIndex2(a, 3, 5), -1);  // only even indices start a pair
    EXPECT_EQ(searchIndex2(a, 3, 9, 5), -1);
    EXPECT_EQ(searchIndex2(a, 3, 9, 6), 4);
    EXPECT_EQ(searchIndex2({1, 2, 3}, 3, 0), -1);  // no half pair read past the end

    const Ints tuples = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(searchIndexN(tuples, {0, 4, 5, 6}, 1, 3, 9), 3);
    EXPECT_EQ(searchIndexN(tuples, {4, 5, 6}, 0, 3, 5), -1);
    EXPECT_EQ(searchIndexN(tuples, {2, 3, 4}, 0, 3, 9), -1);  // not on a tuple boundary
    EXPECT_EQ(searchIndexN(tuples, {4, 5}, 0, 3, 9), -1);     // b too short

    EXPECT_EQ(searchIndexColumn(tuples, 3, 1, 8), 2);
    EXPECT_EQ(searchIndexColumn(tuples, 3, 1, 9), -1);
    EXPECT_EQ(searchIndexColumn(tuples, 3, 3, 4), -1);
}

TEST(VelJLibArray, SortRecordsStablyByColumn) {
    struct Case {
        Ints in;
        int size;
        int clm;
        bool desc;
        Ints out;
    };
    const std::vector<Case> cases = {
        {{3, 1, 1, 2, 3, 3}, 2, 0, false, {1, 2, 3, 1, 3, 3}},
        {{3, 1, 1, 2, 3, 3}, 2, 0, true, {3, 1, 3, 3, 1, 2}},
        {{3, 1, 3, 2, 1, 3}, 2, 0, false, {1, 3, 3, 1, 3, 2}},  // a swapping selection sort would reorder the 3s
        {{3, 1, 1, 2, 3, 3}, 2, 1, true, {3, 3, 1, 2, 3, 1}},
        {{2, 0, 1, 0, 9}, 2, 0, false, {1, 0, 2, 0, 9}},         // incomplete tail record stays last
        {{2, 1}, 2, 2, false, {2, 1}},                           // no such column
    };
    for (const auto& c : cases) EXPECT_EQ(sortAry(c.in, c.size, c.clm, c.desc), c.out);
}

TEST(VelJLibArray, PackedPairs) {
    const std::int64_t v = toLong(5, 7);
    EXPECT_EQ(v, (std::int64_t{7} << 32) + 5);
    EXPECT_EQ(toInt(v, 0), 5);
    EXPECT_EQ(toInt(v, 1), 7);
    EXPECT_EQ(addInt(v, 0, 10), toLong(15, 7));
    EXPECT_EQ(addInt(v, 1, -9), toLong(5, -2));
    EXPECT_EQ(toInt(toLong(0, -1), 1), -1);
    // A negative low value is sign-widened over the high half.
    EXPECT_EQ(toLong(-1, 7), -1);
    EXPECT_EQ(toInt(toLong(-1, 7), 1), -1);
}

// Strings, because a plain integer copy goes through memmove and would hide
// a wrong copy direction.
TEST(JSystemArraycopy, CopiesOverlappingRangesBothWays) {
    using Strings = std::vector<std::string>;
    const Strings start = {"0", "1", "2", "3", "4", "5"};
    Strings a = start;
    EXPECT_TRUE(JSystem::arraycopy(a, 0, a, 2, 4));
    EXPECT_EQ(a, (Strings{"0", "1", "0", "1", "2", "3"}));
    a = start;
    EXPECT_TRUE(JSystem::arraycopy(a, 2, a, 0, 4));
    EXPECT_EQ(a, (Strings{"2", "3", "4", "5", "4", "5"}));

    Ints dst(3, -1);
    EXPECT_TRUE(JSystem::arraycopy(Ints{7, 8}, 0, dst, 1, 2));
    EXPECT_EQ(dst, (Ints{-1, 7, 8}));
}

TEST(JSystemArraycopy, RangeOutsideEitherArrayCopiesNothing) {
    const Ints src = {1, 2, 3};
    Ints dst = {0, 0, 0};
    EXPECT_FALSE(JSystem::arraycopy(src, 1, dst, 0, 3));
    EXPECT_FALSE(JSystem::arraycopy(src, 0, dst, 1, 3));
    EXPECT_FALSE(JSystem::arraycopy(src, -1, dst, 0, 1));
    EXPECT_FALSE(JSystem::arraycopy(src, 0, dst, 0, -1));
    EXPECT_EQ(dst, (Ints{0, 0, 0}));
    EXPECT_TRUE(JSystem::arraycopy(src, 3, dst, 3, 0));
}

TEST(ObjectVector, AddsAndIndexes) {
    struct Train : JObject {
        int id;
        explicit Train(int i) : id(i) {}
    };
    Vector v;
    for (int i = 0; i < 100; ++i) v.addElement(std::make_shared<Train>(i));
    EXPECT_EQ(v.size(), 100);
    EXPECT_EQ(std::dynamic_pointer_cast<Train>(v.elementAt(42))->id, 42);
    EXPECT_EQ(v.elementAt(100), nullptr);
    EXPECT_EQ(v.elementAt(-1), nullptr);
    v.removeAllElements();
    EXPECT_EQ(v.size(), 0);
}

}  // namespace
}  // namespace tetsuro
