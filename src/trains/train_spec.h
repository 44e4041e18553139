#pragma once
// The rolling-stock catalogue: the types of train the player can buy, read
// once at start-up from the resource folder "train".
//
//   train/list.txt         one folder name per line
//   train/<F>/config.txt   one type per line, TAB-separated:
//                          name, speed, acceleration, braking, middle,
//                          length, then palette rules in hexadecimal
//   train/<F>/texture.bmp  8-bit bitmap painted by the palette rules
//   train/<F>/alpha.txt, replace.txt   optional colour key and replacement
//   train/<F>/vertex_<n>.txt ...       car models (train_model_file.h)
//
// Palette rule k governs palette index k + 1 (index 0 is never touched):
// -2 is the body colour, -1 keeps the bitmap's colour, anything else is a
// fixed colour 0xRRGGBB.
//
// Types are numbered in load order over all folders. The catalogue can be
// reloaded (and shrink), so every accessor checks its index and answers an
// invalid one with a harmless default.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "support/bmp.h"
#include "support/j_string.h"
#include "trains/train_graphics.h"

namespace tetsuro {

class TrainSpec {
public:
    // Limits applied while loading; values outside are clamped.
    static constexpr int32_t kMinSpeed = 5;      // below this the price steps and speed limits degenerate
    static constexpr int32_t kMaxSpeed = 1000;   // keeps track speeds and prices far inside their integers
    // Running divides acceleration and braking by the time-scale denominator,
    // at most 2^(6-1) = 32 (time scale 1/32); a smaller value would become 0
    // there and later divide by zero.
    static constexpr int32_t kMinRate = 32;
    static constexpr int32_t kMaxRate = 1 << 20;
    static constexpr int32_t kMinMiddle = 1, kMaxMiddle = 2;
    static constexpr int32_t kMinLength = 10, kMaxLength = 209;
    // Trains store their type in one signed byte.
    static constexpr int32_t kMaxTypes = 128;

    J_String m_name;
    int32_t m_speed = kMinSpeed;     // km/h
    int32_t m_accelera = kMinRate;   // speed units per tick at time scale 1/1
    int32_t m_breaking = kMinRate;
    int32_t m_middle = kMinMiddle;   // car models: 1, or 2 (end cars model 0, middle cars model 1)
    int32_t m_length = kMinLength;   // length of one car in real units (decimetres)
    J_String m_dir;                  // folder under "resource:///train/"
    std::vector<int32_t> m_palette;  // palette rules
    int32_t m_id = 0;                // equal to the index
    int32_t m_color = 0;             // current default body colour 0xRRGGBB
    std::vector<std::shared_ptr<Vel3D>> m_t3d;  // per model, built on first use
    // Per model: its files failed to load, so they are not read again.
    std::vector<uint8_t> m_modelFailed;
    // The failure has been reported (once per type, not every frame).
    bool m_bModelReported = false;

    // The catalogue.
    static std::vector<TrainSpec> s_o;

    // Reads the catalogue anew (see train_spec_load.cpp). Problems are
    // reported once per call through the reporter.
    static void load();
    // Empties the catalogue and forgets cached models.
    static void reset();

    // Messages for the player ("車両データ読み込み失敗！"); the canvas shows
    // them in a message box. Without a reporter they are dropped.
    using Reporter = std::function<void(const J_String&)>;
    static void setReporter(Reporter reporter);
    static const J_String& failureMessage();

    // The 3D engine; null (the default) until it exists.
    static void setGraphicsBuilder(std::shared_ptr<TrainGraphicsBuilder> builder);

    static int32_t size();
    static bool isValid(int32_t i);

    // An invalid index gives the value in brackets.
    static const J_String& getName(int32_t i);  // (empty)
    static int32_t getSpeed(int32_t i);         // (1)
    static int32_t getAcceleration(int32_t i);  // (kMinRate)
    static int32_t getBreaking(int32_t i);      // (kMinRate)
    static int32_t getLength(int32_t i);        // (kMinLength)
    static int32_t getMiddle(int32_t i);        // (0)
    static int32_t getColor(int32_t i);         // (-1)
    // The purchase screen edits the default colour; ignored for an invalid index.
    static void setColor(int32_t i, int32_t color);

    // Price of one car: ((pow_2_8(speed / 5) * 10000) / 256000) * 2500, each
    // division truncating, so it doubles every 40 km/h (100 km/h: 140000).
    // 0 for an invalid index.
    static int64_t getPrice(int32_t i);

    // Default colour of a type not painted by its rules, from its id:
    // 0099AA, 0099FF, 00FFAA, ... for ids 0..11, repeating after that.
    static int32_t colorFromId(int32_t id);
    // Default colour of a loaded type: the bitmap's colour at the first body
    // slot, else the first fixed colour, else colorFromId. Throws
    // IOException when the bitmap is needed and cannot be read.
    static int32_t createColor(const TrainSpec& type);

    // The type's bitmap with its palette painted for body colour `color`;
    // nothing for an invalid index or an unreadable bitmap. Rules beyond the
    // palette, and every rule of a bitmap that is not 8-bit, are ignored.
    static std::optional<BMP> getBMP(int32_t i, int32_t color);
    // Colour key (alpha.txt; 0, 0, 0 when missing or shorter than three
    // numbers) and colour replacement (replace.txt; empty when missing or
    // shorter than six numbers), for the texture builder.
    static std::vector<int32_t> getAlpha(int32_t i);
    static std::vector<int32_t> getReplace(int32_t i);
    // The arrays of model n (0 <= n < middle); nothing for a bad index, or
    // when the files fail to load, which is reported once per type.
    static std::optional<TrainModelData> readModel(int32_t i, int32_t n);

    // GL objects, through the graphics builder; null without one.
    // A texture painted with `color`; null for an invalid index or a missing
    // texture (no message).
    static std::shared_ptr<VelTexture> getTexture(int32_t i, int32_t color);
    // Model n, built on first request and cached; null for an invalid index
    // or model, or when the files fail to load (reported once per type and
    // not read again).
    static std::shared_ptr<Vel3D> getVel3D(int32_t i, int32_t n);
    static std::shared_ptr<Vel3DGroup> getVel3DGroup(int32_t i, int32_t n, bool nor);
    // Applies the texture to every model of the type.
    static void setTexture(int32_t i, const std::shared_ptr<VelTexture>& texture, bool nor);

    // "resource:///train/<folder>/" of a type.
    static std::string folderAddress(const J_String& dir);

    // Sends the failure message through the reporter.
    static void reportFailure();

private:
    static Reporter& reporter();
    static std::shared_ptr<TrainGraphicsBuilder>& builder();
};

}  // namespace tetsuro
