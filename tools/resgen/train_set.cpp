#include "train_set.h"

#include <stdexcept>

#include "support/bmp_writer.h"
#include "support/shift_jis.h"

namespace tetsuro::resgen {
namespace {

// Acceleration and braking are multiples of 64, so they stay whole when
// running divides them by the time-scale denominator (at most 32); lengths
// fit the model bodies, and type 0 fits two cars on a 400 dm platform.
const std::vector<TrainFolder> kFolders{
    {"ts_emu",
     {985, 140, 0},
     {{0x000000, 0xC8CCD0, 0x2E8B57, 0x28323C, 0x8C8C8C, 0x3C3C3C, 0xBEC2C6, 0x5A5A5A, 0xFFF5C8, 0xB41414,
       0xF0F0F0, 0x505050, 0xB4B4B4, 0x6E7882, 0xDCDCDC, 0xA0A0A0},
      2, 4, 18, 3, true},
     {
         {u8"ＴＳ１０系通勤電車", 100, 192, 256, 2, 200, "-2\t2E8B57\t-1\t-1\t-1\t-2"},
         {u8"ＴＳ２０系近郊電車", 110, 192, 256, 2, 200, "-2\tE07000\t-1\t-1\t-1\t-2\t-1\t-1\t-1\tE07000"},
         {u8"ＴＳ２５系快速電車", 120, 192, 320, 2, 200, "-2\t1E50C8\t-1\t-1\t-1\t-2\t-1\t-1\t-1\tF0F0F0"},
     }},
    {"ts_express",
     {1010, 145, 120},
     {{0x000000, 0xF0EDE0, 0xC82828, 0x1E2A3A, 0x969696, 0x323232, 0xE6E3D6, 0x646464, 0xFFFAE6, 0xC81E1E,
       0x3050A0, 0x464646, 0xAAAAAA, 0x78828C, 0xE6E6E6, 0xB4B4B4},
      4, 1, 19, 3, true},
     {
         {u8"ＴＳ３０系特急電車", 130, 128, 256, 2, 205, "-2\tC82828\t-1\t-1\t-1\t-2\t-1\t-1\t-1\t3050A0"},
         {u8"ＴＳ５０系高速電車", 270, 128, 320, 2, 209, "-2\t1E3C96\t-1\t-1\t-1\t-2\t-1\t-1\t-1\t1E3C96"},
     }},
    {"ts_diesel",
     {985, 140, 0},
     {{0x000000, 0xF0E6C8, 0xD25A1E, 0x2A3440, 0x787878, 0x282828, 0xE1D7B9, 0x5A5A5A, 0xFFF0BE, 0xB41E1E,
       0x8C2814, 0x3C3C3C, 0xA0A0A0, 0x646E78, 0xD2D2D2, 0x969696},
      3, 2, 17, 4, true},
     {
         {u8"ＴＳ４０形気動車", 95, 64, 256, 1, 200, "-1\t-2\t-1\t-1\t-1\t-1\t-1\t-1\t-1\tC83C28"},
     }},
    {"ts_tram",
     {690, 120, 0},
     {{0x000000, 0xE6DCB4, 0x2D7D46, 0x24303C, 0x828282, 0x2D2D2D, 0xDCD2AA, 0x505050, 0xFFF5D2, 0xBE1E1E,
       0x2D7D46, 0x414141, 0xAAAAAA, 0x6E7882, 0xDCDCDC, 0x9B9B9B},
      2, 2, 20, 5, false},
     {
         {u8"ＴＳ７形路面電車", 40, 256, 320, 1, 140, ""},
     }},
};

std::vector<int8_t> textBytes(const std::string& utf8) { return utf8ToCp932(utf8); }

std::vector<int8_t> asBytes(const std::string& s) { return std::vector<int8_t>(s.begin(), s.end()); }

}  // namespace

const std::vector<TrainFolder>& trainFolders() { return kFolders; }

std::vector<GeneratedFile> generateTrainFiles() {
    std::vector<GeneratedFile> out;
    std::string list;
    for (const TrainFolder& f : kFolders) {
        const std::string dir = std::string("train/") + f.dir + "/";
        list += std::string(f.dir) + "\n";

        std::string config;
        for (const TrainType& t : f.types) {
            config += reinterpret_cast<const char*>(t.name);
            for (int32_t v : {t.speed, t.acceleration, t.braking, t.middle, t.length}) config += "\t" + std::to_string(v);
            if (t.rules[0] != '\0') config += std::string("\t") + t.rules;
            config += "\n";
        }
        out.push_back({dir + "config.txt", textBytes(config)});

        const std::vector<uint8_t> pixels = paintTexture(f.style);
        std::vector<int8_t> bmp = encodeBmp8(kTextureWidth, kTextureHeight, f.style.palette, pixels);
        if (bmp.empty()) throw std::logic_error("texture of " + dir + " cannot be encoded");
        out.push_back({dir + "texture.bmp", std::move(bmp)});

        for (int32_t n = 0; n < 2; ++n) {
            ModelFiles m = formatModel(buildCar(f.shape, n == 0));
            const std::string suffix = "_" + std::to_string(n) + ".txt";
            out.push_back({dir + "vertex" + suffix, asBytes(m.vertex)});
            out.push_back({dir + "coordinate" + suffix, asBytes(m.coordinate)});
            out.push_back({dir + "normal" + suffix, asBytes(m.normal)});
        }
    }
    out.push_back({"train/list.txt", asBytes(list)});
    return out;
}

}  // namespace tetsuro::resgen
