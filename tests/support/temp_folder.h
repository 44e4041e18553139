#pragma once
// A fresh folder per test, removed afterwards, plus small file helpers.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tetsuro::testing {

class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("tetsuro-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::string str() const { return path_.string(); }

    // Names of the entries directly inside.
    std::set<std::string> list() const {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_)) names.insert(e.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::vector<std::int8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::int8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> c((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return std::vector<std::int8_t>(c.begin(), c.end());
}

inline std::vector<std::int8_t> bytes(std::initializer_list<int> values) {
    std::vector<std::int8_t> out;
    for (int v : values) out.push_back(static_cast<std::int8_t>(v));
    return out;
}

// A recognisable pattern that no chunking mistake reproduces by accident.
inline std::vector<std::int8_t> pattern(std::size_t n) {
    std::vector<std::int8_t> out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::int8_t>((i * 7 + i / 251) & 0xFF);
    return out;
}

}  // namespace tetsuro::testing
