// Our own rolling stock, as the build generated it, read back through the
// game's readers.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "support/bmp.h"
#include "support/connector.h"
#include "support/file_bytes.h"
#include "trains/train_model_file.h"
#include "trains/train_spec.h"

namespace tetsuro {
namespace {

class GeneratedCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        Connector::setResourceDir(TETSURO_RESOURCE_DIR);
        TrainSpec::setReporter([this](const J_String& m) { m_messages.push_back(m.toUtf8()); });
        TrainSpec::load();
    }
    void TearDown() override {
        TrainSpec::reset();
        TrainSpec::setReporter({});
        Connector::setResourceDir("");
    }
    // Types by folder, in load order.
    std::map<std::string, std::vector<int32_t>> folders() const {
        std::map<std::string, std::vector<int32_t>> f;
        for (int32_t i = 0; i < TrainSpec::size(); ++i) f[TrainSpec::s_o[size_t(i)].m_dir.toUtf8()].push_back(i);
        return f;
    }
    std::vector<std::string> m_messages;
};

bool powerOfTwo(int64_t v) { return v > 0 && (v & (v - 1)) == 0; }

TEST_F(GeneratedCatalogueTest, LoadsCleanlyWithinTheLimits) {
    EXPECT_TRUE(m_messages.empty());
    ASSERT_GE(TrainSpec::size(), 7);
    EXPECT_GE(folders().size(), 4u);
    ASSERT_LE(TrainSpec::getLength(0), 200);  // two cars fit a 400 dm platform
    std::set<std::string> names;
    for (int32_t i = 0; i < TrainSpec::size(); ++i) {
        SCOPED_TRACE(i);
        // Whole after any time-scale division (at most 32), so results do not
        // depend on how time is cut into steps.
        EXPECT_EQ(TrainSpec::getAcceleration(i) % 64, 0);
        EXPECT_EQ(TrainSpec::getBreaking(i) % 64, 0);
        EXPECT_GE(TrainSpec::getAcceleration(i), 64);
        EXPECT_LE(TrainSpec::getLength(i), 209);
        EXPECT_GE(TrainSpec::getSpeed(i), TrainSpec::kMinSpeed);
        EXPECT_GT(TrainSpec::getPrice(i), 0);
        EXPECT_NE(TrainSpec::getColor(i), 0);  // pure black is the transparent colour
        EXPECT_TRUE(names.insert(TrainSpec::getName(i).toUtf8()).second);
    }
}

// Every line of a config.txt must be read: a blank line would silently end
// the file early.
TEST_F(GeneratedCatalogueTest, EveryConfigurationLineIsAType) {
    const std::string root = std::string(TETSURO_RESOURCE_DIR) + "/train/";
    for (const auto& [dir, types] : folders()) {
        std::vector<int8_t> bytes = VelJLib::readFileBytes(root + dir + "/config.txt");
        size_t lines = 0;
        for (size_t k = 0; k < bytes.size(); ++k) {
            if (bytes[k] == '\n') ++lines;
            if (bytes[k] == '\n' && k + 1 < bytes.size()) {
                EXPECT_NE(bytes[k + 1], '\n') << dir;
            }
        }
        EXPECT_EQ(lines, types.size()) << dir;
    }
}

TEST_F(GeneratedCatalogueTest, TexturesArePalettisedAndPaintable) {
    for (const auto& [dir, types] : folders()) {
        SCOPED_TRACE(dir);
        std::optional<BMP> b = TrainSpec::getBMP(types[0], 0x123456);
        ASSERT_TRUE(b && b->isValid());
        EXPECT_EQ(b->getBitsPixel(), 8);
        EXPECT_TRUE(powerOfTwo(b->getWidth()));
        EXPECT_TRUE(powerOfTwo(b->getHeight()));
        const int64_t colours = b->getClrUsedCount();
        EXPECT_EQ(b->getBitsIndex(), 54 + 4 * colours);  // palette right after the 40-byte header
        for (int32_t n = 1; n < colours; ++n) EXPECT_NE(b->getPalette(n), 0) << "entry " << n << " is pure black";
        for (int32_t t : types) {
            const auto& rules = TrainSpec::s_o[size_t(t)].m_palette;
            EXPECT_LT(int64_t(rules.size()), colours);
            for (int32_t r : rules) EXPECT_NE(r, 0);
        }
        // Every pixel's colour comes from the palette.
        for (int32_t y = 0; y < b->getHeight(); ++y)
            for (int32_t x = 0; x < b->getWidth(); ++x) ASSERT_GE(b->getPixel(x, y), 0);
    }
}

struct Vec {
    double x, y, z;
};
Vec sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Back faces are culled, so every face must be wound counter-clockwise seen
// from outside: its normal (p1 - p0) × (p2 - p0), as the 3D builder computes
// it, points away from the middle of the car. The cars are boxes, convex
// enough for that test.
TEST_F(GeneratedCatalogueTest, ModelsFaceOutwardAndFitTheirCars) {
    for (const auto& [dir, types] : folders()) {
        std::optional<BMP> tex = TrainSpec::getBMP(types[0], 0);
        ASSERT_TRUE(tex);
        int32_t shortest = TrainSpec::kMaxLength;
        for (int32_t t : types) shortest = std::min(shortest, TrainSpec::getLength(t));
        for (int32_t n = 0; n < 2; ++n) {
            SCOPED_TRACE(dir + " model " + std::to_string(n));
            std::string err;
            std::optional<TrainModelData> m = readTrainModel(TrainSpec::folderAddress(TrainSpec::s_o[size_t(types[0])].m_dir), n, &err);
            ASSERT_TRUE(m) << err;
            ASSERT_GE(m->m_ve.size(), 6u);
            Vec lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
            for (const auto& row : m->m_ve) {
                for (size_t k = 0; k < row.size(); k += 3) {
                    lo = {std::min(lo.x, double(row[k])), std::min(lo.y, double(row[k + 1])), std::min(lo.z, double(row[k + 2]))};
                    hi = {std::max(hi.x, double(row[k])), std::max(hi.y, double(row[k + 1])), std::max(hi.z, double(row[k + 2]))};
                }
            }
            EXPECT_LE(hi.x - lo.x, shortest);  // real units: the car pitch
            EXPECT_GE(lo.z, 0.0);
            const Vec mid{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
            for (size_t f = 0; f < m->m_ve.size(); ++f) {
                const auto& r = m->m_ve[f];
                const size_t corners = r.size() / 3;
                ASSERT_TRUE(corners == 3 || corners == 4) << "face " << f;
                Vec p[4];
                Vec centre{0, 0, 0};
                for (size_t k = 0; k < corners; ++k) {
                    p[k] = {r[3 * k], r[3 * k + 1], r[3 * k + 2]};
                    centre = {centre.x + p[k].x / corners, centre.y + p[k].y / corners, centre.z + p[k].z / corners};
                }
                const Vec normal = cross(sub(p[1], p[0]), sub(p[2], p[0]));
                EXPECT_GT(dot(normal, sub(centre, mid)), 0.0) << "face " << f << " faces inward";
                if (corners == 4) {
                    // Strip order 0 1 3 2: the drawn quad 0 1 3 2 turns the same way throughout.
                    const Vec n2 = cross(sub(p[3], p[1]), sub(p[2], p[1]));
                    EXPECT_GT(dot(normal, n2), 0.0) << "quad " << f << " is not in strip order";
                }
                EXPECT_NE(m->m_no[f], 0) << "face " << f << " is unlit";
                for (size_t k = 0; k < m->m_tc[f].size(); k += 2) {
                    EXPECT_GE(m->m_tc[f][k], 0);
                    EXPECT_LE(m->m_tc[f][k], tex->getWidth());
                    EXPECT_GE(m->m_tc[f][k + 1], 0);
                    EXPECT_LE(m->m_tc[f][k + 1], tex->getHeight());
                }
            }
        }
    }
}

TEST_F(GeneratedCatalogueTest, WholeSetIsSmall) {
    uintmax_t total = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(std::string(TETSURO_RESOURCE_DIR) + "/train")) {
        if (e.is_regular_file()) total += e.file_size();
    }
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 1u << 20);
}

}  // namespace
}  // namespace tetsuro
