#include "game/slot_validator.h"

#include <algorithm>
#include <initializer_list>

namespace tetsuro {

namespace {
bool oneOf(int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); }

template <class T>
void repair(std::vector<std::string>& log, const char* name, T& slot, T value) {
    log.push_back(std::string(name) + ": " + std::to_string(int64_t(slot)) + " -> " + std::to_string(int64_t(value)));
    slot = value;
}
}  // namespace

int minGameSpeed(int timeScale) { return std::max(timeScale - 4, -1); }
bool isLegalFps(int fps) { return oneOf(fps, {15, 30, 60}); }
bool isLegalMeshSize(int ms) { return oneOf(ms, {400, 200, 100, 50, 25}); }
bool isLegalGrid(int grid) { return oneOf(grid, {50, 25, 10, 5, 1}); }
bool isLegalDiaUnit(int u) { return oneOf(u, {30, 10, 1}); }
bool isLegalDiaLines(int n) { return oneOf(n, {2, 3, 4, 6, 8, 12, 24}); }

SlotCheck validateSlots(GameSlots& s) {
    SlotCheck r;
    auto reject = [&](std::string why) {
        r.ok = false;
        r.error = std::move(why);
        return r;
    };
    auto& sba = s.m_sba;
    auto& swa = s.m_swa;
    auto& la = s.m_la;

    // Rejections first: nothing is repaired in a file we refuse.
    if (la[LA_CLOCK] < 0) return reject("the game clock is negative (" + std::to_string(la[LA_CLOCK]) + ")");
    if (swa[SWA_MAP_MY] < 0 || swa[SWA_MAP_MX] < 0)
        return reject("the map size is negative (" + std::to_string(swa[SWA_MAP_MY]) + " x " +
                      std::to_string(swa[SWA_MAP_MX]) + ")");
    if (!isLegalMeshSize(swa[SWA_MESH_SIZE]))
        return reject("unknown mesh size " + std::to_string(swa[SWA_MESH_SIZE]));

    auto& log = r.repairs;
    if (!isLegalFps(sba[SBA_FPS])) repair<int8_t>(log, "frame rate", sba[SBA_FPS], 60);
    if (sba[SBA_TIME_SCALE] < 1 || sba[SBA_TIME_SCALE] > 6)
        repair<int8_t>(log, "time scale", sba[SBA_TIME_SCALE], int8_t(std::clamp<int>(sba[SBA_TIME_SCALE], 1, 6)));
    const int lo = minGameSpeed(sba[SBA_TIME_SCALE]);
    if (sba[SBA_GAME_SPEED] < lo || sba[SBA_GAME_SPEED] > kMaxGameSpeed)
        repair<int8_t>(log, "game speed", sba[SBA_GAME_SPEED],
                       int8_t(std::clamp<int>(sba[SBA_GAME_SPEED], lo, kMaxGameSpeed)));
    if (sba[SBA_PAUSED] & ~1) repair<int8_t>(log, "pause", sba[SBA_PAUSED], int8_t(sba[SBA_PAUSED] & 1));
    if (!isLegalDiaUnit(sba[SBA_DIA_UNIT])) repair<int8_t>(log, "timetable unit", sba[SBA_DIA_UNIT], 10);
    if (!isLegalDiaLines(sba[SBA_DIA_LINES])) repair<int8_t>(log, "timetable rows", sba[SBA_DIA_LINES], 8);
    if (!isLegalGrid(swa[SWA_GRID])) repair<int16_t>(log, "grid", swa[SWA_GRID], 50);
    if (swa[SWA_GRID] > swa[SWA_MESH_SIZE]) repair<int16_t>(log, "grid", swa[SWA_GRID], swa[SWA_MESH_SIZE]);
    if ((sba[SBA_VIEW_MODE] & 7) > 4) repair<int8_t>(log, "view mode", sba[SBA_VIEW_MODE], 2);
    else if (sba[SBA_VIEW_MODE] & ~7) repair<int8_t>(log, "view mode", sba[SBA_VIEW_MODE], int8_t(sba[SBA_VIEW_MODE] & 7));
    if (sba[SBA_FONT] < 0 || sba[SBA_FONT] > 2) repair<int8_t>(log, "font", sba[SBA_FONT], 0);
    if (sba[SBA_CURSOR_SPEED] < 0 || sba[SBA_CURSOR_SPEED] > 2)
        repair<int8_t>(log, "cursor speed", sba[SBA_CURSOR_SPEED], 0);
    if (sba[SBA_BALANCE_UNIT] < 0 || sba[SBA_BALANCE_UNIT] > 2)
        repair<int8_t>(log, "balance unit", sba[SBA_BALANCE_UNIT], 0);
    if (sba[SBA_FUND_PANEL] < 0 || sba[SBA_FUND_PANEL] > 7)
        repair<int8_t>(log, "fund panel", sba[SBA_FUND_PANEL], int8_t(sba[SBA_FUND_PANEL] & 7));
    if (swa[SWA_HEADING] < 0 || swa[SWA_HEADING] >= 360) {
        int h = swa[SWA_HEADING] % 360;
        repair<int16_t>(log, "heading", swa[SWA_HEADING], int16_t(h < 0 ? h + 360 : h));
    }
    // A negative stage would make stage + 1 meaningless; the stage clear
    // saturates at 127 itself.
    if (sba[SBA_STAGE] < 0) repair<int8_t>(log, "stage", sba[SBA_STAGE], 0);
    if (sba[SBA_STAGE_REACHED] < 0) repair<int8_t>(log, "stage reached", sba[SBA_STAGE_REACHED], 0);
    for (int i : {SBA_RESERVED_18, SBA_RESERVED_27})
        if (sba[i]) repair<int8_t>(log, "reserved", sba[i], 0);
    return r;
}

}  // namespace tetsuro

