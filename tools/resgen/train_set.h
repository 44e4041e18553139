#pragma once
// Our own rolling stock: the folders, the types in each and how their
// models and textures look. Everything is fixed here, so every build writes
// the same bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "car_model.h"
#include "car_texture.h"

namespace tetsuro::resgen {

struct TrainType {
    const char8_t* name;  // written as Shift-JIS
    int32_t speed, acceleration, braking, middle, length;
    const char* rules;  // palette rules, TAB-separated, or "" for none
};

struct TrainFolder {
    const char* dir;
    CarShape shape;
    TextureStyle style;
    std::vector<TrainType> types;
};

const std::vector<TrainFolder>& trainFolders();

// Relative path (under the resource folder) and content of every file.
struct GeneratedFile {
    std::string path;
    std::vector<int8_t> bytes;
};
std::vector<GeneratedFile> generateTrainFiles();

}  // namespace tetsuro::resgen
