#pragma once
// A resource folder in a temporary directory, written by each test, with the
// catalogue's reporter captured and everything reset afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/temp_folder.h"
#include "support/bmp_writer.h"
#include "support/connector.h"
#include "support/shift_jis.h"
#include "trains/train_spec.h"

namespace tetsuro::testing {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        Connector::setResourceDir(m_dir.str());
        TrainSpec::setReporter([this](const J_String& m) { m_messages.push_back(m.toUtf8()); });
        TrainSpec::setGraphicsBuilder(nullptr);
    }
    void TearDown() override {
        TrainSpec::reset();
        TrainSpec::setReporter({});
        TrainSpec::setGraphicsBuilder(nullptr);
        Connector::setResourceDir("");
    }

    // A file under the resource folder; text is written as Shift-JIS.
    void writeText(const std::string& rel, const std::string& utf8) { writeBytes(rel, utf8ToCp932(utf8)); }
    void writeBytes(const std::string& rel, const std::vector<int8_t>& bytes) {
        const std::filesystem::path p = m_dir / rel;
        std::filesystem::create_directories(p.parent_path());
        writeFile(p.string(), bytes);
    }
    void remove(const std::string& rel) { std::filesystem::remove(m_dir / rel); }
    // A 2 × 2 8-bit texture using every palette index it can.
    void writeTexture(const std::string& folder, const std::vector<int32_t>& palette) {
        std::vector<uint8_t> px(4);
        for (size_t i = 0; i < 4; ++i) px[i] = uint8_t(i % palette.size());
        writeBytes("train/" + folder + "/texture.bmp", encodeBmp8(2, 2, palette, px));
    }
    std::vector<int8_t> fileBytes(const std::string& rel) { return readFile(m_dir / rel); }

    TempFolder m_dir;
    std::vector<std::string> m_messages;
};

inline const std::string kFailure = "車両データ読み込み失敗！";

}  // namespace tetsuro::testing
