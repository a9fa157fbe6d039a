#pragma once
// The stock idea finder's worker thread and what it shares with its report.
//
// The worker evaluates a private copy of the trading system over private
// copies of the histories; it touches no window, database, provider, hub or
// shared calculation cache. Whatever needs those runs on the GUI thread as
// a queued call: preparing the securities (asking their providers for new
// bars in the background, and telling whether the worker may read what is
// stored once they are in), several in one call up to the first with a
// provider, and the end of the scan, which the worker waits for, and the
// result rows, which it hands over without waiting, those of the securities
// of one such call together. The worker reads the stored bars over a read-only
// handle of its own on the database where the database offers one and
// nothing on the GUI thread holds the security's data; otherwise the GUI
// thread reads them as part of preparing the security. While a
// security's download runs the worker waits, the GUI thread does not.
// Closing the report cancels the scan state both sides share; from then on
// the worker posts nothing, stops waiting, leaves the bars it is on and
// ends, and calls still queued do nothing. Only the program's exit waits
// for a worker to end, which is then a matter of one bar.
#include "core/QxDatabase.h"
#include "core/QxObject.h"
#include "core/QxTime.h"
#include "trading/QxIdeaScan.h"

#include <wx/thread.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QxIdeaFinderReportView;
class QxPriceHistory;
class QxTradingSystem;

class QxIdeaScanState {
public:
    explicit QxIdeaScanState(QxIdeaFinderReportView* view) : m_view(view) {}

    // GUI thread: the view is going; nothing reaches it any more.
    void cancel();
    bool cancelled() const { return m_cancelled.load(); }
    // The flag cancel() raises, for loops that look at it at every step.
    const std::atomic<bool>& cancelledFlag() const { return m_cancelled; }
    // Worker thread: waits ms milliseconds; false, as soon as it happens,
    // when the scan is cancelled.
    bool pauseUnlessCancelled(int ms);

    // Worker thread: runs call with the view on the GUI thread and waits
    // until it has run. False, at once or as soon as it happens, when the
    // scan is cancelled; call then runs no more. What call hands back it
    // must leave in storage the state or call itself owns, never on the
    // worker's stack.
    static bool runOnGuiThread(const std::shared_ptr<QxIdeaScanState>& state,
                               std::function<void(QxIdeaFinderReportView&)> call);
    // Worker thread: the same without waiting for it; calls run on the GUI
    // thread in the order they were posted or asked for. False when the
    // scan is cancelled.
    static bool postToGuiThread(const std::shared_ptr<QxIdeaScanState>& state,
                                std::function<void(QxIdeaFinderReportView&)> call);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_answered;
    // Raised under m_mutex, so that waits on m_answered see it.
    std::atomic<bool> m_cancelled{false};
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
    // The worker's own read-only handle on the database (QxDatabase::
    // openReader), or null: used on the worker only, released after it ends.
    QxObjectSmartPtr<QxDatabase> reader;
};

class QxIdeaFindingThread : public wxThread {
public:
    // A worker for job. Once started, it is joined and deleted on the GUI
    // thread after its scan ends (or by stopAllAndWait), so that nothing of
    // it runs after whoever waits for it has gone on.
    explicit QxIdeaFindingThread(QxIdeaScanJob job);
    // Only for a thread that never ran or has been joined.
    ~QxIdeaFindingThread() override;

    // Whether a scan thread object exists now: from its making until its
    // thread has been joined.
    static bool exists() { return s_count.load() > 0; }

    // At program exit: cancels every scan and joins every worker started,
    // so none outlives what it uses. A cancelled worker ends within the bar
    // it is evaluating or the wait it is in.
    static void stopAllAndWait();

    // Creates and runs the thread; false when the system gave no thread
    // (the caller then still owns it).
    bool start();
    // Tests: when set, a start the check answers false for fails as a
    // refused thread does.
    static void setStartCheck(std::function<bool()> check);

protected:
    explicit QxIdeaFindingThread(wxThreadKind kind);

    ExitCode Entry() override;

private:
    // The scan itself, on the worker thread.
    void scan();
    // Prepares securityIds from k on, as many as one call of the GUI thread
    // does (at least one); false when the scan was cancelled meanwhile.
    bool prepareFrom(size_t k, std::vector<QxIdeaPrepared>& batch);
    // The history of securityIds[k], prepared as given, once its new bars
    // are in; null when there is none. False when the scan was cancelled
    // meanwhile.
    bool historyOf(size_t k, QxIdeaPrepared prepared, QxObjectSmartPtr<QxPriceHistory>& history);
    // Hands the rows gathered so far to the report; false when the scan
    // was cancelled.
    bool flushRows();
    // GUI thread: joins and deletes the workers whose scan has ended.
    static void reapFinished();

    QxIdeaScanJob m_job;
    // The rows found since the last hand-over.
    std::shared_ptr<std::vector<QxIdeaResultRow>> m_rows;
    std::atomic<bool> m_finished{false};
    static std::atomic<int> s_count;
};
