#pragma once
// Where the program keeps its data and finds its resources by default.
#include <string>

namespace tetsuro {

// "$XDG_DATA_HOME/tetsuro", or "~/.local/share/tetsuro" when that is unset.
std::string defaultDataDir();

// The rule behind defaultDataDir, with the environment passed in (null when
// unset). A relative XDG_DATA_HOME is ignored, as the XDG rules say; with
// neither value usable the current folder's "tetsuro-data" is used.
std::string dataDirFrom(const char* xdgDataHome, const char* home);

// "resource" next to the running program; "resource" in the working folder
// when the program's own path is unknown.
std::string defaultResourceDir();
std::string resourceDirFor(const std::string& executablePath);

// folder + "/" + name, without doubling a trailing slash.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace tetsuro
