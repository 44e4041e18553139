#include "game/scoped_data_dir.h"

#include <filesystem>
#include <random>

#include "support/connector.h"

namespace tetsuro {

ScopedDataDir::ScopedDataDir() : m_previous(Connector::dataDir()) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    std::random_device rd;
    for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
        fs::path p = base / ("tetsuro-run-" + std::to_string(rd()) + std::to_string(rd()));
        if (fs::create_directory(p, ec)) m_path = p.string();
    }
    // Without a temporary folder a run still must not write into the
    // player's folder: point at a path that cannot be created.
    Connector::setDataDir(m_path.empty() ? std::string("/nonexistent/tetsuro-run") : m_path);
}

ScopedDataDir::~ScopedDataDir() {
    Connector::setDataDir(m_previous);
    if (!m_path.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
}

}  // namespace tetsuro
