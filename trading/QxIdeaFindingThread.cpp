#include "trading/QxIdeaFindingThread.h"

#include "core/QxDatabase.h"
#include "core/QxPriceHistory.h"
#include "trading/QxIdeaFinderReportView.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxTradingSystem.h"

#include <wx/app.h>

#include <algorithm>
#include <chrono>

std::atomic<int> QxIdeaFindingThread::s_count{0};

namespace {

// Scan states of the running workers, for stopping them at exit, and the
// workers started and not yet joined.
std::mutex g_statesMutex;
std::vector<std::weak_ptr<QxIdeaScanState>> g_states;
std::vector<QxIdeaFindingThread*> g_started;

std::mutex g_startCheckMutex;
std::function<bool()> g_startCheck;

// How often a worker looks whether the download of the security it waits
// for has ended (the provider tells no one when one fails).
constexpr int kDownloadPollMs = 10;

// The most securities one call to the GUI thread prepares.
constexpr size_t kBatch = 64;

} // namespace

void QxIdeaScanState::cancel()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
    }
    m_view = nullptr;
    m_answered.notify_all();
}

bool QxIdeaScanState::pauseUnlessCancelled(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_answered.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_cancelled.load(); });
}

bool QxIdeaScanState::runOnGuiThread(const std::shared_ptr<QxIdeaScanState>& state,
                                     std::function<void(QxIdeaFinderReportView&)> call)
{
    std::unique_lock<std::mutex> lock(state->m_mutex);
    // Posting under the lock: once cancel() has run, nothing more is
    // posted, so nothing reaches an application object that is going.
    if (state->m_cancelled || !wxTheApp)
        return false;
    const unsigned long ticket = ++state->m_asked;
    wxTheApp->CallAfter([state, call = std::move(call), ticket] {
        // m_view changes on this thread only.
        if (QxIdeaFinderReportView* view = state->cancelled() ? nullptr : state->m_view)
            call(*view);
        {
            std::lock_guard<std::mutex> done(state->m_mutex);
            state->m_done = ticket;
        }
        state->m_answered.notify_all();
    });
    state->m_answered.wait(lock, [&] { return state->m_cancelled || state->m_done >= ticket; });
    return !state->m_cancelled;
}

bool QxIdeaScanState::postToGuiThread(const std::shared_ptr<QxIdeaScanState>& state,
                                      std::function<void(QxIdeaFinderReportView&)> call)
{
    std::lock_guard<std::mutex> lock(state->m_mutex);
    if (state->m_cancelled || !wxTheApp)
        return false;
    wxTheApp->CallAfter([state, call = std::move(call)] {
        if (QxIdeaFinderReportView* view = state->cancelled() ? nullptr : state->m_view)
            call(*view);
    });
    return true;
}

QxIdeaFindingThread::QxIdeaFindingThread(wxThreadKind kind) : wxThread(kind) { ++s_count; }

QxIdeaFindingThread::QxIdeaFindingThread(QxIdeaScanJob job)
    : wxThread(wxTHREAD_JOINABLE), m_job(std::move(job))
{
    ++s_count;
    std::lock_guard<std::mutex> lock(g_statesMutex);
    g_states.erase(std::remove_if(g_states.begin(), g_states.end(),
                                  [](const std::weak_ptr<QxIdeaScanState>& s) { return s.expired(); }),
                   g_states.end());
    g_states.push_back(m_job.state);
}

QxIdeaFindingThread::~QxIdeaFindingThread()
{
    {
        // Everything the job holds goes before the count does.
        QxIdeaScanJob gone = std::move(m_job);
        if (gone.system)
            gone.system->release();
    }
    --s_count;
}

bool QxIdeaFindingThread::start()
{
    {
        std::lock_guard<std::mutex> lock(g_startCheckMutex);
        if (g_startCheck && !g_startCheck())
            return false;
    }
    if (Create() != wxTHREAD_NO_ERROR)
        return false;
    std::lock_guard<std::mutex> lock(g_statesMutex);
    if (Run() != wxTHREAD_NO_ERROR)
        return false;
    g_started.push_back(this);
    return true;
}

void QxIdeaFindingThread::reapFinished()
{
    std::vector<QxIdeaFindingThread*> ended;
    {
        std::lock_guard<std::mutex> lock(g_statesMutex);
        auto finished = [](QxIdeaFindingThread* t) { return t->m_finished.load(); };
        std::copy_if(g_started.begin(), g_started.end(), std::back_inserter(ended), finished);
        g_started.erase(std::remove_if(g_started.begin(), g_started.end(), finished), g_started.end());
    }
    for (QxIdeaFindingThread* t : ended) {
        t->Wait();
        delete t;
    }
}

void QxIdeaFindingThread::setStartCheck(std::function<bool()> check)
{
    std::lock_guard<std::mutex> lock(g_startCheckMutex);
    g_startCheck = std::move(check);
}

void QxIdeaFindingThread::stopAllAndWait()
{
    {
        std::lock_guard<std::mutex> lock(g_statesMutex);
        for (const std::weak_ptr<QxIdeaScanState>& weak : g_states)
            if (std::shared_ptr<QxIdeaScanState> state = weak.lock())
                state->cancel();
        g_states.clear();
    }
    // A cancelled worker leaves its bar or its wait at once: no time limit
    // is needed, and none may let the exit go on while one still runs.
    std::vector<QxIdeaFindingThread*> started;
    {
        std::lock_guard<std::mutex> lock(g_statesMutex);
        started.swap(g_started);
    }
    for (QxIdeaFindingThread* t : started) {
        t->Wait();
        delete t;
    }
}

bool QxIdeaFindingThread::prepareFrom(size_t k, std::vector<QxIdeaPrepared>& batch)
{
    const std::shared_ptr<QxIdeaScanState>& state = m_job.state;
    // Filled on the GUI thread, in storage the call owns.
    auto prepared = std::make_shared<std::vector<QxIdeaPrepared>>();
    const size_t n = m_job.securityIds.size();
    const auto first = m_job.securityIds.begin() + static_cast<std::ptrdiff_t>(k);
    std::vector<unsigned> ids(first, first + static_cast<std::ptrdiff_t>(std::min(kBatch, n - k)));
    const Qx::QxPeriod period = m_job.periodicity;
    const bool workerMayRead = static_cast<bool>(m_job.reader);
    if (!flushRows() ||
        !QxIdeaScanState::runOnGuiThread(state, [prepared, k, n, ids = std::move(ids), period,
                                                 workerMayRead](QxIdeaFinderReportView& view) {
            *prepared = view.prepareSecurities(k, n, ids, period, workerMayRead);
        }))
        return false;
    batch = std::move(*prepared);
    return !batch.empty();
}

bool QxIdeaFindingThread::historyOf(size_t k, QxIdeaPrepared prepared, QxObjectSmartPtr<QxPriceHistory>& history)
{
    const std::shared_ptr<QxIdeaScanState>& state = m_job.state;
    const size_t n = m_job.securityIds.size();
    const unsigned id = m_job.securityIds[k];
    const Qx::QxPeriod period = m_job.periodicity;
    bool workerMayRead = static_cast<bool>(m_job.reader);
    for (;;) {
        if (prepared.pending) {
            // The rows before it are shown while its download runs.
            if (!flushRows() || !state->pauseUnlessCancelled(kDownloadPollMs))
                return false;
        } else if (prepared.readByWorker) {
            history = ideaScanHistoryFromReader(m_job.reader.get(), id, period);
            if (history)
                return true;
            // Nothing came over the worker's handle: no bars, or a read that
            // failed (the file busy past the wait, say). The GUI thread reads
            // it as it would without the handle, so the answer is its answer.
            workerMayRead = false;
        } else {
            history = std::move(prepared.history);
            return true;
        }
        auto again = std::make_shared<QxIdeaPrepared>();
        if (!flushRows() || !QxIdeaScanState::runOnGuiThread(state, [again, k, n, id, period, workerMayRead](
                                                                        QxIdeaFinderReportView& view) {
                *again = view.prepareSecurity(k, n, id, period, false, workerMayRead);
            }))
            return false;
        prepared = std::move(*again);
    }
}

bool QxIdeaFindingThread::flushRows()
{
    if (!m_rows || m_rows->empty())
        return true;
    std::shared_ptr<std::vector<QxIdeaResultRow>> rows = std::move(m_rows);
    return QxIdeaScanState::postToGuiThread(m_job.state,
                                            [rows](QxIdeaFinderReportView& view) { view.addResultRows(*rows); });
}

wxThread::ExitCode QxIdeaFindingThread::Entry()
{
    scan();
    // From here on the thread touches nothing but the posting: a join,
    // by the reaping or at exit, waits only for the thread's own end.
    m_finished = true;
    if (wxTheApp)
        wxTheApp->CallAfter([] { reapFinished(); });
    return nullptr;
}

void QxIdeaFindingThread::scan()
{
    const std::shared_ptr<QxIdeaScanState>& state = m_job.state;
    const size_t n = m_job.securityIds.size();
    std::vector<QxIdeaPrepared> batch;
    for (size_t k = 0; k < n;) {
        if (state->cancelled() || !prepareFrom(k, batch))
            return;
        for (QxIdeaPrepared& prepared : batch) {
            const size_t at = k++;
            QxObjectSmartPtr<QxPriceHistory> history;
            if (!historyOf(at, std::move(prepared), history))
                return;
            if (!history)
                continue;
            // A stop is seen at the next bar.
            const std::vector<QxIdeaHit> hits = evaluateIdeaScan(*m_job.system, m_job.lookFor, history.get(),
                                                                 m_job.from, m_job.till, &state->cancelledFlag());
            if (state->cancelled())
                return;
            if (hits.empty())
                continue;
            const unsigned id = m_job.securityIds[at];
            const int64_t* ts = history->timestamp();
            const double* prices = ideaScanPrices(*history);
            const double last = prices[history->numBars() - 1];
            if (!m_rows)
                m_rows = std::make_shared<std::vector<QxIdeaResultRow>>();
            for (const QxIdeaHit& hit : hits)
                m_rows->push_back({id, ts[hit.bar], prices[hit.bar], last, hit.mask});
        }
    }
    if (flushRows())
        QxIdeaScanState::runOnGuiThread(state, [](QxIdeaFinderReportView& view) { view.scanFinished(); });
}
