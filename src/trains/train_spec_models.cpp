// Car models of a type: read from their files on first use, built by the 3D
// engine and cached. A failure is remembered, so a missing file is neither
// read nor reported again on every frame.
#include "trains/train_spec.h"

namespace tetsuro {
namespace {

bool validModel(int32_t i, int32_t n) { return TrainSpec::isValid(i) && n >= 0 && n < TrainSpec::getMiddle(i); }

}  // namespace

std::optional<TrainModelData> TrainSpec::readModel(int32_t i, int32_t n) {
    if (!validModel(i, n)) return std::nullopt;
    TrainSpec& t = s_o[size_t(i)];
    std::optional<TrainModelData> d = readTrainModel(folderAddress(t.m_dir), n);
    if (!d) {
        t.m_modelFailed[size_t(n)] = 1;
        const bool first = !t.m_bModelReported;
        t.m_bModelReported = true;
        if (first) reportFailure();  // last: t may be gone after it
    }
    return d;
}

std::shared_ptr<Vel3D> TrainSpec::getVel3D(int32_t i, int32_t n) {
    if (!builder() || !validModel(i, n)) return nullptr;
    {
        const TrainSpec& t = s_o[size_t(i)];
        if (t.m_t3d[size_t(n)] || t.m_modelFailed[size_t(n)]) return t.m_t3d[size_t(n)];
    }
    std::optional<TrainModelData> d = readModel(i, n);
    // The reporter shows a message box, during which the catalogue may have
    // been reloaded: look the type up again.
    if (!d || !validModel(i, n)) return nullptr;
    TrainSpec& t = s_o[size_t(i)];
    t.m_t3d[size_t(n)] = builder()->makeModel(*d);
    if (!t.m_t3d[size_t(n)]) t.m_modelFailed[size_t(n)] = 1;
    return t.m_t3d[size_t(n)];
}

std::shared_ptr<Vel3DGroup> TrainSpec::getVel3DGroup(int32_t i, int32_t n, bool nor) {
    std::shared_ptr<Vel3D> m = getVel3D(i, n);
    if (!m) return nullptr;
    return builder()->getGroup(m, nor);
}

void TrainSpec::setTexture(int32_t i, const std::shared_ptr<VelTexture>& texture, bool nor) {
    for (int32_t n = 0; n < getMiddle(i); ++n) {
        std::shared_ptr<Vel3D> m = getVel3D(i, n);
        if (m) builder()->setTexture(m, texture, nor);
    }
}

}  // namespace tetsuro
