// Loading the catalogue: list.txt names the folders, each folder's
// config.txt holds one type per line.
//
// A missing list, configuration file or (for a type painted with a body
// colour) bitmap stops loading; the types read before stay. A line that does
// not parse is skipped and loading goes on. Either way the player sees the
// failure message once per load, not once per line.
#include <algorithm>

#include "support/errors.h"
#include "support/number_parse.h"
#include "support/text_file.h"
#include "support/vel_jlib_text.h"
#include "trains/train_spec.h"

namespace tetsuro {
namespace {

constexpr int8_t kTab = 9;
constexpr int kFixedFields = 6;  // name, speed, acceleration, braking, middle, length

// A folder name from list.txt must stay inside the train folder.
bool isPlainFolderName(const J_String& dir) {
    if (dir.length() == 0) return false;
    if (VelJLib::countChar(dir, '/') > 0 || VelJLib::countChar(dir, '\\') > 0) return false;
    return !(dir == J_String(".") || dir == J_String(".."));
}

// The type described by one configuration line, clamped; nothing when the
// line does not parse.
std::optional<TrainSpec> parseLine(const J_String& line, const J_String& dir) {
    std::vector<J_String> f = VelJLib::split(line, kTab);
    // A trailing tab leaves an empty last field: it is absent, not a rule.
    while (!f.empty() && f.back().trim().length() == 0) f.pop_back();
    if (static_cast<int>(f.size()) < kFixedFields) return std::nullopt;
    TrainSpec t;
    try {
        t.m_speed = std::clamp(Integer::parseInt(f[1]), TrainSpec::kMinSpeed, TrainSpec::kMaxSpeed);
        t.m_accelera = std::clamp(Integer::parseInt(f[2]), TrainSpec::kMinRate, TrainSpec::kMaxRate);
        t.m_breaking = std::clamp(Integer::parseInt(f[3]), TrainSpec::kMinRate, TrainSpec::kMaxRate);
        t.m_middle = std::clamp(Integer::parseInt(f[4]), TrainSpec::kMinMiddle, TrainSpec::kMaxMiddle);
        t.m_length = std::clamp(Integer::parseInt(f[5]), TrainSpec::kMinLength, TrainSpec::kMaxLength);
        for (size_t k = kFixedFields; k < f.size(); ++k) {
            const int32_t rule = Integer::parseInt(f[k], 16);
            // -2 body, -1 keep, else a colour: nothing else has a meaning.
            if (rule < -2 || rule > 0xFFFFFF) return std::nullopt;
            t.m_palette.push_back(rule);
        }
    } catch (const NumberFormatException&) {
        return std::nullopt;
    }
    t.m_name = f[0].trim();
    t.m_dir = dir;
    t.m_t3d.resize(size_t(t.m_middle));
    t.m_modelFailed.assign(size_t(t.m_middle), 0);
    return t;
}

}  // namespace

void TrainSpec::load() {
    reset();
    bool reported = false;
    auto fail = [&] {
        if (!reported) reportFailure();
        reported = true;
    };

    std::vector<J_String> folders;
    try {
        folders = VelJLib::readFileTextJS("resource:///train/list.txt");
    } catch (const IOException&) {
        fail();
        return;
    }
    for (const J_String& entry : folders) {
        const J_String dir = entry.trim();
        if (!isPlainFolderName(dir)) {
            fail();
            continue;
        }
        std::vector<J_String> lines;
        try {
            lines = VelJLib::readFileTextJS(folderAddress(dir) + "config.txt");
        } catch (const IOException&) {
            fail();
            return;
        }
        for (const J_String& line : lines) {
            std::optional<TrainSpec> t = parseLine(line, dir);
            if (!t) {
                fail();
                continue;
            }
            if (size() >= kMaxTypes) {
                fail();
                return;
            }
            t->m_id = size();
            try {
                t->m_color = createColor(*t);
            } catch (const IOException&) {
                fail();
                return;
            }
            s_o.push_back(std::move(*t));
        }
    }
}

}  // namespace tetsuro
