#pragma once
// The seam between the rolling-stock catalogue and the 3D engine. The
// catalogue reads the files (painted bitmap, colour key lists, model arrays);
// the engine turns them into GL objects. Until an engine is installed the
// catalogue hands out no textures or models, and nothing else changes.
#include <cstdint>
#include <memory>
#include <vector>

#include "trains/train_model_file.h"

namespace tetsuro {

class BMP;
// Defined by the 3D engine; the catalogue only caches and passes them on.
class Vel3D;
class Vel3DGroup;
class VelTexture;

class TrainGraphicsBuilder {
public:
    virtual ~TrainGraphicsBuilder() = default;
    // A texture from a painted bitmap with its colour key (alpha) and colour
    // replacement lists; null when it cannot be made.
    virtual std::shared_ptr<VelTexture> makeTexture(const BMP& bmp, const std::vector<int32_t>& alpha,
                                                    const std::vector<int32_t>& replace) = 0;
    // A model from checked arrays; null when it cannot be made.
    virtual std::shared_ptr<Vel3D> makeModel(const TrainModelData& data) = 0;
    // The model's drawable group, with normals when `nor` is set.
    virtual std::shared_ptr<Vel3DGroup> getGroup(const std::shared_ptr<Vel3D>& model, bool nor) = 0;
    virtual void setTexture(const std::shared_ptr<Vel3D>& model, const std::shared_ptr<VelTexture>& texture,
                            bool nor) = 0;
};

}  // namespace tetsuro
