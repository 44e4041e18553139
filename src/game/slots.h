#pragma once
// The four game-wide slot arrays: settings, the clock, money counters, cursor
// and view positions, one array per integer width. They are saved whole, so
// the index values below are a file format: never renumber them; take a
// reserved index for a new value.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tetsuro {

enum SbaIndex : int {
    SBA_SAVE_STATE = 0,
    SBA_STARTED = 1,
    SBA_PAUSED = 2,
    SBA_GAME_SPEED = 3,
    SBA_FUND_PANEL = 4,
    SBA_VIEW_MODE = 5,
    SBA_STAGE = 6,
    SBA_SHOW_TRAIN_NO = 7,
    SBA_SHOW_RIDERS = 8,
    SBA_SHOW_STATION_NAME = 9,
    SBA_SHOW_DIA = 10,
    SBA_SHOW_GRID = 11,
    SBA_SHOW_BLOCK = 12,
    SBA_SHOW_PASSENGER = 13,
    SBA_SHOW_TRACK_TYPE = 14,
    SBA_BALANCE_UNIT = 15,
    SBA_FONT = 16,
    SBA_TIME_SCALE = 17,
    SBA_RESERVED_18 = 18,
    SBA_SHOW_FUNC = 19,
    SBA_STAGE_REACHED = 20,
    SBA_PROPERTY_TAX = 21,
    SBA_FPS = 22,
    SBA_CURSOR_SPEED = 23,
    SBA_DIA_UNIT = 24,
    SBA_DIA_LINES = 25,
    SBA_LOSS_CARRY = 26,
    SBA_RESERVED_27 = 27,
    SBA_LENGTH = 28
};

enum SwaIndex : int {
    SWA_MAP_MY = 0,
    SWA_MAP_MX = 1,
    SWA_VIEW_SCALE = 2,
    SWA_HEADING = 3,
    SWA_CURSOR_MY = 4,
    SWA_CURSOR_MX = 5,
    SWA_MESH_SIZE = 6,
    SWA_GRID = 7,
    SWA_CORP_TAX = 8,
    SWA_RESERVED_9 = 9,
    SWA_LENGTH = 10
};

enum SdwaIndex : int {
    SDWA_INCOME_DAY = 0,
    SDWA_INCOME_MONTH = 1,
    SDWA_INCOME_YEAR = 2,
    SDWA_INCOME_PREV_DAY = 3,
    SDWA_INCOME_PREV_MONTH = 4,
    SDWA_INCOME_PREV_YEAR = 5,
    SDWA_EXPENSE_DAY = 6,
    SDWA_EXPENSE_MONTH = 7,
    SDWA_EXPENSE_YEAR = 8,
    SDWA_EXPENSE_PREV_DAY = 9,
    SDWA_EXPENSE_PREV_MONTH = 10,
    SDWA_EXPENSE_PREV_YEAR = 11,
    SDWA_TRACK_Z = 12,
    SDWA_TRACK_Y = 13,
    SDWA_TRACK_X = 14,
    SDWA_VIEW_Y = 15,
    SDWA_VIEW_X = 16,
    SDWA_RESERVED_17 = 17,  // cleared at every new game
    SDWA_RESERVED_18 = 18,
    SDWA_RESERVED_19 = 19,
    SDWA_GEO_LAT0 = 20,
    SDWA_GEO_LON0 = 21,
    SDWA_RESERVED_22 = 22,
    SDWA_RESERVED_23 = 23,
    SDWA_LENGTH = 24
};

enum LaIndex : int {
    LA_CLOCK = 0,
    LA_FUND = 1,
    LA_RUN_COST = 2,
    LA_RESERVED_3 = 3,
    LA_ASSET_TRAIN = 4,
    LA_ASSET_STATION = 5,
    LA_ASSET_STATION_M = 6,
    LA_ASSET_LAND = 7,
    LA_ASSET_LAND_M = 8,
    LA_ASSET_TRACK = 9,
    LA_ASSET_TRACK_M = 10,
    LA_GAIN = 11,
    LA_LOSS = 12,
    LA_TAX_DUE = 13,
    LA_RESERVED_14 = 14,
    LA_VIEW3D_Y = 15,
    LA_VIEW3D_X = 16,
    LA_CURSOR3D_Y = 17,
    LA_CURSOR3D_X = 18,
    LA_LOSS_CARRIED = 19,
    LA_LENGTH = 20
};

// Fixed storage: a load copies into these arrays and never reallocates them,
// so every reference handed out (Sub, the panels) stays valid.
struct GameSlots {
    std::array<int8_t, SBA_LENGTH> m_sba{};
    std::array<int16_t, SWA_LENGTH> m_swa{};
    std::array<int32_t, SDWA_LENGTH> m_sdwa{};
    std::array<int64_t, LA_LENGTH> m_la{};

    GameSlots() { reset(); }

    // The canvas constructor's state: all zero, then view mode 2, grid 5 m,
    // timetable unit 10 minutes.
    void reset();

    // The values every new game starts from (title settings before the
    // player's choices, counters and assets cleared).
    void resetForNewGame();

    // Copies a slot record of any length into the fixed storage: the first
    // min(len, N) elements, the rest zero. Storage is never resized.
    void assignSba(const int8_t* v, std::size_t n);
    void assignSwa(const int16_t* v, std::size_t n);
    void assignSdwa(const int32_t* v, std::size_t n);
    void assignLa(const int64_t* v, std::size_t n);

    // 64-bit FNV-1a over the four arrays in save order, big-endian values:
    // equal checksums mean equal slot state on every platform.
    uint64_t checksum() const;

    bool operator==(const GameSlots&) const = default;
};

}  // namespace tetsuro
