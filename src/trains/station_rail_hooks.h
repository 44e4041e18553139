#pragma once
// The rail core's platform calls answered from the station stores. With a
// controller, removals also give the land back and tell the travellers;
// without one (rail-only tests) only the records change. Money and the
// other hooks stay the null ones: the world forwards just these calls.
#include <array>
#include <cstdint>
#include <vector>

#include "rail/rail_hooks.h"

namespace tetsuro {

class StationController;

class StationRailHooks : public NullRailHooks {
public:
    explicit StationRailHooks(StationController* controller = nullptr) : m_controller(controller) {}
    void setController(StationController* c) { m_controller = c; }

    // A piece lies on rail n.
    bool hasPlatformBuilding(int32_t n) override;
    bool hasPlatform(int32_t n) override;
    // 1 where exactly one piece on a rail through the point passes it, or
    // two of different platforms do (a platform ends there); -1 otherwise.
    int platformMarker(const RailPoint& p) override;
    // The end references of platform fo (Form::getRI).
    std::array<int32_t, 2> platformPieces(int32_t fo) override;
    // Pieces follow rail n after it was split, lengthened or merged.
    void refreshPlatformLinks(int32_t n) override;
    // Rail n is erased: whatever still lies on it goes (the player's
    // removal has taken it off already through removePlatformsOn).
    void detachPiece(int32_t n) override;
    std::vector<RailPoint> removePlatformsOn(int32_t n) override;

private:
    StationController* m_controller;
};

}  // namespace tetsuro
