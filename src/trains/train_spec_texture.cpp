// Painting a type's bitmap and the lists that go with it to the texture
// builder.
#include "support/errors.h"
#include "support/file_bytes.h"
#include "support/text_file.h"
#include "trains/train_spec.h"

namespace tetsuro {
namespace {

constexpr int32_t kBodyRule = -2;
constexpr int32_t kKeepRule = -1;

// The bitmap, or nothing when the file is not a bitmap the reader takes.
// IOException when it cannot be read at all.
std::optional<BMP> readBitmap(const J_String& dir) {
    return BMP::fromBytes(VelJLib::readFileBytes(TrainSpec::folderAddress(dir) + "texture.bmp"));
}

// Only an 8-bit bitmap has palette slots the pixels refer to; painting
// anything else would write into its pixel data.
bool paintable(const BMP& b) { return b.getBitsPixel() == 8; }

// Numbers of an optional list file; nothing when missing or malformed.
std::optional<std::vector<int32_t>> readList(int32_t i, const char* name) {
    if (!TrainSpec::isValid(i)) return std::nullopt;
    try {
        return VelJLib::readFileArray(TrainSpec::folderAddress(TrainSpec::s_o[size_t(i)].m_dir) + name);
    } catch (const IOException&) {
    } catch (const NumberFormatException&) {
    }
    return std::nullopt;
}

}  // namespace

int32_t TrainSpec::createColor(const TrainSpec& t) {
    for (size_t k = 0; k < t.m_palette.size(); ++k) {
        if (t.m_palette[k] != kBodyRule) continue;
        std::optional<BMP> b = readBitmap(t.m_dir);
        if (!b) throw IOException("texture.bmp of " + t.m_dir.toUtf8() + " is not a readable bitmap");
        if (paintable(*b)) {
            const int32_t c = b->getPalette(static_cast<int32_t>(k) + 1);
            if (c >= 0) return c;
        }
        break;  // the slot is ignored when painting, so it cannot give the colour
    }
    for (int32_t rule : t.m_palette) {
        if (rule >= 0) return rule;
    }
    return colorFromId(t.m_id);
}

std::optional<BMP> TrainSpec::getBMP(int32_t i, int32_t color) {
    if (!isValid(i)) return std::nullopt;
    const TrainSpec& t = s_o[size_t(i)];
    std::optional<BMP> b;
    try {
        b = readBitmap(t.m_dir);
    } catch (const IOException&) {
        return std::nullopt;
    }
    if (!b || !paintable(*b)) return b;
    for (size_t k = t.m_palette.size(); k-- > 0;) {
        const int32_t rule = t.m_palette[k];
        if (rule == kKeepRule) continue;
        // Rules beyond the palette find no slot; setPalette leaves them out.
        b->setPalette(static_cast<int32_t>(k) + 1, rule == kBodyRule ? (color & 0xFFFFFF) : rule);
    }
    return b;
}

std::vector<int32_t> TrainSpec::getAlpha(int32_t i) {
    // The texture builder reads the key as three numbers.
    std::optional<std::vector<int32_t>> a = readList(i, "alpha.txt");
    if (!a || a->size() < 3) return {0, 0, 0};
    return *a;
}

std::vector<int32_t> TrainSpec::getReplace(int32_t i) {
    // The texture builder reads a replacement as six numbers.
    std::optional<std::vector<int32_t>> r = readList(i, "replace.txt");
    if (!r || r->size() < 6) return {};
    return *r;
}

std::shared_ptr<VelTexture> TrainSpec::getTexture(int32_t i, int32_t color) {
    if (!builder() || !isValid(i)) return nullptr;
    std::optional<BMP> b = getBMP(i, color);
    if (!b) return nullptr;
    return builder()->makeTexture(*b, getAlpha(i), getReplace(i));
}

}  // namespace tetsuro
