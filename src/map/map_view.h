#pragma once
// The conversions of the 2D map view between real, mesh, screen and pixel
// coordinates, and to the background bitmap. A small value: the view's
// height and width in pixels, the zoom (pixels per mesh), the view centre in
// real units and the mesh size. The controller builds one from the canvas;
// tests build them directly.
//
// Screen coordinates have their origin at the bottom-left of the view with y
// up; pixel rows count from the top. Divisions truncate toward zero, and
// every product is formed in 64 bits: on the largest map real y times the
// zoom passes 3e9. Results are clamped to the int range.
#include <cstdint>

#include "support/int_math.h"

namespace tetsuro {

struct MapView {
    int32_t height = 0;     // H
    int32_t width = 0;      // W
    int32_t blockSize = 1;  // bs, pixels per mesh (below 1 counts as 1)
    int32_t cy = 0, cx = 0; // view centre, real units
    int32_t ms = 100;       // mesh size (below 1 counts as 1)

    // --- mesh <-> real ------------------------------------------------------------
    int32_t getMYfromRY(int32_t y) const { return y / mesh(); }
    int32_t getMXfromRX(int32_t x) const { return x / mesh(); }
    int32_t getRYfromMY(int32_t y) const { return clamp(int64_t(y) * mesh()); }
    int32_t getRXfromMX(int32_t x) const { return clamp(int64_t(x) * mesh()); }
    // The mesh centre.
    int32_t getRYfromMYC(int32_t y) const { return clamp(int64_t(y) * mesh() + mesh() / 2); }
    int32_t getRXfromMXC(int32_t x) const { return clamp(int64_t(x) * mesh() + mesh() / 2); }

    // --- real <-> screen --------------------------------------------------------------
    // Two separately truncated quotients, so a point and the view centre snap
    // to pixels alike.
    int32_t getSYfromRY(int64_t y) const {
        return clamp(y * bs() / mesh() - int64_t(cy) * bs() / mesh() + height / 2);
    }
    int32_t getSXfromRX(int64_t x) const {
        return clamp(x * bs() / mesh() - int64_t(cx) * bs() / mesh() + width / 2);
    }
    int32_t getRYfromSY(int64_t y) const { return clamp((y - height / 2) * mesh() / bs() + cy); }
    int32_t getRXfromSX(int64_t x) const { return clamp((x - width / 2) * mesh() / bs() + cx); }
    double getRYfromSYf(double y) const { return (y - height / 2.0) * mesh() / bs() + cy; }
    double getRXfromSXf(double x) const { return (x - width / 2.0) * mesh() / bs() + cx; }

    // --- pixel rows ------------------------------------------------------------------------
    int32_t getPYfromRY(int64_t y) const { return clamp(int64_t(height) - getSYfromRY(y) - 1); }
    int32_t getRYfromPY(int64_t y) const { return getRYfromSY(int64_t(height) - y - 1); }
    double getRYfromPYf(double y) const { return getRYfromSYf(height - y - 1.0); }

    // --- mesh <-> screen (the mesh's south-west corner) -------------------------------------
    int32_t getSYfromMY(int64_t y) const { return getSYfromRY(y * mesh()); }
    int32_t getSXfromMX(int64_t x) const { return getSXfromRX(x * mesh()); }
    int32_t getPYfromMY(int64_t y) const { return clamp(int64_t(height) - getSYfromMY(y) - 1); }
    int32_t getMYfromSY(int64_t y) const { return getRYfromSY(y) / mesh(); }
    int32_t getMYfromPY(int64_t y) const { return getRYfromPY(y) / mesh(); }
    int32_t getMXfromSX(int64_t x) const { return getRXfromSX(x) / mesh(); }

    // --- background bitmap (row 0 at the north edge), stretched over a map of
    // my x mx meshes; 0 for a map without meshes ------------------------------------------------
    double getBYfromPY(double y, double bitmapHeight, int32_t my) const {
        const double h = double(mesh()) * my;
        return my > 0 ? (h - getRYfromPYf(y)) * bitmapHeight / h : 0.0;
    }
    double getBXfromSX(double x, double bitmapWidth, int32_t mx) const {
        const double w = double(mesh()) * mx;
        return mx > 0 ? getRXfromSXf(x) * bitmapWidth / w : 0.0;
    }
    // A screen length in bitmap pixels.
    double getBHfromSH(double h, double bitmapHeight, int32_t my) const {
        return my > 0 ? bitmapHeight * h / bs() / my : 0.0;
    }
    double getBWfromSW(double w, double bitmapWidth, int32_t mx) const {
        return mx > 0 ? bitmapWidth * w / bs() / mx : 0.0;
    }

private:
    int64_t bs() const { return blockSize < 1 ? 1 : blockSize; }
    int64_t mesh() const { return ms < 1 ? 1 : ms; }
    static int32_t clamp(int64_t v) { return saturate<int32_t>(v); }
};

}  // namespace tetsuro
