// tetsuro: the game in a desktop window.
#include <cstdio>
#include <string_view>

#include "tetsuro_version.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--version") {
            std::printf("tetsuro %s\n", TETSURO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::printf("Usage: tetsuro [--help] [--version]\n\n"
                        "The game window is not built yet; use tetsuro-cli for the headless tools.\n");
            return 0;
        }
    }
    std::fprintf(stderr, "tetsuro: the game window is not built yet; see 'tetsuro-cli --help'.\n");
    return 3;
}
