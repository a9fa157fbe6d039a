#pragma once
// The parts of an idea-finding scan that need no window or thread: which
// bars of a history a date range covers, and how a signal mask is shown.
#include <wx/string.h>

#include <cstddef>
#include <cstdint>

// Kinds of a result row; each is both its icon index and its colour index.
enum QxIdeaKind { eIdeaBuying = 0, eIdeaSelling = 1, eIdeaMixed = 2 };

// Appends to text the names of the signals of mask (1 long entry, 2 long
// exit, 4 short entry, 8 short exit), separated by ", ", and returns the
// kind: buying for long entries and short exits, selling for long exits and
// short entries, mixed for both; buying for an empty mask.
int describeSignalMask(unsigned mask, wxString& text);

// Bars [begin, end) of a history with ascending timestamps ts that a scan
// from..till evaluates: from the first bar at or after from up to and
// including the first bar at or after till (the last bar when none is).
struct QxBarRange {
    size_t begin = 0;
    size_t end = 0;
    bool empty() const { return begin >= end; }
};
QxBarRange ideaScanBarRange(const int64_t* ts, size_t count, int64_t from, int64_t till);

#include "core/QxObject.h"

#include <atomic>
#include <vector>

class QxDatabase;
class QxPriceHistory;
class QxTradingSystem;

#include "core/QxTime.h"

// The security ids of the rows of the last report that finished, in row
// order (a security stands once per result row). Read and written on the
// GUI thread only.
std::vector<unsigned>& lastFindingSecurityIds();

// A copy of system that shares no object with it: its own signals and
// conditions over clones of the indicators (one clone per indicator), so a
// worker thread can compute with it while the original is edited or
// charted. Made on the GUI thread; an unnamed system, so it tells the
// store nothing.
QxObjectSmartPtr<QxTradingSystem> privateSystemCopy(const QxTradingSystem& system);

// GUI thread: the security's stored history in period, handed out as a
// copy of its own; null when the id names no security or there are no
// bars. The provider is not asked here (see QxIdeaPrepared). The calculator
// used for it is gone on return, so scanned prices do not pile up in the
// shared cache.
QxObjectSmartPtr<QxPriceHistory> ideaScanHistory(QxDatabase* db, unsigned securityId, Qx::QxPeriod period);

// The thread that owns reader (QxDatabase::openReader): the security's
// stored history in period as ideaScanHistory reads it from the database
// the reader was opened on, when no calculation holds the security; null
// when the id names no security, there are no bars or the read failed.
QxObjectSmartPtr<QxPriceHistory> ideaScanHistoryFromReader(QxDatabase* reader, unsigned securityId,
                                                           Qx::QxPeriod period);

// What preparing a security for the worker gave: its history, or that the
// provider is still bringing its new bars (the worker asks again later,
// and the GUI thread does not wait meanwhile), or that the worker reads
// the stored history itself over its own reader.
struct QxIdeaPrepared {
    bool pending = false;
    bool readByWorker = false;
    QxObjectSmartPtr<QxPriceHistory> history;
};

// One row of a report: the signals of mask at time, with the closing price
// of that bar and of the history's last bar.
struct QxIdeaResultRow {
    unsigned securityId;
    int64_t time;
    double close;
    double lastClose;
    unsigned mask;
};

// One bar at which signals of the mask fired.
struct QxIdeaHit {
    size_t bar;
    unsigned mask;
};

// Any thread: the bars of history from..till (ideaScanBarRange) at which
// system gives signals of lookFor, in ascending order. The system must be a
// private copy and the history the caller's own: both are computed over a
// calculator that does not reach the shared cache. When stop is raised the
// evaluation ends before the next bar, with the hits found so far.
std::vector<QxIdeaHit> evaluateIdeaScan(const QxTradingSystem& system, unsigned lookFor, QxPriceHistory* history,
                                        int64_t from, int64_t till, const std::atomic<bool>* stop = nullptr);

// The prices columns 2 and 3 of the report show: the close, or for funds,
// which have none, the net asset value.
const double* ideaScanPrices(const QxPriceHistory& history);
