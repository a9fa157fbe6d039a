#pragma once
// The simple system tester: long-only trading of one trading system on one
// security's bars, starting with a fixed cash amount, and the HTML report of
// the trades. Decisions rest on bar i - 1; every trade is made at the close
// of bar i.
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QxPriceHistory;

// What one run needs besides the bars and the system.
struct QxSimpleTestParams {
    int64_t startDate = 0; // packed timestamps of the dates the user chose
    int64_t endDate = 0;
    double stopLoss = 0.07;    // fractions, not percent
    double stopErosion = 0.20;
    wxString systemName; // shown in the report's heading
    wxString ticker;
};

enum QxTradeRemark { eNoRemark = 0, eStopLossTriggered, eStopErosionTriggered };

struct QxSimpleTrade {
    unsigned shares = 0;
    unsigned buyBar = 0;
    unsigned sellBar = 0;
    double buyPrice = 0.0;
    double sellPrice = 0.0;
    double returnPercent = 0.0;
    QxTradeRemark remark = eNoRemark;
};

struct QxSimpleTestResult {
    static constexpr double kInitialCash = 10000.0;

    unsigned from = 0; // the first and last bar simulated
    unsigned till = 0;
    std::vector<QxSimpleTrade> trades;
    double cash = kInitialCash;
    bool holding = false;
    unsigned shares = 0; // held at the end
    unsigned buyBar = 0; // of the position held at the end
    double buyPrice = 0.0;
    int winning = 0;
    int losing = 0;
    double maxGainPercent = 0.0;
    double maxLossPercent = 0.0;
    double presentValue = 0.0;
    double netReturnPercent = 0.0;
    // False when the first bar's price is no price to divide by: shown as "-".
    bool hasBuyAndHold = false;
    double buyAndHoldPercent = 0.0;
    std::string report; // the HTML page, UTF-8
};

// The signal bits of mask that fire at bar.
using QxSignalEvaluator = std::function<unsigned(unsigned mask, unsigned bar)>;

// Runs the simulation over history (its net asset values for a fund, its
// closes otherwise) and writes the report. False, with result untouched,
// when the history has no bars or the date range covers none of them.
bool simulateSimpleSystemTest(const QxPriceHistory& history, const QxSignalEvaluator& evaluate,
                              const QxSimpleTestParams& params, QxSimpleTestResult& result);

// Asks for system, security, stops, dates and period with the tester dialog,
// simulates, and opens the report frame; true when one was opened.
bool runSimpleSystemTest();
