#include "map/map_controller.h"

#include <algorithm>

#include "game/canvas_text.h"
#include "game/slot_validator.h"
#include "map/block.h"
#include "map/land_price.h"
#include "map/map.h"
#include "map/map_hooks.h"
#include "support/int_math.h"
#include "support/sub.h"

namespace tetsuro {

namespace {

int32_t blocksPerSide(int32_t meshes, int32_t ms) {
    const int32_t bms = std::max(1, 800 / std::max(ms, 1));
    return ceilDiv(meshes, bms);
}

}  // namespace

int32_t MapController::meshSize() const { return std::max<int32_t>(m_c.slots().m_swa[SWA_MESH_SIZE], 1); }

bool MapController::is3DMode() const { return (m_c.slots().m_sba[SBA_VIEW_MODE] & 7) > 1; }

// ---- sizes -------------------------------------------------------------------------

void MapController::dropMap() {
    auto& swa = m_c.slots().m_swa;
    Block::reset();
    (void)Map::init(0, 0, meshSize(), std::max<int32_t>(swa[SWA_GRID], 1));
    m_c.setMapSize(0, 0);
    mapHooks().initRoadCross();
    mapHooks().initCrossing();
}

bool MapController::setMapSize(int32_t my, int32_t mx) {
    if (my < 0 || mx < 0 || my > Map::kMaxSide || mx > Map::kMaxSide) return false;
    const int32_t ms = meshSize();
    const int32_t gs = std::max<int32_t>(m_c.slots().m_swa[SWA_GRID], 1);
    m_c.setMapSize(my, mx);  // the slots and Sub
    mapHooks().initRoadCross();
    if (!Block::init(blocksPerSide(my, ms), blocksPerSide(mx, ms)) || !Map::init(my, mx, ms, gs)) {
        dropMap();
        return false;
    }
    mapHooks().initCrossing();
    return true;
}

bool MapController::startGameMap(int32_t my, int32_t mx) {
    if (setMapSize(my, mx)) return true;
    m_c.host().messageBox(kOutOfMemoryMessage);
    m_c.m_iCmd = 0;
    m_c.clearMessage();
    m_c.setState(STATE_TITLE);
    m_c.wm_size();
    m_c.requestPaint();
    return false;
}

bool MapController::setMeshSize(int32_t ms) {
    if (!isLegalMeshSize(ms)) return false;
    m_c.setMeshSize(ms);  // stores it, clamps the grid, re-runs Sub::init
    Map::init_gs(m_c.slots().m_swa[SWA_GRID]);
    mapHooks().meshSizeChanged(ms);
    return true;
}

bool MapController::setGridSize(int32_t gs) {
    if (!isLegalGrid(gs)) return false;
    auto& swa = m_c.slots().m_swa;
    swa[SWA_GRID] = int16_t(std::min(gs, meshSize()));
    Map::init_gs(swa[SWA_GRID]);
    return true;
}

bool MapController::extendMap(int32_t dy, int32_t dx) {
    if (dy < 0 || dx < 0) return false;
    const int64_t ny = int64_t(Map::m_my) + dy, nx = int64_t(Map::m_mx) + dx;
    if (ny > Map::kMaxSide || nx > Map::kMaxSide) return false;
    // Everything that can fail is allocated before anything changes.
    Block::Grown grown;
    if (!Block::prepareGrow(blocksPerSide(int32_t(ny), Map::m_ms), blocksPerSide(int32_t(nx), Map::m_ms), grown))
        return false;
    if (!Map::extend(dy, dx)) return false;
    Block::commitGrow(grown);
    auto& swa = m_c.slots().m_swa;
    swa[SWA_MAP_MY] = int16_t(Map::m_my);
    swa[SWA_MAP_MX] = int16_t(Map::m_mx);
    Sub::init(Map::m_my, Map::m_mx, meshSize(), std::clamp<int>(m_c.slots().m_sba[SBA_TIME_SCALE], 1, 6));
    Block::recomputePoints();
    mapHooks().initRoadCross();
    // Patch numbers depend on the patch columns.
    clearGroundIDAll();
    mapHooks().deleteObjectAll();
    return true;
}

// ---- land types -------------------------------------------------------------------------

int32_t MapController::getMapTyp(int32_t my, int32_t mx) const { return Map::getTyp(my, mx); }

void MapController::addBlockP(int32_t by, int32_t bx, int32_t t, int32_t sign) {
    const int32_t n = Block::getNumber(by, bx);
    if (n < 0) return;
    if (const int32_t hp = LandCodes::housePoints(t)) Block::addHP(n, sign * hp);
    if (const int32_t op = LandCodes::officePoints(t)) Block::addOP(n, sign * op);
}

void MapController::setMapTyp(int32_t my, int32_t mx, int32_t t) {
    if (!Map::isMYX(my, mx)) return;
    const int32_t by = my / Map::m_bms, bx = mx / Map::m_bms;
    addBlockP(by, bx, Map::getTyp(my, mx), -1);
    Map::setTyp(my, mx, t);
    addBlockP(by, bx, Map::getTyp(my, mx), 1);
    mapHooks().deleteObject_myx(my, mx);
}

void MapController::setMapTyp(int32_t my, int32_t mx, int32_t t, bool tanbo) {
    if (tanbo) checkTanbo(my, mx);
    setMapTyp(my, mx, t);
}

void MapController::setMapTyp(std::span<const int32_t> list, int32_t t, bool tanbo) {
    for (std::size_t i = 0; i + 1 < list.size(); i += 2) setMapTyp(list[i], list[i + 1], t, tanbo);
}

void MapController::setMapTyp(int32_t my, int32_t mx, int32_t h, int32_t w, int32_t t, int32_t f) {
    const int32_t y0 = std::max(my, 0), x0 = std::max(mx, 0);
    const int32_t y1 = int32_t(std::min<int64_t>(int64_t(my) + h, Map::m_my));
    const int32_t x1 = int32_t(std::min<int64_t>(int64_t(mx) + w, Map::m_mx));
    if (y0 >= y1 || x0 >= x1) return;
    bool changed = false;
    for (int32_t y = y0; y < y1; ++y) {
        int8_t* row = Map::m_aTyp.data() + Map::meshIndex(y, 0);
        for (int32_t x = x0; x < x1; ++x) {
            if (row[x] != f) continue;
            addBlockP(y / Map::m_bms, x / Map::m_bms, f, -1);
            row[x] = int8_t(t);
            addBlockP(y / Map::m_bms, x / Map::m_bms, row[x], 1);
            changed = true;
        }
    }
    if (changed) mapHooks().deleteObjectRect(y0, x0, y1 - y0, x1 - x0);
}

void MapController::setMapTypAll(int32_t t) {
    std::fill(Map::m_aTyp.begin(), Map::m_aTyp.end(), int8_t(t));
    Block::recomputePoints();
    mapHooks().deleteObjectAll();
}

void MapController::checkTanbo(int32_t my, int32_t mx) {
    if (Map::getTyp(my, mx) != LAND_PADDY) return;
    const int32_t y0 = my - my % 2, x0 = mx - mx % 2;
    for (int32_t y = y0; y < y0 + 2; ++y)
        for (int32_t x = x0; x < x0 + 2; ++x)
            if (Map::getTyp(y, x) == LAND_PADDY) setMapTyp(y, x, LAND_GRASS);
}

int64_t MapController::checkTypSea() {
    const int64_t changed = Map::checkTypSea();
    if (changed > 0) {
        Block::recomputePoints();
        clearGroundIDAll();
        mapHooks().deleteObjectAll();
    }
    return changed;
}

// ---- land value words ----------------------------------------------------------------------

int32_t MapController::getMapVal_byx(int32_t by, int32_t bx) const {
    return Block::getLandValue(Block::getNumber(by, bx));
}

int32_t MapController::getMapVal_myx(int32_t my, int32_t mx) const {
    if (!Map::isMYX(my, mx)) return -1;
    return getMapVal_byx(my / Map::m_bms, mx / Map::m_bms);
}

void MapController::setMapVal_byx(int32_t by, int32_t bx, int32_t v) {
    const int32_t n = Block::getNumber(by, bx);
    if (n < 0 || v < 0) return;
    v = std::min(v, Block::kCounterMax);
    const int32_t old = Block::getLandValue(n);
    const int64_t before = LandPrice::getLandValue(old), after = LandPrice::getLandValue(v);
    if (before != after) {
        const int32_t bms = Map::m_bms;
        const int32_t y1 = std::min(Map::m_my, (by + 1) * bms), x1 = std::min(Map::m_mx, (bx + 1) * bms);
        int64_t company = 0;
        for (int32_t y = by * bms; y < y1; ++y) {
            const int8_t* row = Map::m_aTyp.data() + Map::meshIndex(y, 0);
            for (int32_t x = bx * bms; x < x1; ++x) company += LandCodes::isCompanyLand(row[x]);
        }
        if (company > 0) {
            // Saturated prices times a block of meshes pass the int64 range.
            int64_t& book = m_c.slots().m_la[LA_ASSET_LAND];
            book = saturate<int64_t>(int128_t(book) + int128_t(company) * (int128_t(after) - before));
        }
    }
    Block::setLandValue(n, v);
}

void MapController::setMapVal_myx(int32_t my, int32_t mx, int32_t v) {
    if (Map::isMYX(my, mx)) setMapVal_byx(my / Map::m_bms, mx / Map::m_bms, v);
}

void MapController::addMapVal_byx(int32_t by, int32_t bx, int32_t v) {
    const int32_t w = getMapVal_byx(by, bx);
    if (w >= 0) setMapVal_byx(by, bx, saturate<int32_t>(int64_t(w) + v));
}

void MapController::addMapVal_myx(int32_t my, int32_t mx, int32_t v) {
    if (Map::isMYX(my, mx)) addMapVal_byx(my / Map::m_bms, mx / Map::m_bms, v);
}

void MapController::setMapValBit_byx(int32_t by, int32_t bx, int32_t v) {
    const int32_t w = getMapVal_byx(by, bx);
    if (w >= 0) setMapVal_byx(by, bx, int32_t(int16_t(w | v)));
}

void MapController::checkMapVal_byx(int32_t by, int32_t bx) {
    const int32_t w = getMapVal_byx(by, bx);
    if (w < 0 || (w & 1) == 0) return;
    const int32_t step = m_c.slots().m_sba[SBA_TIME_SCALE];
    // The highest word cannot rise further; it settles like a lower one.
    const bool rise = getNeiMapValMax_byx(by, bx) > w + step && w < Block::kCounterMax;
    setMapVal_byx(by, bx, rise ? w + 1 : w - 1);
    static constexpr int32_t kStep[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (const auto& s : kStep) setMapValBit_byx(by + s[0], bx + s[1], 1);
}

void MapController::checkMapVal_myx(int32_t my, int32_t mx) {
    if (Map::isMYX(my, mx)) checkMapVal_byx(my / Map::m_bms, mx / Map::m_bms);
}

void MapController::checkMapVal(int32_t n) {
    if (Block::isValid(n) && Block::m_iBX > 0) checkMapVal_byx(n / Block::m_iBX, n % Block::m_iBX);
}

float MapController::getNeiMapValAvg_byx(int32_t by, int32_t bx) const {
    int32_t sum = 0, count = 0;
    for (const auto& s : {std::pair{0, 1}, std::pair{1, 0}, std::pair{0, -1}, std::pair{-1, 0}}) {
        const int32_t w = getMapVal_byx(by + s.first, bx + s.second);
        if (w < 0) continue;
        sum += w;
        ++count;
    }
    return count ? float(sum) / float(count) : 0.0f;
}

int32_t MapController::getNeiMapValMax_byx(int32_t by, int32_t bx) const {
    int32_t high = 0;
    for (const auto& s : {std::pair{0, 1}, std::pair{1, 0}, std::pair{0, -1}, std::pair{-1, 0}})
        high = std::max(high, getMapVal_byx(by + s.first, bx + s.second));
    return high;
}

int64_t MapController::getLandValue(int32_t word) { return LandPrice::getLandValue(word); }

int64_t MapController::getLandValue_byx(int32_t by, int32_t bx) const {
    return LandPrice::getLandValue(getMapVal_byx(by, bx));
}

int64_t MapController::getLandValue_myx(int32_t my, int32_t mx) const {
    return LandPrice::getLandValue(getMapVal_myx(my, mx));
}

// ---- 3D ground cache --------------------------------------------------------------------------

void MapController::clearGroundID(int32_t py8, int32_t px8) {
    if (uint32_t(py8) < uint32_t(Map::m_puy) && uint32_t(px8) < uint32_t(Map::m_pux))
        mapHooks().clearGroundID(py8 * Map::m_pux + px8);
}

void MapController::clearGroundID_myx(int32_t my, int32_t mx) {
    if (Map::isMYX(my, mx)) clearGroundID(my / 8, mx / 8);
}

void MapController::clearGroundID(std::span<const int32_t> meshList) {
    for (std::size_t i = 0; i + 1 < meshList.size(); i += 2) clearGroundID_myx(meshList[i], meshList[i + 1]);
}

void MapController::clearGroundIDAll() { mapHooks().clearGroundIDAll(); }

// ---- view conversions --------------------------------------------------------------------------

MapView MapController::view() const {
    const auto& s = m_c.slots();
    return MapView{m_c.getHeight(), m_c.getWidth(), m_iBlockSize, s.m_sdwa[SDWA_VIEW_Y], s.m_sdwa[SDWA_VIEW_X],
                   meshSize()};
}

int32_t MapController::getPYfromMY_AY() const { return view().getPYfromMY(m_c.slots().m_swa[SWA_CURSOR_MY]); }

int32_t MapController::getSXfromMX_AX() const { return view().getSXfromMX(m_c.slots().m_swa[SWA_CURSOR_MX]); }

double MapController::getBYfromPY(double y, double bitmapHeight) const {
    return view().getBYfromPY(y, bitmapHeight, Map::m_my);
}

double MapController::getBXfromSX(double x, double bitmapWidth) const {
    return view().getBXfromSX(x, bitmapWidth, Map::m_mx);
}

double MapController::getBHfromSH(double h, double bitmapHeight) const {
    return view().getBHfromSH(h, bitmapHeight, Map::m_my);
}

double MapController::getBWfromSW(double w, double bitmapWidth) const {
    return view().getBWfromSW(w, bitmapWidth, Map::m_mx);
}

GeoOrigin MapController::geoOrigin() const {
    const auto& s = m_c.slots();
    return GeoOrigin{s.m_sdwa[SDWA_GEO_LAT0], s.m_sdwa[SDWA_GEO_LON0]};
}

// ---- zoom and visible area ---------------------------------------------------------------------

bool MapController::renewBlockSize(int32_t a) {
    // Resizes arrive before any game exists.
    if (Map::m_my <= 0) return false;
    const int32_t h = m_c.getHeight(), w = m_c.getWidth();
    mapHooks().renewDiaSize(h, w);
    const int32_t l = std::min(w, h);
    if (l <= 0) return false;

    auto& slots = m_c.slots();
    int32_t scale = std::max<int32_t>(saturate<int16_t>(int64_t(slots.m_swa[SWA_VIEW_SCALE]) + a), 1);
    if (is3DMode()) scale = std::min(scale, kMaxScale3D);
    slots.m_swa[SWA_VIEW_SCALE] = int16_t(scale);

    const int32_t ty = slots.m_sdwa[SDWA_TRACK_Y], tx = slots.m_sdwa[SDWA_TRACK_X];
    const MapView before = view();
    const int32_t oldBs = m_iBlockSize;
    const int32_t fit = std::max(1, l / Map::m_my);
    m_iBlockSize = std::max((l * 8 / scale) / 10, fit);
    const MapView after = view();

    // Keep the track cursor where it was on the screen.
    const int32_t ms = meshSize();
    auto& cy = slots.m_sdwa[SDWA_VIEW_Y];
    auto& cx = slots.m_sdwa[SDWA_VIEW_X];
    cy = saturate<int32_t>(int64_t(cy) +
                           int64_t(after.getSYfromRY(ty) - before.getSYfromRY(ty)) * ms / m_iBlockSize);
    cx = saturate<int32_t>(int64_t(cx) +
                           int64_t(after.getSXfromRX(tx) - before.getSXfromRX(tx)) * ms / m_iBlockSize);
    slots.m_la[LA_VIEW3D_Y] = int64_t(cy) * 1000;
    slots.m_la[LA_VIEW3D_X] = int64_t(cx) * 1000;

    if (a > 0) clearGroundIDAll();
    return m_iBlockSize != oldBs || (m_iBlockSize == fit && a > 0) || (is3DMode() && scale == kMaxScale3D);
}

void MapController::zoom(int32_t a) {
    if (a == 0) return;
    if (is3DMode()) {
        renewBlockSize(a);
        return;
    }
    while (!renewBlockSize(a)) {
        const int32_t scale = m_c.slots().m_swa[SWA_VIEW_SCALE];
        // Nothing more to gain: the smallest scale, or (out of a degenerate
        // window) the largest one.
        if ((a < 0 && scale <= 1) || (a > 0 && scale >= 32767)) break;
        if (Map::m_my <= 0 || std::min(m_c.getHeight(), m_c.getWidth()) <= 0) break;
    }
}

bool MapController::setPutArea() {
    const int64_t h = m_c.getHeight(), w = m_c.getWidth();
    if (h <= 0 || w <= 0) return false;
    const auto& slots = m_c.slots();
    const int32_t mode = slots.m_sba[SBA_VIEW_MODE] & 7;
    const int64_t ms = meshSize();
    int64_t ry = int64_t(slots.m_swa[SWA_VIEW_SCALE]) * 90, rx = ry;
    if (w < h) ry = ry * h / w;
    else rx = rx * w / h;
    int64_t n = std::max(ry, rx) / ms + 1;
    if (mode == 4) n = n * 3 / 2;
    else if (mode < 2) n = n * 3 / 4;
    n = std::max<int64_t>(n, 8);

    int64_t cy, cx;
    if (mode < 2) {
        cy = slots.m_sdwa[SDWA_VIEW_Y];
        cx = slots.m_sdwa[SDWA_VIEW_X];
    } else {
        cy = slots.m_la[LA_VIEW3D_Y] / 1000;
        cx = slots.m_la[LA_VIEW3D_X] / 1000;
    }
    mapHooks().setCYX(saturate<int32_t>(cy), saturate<int32_t>(cx));

    const PatchRange r{saturate<int32_t>((cy / ms - n) / 8), saturate<int32_t>((cx / ms - n) / 8),
                       saturate<int32_t>((cy / ms + n) / 8), saturate<int32_t>((cx / ms + n) / 8)};
    const bool changed = !(r == m_putArea);
    m_putArea = r;
    Map::m_rfy = saturate<int32_t>(int64_t(r.fy8) * 8 * ms);
    Map::m_rfx = saturate<int32_t>(int64_t(r.fx8) * 8 * ms);
    Map::m_rty = saturate<int32_t>((int64_t(r.ty8) * 8 + 8) * ms - 1);
    Map::m_rtx = saturate<int32_t>((int64_t(r.tx8) * 8 + 8) * ms - 1);
    mapHooks().setScope(saturate<int32_t>((n + 7) / 8));
    return changed;
}

bool MapController::renewPutArea() {
    if (m_c.m_bPaint) return false;
    mapHooks().renewPutList();
    m_c.m_bRenewPutArea = 0;
    return true;
}

}  // namespace tetsuro
