// tetsuro-cli: the headless tools of tetsuro.
#include <cstdio>
#include <cstring>
#include <span>
#include <string_view>

#include "commands.h"
#include "tetsuro_version.h"

namespace {

void printHelp(std::FILE* out) {
    std::fprintf(out,
                 "Usage: tetsuro-cli [--help] [--version] COMMAND [ARGS...]\n"
                 "\n"
                 "Headless tools of tetsuro, the railway and city-building simulation.\n"
                 "\n"
                 "Options:\n"
                 "  --help       show this help and exit\n"
                 "  --version    print the version and exit\n"
                 "\n"
                 "Commands:\n");
    auto cmds = tetsuro::cli::commands();
    if (cmds.empty()) std::fprintf(out, "  (none yet)\n");
    for (const auto& c : cmds)
        std::fprintf(out, "  %-12.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()),
                     c.summary.data());
    std::fprintf(out, "\nRun 'tetsuro-cli COMMAND --help' for a command's own options.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(stderr);
        return 2;
    }
    std::string_view first = argv[1];
    if (first == "--help" || first == "-h") {
        printHelp(stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("tetsuro-cli %s\n", TETSURO_VERSION);
        return 0;
    }
    for (const auto& c : tetsuro::cli::commands()) {
        if (c.name == first) return c.run(std::span<const char* const>(argv + 2, size_t(argc - 2)));
    }
    std::fprintf(stderr, "tetsuro-cli: unknown command '%s' (try --help)\n", argv[1]);
    return 2;
}
