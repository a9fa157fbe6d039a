// The idle-task queue driven by a real event loop: delays, the per-pass
// budget, passes ended by posting, re-entrance, clearing, and handlers that
// are destroyed while their calls wait.
#include "app/QxIdleTaskQueue.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/time.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

int g_pass = 0; // idle passes run so far

void onAppIdle(wxIdleEvent& event)
{
    ++g_pass;
    QxIdleTaskQueue* queue = QxIdleTaskQueue::instance();
    queue->dispatch();
    if (!queue->isEmpty())
        event.RequestMore();
    event.Skip();
}

// Runs the event loop until done() holds or the time is up; false on timeout.
bool runLoopUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    const wxLongLong deadline = wxGetLocalTimeMillis() + timeoutMs;
    bool finished = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        finished = done();
        if (finished || wxGetLocalTimeMillis() > deadline)
            loop.Exit();
    });
    timer.Start(5);
    loop.Run();
    timer.Stop();
    return finished;
}

struct Call {
    std::string who;
    long arg;
    int pass;
    int64_t at;
};

class Recorder : public QxIdleEventHandler {
public:
    Recorder(std::string name, std::vector<Call>& calls, std::vector<long>* released = nullptr)
        : m_name(std::move(name)), m_calls(calls), m_released(released)
    {
    }
    // Frees what its arguments stand for, as a real poster would.
    ~Recorder() override { withdrawIdleCalls(); }

    void onIdle(unsigned, long arg) override
    {
        m_calls.push_back(Call{m_name, arg, g_pass, QxIdleTaskQueue::now()});
        if (action)
            action(arg);
    }
    void destroyCallData(long arg) override
    {
        if (m_released)
            m_released->push_back(arg);
    }

    std::function<void(long)> action;

private:
    std::string m_name;
    std::vector<Call>& m_calls;
    std::vector<long>* m_released;
};

class IdleQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(wxTheApp, nullptr);
        QxIdleTaskQueue::destroy();
        wxTheApp->Bind(wxEVT_IDLE, onAppIdle);
        queue = QxIdleTaskQueue::instance();
    }
    void TearDown() override
    {
        wxTheApp->Unbind(wxEVT_IDLE, onAppIdle);
        QxIdleTaskQueue::setClock(nullptr);
        QxIdleTaskQueue::destroy();
    }

    std::string order() const
    {
        std::string s;
        for (const Call& c : calls)
            s += c.who + std::to_string(c.arg) + " ";
        return s;
    }

    QxIdleTaskQueue* queue = nullptr;
    std::vector<Call> calls;
};

} // namespace

TEST_F(IdleQueue, DelaysAreRespected)
{
    Recorder now("now", calls), later("later", calls);
    const int64_t posted = QxIdleTaskQueue::now();
    queue->post(&later, 400, 2);
    queue->post(&now, 0, 1);
    ASSERT_TRUE(runLoopUntil([&] { return calls.size() == 2; }));
    EXPECT_EQ(order(), "now1 later2 ");
    EXPECT_LT(calls[0].at - posted, 400);
    EXPECT_GE(calls[1].at - posted, 400);
    // Many idle passes went by while the delayed entry waited.
    EXPECT_GT(calls[1].pass - calls[0].pass, 1);
    EXPECT_TRUE(queue->isEmpty());
}

TEST_F(IdleQueue, PassEndsOnceTheBudgetIsSpent)
{
    Recorder slow("slow", calls), a("a", calls), b("b", calls);
    slow.action = [](long) { wxMilliSleep(600); };
    queue->post(&slow, 0, 0);
    queue->post(&a, 0, 0);
    queue->post(&b, 0, 0);
    ASSERT_TRUE(runLoopUntil([&] { return calls.size() == 3; }));
    EXPECT_EQ(order(), "slow0 a0 b0 ");
    EXPECT_GT(calls[1].pass, calls[0].pass);
    EXPECT_EQ(calls[2].pass, calls[1].pass);
}

TEST_F(IdleQueue, PostingFromAHandlerEndsThePass)
{
    Recorder poster("poster", calls), next("next", calls), posted("posted", calls);
    poster.action = [&](long) { queue->post(&posted, 0, 9); };
    queue->post(&poster, 0, 0);
    queue->post(&next, 0, 0);
    ASSERT_TRUE(runLoopUntil([&] { return calls.size() == 3; }));
    EXPECT_EQ(order(), "poster0 next0 posted9 ");
    EXPECT_GT(calls[1].pass, calls[0].pass);
}

TEST_F(IdleQueue, DispatchInsideAHandlerDoesNothing)
{
    Recorder outer("outer", calls), inner("inner", calls);
    bool innerRanInside = false;
    outer.action = [&](long) {
        queue->dispatch(); // as a modal dialog's event loop would
        innerRanInside = calls.size() > 1;
    };
    queue->post(&outer, 0, 0);
    queue->post(&inner, 0, 0);
    ASSERT_TRUE(runLoopUntil([&] { return calls.size() == 2; }));
    EXPECT_FALSE(innerRanInside);
    EXPECT_EQ(order(), "outer0 inner0 ");
}

TEST_F(IdleQueue, DestroyedHandlerIsNeverCalled)
{
    std::vector<long> released;
    Recorder first("first", calls), last("last", calls);
    auto* doomedEarly = new Recorder("early", calls, &released);
    auto* doomedByFirst = new Recorder("byFirst", calls, &released);
    queue->post(doomedEarly, 0, 11);
    queue->post(&first, 0, 0);
    queue->post(doomedByFirst, 0, 12);
    queue->post(doomedByFirst, 1000, 13);
    queue->post(&last, 0, 0);
    EXPECT_EQ(queue->count(), 5u);

    delete doomedEarly; // before the loop ever runs
    EXPECT_EQ(queue->count(), 4u);
    // Destroyed from inside the call just before its own turn, in the same pass.
    first.action = [&](long) { delete doomedByFirst; };
    ASSERT_TRUE(runLoopUntil([&] { return calls.size() == 2; }));
    EXPECT_EQ(order(), "first0 last0 ");
    EXPECT_EQ(released, (std::vector<long>{11, 12, 13}));
    EXPECT_TRUE(queue->isEmpty());
}

TEST_F(IdleQueue, HandlerDestroyingItselfInItsCall)
{
    auto* self = new Recorder("self", calls);
    Recorder after("after", calls);
    self->action = [&](long) { delete self; };
    queue->post(self, 0, 1);
    queue->post(self, 0, 2);
    queue->post(&after, 0, 3);
    ASSERT_TRUE(runLoopUntil([&] { return calls.size() == 2; }));
    EXPECT_EQ(order(), "self1 after3 ");
}

TEST_F(IdleQueue, ClearReleasesEveryPendingCallWithoutRunningIt)
{
    std::vector<long> released;
    Recorder a("a", calls, &released), b("b", calls, &released);
    queue->post(&a, 0, 1);
    queue->post(&b, 5000, 2);
    queue->post(&a, 0, 3);
    queue->clear();
    EXPECT_EQ(released, (std::vector<long>{1, 2, 3}));
    EXPECT_TRUE(queue->isEmpty());
    // Nothing is left to run.
    runLoopUntil([] { return false; }, 100);
    EXPECT_TRUE(calls.empty());

    // Destroying the queue drops entries without calling anyone.
    queue->post(&a, 0, 4);
    QxIdleTaskQueue::destroy();
    EXPECT_EQ(released.size(), 3u);
    queue = QxIdleTaskQueue::instance();
}

TEST_F(IdleQueue, ClockSetBackMakesEntriesDue)
{
    static int64_t s_now = 0;
    QxIdleTaskQueue::setClock([] { return s_now; });
    Recorder a("a", calls), b("b", calls);
    s_now = 10000;
    queue->post(&a, 5000, 1);
    queue->post(&b, 5000, 2);
    s_now = 14999;
    queue->dispatch();
    EXPECT_TRUE(calls.empty());
    s_now = 15000;
    b.action = [](long) { s_now = 15600; }; // budget spent inside the last call
    queue->dispatch();
    EXPECT_EQ(order(), "a1 b2 ");
    // Stamped after the pass start: the clock went back.
    queue->post(&a, 5000, 3);
    s_now = 100;
    queue->dispatch();
    EXPECT_EQ(order(), "a1 b2 a3 ");
}
