#pragma once
// The figures the fund window, the status panels and the tax panel show,
// kept as text so the panels only have to draw them.
#include <array>
#include <cstdint>

#include "support/j_string.h"

namespace tetsuro {

// Colour words of the panel text.
inline constexpr uint32_t kFundTextWhite = 0x02FFFFFF;
inline constexpr uint32_t kFundTextRed = 0x02FF3333;

// The fund window, twelve rows: 0 "現金", 1 cash, 2 "資産", 3 assets,
// 4/5 previous profit, 6/7 current profit, 8/9 revenue, 10/11 expense, each
// label followed by its figure. Figures are 15 characters wide.
struct FundPanel {
    std::array<J_String, 12> rows;
    std::array<uint32_t, 12> colours{};
};

// The assets and income windows.
struct StatusPanel {
    J_String train, station, land, track, total;  // 15, 11, 15, 15, 15 wide
    J_String gain, loss, income;                  // 15 wide
    uint32_t incomeColour = kFundTextWhite;
    bool showCarried = false;                     // loss carry-forward is on
    J_String carried;                             // 9 wide
};

// The tax panel of a year close. Rows: 1 assets, 3 property rate ("1.4"),
// 4 property tax, 7 minus the carried loss (only with carry-forward), 8
// income before the carried loss, 10 corporate rate ("40.8"), 11 corporate
// tax, 13 tax due. The other rows are captions the panel owns.
struct AccountPanel {
    std::array<J_String, 14> rows;
};

}  // namespace tetsuro
