#include "running_fixture.h"

#include <algorithm>

#include "game/headless_game.h"
#include "support/connector.h"

namespace tetsuro::testing_running {

namespace {
HeadlessGameOptions optionsAt(int speed) {
    Connector::setResourceDir(TETSURO_RESOURCE_DIR);
    HeadlessGameOptions opt;
    opt.speed = speed;
    return opt;
}
}  // namespace

RunWorld::RunWorld(const std::string& json, int speed) : world(std::make_unique<HeadlessWorld>(optionsAt(speed))) {
    const WorldBuildResult built = buildWorldFromText(*world, json);
    if (!built.ok) error = built.error;
    runner().setHooks(&recorder);
}

RunWorld::RunWorld(const WorldSpec& desc, int speed) : world(std::make_unique<HeadlessWorld>(optionsAt(speed))) {
    const WorldBuildResult built = buildWorld(*world, desc);
    if (!built.ok) error = built.error;
    runner().setHooks(&recorder);
}

RunWorld::~RunWorld() { runner().setHooks(nullptr); }

void RunWorld::runPieces(int64_t until, int64_t piece) {
    while (clock() < until) runner().advanceTrain(std::min(piece, until - clock()));
}

void RunWorld::runFrames(int64_t until) {
    world->game().runTicks(until - clock(), int64_t{1} << 40);
}

}  // namespace tetsuro::testing_running
