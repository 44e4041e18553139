#pragma once
// Plugs the map's zoom and visible area into the canvas's view hooks. Give
// the canvas one of these (or derive the real view hooks from it) and point
// it at the game's MapController once both exist.
#include "game/canvas_hooks.h"

namespace tetsuro {

class MapController;

class MapViewHooks : public ViewHooks {
public:
    explicit MapViewHooks(MapController* controller = nullptr) : m_controller(controller) {}
    void setController(MapController* controller) { m_controller = controller; }

    bool setPutArea(MainCanvas&) override;
    bool renewPutArea(MainCanvas&) override;
    bool renewBlockSize(MainCanvas&, int a) override;

private:
    MapController* m_controller;
};

}  // namespace tetsuro
