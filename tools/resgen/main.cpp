// resgen: writes the game's own resources (rolling stock for now) into a
// resource folder. Run by the build; the output is the same on every run.
#include <cstdio>
#include <exception>
#include <string>

#include "support/atomic_file.h"
#include "support/data_paths.h"
#include "support/os_file.h"
#include "train_set.h"

namespace {

bool writeFile(const std::string& path, const std::vector<int8_t>& bytes) {
    const std::string folder = path.substr(0, path.find_last_of('/'));
    tetsuro::os::Error e;
    if (!tetsuro::os::makeFolders(folder, &e)) {
        std::fprintf(stderr, "resgen: cannot create %s: %s\n", folder.c_str(), e.text.c_str());
        return false;
    }
    tetsuro::AtomicFileWriter w(path);
    if (w.ok()) w.write(bytes);
    tetsuro::CommitResult r = w.ok() ? w.commit() : tetsuro::CommitResult{false, w.error()};
    if (!r) std::fprintf(stderr, "resgen: cannot write %s: %s\n", path.c_str(), r.reason.c_str());
    return bool(r);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(argc == 2 ? stdout : stderr,
                     "Usage: resgen RESOURCE_DIR\n\nWrites the game's rolling stock (train/...) into RESOURCE_DIR.\n");
        return argc == 2 ? 0 : 2;
    }
    try {
        size_t total = 0;
        // list.txt comes last, so a run cut short never looks complete.
        for (const auto& f : tetsuro::resgen::generateTrainFiles()) {
            if (!writeFile(tetsuro::joinPath(argv[1], f.path), f.bytes)) return 1;
            total += f.bytes.size();
        }
        std::printf("resgen: wrote %zu bytes of rolling stock to %s\n", total, argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "resgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
