#pragma once
// The map operations of the game controller: sizes, land-type changes with
// their block-point bookkeeping, the land value words with the land book,
// the coordinate conversions of the view, the zoom and the visible area.
// MainCanvas forwards to one MapController; the terrain itself lives in the
// static Map and Block tables.
#include <cstdint>
#include <span>

#include "game/main_canvas.h"
#include "map/geo_origin.h"
#include "map/map_view.h"

namespace tetsuro {

class MapController {
public:
    // The largest zoom level of the 3D views.
    static constexpr int32_t kMaxScale3D = 116;

    explicit MapController(MainCanvas& canvas) : m_c(canvas) {}
    MapController(const MapController&) = delete;
    MapController& operator=(const MapController&) = delete;

    MainCanvas& canvas() { return m_c; }

    // --- sizes ----------------------------------------------------------------------
    // Stores the size in the slots, then re-creates in order the shared
    // parameters (Sub), the road-crossing table, the blocks, the map and the
    // level-crossing table. False for a side outside 0..32767 (nothing
    // changed) or when the arrays cannot be allocated: the map is then 0 x 0
    // with no blocks, and the caller must not go on with the game.
    [[nodiscard]] bool setMapSize(int32_t my, int32_t mx);
    // setMapSize for a game start: on failure it shows the out-of-memory
    // message and returns to the title. False then.
    [[nodiscard]] bool startGameMap(int32_t my, int32_t mx);
    // Stores a legal mesh size (400, 200, 100, 50, 25), clamps the grid to
    // it and tells the 3D view. False for any other size (nothing changed).
    bool setMeshSize(int32_t ms);
    // Stores a legal placement grid (50, 25, 10, 5, 1), clamped to the mesh
    // size. False for any other value.
    bool setGridSize(int32_t gs);
    // Grows the map by dy rows north and dx columns east. Every block keeps
    // its land value, counters and destinations (the block side does not
    // change, so (by, bx) stays put); new blocks start fresh and the points
    // are recomputed. False (nothing changed) for a negative step, a side
    // above 32767 or a failed allocation.
    [[nodiscard]] bool extendMap(int32_t dy, int32_t dx);

    // --- land types ----------------------------------------------------------------------
    int32_t getMapTyp(int32_t my, int32_t mx) const;
    // Changes one land type: the old code's points leave its block, the new
    // code's points join, and the mesh's cached 3D objects are dropped.
    // Ignored off the map.
    void setMapTyp(int32_t my, int32_t mx, int32_t t);
    // With tanbo set, the paddy rule runs first (checkTanbo).
    void setMapTyp(int32_t my, int32_t mx, int32_t t, bool tanbo);
    // For every (my, mx) pair of a flat list.
    void setMapTyp(std::span<const int32_t> list, int32_t t, bool tanbo = false);
    // Inside the h x w rectangle from (my, mx), every mesh of type f becomes t.
    void setMapTyp(int32_t my, int32_t mx, int32_t h, int32_t w, int32_t t, int32_t f);
    // Every mesh becomes t (one pass; points recomputed once).
    void setMapTypAll(int32_t t);
    // Paddy rule: when (my, mx) is paddy, the paddy meshes of the aligned
    // 2 x 2 square holding it become grass.
    void checkTanbo(int32_t my, int32_t mx);
    // Adds (sign +1) or removes (-1) the points of land code t to a block.
    static void addBlockP(int32_t by, int32_t bx, int32_t t, int32_t sign = 1);
    // The sea check over the whole map, then the points of any block whose
    // meshes went under water are recomputed and the 3D caches dropped.
    int64_t checkTypSea();

    // --- land value words ---------------------------------------------------------------------
    // Word of a block (of the block holding a mesh); -1 outside.
    int32_t getMapVal_byx(int32_t by, int32_t bx) const;
    int32_t getMapVal_myx(int32_t my, int32_t mx) const;
    // The one write path of land value words: the land book (LA_ASSET_LAND)
    // loses the price of the block's company meshes (owned land and railway
    // property inside the map) at the old word and gains it at the new one,
    // then the word is stored (at most 32767). Negative v and blocks off the
    // map are ignored.
    void setMapVal_byx(int32_t by, int32_t bx, int32_t v);
    void setMapVal_myx(int32_t my, int32_t mx, int32_t v);
    void addMapVal_byx(int32_t by, int32_t bx, int32_t v);
    void addMapVal_myx(int32_t my, int32_t mx, int32_t v);
    // ORs v into the word (the re-examine flag is bit 0).
    void setMapValBit_byx(int32_t by, int32_t bx, int32_t v);
    // One step of land-value spreading on a flagged block: up one word (the
    // level rises, the flag clears) when the highest neighbour word exceeds
    // its own by more than the time-scale step, else down one (the flag
    // clears); then the four neighbours are flagged. Both go through the
    // write path, so the land book follows.
    void checkMapVal_byx(int32_t by, int32_t bx);
    void checkMapVal_myx(int32_t my, int32_t mx);
    void checkMapVal(int32_t n);
    // Mean of the words of the existing neighbours (0 when none).
    float getNeiMapValAvg_byx(int32_t by, int32_t bx) const;
    // The highest neighbour word, at least 0.
    int32_t getNeiMapValMax_byx(int32_t by, int32_t bx) const;
    // Price of one mesh at a word, of a block, of the block holding a mesh.
    static int64_t getLandValue(int32_t word);
    int64_t getLandValue_byx(int32_t by, int32_t bx) const;
    int64_t getLandValue_myx(int32_t my, int32_t mx) const;

    // --- 3D ground cache ---------------------------------------------------------------------------
    void clearGroundID(int32_t py8, int32_t px8);
    void clearGroundID_myx(int32_t my, int32_t mx);
    void clearGroundID(std::span<const int32_t> meshList);
    void clearGroundIDAll();

    // --- view conversions ------------------------------------------------------------------------------
    // The current view: canvas size, zoom, 2D view centre, mesh size.
    MapView view() const;
    int32_t getMYfromRY(int32_t y) const { return view().getMYfromRY(y); }
    int32_t getMXfromRX(int32_t x) const { return view().getMXfromRX(x); }
    int32_t getRYfromMY(int32_t y) const { return view().getRYfromMY(y); }
    int32_t getRXfromMX(int32_t x) const { return view().getRXfromMX(x); }
    int32_t getRYfromMYC(int32_t y) const { return view().getRYfromMYC(y); }
    int32_t getRXfromMXC(int32_t x) const { return view().getRXfromMXC(x); }
    int32_t getSYfromRY(int64_t y) const { return view().getSYfromRY(y); }
    int32_t getSXfromRX(int64_t x) const { return view().getSXfromRX(x); }
    int32_t getRYfromSY(int64_t y) const { return view().getRYfromSY(y); }
    int32_t getRXfromSX(int64_t x) const { return view().getRXfromSX(x); }
    double getRYfromSYf(double y) const { return view().getRYfromSYf(y); }
    double getRXfromSXf(double x) const { return view().getRXfromSXf(x); }
    int32_t getPYfromRY(int64_t y) const { return view().getPYfromRY(y); }
    int32_t getRYfromPY(int64_t y) const { return view().getRYfromPY(y); }
    double getRYfromPYf(double y) const { return view().getRYfromPYf(y); }
    int32_t getSYfromMY(int64_t y) const { return view().getSYfromMY(y); }
    int32_t getSXfromMX(int64_t x) const { return view().getSXfromMX(x); }
    int32_t getPYfromMY(int64_t y) const { return view().getPYfromMY(y); }
    int32_t getMYfromSY(int64_t y) const { return view().getMYfromSY(y); }
    int32_t getMYfromPY(int64_t y) const { return view().getMYfromPY(y); }
    int32_t getMXfromSX(int64_t x) const { return view().getMXfromSX(x); }
    // Pixel row and screen column of the mesh cursor.
    int32_t getPYfromMY_AY() const;
    int32_t getSXfromMX_AX() const;
    // Background bitmap of the given pixel size stretched over the map.
    double getBYfromPY(double y, double bitmapHeight) const;
    double getBXfromSX(double x, double bitmapWidth) const;
    double getBHfromSH(double h, double bitmapHeight) const;
    double getBWfromSW(double w, double bitmapWidth) const;
    // The geographic origin of the imported terrain.
    GeoOrigin geoOrigin() const;

    // --- zoom and visible area ------------------------------------------------------------------------
    // Changes the view scale by a and recomputes the zoom so that the track
    // cursor keeps its place on the screen; true when the view changed (see
    // zoom()). False with no map or no window.
    bool renewBlockSize(int32_t a);
    // The input's zoom: repeats steps of a until the view changes or, zooming
    // in, the scale reaches 1; one step in the 3D views.
    void zoom(int32_t a);
    int32_t blockSize() const { return m_iBlockSize; }
    // Recomputes the range of draw patches in view and the real rectangle
    // Map::m_rfy..m_rty x m_rfx..m_rtx; true when the range changed.
    bool setPutArea();
    // Rebuilds the track drawing list unless a paint is under way (false
    // then) and clears the canvas's pending flag.
    bool renewPutArea();
    struct PatchRange {
        int32_t fy8, fx8, ty8, tx8;
        friend bool operator==(const PatchRange&, const PatchRange&) = default;
    };
    PatchRange putArea() const { return m_putArea; }

private:
    int32_t meshSize() const;
    bool is3DMode() const;
    // Drops the map and blocks back to 0 x 0 after a failed allocation.
    void dropMap();

    MainCanvas& m_c;
    int32_t m_iBlockSize = 1;
    PatchRange m_putArea{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN};
};

}  // namespace tetsuro
