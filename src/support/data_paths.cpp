#include "support/data_paths.h"

#include <cstdlib>

#include "support/os_file.h"

namespace tetsuro {

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string dataDirFrom(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && xdgDataHome[0] == '/') return joinPath(xdgDataHome, "tetsuro");
    if (home && home[0] != '\0') return joinPath(home, ".local/share/tetsuro");
    return "tetsuro-data";
}

std::string defaultDataDir() {
    return dataDirFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string resourceDirFor(const std::string& executablePath) {
    auto slash = executablePath.find_last_of('/');
    if (slash == std::string::npos) return "resource";
    return joinPath(executablePath.substr(0, slash + 1), "resource");
}

std::string defaultResourceDir() { return resourceDirFor(os::executablePath()); }

}  // namespace tetsuro
