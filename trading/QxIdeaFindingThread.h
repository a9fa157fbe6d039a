#pragma once
// The stock idea finder's worker thread and what it shares with its report.
//
// The worker evaluates a private copy of the trading system over private
// copies of the histories; it touches no window, database, provider, hub or
// shared calculation cache. Whatever needs those runs on the GUI thread as
// a queued call that the worker waits for: preparing each security (its
// download and read), each result row and the end of the scan. Closing the
// report cancels the scan state both sides share; from then on the worker
// posts nothing, stops waiting and ends, and calls still queued do nothing.
// Neither side ever waits for the other to end.
#include "core/QxTime.h"

#include <wx/thread.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QxIdeaFinderReportView;
class QxTradingSystem;

class QxIdeaScanState {
public:
    explicit QxIdeaScanState(QxIdeaFinderReportView* view) : m_view(view) {}

    // GUI thread: the view is going; nothing reaches it any more.
    void cancel();
    bool cancelled() const;

    // Worker thread: runs call with the view on the GUI thread and waits
    // until it has run. False, at once or as soon as it happens, when the
    // scan is cancelled; call then runs no more. What call hands back it
    // must leave in storage the state or call itself owns, never on the
    // worker's stack.
    static bool runOnGuiThread(const std::shared_ptr<QxIdeaScanState>& state,
                               std::function<void(QxIdeaFinderReportView&)> call);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_answered;
    bool m_cancelled = false;
    unsigned long m_asked = 0;
    unsigned long m_done = 0;
    QxIdeaFinderReportView* m_view; // read and cleared on the GUI thread only
};

// What one scan evaluates, fixed before the worker starts.
struct QxIdeaScanJob {
    std::shared_ptr<QxIdeaScanState> state;
    // A copy of the chosen system that shares nothing with it (privateSystemCopy).
    QxTradingSystem* system = nullptr; // one reference, released by the worker
    unsigned lookFor = 0;
    int64_t from = 0;
    int64_t till = 0;
    Qx::QxPeriod periodicity = Qx::eDaily;
    std::vector<unsigned> securityIds;
};

class QxIdeaFindingThread : public wxThread {
public:
    // A detached worker for job; it deletes itself when the scan ends.
    explicit QxIdeaFindingThread(QxIdeaScanJob job);
    // Only for a thread that never ran; a running one deletes itself.
    ~QxIdeaFindingThread() override;

    // Whether a scan thread object exists now.
    static bool exists() { return s_count.load() > 0; }

    // At program exit: cancels every scan and waits (at most timeoutMs) for
    // the workers to end, so none outlives the application object.
    static void stopAllAndWait(int timeoutMs = 10000);

protected:
    explicit QxIdeaFindingThread(wxThreadKind kind);

    ExitCode Entry() override;

private:
    QxIdeaScanJob m_job;
    static std::atomic<int> s_count;
};
