#pragma once
#include <span>
#include <string_view>

namespace tetsuro::cli {

// One subcommand of tetsuro-cli: its name, a one-line summary for --help, and
// the function that runs it with the arguments after the name. The function
// returns the process exit code.
struct Command {
    std::string_view name;
    std::string_view summary;
    int (*run)(std::span<const char* const> args);
};

// Every subcommand, in the order --help lists them.
std::span<const Command> commands();

}  // namespace tetsuro::cli
