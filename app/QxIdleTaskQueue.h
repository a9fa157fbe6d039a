#pragma once
// Deferred calls run on the GUI thread from the application's idle
// processing. A pass runs the entries that are due, in posting order, and
// stops once 500 ms have been spent, so that a burst of deferred work cannot
// freeze the user interface.
#include <cstdint>
#include <list>

// Receives deferred calls. Destroying a handler withdraws its pending
// calls: a handler is never called after its destruction has begun.
class QxIdleEventHandler {
public:
    // The deferred call, with the delay and argument it was posted with.
    virtual void onIdle(unsigned delayMs, long arg) = 0;
    // Called instead of onIdle for a call that will never run (the queue is
    // cleared, or the handler withdraws it), so that the poster can free
    // whatever arg stands for.
    virtual void destroyCallData(long arg) = 0;

protected:
    QxIdleEventHandler() = default;
    QxIdleEventHandler(const QxIdleEventHandler&) = default;
    QxIdleEventHandler& operator=(const QxIdleEventHandler&) = default;
    // Drops any call still pending without calling the handler (its derived
    // part is gone by now, so destroyCallData cannot run here).
    virtual ~QxIdleEventHandler();

    // Withdraws this handler's pending calls, handing each argument to
    // destroyCallData. Handlers whose arguments own memory call it from
    // their own destructor.
    void withdrawIdleCalls();
};

class QxIdleTaskQueue {
public:
    // Wall-clock milliseconds; replaceable so tests can move time.
    using Clock = int64_t (*)();

    static QxIdleTaskQueue* instance();
    // Frees pending entries without calling their handlers.
    static void destroy();
    // The queue if it exists, without creating it.
    static QxIdleTaskQueue* existing();

    // Appends a one-shot call due delayMs after now. Wakes idle processing
    // when the queue was empty.
    void post(QxIdleEventHandler* handler, unsigned delayMs, long arg);
    // One pass (see the class comment). Re-entering it from inside a call
    // returns at once.
    void dispatch();
    // Hands every pending call to its handler's destroyCallData, never to
    // onIdle, and empties the queue.
    void clear();

    unsigned count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    int64_t budgetMs() const { return m_budgetMs; }

    // Drops the handler's pending calls; with releaseData each argument goes
    // to destroyCallData first.
    void withdraw(QxIdleEventHandler* handler, bool releaseData);

    static void setClock(Clock clock);
    static int64_t now();

private:
    struct Entry {
        QxIdleEventHandler* handler; // null once withdrawn while running
        unsigned delayMs;
        long arg;
        int64_t postedAt;
        uint64_t serial;
    };

    QxIdleTaskQueue() = default;
    ~QxIdleTaskQueue() = default;
    QxIdleTaskQueue(const QxIdleTaskQueue&) = delete;
    QxIdleTaskQueue& operator=(const QxIdleTaskQueue&) = delete;

    std::list<Entry> m_entries;
    unsigned m_count = 0;
    bool m_postedDuringDispatch = false;
    Entry* m_running = nullptr;
    int64_t m_budgetMs = 500;
    uint64_t m_nextSerial = 0;
};
