#include "cli_output.h"

#include "support/atomic_file.h"

namespace tetsuro::cli {

bool writeTextFile(const std::string& path, const std::string& text, std::string& err) {
    AtomicFileWriter w(path);
    if (!w.ok() || !w.write(text.data(), text.size())) {
        err = w.error();
        return false;
    }
    CommitResult r = w.commit();
    if (!r) err = r.reason;
    return bool(r);
}

}  // namespace tetsuro::cli
