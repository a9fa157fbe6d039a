#include "app/QxIdleTaskQueue.h"

#include <wx/app.h>
#include <wx/time.h>

namespace {
QxIdleTaskQueue* s_queue = nullptr;
QxIdleTaskQueue::Clock s_clock = nullptr;
} // namespace

QxIdleEventHandler::~QxIdleEventHandler()
{
    if (QxIdleTaskQueue* queue = QxIdleTaskQueue::existing())
        queue->withdraw(this, false);
}

void QxIdleEventHandler::withdrawIdleCalls()
{
    if (QxIdleTaskQueue* queue = QxIdleTaskQueue::existing())
        queue->withdraw(this, true);
}

QxIdleTaskQueue* QxIdleTaskQueue::instance()
{
    if (!s_queue)
        s_queue = new QxIdleTaskQueue;
    return s_queue;
}

QxIdleTaskQueue* QxIdleTaskQueue::existing()
{
    return s_queue;
}

void QxIdleTaskQueue::destroy()
{
    QxIdleTaskQueue* doomed = s_queue;
    s_queue = nullptr;
    delete doomed;
}

void QxIdleTaskQueue::setClock(Clock clock)
{
    s_clock = clock;
}

int64_t QxIdleTaskQueue::now()
{
    return s_clock ? s_clock() : wxGetUTCTimeMillis().GetValue();
}

void QxIdleTaskQueue::post(QxIdleEventHandler* handler, unsigned delayMs, long arg)
{
    if (!handler)
        return;
    const bool wasEmpty = m_entries.empty();
    m_entries.push_back(Entry{handler, delayMs, arg, now(), m_nextSerial++});
    ++m_count;
    if (m_running)
        m_postedDuringDispatch = true;
    if (wasEmpty)
        wxWakeUpIdle();
}

void QxIdleTaskQueue::dispatch()
{
    // A handler that runs a nested event loop (a modal dialog) must not have
    // other entries run inside it.
    if (m_running)
        return;
    const int64_t start = now();
    auto it = m_entries.begin();
    while (it != m_entries.end()) {
        Entry& entry = *it;
        // Unsigned: an entry stamped after the pass start (the clock was set
        // back) is due at once.
        if (static_cast<uint64_t>(start - entry.postedAt) < entry.delayMs) {
            ++it;
            continue;
        }
        if (entry.handler) {
            m_running = &entry;
            entry.handler->onIdle(entry.delayMs, entry.arg);
            m_running = nullptr;
        }
        // The running entry stays in place whatever the call withdrew or
        // cleared, so its successor is taken only now.
        it = m_entries.erase(it);
        --m_count;
        if (m_postedDuringDispatch) {
            m_postedDuringDispatch = false;
            break;
        }
        if (now() - start >= m_budgetMs)
            break;
    }
}

void QxIdleTaskQueue::clear()
{
    // Entries posted by destroyCallData itself are left for later, so a
    // handler that re-posts cannot keep this loop going.
    const uint64_t limit = m_nextSerial;
    for (;;) {
        auto it = m_entries.begin();
        while (it != m_entries.end() && (&*it == m_running || it->serial >= limit))
            ++it;
        if (it == m_entries.end())
            break;
        const Entry entry = *it;
        m_entries.erase(it);
        --m_count;
        // Looked up afresh each round: the call may withdraw other entries.
        if (entry.handler)
            entry.handler->destroyCallData(entry.arg);
    }
}

void QxIdleTaskQueue::withdraw(QxIdleEventHandler* handler, bool releaseData)
{
    if (!handler)
        return;
    if (m_running && m_running->handler == handler)
        m_running->handler = nullptr;
    for (;;) {
        auto it = m_entries.begin();
        while (it != m_entries.end() && (&*it == m_running || it->handler != handler))
            ++it;
        if (it == m_entries.end())
            break;
        const long arg = it->arg;
        m_entries.erase(it);
        --m_count;
        if (releaseData)
            handler->destroyCallData(arg);
    }
}
