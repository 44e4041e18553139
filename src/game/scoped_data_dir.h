#pragma once
// Points the save folder at a fresh temporary folder for the lifetime of the
// object (headless runs must never touch the player's saves), then puts the
// previous folder back and removes the temporary one.
#include <string>

namespace tetsuro {

class ScopedDataDir {
public:
    ScopedDataDir();
    ~ScopedDataDir();
    ScopedDataDir(const ScopedDataDir&) = delete;
    ScopedDataDir& operator=(const ScopedDataDir&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_previous;
    std::string m_path;
};

}  // namespace tetsuro
