// tetsuro-cli world build: lay out a world file headless and say what was
// built, or which element of the file failed.
#include <cstdio>
#include <string>

#include "cli_args.h"
#include "commands.h"
#include "world/headless_world.h"
#include "world/world_file.h"

namespace tetsuro::cli {

namespace {

const char kUsage[] =
    "Usage: tetsuro-cli world build FILE.json\n"
    "\n"
    "Builds the world a world file describes (see docs/world-files.md) in a\n"
    "headless game, through the same operations the player uses, and prints\n"
    "what was built: track pieces, sections, switches, stations, platforms,\n"
    "trains placed and the fund left. Exits with 1 and names the first element\n"
    "that failed when the file is bad.\n";

int runWorld(std::span<const char* const> args) {
    ArgReader r("world", args);
    if (!args.empty() && (std::string_view(args[0]) == "--help" || std::string_view(args[0]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() != 2 || std::string_view(args[0]) != "build") {
        r.error("expected 'build FILE.json' (try --help)");
        return 2;
    }
    HeadlessWorld world(HeadlessGameOptions{});
    const WorldBuildResult res = buildWorldFromFile(world, args[1]);
    if (!res.ok) {
        std::fprintf(stderr, "tetsuro-cli world: %s: %s\n", args[1], res.error.c_str());
        return 1;
    }
    const WorldSummary& s = res.summary;
    std::printf("pieces    %d\n", s.pieces);
    std::printf("sections  %d\n", s.sections);
    std::printf("switches  %d\n", s.switches);
    std::printf("stations  %d\n", s.stations);
    std::printf("platforms %d\n", s.platforms);
    std::printf("trains    %d placed\n", s.trainsPlaced);
    std::printf("fund      %lld\n", (long long)s.fund);
    return 0;
}

}  // namespace

extern const Command kWorldCommand;
const Command kWorldCommand{"world", "build a world file headless and summarise it", runWorld};

}  // namespace tetsuro::cli
