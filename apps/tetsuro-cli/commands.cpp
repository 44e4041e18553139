#include "commands.h"

#include <array>

namespace tetsuro::cli {

extern const Command kSimulateCommand;
extern const Command kBenchCommand;
extern const Command kInfoCommand;
extern const Command kWorldCommand;

// Subcommands join this table as their subsystems land.
std::span<const Command> commands() {
    static const std::array<Command, 4> table{kSimulateCommand, kWorldCommand, kBenchCommand, kInfoCommand};
    return table;
}

}  // namespace tetsuro::cli
