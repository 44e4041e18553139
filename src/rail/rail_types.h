#pragma once
// Small value types of the rail core: directed piece references and points.
//
// A directed reference names a piece and a direction of travel in one int:
// bits 0..29 hold the piece number, bit 30 set means travelling from the To
// end toward the From end. Its start is the end it leaves, its end the one
// it arrives at. Any negative value means "no piece".
#include <compare>
#include <cstdint>
#include <functional>

namespace tetsuro {

namespace RailRef {

inline constexpr int32_t kReverse = int32_t{1} << 30;
inline constexpr int32_t kIndexMask = kReverse - 1;

// The piece number of a reference (undefined for a negative one).
constexpr int32_t index(int32_t r) { return r & kIndexMask; }
// True when the reference travels To -> From.
constexpr bool isReversed(int32_t r) { return (r & kReverse) != 0; }
// The same piece travelled the other way; negative values stay as they are.
constexpr int32_t flip(int32_t r) { return r < 0 ? r : (r ^ kReverse); }
// A reference from a piece number and a direction.
constexpr int32_t make(int32_t n, bool reversed) { return reversed ? (n | kReverse) : n; }

}  // namespace RailRef

// A track point in real units (decimetres): height, then plan y (north) and x (east).
struct RailPoint {
    int32_t z = 0;
    int32_t y = 0;
    int32_t x = 0;
    friend bool operator==(const RailPoint&, const RailPoint&) = default;
    friend auto operator<=>(const RailPoint&, const RailPoint&) = default;
};

// Hash for point-keyed tables. Only used for lookups, never iterated, so the
// order it gives plays no part in any result.
struct RailPointHash {
    size_t operator()(const RailPoint& p) const {
        uint64_t h = static_cast<uint32_t>(p.y);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(p.x);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(p.z);
        return static_cast<size_t>(h ^ (h >> 29));
    }
};

// A plan point key packed into 64 bits.
constexpr uint64_t planKey(int64_t y, int64_t x) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(y)) << 32) | static_cast<uint32_t>(x);
}

// Limits of a piece. The track-unit length (length x 103680) must fit in 32
// bits, which allows 20712 dm; lengthening and merging stop at 14000 dm.
inline constexpr int64_t kTrackUnitsPerDm = 103680;
inline constexpr int64_t kMaxPieceLength = 20712;
inline constexpr int64_t kMaxJoinedLength = 14000;
inline constexpr int32_t kMinSpeedClass = 3;
inline constexpr int32_t kMaxSpeedClass = 100;

}  // namespace tetsuro
