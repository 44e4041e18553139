#pragma once
// A whole game with every landed subsystem and no window: the world's
// controllers plugged into a headless game. Scenario tests and
// `tetsuro-cli simulate` build on it.
#include "game/headless_game.h"
#include "world/world.h"

namespace tetsuro {

class HeadlessWorld {
public:
    explicit HeadlessWorld(HeadlessGameOptions opt);

    // Boots to the title and starts a free game on an my x mx map.
    bool startFreeGame(int my, int mx);

    // Checksum of the game state: the slot arrays (without the frame rate),
    // the terrain, the city blocks, the track and the trains.
    uint64_t checksum() const;

    World& world() { return m_world; }
    HeadlessGame& game() { return *m_game; }
    MainCanvas& canvas() { return m_game->canvas(); }

private:
    static HeadlessGameOptions withHooks(HeadlessGameOptions opt, World& w);

    World m_world;
    std::unique_ptr<HeadlessGame> m_game;
};

}  // namespace tetsuro
