// tetsuro-server: the online service (accounts, save storage, rankings).
#include <cstdio>
#include <string_view>

#include "tetsuro_version.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--version") {
            std::printf("tetsuro-server %s\n", TETSURO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::printf("Usage: tetsuro-server [--help] [--version]\n\n"
                        "The online service is not built yet.\n");
            return 0;
        }
    }
    std::fprintf(stderr, "tetsuro-server: the online service is not built yet.\n");
    return 3;
}
