#pragma once
// Where the frame cycle calls into subsystems that plug in later. Each
// interface has a default that does nothing harmful; a default never fakes a
// result a caller depends on (advanceTrain still moves the clock, so the
// hourly and daily events keep firing in an empty world).
#include <cstdint>

namespace tetsuro {

class MainCanvas;
class Graphics;

// The simulation pieces of one step, in the order the step runs them.
class SimulationHooks {
public:
    virtual ~SimulationHooks() = default;
    // Moves trains (and with them the clock) by at most step ticks; returns
    // the ticks actually simulated, which may be fewer.
    virtual int64_t advanceTrain(MainCanvas& c, int64_t step);
    virtual void carAdvance(MainCanvas&, int64_t /*ticks*/) {}
    virtual bool isDriving(const MainCanvas&) const { return false; }
    virtual void driveView(MainCanvas&) {}
    // Hourly: trip demand, eviction, sending travellers, city growth.
    virtual void renewPassenger(MainCanvas&, int /*hourOfDay*/) {}
    virtual void renewDestination(MainCanvas&, int /*mode*/) {}
    virtual void depart(MainCanvas&) {}
    virtual void develop(MainCanvas&) {}
    // The date update with the day, month and business-year accounting;
    // true when a business year has just closed.
    virtual bool putDT(MainCanvas&) { return false; }
};

// The view: scene building, the drawn map area, and what each state draws.
class ViewHooks {
public:
    virtual ~ViewHooks() = default;
    // Builds up to n more 3D scene objects.
    virtual void put3DCreate(MainCanvas&, int /*n*/) {}
    // Whether the visible map area has moved since it was last built.
    virtual bool setPutArea(MainCanvas&) { return false; }
    // Rebuilds the drawn map area; false while more work remains.
    virtual bool renewPutArea(MainCanvas&) { return true; }
    // Changes the map view's scale by a and recomputes the zoom; true when
    // the view changed.
    virtual bool renewBlockSize(MainCanvas&, int /*a*/) { return false; }
    virtual void execPaintMain(MainCanvas&, Graphics&) {}
    // Fonts, window layout and the function-key bar for a new client size.
    virtual void layout(MainCanvas&) {}
    // Boot: create the windows and the 3D draw tables.
    virtual void setScreen(MainCanvas&) {}
    virtual void createDrawTables(MainCanvas&) {}
    virtual bool loadResource(MainCanvas&) { return true; }
};

// The game states' logic and the player's commands.
class StateHooks {
public:
    virtual ~StateHooks() = default;
    // Logic of every state except play.
    virtual void stateLogic(MainCanvas&, int /*state*/, int /*ms*/) {}
    // Play: the player's commands for this frame.
    virtual void keyMain(MainCanvas&, int /*ms*/) {}
    virtual void clickFuncArea(MainCanvas&) {}
    // Boot: restore the saved settings of the current save slot.
    virtual void loadSettings(MainCanvas&) {}
    // Play: the save question was answered or the title is shown again.
    virtual void returnToTitle(MainCanvas&) {}
};

}  // namespace tetsuro
