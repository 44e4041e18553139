#include "city/taxes.h"

#include <algorithm>

#include "city/money_math.h"
#include "support/int_math.h"

namespace tetsuro {

TaxResult computeTaxes(const TaxInput& in) {
    TaxResult r;
    const int32_t property = std::clamp(in.propertyRate, 0, 1000);
    const int32_t corporate = std::clamp(in.corporateRate, 0, 1000);
    r.propertyTax = saturate<int64_t>(int128_t(in.assets) * property / 1000);
    r.income = subMoney(in.gain, in.loss);
    r.taxableIncome = r.income;
    r.carriedLoss = std::max<int64_t>(in.carriedLoss, 0);
    if (in.carryForward) {
        // A loss (negative income) thus adds to what is carried.
        if (r.taxableIncome <= r.carriedLoss) {
            r.carriedLoss = subMoney(r.carriedLoss, r.taxableIncome);
            r.taxableIncome = 0;
        } else {
            r.taxableIncome -= r.carriedLoss;
            r.carriedLoss = 0;
        }
    }
    r.corporateTax = std::max<int64_t>(saturate<int64_t>(int128_t(r.taxableIncome) * corporate / 1000), 0);
    r.taxDue = addMoney(r.propertyTax, r.corporateTax);
    return r;
}

}  // namespace tetsuro
