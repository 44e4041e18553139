#pragma once
// The texture atlas of one rolling-stock folder: an 8-bit picture of 128 × 64
// pixels with a 16-colour palette. Regions (pixel edges, y down from the top):
//   side band     0..128 × 0..32   the car side, length across, eave at the top
//   roof          0..128 × 32..40
//   cab front     0..32 × 40..64   windscreen above row 52, lights below
//   gangway end   32..64 × 40..64
//   underframe    64..128 × 40..48
// Palette index 0 is pure black and marks transparent pixels; no other entry
// is pure black. Entries 1..10 are the slots the palette rules address.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tetsuro::resgen {

struct Rect {
    int32_t x0, y0, x1, y1;
};

inline constexpr int32_t kTextureWidth = 128, kTextureHeight = 64;
inline constexpr Rect kSide{0, 0, 128, 32};
inline constexpr Rect kRoof{0, 32, 128, 40};
inline constexpr Rect kFront{0, 40, 32, 64};
inline constexpr int32_t kFrontSplit = 52;
inline constexpr Rect kEnd{32, 40, 64, 64};
inline constexpr Rect kUnder{64, 40, 128, 48};

// Palette slots.
enum Slot : uint8_t {
    kClear = 0,
    kBody = 1,
    kStripe = 2,
    kGlass = 3,
    kRoofGrey = 4,
    kUnderGrey = 5,
    kDoor = 6,
    kSeam = 7,
    kHeadlight = 8,
    kTaillight = 9,
    kStripe2 = 10,
    kSkirt = 11,
    kFrame = 12,
    kVent = 13,
    kPaletteSize = 16,
};

struct TextureStyle {
    std::array<int32_t, kPaletteSize> palette;  // 0xRRGGBB
    int32_t windows;       // side windows between the doors
    int32_t doors;         // doors per side
    int32_t stripeTop;     // first row of the main stripe in the side band
    int32_t stripeRows;
    bool secondStripe;     // a thin stripe under the main one
};

// Palette indices, top row first.
std::vector<uint8_t> paintTexture(const TextureStyle& style);

}  // namespace tetsuro::resgen
