#include "commands.h"

#include <array>

namespace tetsuro::cli {

// Subcommands join this table as their subsystems land.
std::span<const Command> commands() {
    static const std::array<Command, 0> table{};
    return table;
}

}  // namespace tetsuro::cli
