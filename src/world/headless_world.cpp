#include "world/headless_world.h"

#include "map/block.h"
#include "map/map.h"
#include "rail/rail_store.h"
#include "support/fnv_hash.h"
#include "trains/train_cars.h"
#include "trains/train_store.h"
#include "trains/platform_store.h"
#include "trains/station_building.h"
#include "trains/station_store.h"

namespace tetsuro {

HeadlessGameOptions HeadlessWorld::withHooks(HeadlessGameOptions opt, World& w) {
    opt.hooks = w.hooks();
    return opt;
}

HeadlessWorld::HeadlessWorld(HeadlessGameOptions opt)
    : m_game(std::make_unique<HeadlessGame>(withHooks(opt, m_world))) {
    m_world.bind(m_game->canvas());
}

bool HeadlessWorld::startFreeGame(int my, int mx) {
    if (!m_game->startEmptyGame()) return false;
    const int8_t speed = m_game->canvas().slots().m_sba[SBA_GAME_SPEED];
    if (!m_world.startFreeGame(my, mx)) return false;
    m_game->canvas().slots().m_sba[SBA_GAME_SPEED] = speed;
    return true;
}

uint64_t HeadlessWorld::checksum() const {
    Fnv1a64 h;
    h.add(m_game->checksum());
    h.add(Map::m_my);
    h.add(Map::m_mx);
    h.add(std::span<const int8_t>(Map::m_aTyp));
    h.add(std::span<const int16_t>(Map::m_aSLv));
    h.add(std::span<const int16_t>(Block::m_swLV));
    h.add(std::span<const int16_t>(Block::m_sw));
    h.add(std::span<const int16_t>(Block::m_swaValue));
    for (const auto* v : {&Rail::m_iFY, &Rail::m_iFX, &Rail::m_iTY, &Rail::m_iTX})
        h.add(std::span<const int32_t>(*v));
    for (const auto* v : {&Rail::m_iFZ, &Rail::m_iTZ, &Rail::m_iHS, &Rail::m_iSS, &Rail::m_iSE})
        h.add(std::span<const int16_t>(*v));
    h.add(std::span<const int8_t>(Rail::m_typ));
    h.add(std::span<const int8_t>(Rail::m_spd));
    h.add(std::span<const int16_t>(Train::m_n));
    h.add(std::span<const int16_t>(Train::m_NF));
    h.add(std::span<const int32_t>(Train_rs::m_ari));
    h.add(std::span<const int64_t>(Train_rs::m_arp));
    for (const auto* v : {&Station::m_y, &Station::m_x, &Form::m_st, &Form::m_afb, &FoBuild::m_fo, &FoBuild::m_fz,
                          &FoBuild::m_tz, &FoBuild::m_gym})
        h.add(std::span<const int16_t>(*v));
    for (const auto* v : {&Station::m_PDH, &Station::m_PDO, &Station::m_PLM, &Station::m_PTM, &FoBuild::m_ri,
                          &FoBuild::m_fy, &FoBuild::m_fx, &FoBuild::m_ty, &FoBuild::m_tx})
        h.add(std::span<const int32_t>(*v));
    for (const auto* v : {&Station::m_sName, &Form::m_no, &FoBuild::m_typ}) h.add(std::span<const int8_t>(*v));
    for (const auto& b : StBuild::obj) {
        for (int16_t f : {b.m_my, b.m_mx, b.m_st, b.m_gym}) h.add(f);
    }
    return h.value();
}

}  // namespace tetsuro
