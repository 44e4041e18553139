#pragma once
// Small helpers for the subcommands' options: "--name VALUE" pairs, strict
// integer parsing, one-line errors.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tetsuro::cli {

inline std::optional<int64_t> parseInt64(std::string_view s) {
    int64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

// Walks "--name value" options; unknown names and missing values are errors.
class ArgReader {
public:
    ArgReader(const char* command, std::span<const char* const> args) : m_cmd(command), m_args(args) {}

    bool done() const { return m_i >= m_args.size(); }
    std::string_view next() { return m_args[m_i++]; }
    bool value(std::string_view name, std::string& out) {
        if (done()) {
            error(std::string("option ") + std::string(name) + " needs a value");
            return false;
        }
        out = m_args[m_i++];
        return true;
    }
    bool intValue(std::string_view name, int64_t lo, int64_t hi, int64_t& out) {
        std::string s;
        if (!value(name, s)) return false;
        auto v = parseInt64(s);
        if (!v || *v < lo || *v > hi) {
            error("option " + std::string(name) + ": '" + s + "' is not a whole number in " + std::to_string(lo) +
                  ".." + std::to_string(hi));
            return false;
        }
        out = *v;
        return true;
    }
    void error(const std::string& what) const { std::fprintf(stderr, "tetsuro-cli %s: %s\n", m_cmd, what.c_str()); }

private:
    const char* m_cmd;
    std::span<const char* const> m_args;
    size_t m_i = 0;
};

}  // namespace tetsuro::cli
