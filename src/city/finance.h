#pragma once
// The company's books. Every payment and receipt of the game goes through
// addFund, which moves the cash, feeds the day, month and term counters and
// then judges the company (stage clear, capital band). Asset books and the
// taxable term account live in the slot arrays; this class only moves them.
//
// Order for callers: addFund runs the band and stage-clear tests, so update
// the books (asset books, LA_GAIN / LA_LOSS) first and move the cash last.
// The entry points below that pay for something already do so.
#include <cstdint>

#include "city/finance_hooks.h"
#include "city/finance_state.h"

namespace tetsuro {

class MainCanvas;
struct GameSlots;

// The live books purchases add to.
enum class AssetBook { Train, Station, Land, Track };

// Cash + assets needed for stage clear.
inline constexpr int64_t kStageClearWorth = 2000000;

class Finance {
public:
    explicit Finance(FinanceHooks& hooks) : m_hooks(&hooks) {}

    // The canvas whose slot arrays hold the books. Must be bound before any
    // other call; binding again to another canvas is allowed.
    void bind(MainCanvas& canvas) { m_canvas = &canvas; }
    bool isBound() const { return m_canvas != nullptr; }

    MainCanvas& canvas() { return *m_canvas; }
    GameSlots& slots();
    const GameSlots& slots() const;
    FinanceState& state() { return m_state; }
    const FinanceState& state() const { return m_state; }
    FinanceHooks& hooks() { return *m_hooks; }

    // ---- Cash -----------------------------------------------------------
    // Moves cash by l: expense counters (today, month, term) grow by -l when
    // l < 0, revenue counters by l otherwise, each held to +-(2^31 - 1);
    // then setFund(cash + l). addFund(0) refreshes the window and the checks.
    void addFund(int64_t l);
    // Stores l as the cash, then setFund().
    void setFund(int64_t l);
    // Refreshes the fund window, then tests stage clear, and when the stage
    // was not cleared the capital band.
    void setFund();

    // ---- Payments with their books ----------------------------------------
    // A running cost of a (1/10000 units) for a train: the accumulator grows,
    // the train's income shrinks; no cash moves until chargeRunningCost.
    void addExpense(int32_t train, int64_t a);
    // Whole money units of the running-cost accumulator: paid and booked as
    // deductible; the remainder stays.
    void chargeRunningCost();
    // Land bought as an asset: land book += l, then cash -= l.
    void buyAssetsL(int64_t l);
    // Any book: book += cost, then cash -= cost (train purchase, station
    // building, platform, track).
    void buyAssets(AssetBook book, int64_t cost);
    // A train sale: vehicles book -= value, cash += value x 8 / 10, and the
    // difference booked as deductible expense.
    void sellTrain(int64_t value);
    // A deductible expense paid at once (upkeep, interest, land price above
    // its value): LA_LOSS += amount, then cash -= amount.
    void payDeductible(int64_t amount);
    // Taxable revenue received (fares): LA_GAIN += amount, then cash += amount.
    void receiveTaxable(int64_t amount);

    // ---- Judging ----------------------------------------------------------------
    // Cash + assets >= cost; otherwise "資金が足りません" for 2000 ms.
    bool checkCost(int64_t cost);
    // The same test without the message.
    bool canAfford(int64_t cost) const;
    // Total assets: the four month-end books.
    int64_t getAssets() const;
    int32_t getEquityRatio() const;
    int getCapitalState() const;

    // ---- Panels -------------------------------------------------------------
    // Fills the status panels; returns the term income, gain - loss.
    int64_t putStatus();
    // Taxes of the closing term: sets LA_TAX_DUE and the carried loss and
    // fills the tax panel. Runs once per term close.
    void putAccount();
    // The fund window's captions for the current display unit.
    void putBalanceName();

    // ---- Game lifecycle -------------------------------------------------------
    // A new game: books, tax due, running costs, counters and the carried
    // loss at 0, display unit day, no bankruptcy. The starting funds come
    // after (setFund).
    void newGame();
    // Every started game (new or continued stage): forget the month seen,
    // recompute the live vehicles book, set the captions.
    void gameStarted();
    // After a load: the same, then addFund(0) to judge the loaded books.
    void gameLoaded();

private:
    void testCapitalBand();
    bool testStageClear();

    FinanceHooks* m_hooks;
    MainCanvas* m_canvas = nullptr;
    FinanceState m_state;
};

}  // namespace tetsuro
