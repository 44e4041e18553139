#pragma once
// Element copy between arrays of the same element type.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tetsuro::JSystem {

// Copies `length` elements of src from srcPos into dst from dstPos. Source and
// destination may be the same array with overlapping ranges: the copy behaves
// as if it went through a temporary.
//
// A range outside either array copies nothing and returns false, in every
// build, so a bad offset read from a file cannot write past an array and a
// test can observe it. A length of 0 with positions inside (or at the end of)
// both arrays succeeds.
template <class T>
bool arraycopy(const std::vector<T>& src, std::ptrdiff_t srcPos, std::vector<T>& dst, std::ptrdiff_t dstPos,
               std::ptrdiff_t length) {
    if (srcPos < 0 || dstPos < 0 || length < 0) return false;
    const auto s = static_cast<std::size_t>(srcPos);
    const auto d = static_cast<std::size_t>(dstPos);
    const auto n = static_cast<std::size_t>(length);
    if (s > src.size() || n > src.size() - s || d > dst.size() || n > dst.size() - d) return false;
    if (n == 0) return true;
    auto first = src.begin() + srcPos;
    auto last = first + length;
    if (&src == &dst && d > s) {
        // Moving towards the end of the same array: copy from the back so no
        // element is overwritten before it is read.
        std::copy_backward(first, last, dst.begin() + dstPos + length);
    } else {
        std::copy(first, last, dst.begin() + dstPos);
    }
    return true;
}

}  // namespace tetsuro::JSystem
