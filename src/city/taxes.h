#pragma once
// The taxes of a closing business year: a property tax on the assets and a
// corporate tax on the year's income, optionally after setting off the
// losses carried from earlier years. Taxes are not deductible.
#include <cstdint>

namespace tetsuro {

struct TaxInput {
    int64_t assets = 0;          // total assets (month-end books)
    int64_t gain = 0;            // taxable revenue of the year
    int64_t loss = 0;            // deductible expense of the year
    int32_t propertyRate = 14;   // tenths of a percent
    int32_t corporateRate = 408; // tenths of a percent
    bool carryForward = false;
    int64_t carriedLoss = 0;     // held as a non-negative amount
};

struct TaxResult {
    int64_t propertyTax = 0;
    int64_t income = 0;          // gain - loss, before any carried loss
    int64_t taxableIncome = 0;   // after the carried loss, if that is on
    int64_t corporateTax = 0;
    int64_t taxDue = 0;
    int64_t carriedLoss = 0;     // what is carried into the next year
};

// Rates outside 0..1000 (only a damaged save holds them) count as the
// nearest end of that range.
TaxResult computeTaxes(const TaxInput& in);

}  // namespace tetsuro
