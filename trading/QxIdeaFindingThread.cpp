#include "trading/QxIdeaFindingThread.h"

#include "core/QxPriceHistory.h"
#include "trading/QxIdeaFinderReportView.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxTradingSystem.h"

#include <wx/app.h>

#include <algorithm>
#include <chrono>
#include <thread>

std::atomic<int> QxIdeaFindingThread::s_count{0};

namespace {

// Scan states of the running workers, for stopping them at exit.
std::mutex g_statesMutex;
std::vector<std::weak_ptr<QxIdeaScanState>> g_states;

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

bool QxIdeaScanState::cancelled() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_cancelled;
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

QxIdeaFindingThread::QxIdeaFindingThread(wxThreadKind kind) : wxThread(kind) { ++s_count; }

QxIdeaFindingThread::QxIdeaFindingThread(QxIdeaScanJob job)
    : wxThread(wxTHREAD_DETACHED), m_job(std::move(job))
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
    if (m_job.system)
        m_job.system->release();
    m_job.state.reset();
    --s_count;
}

void QxIdeaFindingThread::stopAllAndWait(int timeoutMs)
{
    {
        std::lock_guard<std::mutex> lock(g_statesMutex);
        for (const std::weak_ptr<QxIdeaScanState>& weak : g_states)
            if (std::shared_ptr<QxIdeaScanState> state = weak.lock())
                state->cancel();
        g_states.clear();
    }
    // A cancelled worker ends when it has evaluated the security it is on.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (exists() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

wxThread::ExitCode QxIdeaFindingThread::Entry()
{
    const std::shared_ptr<QxIdeaScanState>& state = m_job.state;
    const size_t n = m_job.securityIds.size();
    for (size_t k = 0; k < n; ++k) {
        // The one stop check of a security: its bars are never cut short.
        if (state->cancelled())
            return nullptr;
        // Prepared on the GUI thread into storage the call owns.
        auto prepared = std::make_shared<QxObjectSmartPtr<QxPriceHistory>>();
        const unsigned id = m_job.securityIds[k];
        const Qx::QxPeriod period = m_job.periodicity;
        if (!QxIdeaScanState::runOnGuiThread(state, [prepared, k, n, id, period](QxIdeaFinderReportView& view) {
                *prepared = view.prepareSecurity(k, n, id, period);
            }))
            return nullptr;
        QxObjectSmartPtr<QxPriceHistory> history = std::move(*prepared);
        prepared.reset();
        if (!history)
            continue;

        const std::vector<QxIdeaHit> hits =
            evaluateIdeaScan(*m_job.system, m_job.lookFor, history.get(), m_job.from, m_job.till);
        const int64_t* ts = history->timestamp();
        const double* prices = ideaScanPrices(*history);
        const double last = prices[history->numBars() - 1];
        for (const QxIdeaHit& hit : hits) {
            const QxIdeaResultRow row{id, ts[hit.bar], prices[hit.bar], last, hit.mask};
            if (!QxIdeaScanState::runOnGuiThread(state, [row](QxIdeaFinderReportView& view) { view.addResultRow(row); }))
                return nullptr;
        }
    }
    QxIdeaScanState::runOnGuiThread(state, [](QxIdeaFinderReportView& view) { view.scanFinished(); });
    return nullptr;
}
