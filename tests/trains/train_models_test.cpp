#include <gtest/gtest.h>

#include "catalogue_fixture.h"
#include "trains/train_model_file.h"
#include "trains/train_spec.h"

namespace tetsuro::testing {
namespace {

// Stands in for the 3D engine: remembers what it was given and hands back
// tokens (the catalogue never looks inside them).
struct FakeBuilder : TrainGraphicsBuilder {
    struct Token {
        int serial;
    };
    template <typename T>
    std::shared_ptr<T> token() {
        auto t = std::make_shared<Token>(Token{++serial});
        return std::shared_ptr<T>(t, reinterpret_cast<T*>(t.get()));
    }

    std::shared_ptr<VelTexture> makeTexture(const BMP& bmp, const std::vector<int32_t>& alpha,
                                            const std::vector<int32_t>& replace) override {
        textures.push_back({bmp.getPalette(1), alpha, replace});
        return token<VelTexture>();
    }
    std::shared_ptr<Vel3D> makeModel(const TrainModelData& data) override {
        models.push_back(data);
        return token<Vel3D>();
    }
    std::shared_ptr<Vel3DGroup> getGroup(const std::shared_ptr<Vel3D>& model, bool nor) override {
        groups.push_back({model.get(), nor});
        return token<Vel3DGroup>();
    }
    void setTexture(const std::shared_ptr<Vel3D>& model, const std::shared_ptr<VelTexture>& texture,
                    bool nor) override {
        applied.push_back({model.get(), texture.get(), nor});
    }

    struct Texture {
        int32_t body;
        std::vector<int32_t> alpha, replace;
    };
    struct Group {
        const Vel3D* model;
        bool nor;
    };
    struct Applied {
        const Vel3D* model;
        const VelTexture* texture;
        bool nor;
    };
    int serial = 0;
    std::vector<Texture> textures;
    std::vector<TrainModelData> models;
    std::vector<Group> groups;
    std::vector<Applied> applied;
};

class TrainModelsTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        m_builder = std::make_shared<FakeBuilder>();
        TrainSpec::setGraphicsBuilder(m_builder);
    }
    // One face: a triangle, lit per face.
    void writeModel(const std::string& folder, int n) {
        const std::string base = "train/" + folder + "/";
        const std::string s = "_" + std::to_string(n) + ".txt";
        writeText(base + "vertex" + s, "0\t0\t0\t1\t0\t0\t0\t1\t0.5\n");
        writeText(base + "coordinate" + s, "0\t0\t8\t0\t0\t8\n");
        writeText(base + "normal" + s, "-1\n");
    }
    std::shared_ptr<FakeBuilder> m_builder;
};

TEST_F(TrainModelsTest, ModelFilesAreReadIntoArrays) {
    writeText("m/vertex_3.txt", "1\t2\t3\t4\t5\t6\t7\t8.5\t-9\n0.1\t0\t0\t0\t0.25\t0\n");
    writeText("m/coordinate_3.txt", "0\t1\t2\t3\t4\t5\n6\t7\t8\t9\n");
    writeText("m/normal_3.txt", "-1\n-2\n");
    std::string err;
    std::optional<TrainModelData> d = readTrainModel(m_dir.str() + "/m/", 3, &err);
    ASSERT_TRUE(d) << err;
    ASSERT_EQ(d->m_ve.size(), 2u);
    EXPECT_EQ(d->m_ve[0], (std::vector<float>{10, 20, 30, 40, 50, 60, 70, 85, -90}));
    EXPECT_FLOAT_EQ(d->m_ve[1][0], 1.0f);
    EXPECT_FLOAT_EQ(d->m_ve[1][4], 2.5f);
    EXPECT_EQ(d->m_tc, (std::vector<std::vector<int32_t>>{{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9}}));
    EXPECT_EQ(d->m_no, (std::vector<int32_t>{-1, -2}));
}

// The 3D builder walks the three arrays together: anything that does not
// line up is refused here rather than read past there.
TEST_F(TrainModelsTest, InconsistentModelFilesAreRejected) {
    const std::string tri = "0\t0\t0\t1\t0\t0\t0\t1\t0\n";
    const std::string tc3 = "0\t0\t1\t0\t0\t1\n";
    const struct {
        const char* what;
        std::string ve, tc, no;
    } cases[] = {
        {"two faces, one coordinate row", tri + tri, tc3, "-1\t-1\n"},
        {"two faces, one lighting kind", tri + tri, tc3 + tc3, "-1\n"},
        {"lighting kinds over two lines, three of them", tri + tri, tc3 + tc3, "-1\n-1\t0\n"},
        {"coordinate row too short", tri, "0\t0\t1\t0\n", "-1\n"},
        {"vertex row not whole vertices", "0\t0\t0\t1\t0\t0\t5\n", "0\t0\t1\t0\n", "0\n"},
        {"a single vertex", "0\t0\t0\n", "0\t0\n", "0\n"},
        {"malformed float", "0\t0\t0\t1\t0x\t0\t0\t1\t0\n", tc3, "-1\n"},
        {"malformed coordinate", tri, "0\t0\t1\t0\t0\t1.5\n", "-1\n"},
        {"coordinate out of float range", "0\t0\t0\t1\t0\t0\t0\t1\t3e38\n", tc3, "-1\n"},
    };
    for (const auto& c : cases) {
        writeText("m/vertex_0.txt", c.ve);
        writeText("m/coordinate_0.txt", c.tc);
        writeText("m/normal_0.txt", c.no);
        std::string err;
        EXPECT_FALSE(readTrainModel(m_dir.str() + "/m/", 0, &err)) << c.what;
        EXPECT_FALSE(err.empty()) << c.what;
    }
    writeText("m/vertex_0.txt", tri + tri);
    writeText("m/coordinate_0.txt", tc3 + "0\t0\t1\t0\t0\t1\n");
    writeText("m/normal_0.txt", "-1\n0\n");
    EXPECT_TRUE(readTrainModel(m_dir.str() + "/m/", 0));
    remove("m/normal_0.txt");
    EXPECT_FALSE(readTrainModel(m_dir.str() + "/m/", 0));
}

TEST_F(TrainModelsTest, ModelsAreBuiltOnceAndCached) {
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", "a1\t100\t64\t64\t2\t200\n");
    writeModel("a", 0);
    writeModel("a", 1);
    TrainSpec::load();
    std::shared_ptr<Vel3D> m0 = TrainSpec::getVel3D(0, 0);
    ASSERT_TRUE(m0);
    EXPECT_EQ(TrainSpec::getVel3D(0, 0), m0);
    ASSERT_TRUE(TrainSpec::getVel3D(0, 1));
    EXPECT_NE(TrainSpec::getVel3D(0, 1), m0);
    EXPECT_EQ(m_builder->models.size(), 2u);
    EXPECT_EQ(m_builder->models[0].m_ve[0][7], 10.0f);  // metres became real units

    EXPECT_FALSE(TrainSpec::getVel3D(0, 2));
    EXPECT_FALSE(TrainSpec::getVel3D(0, -1));
    EXPECT_FALSE(TrainSpec::getVel3D(1, 0));
    EXPECT_FALSE(TrainSpec::getVel3DGroup(1, 0, true));

    ASSERT_TRUE(TrainSpec::getVel3DGroup(0, 0, true));
    ASSERT_TRUE(TrainSpec::getVel3DGroup(0, 1, false));
    ASSERT_EQ(m_builder->groups.size(), 2u);
    EXPECT_EQ(m_builder->groups[0].model, m0.get());
    EXPECT_TRUE(m_builder->groups[0].nor);
    EXPECT_FALSE(m_builder->groups[1].nor);
    EXPECT_EQ(m_builder->models.size(), 2u);
    EXPECT_EQ(m_messages.size(), 0u);
}

// A missing model would otherwise pop a message box on every frame.
TEST_F(TrainModelsTest, FailedModelIsReportedOncePerTypeAndNotReread) {
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", "a1\t100\t64\t64\t2\t200\na2\t100\t64\t64\t1\t200\n");
    TrainSpec::load();
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_FALSE(TrainSpec::getVel3DGroup(0, 0, true));
        EXPECT_FALSE(TrainSpec::getVel3DGroup(0, 1, true));
    }
    EXPECT_EQ(m_messages, std::vector<std::string>{kFailure});
    // Another type is reported on its own.
    EXPECT_FALSE(TrainSpec::getVel3D(1, 0));
    EXPECT_EQ(m_messages.size(), 2u);
    // Files that appear later are picked up by the next load, not mid-run.
    writeModel("a", 0);
    EXPECT_FALSE(TrainSpec::getVel3D(0, 0));
    TrainSpec::load();
    EXPECT_TRUE(TrainSpec::getVel3D(0, 0));
    EXPECT_EQ(m_builder->models.size(), 1u);
}

TEST_F(TrainModelsTest, WithoutAnEngineThereAreNoGlObjects) {
    writeText("train/list.txt", "a\n");
    writeText("train/a/config.txt", "a1\t100\t64\t64\t1\t200\t-2\n");
    writeTexture("a", {0x000000, 0x336699});
    writeModel("a", 0);
    TrainSpec::load();
    TrainSpec::setGraphicsBuilder(nullptr);
    EXPECT_FALSE(TrainSpec::getTexture(0, 0x123456));
    EXPECT_FALSE(TrainSpec::getVel3D(0, 0));
    EXPECT_FALSE(TrainSpec::getVel3DGroup(0, 0, false));
    TrainSpec::setTexture(0, nullptr, false);
    EXPECT_TRUE(TrainSpec::readModel(0, 0));  // the files themselves are fine
    EXPECT_EQ(m_messages.size(), 0u);
}

TEST_F(TrainModelsTest, TexturesArePaintedAndAppliedToEveryModel) {
    writeText("train/list.txt", "a\nb\n");
    writeText("train/a/config.txt", "a1\t100\t64\t64\t2\t200\t-2\n");
    writeTexture("a", {0x000000, 0x336699});
    writeText("train/a/alpha.txt", "1\t2\t3\n");
    writeModel("a", 0);
    writeModel("a", 1);
    writeText("train/b/config.txt", "b1\t100\t64\t64\t1\t200\n");
    TrainSpec::load();
    ASSERT_EQ(TrainSpec::size(), 2);

    std::shared_ptr<VelTexture> tex = TrainSpec::getTexture(0, 0x123456);
    ASSERT_TRUE(tex);
    ASSERT_EQ(m_builder->textures.size(), 1u);
    EXPECT_EQ(m_builder->textures[0].body, 0x123456);
    EXPECT_EQ(m_builder->textures[0].alpha, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_TRUE(m_builder->textures[0].replace.empty());

    // No texture file: no texture and no message.
    EXPECT_FALSE(TrainSpec::getTexture(1, 0x123456));
    EXPECT_FALSE(TrainSpec::getTexture(2, 0x123456));
    EXPECT_EQ(m_messages.size(), 0u);

    TrainSpec::setTexture(0, tex, true);
    ASSERT_EQ(m_builder->applied.size(), 2u);
    EXPECT_EQ(m_builder->applied[0].model, TrainSpec::getVel3D(0, 0).get());
    EXPECT_EQ(m_builder->applied[1].model, TrainSpec::getVel3D(0, 1).get());
    EXPECT_EQ(m_builder->applied[1].texture, tex.get());
    EXPECT_TRUE(m_builder->applied[1].nor);
}

}  // namespace
}  // namespace tetsuro::testing
