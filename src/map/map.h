#pragma once
// The terrain grid: one land-type byte per mesh and one elevation per mesh
// corner (vertex), stored row by row from the south. There is one map per
// game, so the grid is static state, like the shared parameters in Sub.
//
// Units: real coordinates, mesh sizes and elevations are decimetres; y grows
// north and x east. Mesh (my, mx) covers real y in [my * ms, (my + 1) * ms)
// and has the corners (my, mx), (my, mx + 1), (my + 1, mx), (my + 1, mx + 1).
// Real coordinates become meshes by truncating division: callers range-check
// first, so a point a little south or west of the map is never asked about.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "map/land_codes.h"

namespace tetsuro {

class Map {
public:
    // Elevation of a vertex with no land under it.
    static constexpr int16_t kNoLand = -32768;
    // Elevation of every vertex of a new or newly extended map; map
    // generation also reads it as "not yet set".
    static constexpr int16_t kNewElevation = 80;
    // Every mesh field is 16-bit, so no side may be longer.
    static constexpr int32_t kMaxSide = 32767;
    // getZ_RYX of a point off the map.
    static constexpr double kOutsideZ = -99999.0;

    // --- sizes ---------------------------------------------------------------
    static inline int32_t m_my = 0, m_mx = 0;  // rows and columns of meshes
    static inline int32_t m_ms = 100;          // mesh size
    static inline int32_t m_gs = 50;           // placement grid size
    static inline int32_t m_gy = 1, m_gx = 1;  // placement grid lines
    static inline int32_t m_bms = 8;           // meshes per city block side
    static inline int32_t m_puy = 0, m_pux = 0;  // draw patches of 8 x 8 meshes
    // Real rectangle (inclusive) of the draw patches in view.
    static inline int32_t m_rfy = 0, m_rfx = 0, m_rty = -1, m_rtx = -1;

    // --- arrays ----------------------------------------------------------------
    static inline std::vector<int8_t> m_aTyp;   // m_my x m_mx land codes
    // (m_my + 1) x (m_mx + 1) elevations: even a 0 x 0 map has its corner.
    static inline std::vector<int16_t> m_aSLv = std::vector<int16_t>(1, kNewElevation);
    // Packed copies, present only around saving and loading.
    static inline std::vector<int8_t> m_aTyC;
    static inline std::vector<int16_t> m_aSLC;

    // Largest number of bytes the two arrays may take; a larger map is
    // refused as if memory had run out. Unlimited unless a test lowers it to
    // reach the out-of-memory paths.
    static inline uint64_t s_maxArrayBytes = UINT64_MAX;

    // The program-start state: 0 x 0 meshes, mesh 10 m, grid 5 m.
    static void reset();

    // New sizes and fresh arrays: land 0 everywhere, elevations 80, packed
    // copies empty. The old arrays are released before the new ones are made.
    // False when a side is negative or above kMaxSide, or ms or gs is below
    // 1 (nothing changed), or when the arrays cannot be allocated (the map is
    // then 0 x 0). Callers must check: every other part indexes these arrays.
    [[nodiscard]] static bool init(int32_t my, int32_t mx, int32_t ms, int32_t gs);
    // Sets the grid size (at least 1) and the grid-line counts.
    static void init_gs(int32_t gs);
    // Grows the map by dy rows to the north and dx columns to the east. Old
    // meshes and vertices keep their coordinates and values; new meshes are
    // paddy and new vertices get elevation 80. Old and new arrays coexist
    // while the data is copied. False (nothing changed) for a negative step,
    // a side above kMaxSide or a failed allocation.
    [[nodiscard]] static bool extend(int32_t dy, int32_t dx);

    // --- land types ---------------------------------------------------------------
    static bool isMYX(int32_t my, int32_t mx) {
        return uint32_t(my) < uint32_t(m_my) && uint32_t(mx) < uint32_t(m_mx);
    }
    static bool isSYX(int32_t sy, int32_t sx) {
        return uint32_t(sy) <= uint32_t(m_my) && uint32_t(sx) <= uint32_t(m_mx);
    }
    // Land code, -1 outside the map. No side effects: block points and the
    // 3D caches are the controller's business (MapController::setMapTyp).
    static int32_t getTyp(int32_t my, int32_t mx) {
        return isMYX(my, mx) ? int32_t(m_aTyp[meshIndex(my, mx)]) : int32_t(LAND_OUTSIDE);
    }
    static void setTyp(int32_t my, int32_t mx, int32_t v) {
        if (isMYX(my, mx)) m_aTyp[meshIndex(my, mx)] = int8_t(v);
    }
    // For every (my, mx) pair of a flat list; an odd last value is ignored.
    static void setTyp(std::span<const int32_t> list, int32_t v);

    // --- elevations -----------------------------------------------------------------
    // Elevation of a vertex; kNoLand for a vertex off the map (callers pass
    // vertices inside it, but a stray one must not read outside the array).
    static int32_t getZ(int32_t sy, int32_t sx) { return isSYX(sy, sx) ? m_aSLv[vertexIndex(sy, sx)] : kNoLand; }
    static int32_t getSLv(int32_t sy, int32_t sx) { return getZ(sy, sx); }
    // Ignored outside the map.
    static void setSLv(int32_t sy, int32_t sx, int32_t v) {
        if (isSYX(sy, sx)) m_aSLv[vertexIndex(sy, sx)] = int16_t(v);
    }
    // Several samples landing on one vertex: with bef = 0 v is written;
    // otherwise (stored x bef + v x now) / (bef + now) in floating point,
    // truncated and clamped to 16 bits. Nothing happens off the map, when the
    // stored value already equals v, or when bef + now is 0.
    static void setSLvBlend(int32_t sy, int32_t sx, int32_t v, int32_t bef, int32_t now);

    // Elevation at real y on vertex column gx (at real x on vertex row gy):
    // the vertex value on a mesh line, linear between the two vertices
    // otherwise. kOutsideZ off the map.
    static double getZ_RY(int32_t y, int32_t gx);
    static double getZ_RX(int32_t gy, int32_t x);
    // Elevation under a real point: the plane through the south-west,
    // south-east and north-west corners of its mesh (the north-east corner
    // does not enter). kOutsideZ outside 0..getRYMax() x 0..getRXMax().
    // Float arguments are truncated toward zero first.
    static double getZ_RYX(int32_t y, int32_t x);
    static double getZ_RYX(double y, double x);
    // Slope of a mesh along (vy, vx), for shading 3D ground; 0 off the map.
    static int64_t getZAngle(int32_t my, int32_t mx, int32_t vy, int32_t vx);
    // Highest elevation among the four neighbouring vertices inside the map,
    // kNoLand when there is none.
    static int32_t getNeighborHigh(int32_t sy, int32_t sx);
    // All four corners at the same elevation (false off the map).
    static bool isHorizontal(int32_t my, int32_t mx);

    // --- classifications of a mesh (a mesh off the map is none of them) ---------
    static bool isRoad(int32_t my, int32_t mx) { return LandCodes::isRoad(getTyp(my, mx)); }
    static bool isRoadCross(int32_t my, int32_t mx) { return LandCodes::isRoadCross(getTyp(my, mx)); }
    static bool isRoadCurve(int32_t my, int32_t mx) { return LandCodes::isRoadCurve(getTyp(my, mx)); }
    static bool isHouse(int32_t my, int32_t mx) { return LandCodes::isHouse(getTyp(my, mx)); }
    static bool isOffice(int32_t my, int32_t mx) { return LandCodes::isOffice(getTyp(my, mx)); }
    static bool isTrain(int32_t my, int32_t mx) { return LandCodes::isTrain(getTyp(my, mx)); }

    // Every mesh whose four corners are all kNoLand becomes sea (0), in one
    // pass. Returns how many meshes changed code (their block points are then
    // stale: see MapController::checkTypSea).
    static int64_t checkTypSea();

    // --- sizes in real units ------------------------------------------------------------
    // m_my x m_mx x m_ms / 10, the size figure the starting funds come from.
    static int64_t getArea() { return int64_t(m_my) * m_mx * m_ms / 10; }
    static int32_t getRYMax() { return m_my * m_ms; }
    static int32_t getRXMax() { return m_mx * m_ms; }
    static int32_t RtoM(int32_t r) { return r / m_ms; }

    // --- packing for saving ------------------------------------------------------------
    // Fills the packed copies from the arrays.
    static void compress();
    // Rebuilds the arrays (which must already have the map's size) from the
    // packed copies and empties the copies. Throws PackedDataException for
    // data that does not fit; the arrays are then fresh (land 0, elevation
    // 80), never half loaded.
    static void decompress();
    static void freeCompressArea();

    // --- roads ---------------------------------------------------------------------------
    // First direction d4 >= st whose bit is set in the road's link mask; -1.
    static int32_t getRoadD4(int32_t my, int32_t mx, int32_t st);
    // First direction >= d4 whose neighbouring mesh is a road; -1.
    static int32_t searchRoadNei4(int32_t my, int32_t mx, int32_t d4);
    // The first link of the road that is not the way back ((d4 + 2) mod 4,
    // d4 being the direction of travel); -1.
    static int32_t getRoadNextD4(int32_t my, int32_t mx, int32_t d4);
    // Axis of a road piece: 0 for east-west (16), 45 for 17 and 20, 90 for
    // north-south (21), 135 otherwise.
    static int32_t getRoadD(int32_t my, int32_t mx);
    // The road's axis turned to face d (degrees).
    static int32_t getRoadNextD360(int32_t my, int32_t mx, int32_t d);
    // 90 when the mesh to the east is road, else 180 north, else 270 west,
    // else 0.
    static int32_t getRoadAngle(int32_t my, int32_t mx);
    // The lane point where a car leaving toward d4 crosses the mesh edge, as a
    // packed (y, x) offset from the mesh's south-west corner. At mesh 10 m:
    // east (66, 100), north (100, 34), west (34, 0), south (0, 66); other mesh
    // sizes scale it so that it stays on the edge. The centre for anything
    // else.
    static int64_t getRoadNextq(int32_t d4);
    // The same for a unit step (vy, vx).
    static int64_t getRoadNextq(int32_t vy, int32_t vx);
    // That lane point as a packed real position: toward d4, toward the
    // neighbouring mesh (ty, tx), or toward the road's next link (-1 when the
    // road has no link but the way back).
    static int64_t getRoadRTYX(int32_t my, int32_t mx, int32_t d4);
    static int64_t getRoadRTYX(int32_t my, int32_t mx, int32_t ty, int32_t tx);
    static int64_t getRoadNextRYX(int32_t my, int32_t mx, int32_t d4);
    // Crossing labels of a road mesh: ci goes to slot d / 180 for a heading
    // d in degrees; getCrossingShortest packs both slots as (slot 0, slot 1).
    // The labels live in the road-crossing table (MapHooks).
    static void setRoadCrossing(int32_t my, int32_t mx, int32_t d, int32_t ci);
    static int64_t getCrossingShortest(int32_t my, int32_t mx);

    // --- indexing ---------------------------------------------------------------------------
    static std::size_t meshIndex(int32_t my, int32_t mx) {
        return std::size_t(my) * std::size_t(m_mx) + std::size_t(mx);
    }
    static std::size_t vertexIndex(int32_t sy, int32_t sx) {
        return std::size_t(sy) * (std::size_t(m_mx) + 1) + std::size_t(sx);
    }

private:
    static void setSizes(int32_t my, int32_t mx, int32_t ms, int32_t gs);
    static bool fitsBudget(int64_t my, int64_t mx);
};

}  // namespace tetsuro
