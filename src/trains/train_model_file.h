#pragma once
// The three files of one car model in a rolling-stock folder:
//   vertex_<n>.txt      one face per line: x y z per vertex in metres
//   coordinate_<n>.txt  one face per line: two texture pixels per vertex
//   normal_<n>.txt      one lighting kind per face (0 unlit, -1 per face,
//                       -2 per vertex), all lines joined
// Faces have 2 (a line), 3 or 4 vertices (quads in strip order 0 1 3 2);
// longer faces are kept but never drawn.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tetsuro {

struct TrainModelData {
    std::vector<std::vector<float>> m_ve;    // per face, in real units (metres × 10)
    std::vector<std::vector<int32_t>> m_tc;  // per face
    std::vector<int32_t> m_no;               // per face
};

// "", or why the arrays do not describe the same faces: the three face counts
// differ, a face has fewer than two whole vertices or a coordinate that is
// not finite, or its texture row does
// not hold two numbers per vertex. The 3D builder indexes the arrays
// together, so a mismatch would read past one of them.
std::string checkTrainModel(const TrainModelData& data);

// Reads model n from `folder` (an address ending in '/', e.g.
// "resource:///train/x/"). Nothing when a file is missing, holds a malformed
// number or fails checkTrainModel; *error (when given) says which and why.
std::optional<TrainModelData> readTrainModel(std::string_view folder, int32_t n, std::string* error = nullptr);

}  // namespace tetsuro
