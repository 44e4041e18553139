#include "support/text_file.h"

#include "support/file_bytes.h"
#include "support/vel_jlib_text.h"

namespace tetsuro::VelJLib {

std::vector<J_String> readFileTextJS(std::string_view path) { return BytesToJStringArray(readFileBytes(path)); }

std::vector<std::string> readFileText(std::string_view path) { return BytesToStringArray(readFileBytes(path)); }

std::vector<int32_t> readFileArray(std::string_view path) {
    std::vector<int32_t> all;
    for (const J_String& line : readFileTextJS(path)) {
        std::vector<int32_t> row = StringToArray(line);
        all.insert(all.end(), row.begin(), row.end());
    }
    return all;
}

std::vector<std::vector<int32_t>> readFileJag(std::string_view path) {
    std::vector<std::vector<int32_t>> rows;
    for (const J_String& line : readFileTextJS(path)) rows.push_back(StringToArray(line));
    return rows;
}

std::vector<std::vector<float>> readFileJagf(std::string_view path) {
    std::vector<std::vector<float>> rows;
    for (const J_String& line : readFileTextJS(path)) rows.push_back(StringToArrayf(line));
    return rows;
}

}  // namespace tetsuro::VelJLib
