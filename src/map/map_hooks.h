#pragma once
// Where the terrain grid calls into subsystems that plug in later: the 3D
// ground and object caches, the road-crossing labels, the track drawing list
// and the timetable panel. Every default does nothing (or reports "none"),
// which is what an empty world needs; no caller depends on a faked result.
#include <cstdint>

namespace tetsuro {

class MapHooks {
public:
    virtual ~MapHooks() = default;

    // --- 3D caches ---------------------------------------------------------
    // The ground cache slot of one draw patch (py8 * patch columns + px8).
    virtual void clearGroundID(int32_t /*patch*/) {}
    // Every ground cache slot.
    virtual void clearGroundIDAll() {}
    // The cached 3D objects on one mesh, on a rectangle of meshes, on all.
    virtual void deleteObject_myx(int32_t /*my*/, int32_t /*mx*/) {}
    virtual void deleteObjectRect(int32_t /*my*/, int32_t /*mx*/, int32_t /*h*/, int32_t /*w*/) {}
    virtual void deleteObjectAll() {}
    // The visible area's centre (real units) and scope (draw patches).
    virtual void setCYX(int32_t /*cy*/, int32_t /*cx*/) {}
    virtual void setScope(int32_t /*patches*/) {}
    // The mesh size changed: 3D cursor, sea plane, vertices of the patches.
    virtual void meshSizeChanged(int32_t /*ms*/) {}

    // --- roads ---------------------------------------------------------------
    // The road-crossing table and the level-crossing table, re-created for a
    // new map size.
    virtual void initRoadCross() {}
    virtual void initCrossing() {}
    // Crossing label slots (0 or 1) of a road mesh; -1 for none.
    virtual void setRoadCrossing(int32_t /*my*/, int32_t /*mx*/, int32_t /*slot*/, int32_t /*ci*/) {}
    virtual int32_t getRoadCrossing(int32_t /*my*/, int32_t /*mx*/, int32_t /*slot*/) const { return -1; }

    // --- drawing -------------------------------------------------------------
    // Rebuild the list of track pieces inside the visible real rectangle.
    virtual void renewPutList() {}
    // The timetable panel's cell sizes for a map view of height x width
    // pixels (they depend on the font heights).
    virtual void renewDiaSize(int32_t /*height*/, int32_t /*width*/) {}
};

// The hooks the map code calls. Null restores the do-nothing defaults. The
// object must outlive its registration.
MapHooks& mapHooks();
void setMapHooks(MapHooks* hooks);

}  // namespace tetsuro
