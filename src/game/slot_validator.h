#pragma once
// Checks the slot arrays after every load. Settings out of range are repaired
// to a safe value (each repair is reported); values that would make the game
// itself incoherent (a negative clock, a map side out of range, an unknown
// mesh size) reject the whole file, so the caller keeps the live game.
#include <string>
#include <vector>

#include "game/slots.h"

namespace tetsuro {

struct SlotCheck {
    bool ok = true;                     // false: reject the file
    std::string error;                  // why it was rejected
    std::vector<std::string> repairs;   // what was set back to a safe value
};

SlotCheck validateSlots(GameSlots& s);

// Legal speed range for a time-scale exponent k: max(k - 4, -1) .. 22.
int minGameSpeed(int timeScale);
inline constexpr int kMaxGameSpeed = 22;

bool isLegalFps(int fps);
bool isLegalMeshSize(int ms);
bool isLegalGrid(int grid);
bool isLegalDiaUnit(int u);
bool isLegalDiaLines(int n);

}  // namespace tetsuro
