#pragma once
// The order of VAT rates as keys: numeric and exact, with every NaN (which a server may
// send) as one key after all numbers, so that a table keyed by rate stays well ordered
// whatever it is given.

#include <cmath>

namespace dralmoft {

struct VatRateOrder {
    bool operator()(double a, double b) const {
        const bool aNan = std::isnan(a);
        const bool bNan = std::isnan(b);
        if (aNan || bNan) return !aNan && bNan;
        return a < b;
    }
};

}  // namespace dralmoft
