#include "commands.h"

#include <array>

namespace tetsuro::cli {

extern const Command kSimulateCommand;
extern const Command kBenchCommand;

// Subcommands join this table as their subsystems land.
std::span<const Command> commands() {
    static const std::array<Command, 2> table{kSimulateCommand, kBenchCommand};
    return table;
}

}  // namespace tetsuro::cli
