#pragma once
#include <cstdint>

#include "core/QxTime.h"

// One bar copied out of or into a price history. Values of columns the
// security type does not have are carried along but neither read nor written
// by the history.
struct QxQuote {
    Qx::QxSecurityType securityType = static_cast<Qx::QxSecurityType>(0);
    int64_t time = 0; // packed timestamp
    double open = 0.0;
    double high = 0.0;
    double low = 0.0;
    double close = 0.0;
    double volume = 0.0;
    double openInterest = 0.0;
    double nav = 0.0;
};
