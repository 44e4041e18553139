#pragma once
// The player's operations on trains, with their money: buying a train into
// a row of the train list, placing it on the track, turning it round,
// renaming and selling it. Also what the books and the rail core ask of the
// trains as a whole. The world owns one.
#include <cstdint>

#include "city/finance.h"
#include "city/finance_hooks.h"
#include "rail/rail_hooks.h"
#include "support/j_string.h"

namespace tetsuro {

class MainCanvas;

class TrainController {
public:
    // Taken from the fund when a train is placed.
    static constexpr int64_t kPlacingFee = 500;

    explicit TrainController(Finance& finance) : m_finance(finance) {}

    void bind(MainCanvas& canvas);
    // A new game: no trains, the canvas's time-scale factors.
    void newGame();
    // Takes the time-scale factors from the canvas (records are emptied
    // when their length changes).
    void syncTimeScale();
    // The current year-month: game year x 12 + month - 1.
    int64_t yearMonth() const;

    // Price of cars cars of a type: type price x cars (0 when invalid).
    static int64_t price(int32_t type, int32_t cars);
    // Buys train number `number` (a free row) of `cars` cars (1..99) of a
    // type, painted `colour` (0xRRGGBB), which becomes the type's default.
    // The train is created first and paid for only when that worked. -1,
    // nothing paid, when the row is taken, the input is out of range, the
    // company cannot afford it ("資金が足りません"), or no record is left.
    // Otherwise the record: the price goes from the fund into the rolling-
    // stock assets.
    int32_t buy(int32_t number, int32_t type, int32_t cars, int32_t colour);
    // Places a train that is not placed (Train::setRail) and takes the
    // placing fee; nothing is charged when placing fails.
    bool place(int32_t number, int64_t y, int64_t x, int32_t rb);
    bool place(int32_t number, int64_t z, int64_t y, int64_t x, int64_t w, int64_t v);
    // Turns a placed train round. Its platform state is reset and the next
    // platform looked for again, so it does not stop at a platform that was
    // ahead of it before.
    bool reverse(int32_t number);
    // Sells a train that is not placed: its book value leaves the assets,
    // 80 % of it is paid into the fund and the rest booked as a loss.
    bool sell(int32_t number);
    // Renames a train (trimmed, cut to 18 bytes on a character boundary).
    bool rename(int32_t number, const J_String& name);

    // The rail core's hooks.
    void topologyEdited(const RailEdit& e);
    void renewTrainSections();

    // The books' hooks.
    int64_t trainsValueAt(int64_t ym) const;
    void chargeTrainIncome(int32_t ti, int64_t a);
    void resetTrainIncome(IncomePeriod period);

private:
    Finance& m_finance;
    MainCanvas* m_canvas = nullptr;
};

}  // namespace tetsuro
