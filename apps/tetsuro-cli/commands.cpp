#include "commands.h"

#include <array>

namespace tetsuro::cli {

extern const Command kSimulateCommand;
extern const Command kBenchCommand;
extern const Command kInfoCommand;

// Subcommands join this table as their subsystems land.
std::span<const Command> commands() {
    static const std::array<Command, 3> table{kSimulateCommand, kBenchCommand, kInfoCommand};
    return table;
}

}  // namespace tetsuro::cli
