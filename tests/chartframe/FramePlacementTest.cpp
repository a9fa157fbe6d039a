// Frames that keep their size and maximised state in the global settings,
// under a window manager as on a desktop: maximised, restored, resized and
// closed, each kind opens again as the user left the last one.
#include "app/QxGlobalVars.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxPointAndFigureFrame.h"
#include "core/platform/QxFramePlacement.h"
#include "trading/QxIdeaFinderReportFrame.h"
#include "trading/QxSimpleSystemTestReportView.h"

#include "ChartFrameTestSupport.h"
#include "support/RealInput.h"

#include <gtest/gtest.h>

#include <wx/display.h>

#include <functional>

using TestSupport::pumpUntil;

namespace {

struct FrameKind {
    const char* name;
    std::function<wxTopLevelWindow*()> open; // shown
    wxSize QxGlobalVars::*size;
    bool QxGlobalVars::*maximized;
};

const FrameKind kKinds[] = {
    {"chart",
     [] {
         auto* f = new QxChartFrame();
         f->Show();
         return f;
     },
     &QxGlobalVars::chartFrameSize, &QxGlobalVars::isChartFrameMaximized},
    {"point-and-figure",
     [] {
         auto* f = new QxPointAndFigureFrame();
         f->Show();
         return f;
     },
     &QxGlobalVars::pnfFrameSize, &QxGlobalVars::isPnfFrameMaximized},
    {"idea report",
     [] {
         auto* f = new QxIdeaFinderReportFrame();
         f->Show();
         return f;
     },
     &QxGlobalVars::stockIdeaFinderFrameSize, &QxGlobalVars::stockIdeaFinderFrameMaximized},
    {"system test report",
     [] {
         QxSimpleSystemTestReportView::setWebViewEnabled(false);
         auto* f = new QxSimpleSystemTestReportView(0, Qx::eDaily, "<html><body>report</body></html>");
         f->Show();
         return f;
     },
     &QxGlobalVars::simpleSystemTestReportFrameSize, &QxGlobalVars::simpleSystemTestReportFrameIsMaximized},
};

class FramePlacementTest : public ::testing::Test {
protected:
    void SetUp() override { m_saved = QxGlobalVars::get(); }
    void TearDown() override
    {
        QxSimpleSystemTestReportView::setWebViewEnabled(true);
        QxGlobalVars::get() = m_saved;
    }
    static void close(wxTopLevelWindow* frame)
    {
        frame->Destroy();
        cframetest::pump(200);
    }
    // The window manager has mapped the frame (and framed it).
    static bool shown(wxTopLevelWindow* frame)
    {
        return pumpUntil([&] { return frame->IsShownOnScreen(); }, 5000) && (cframetest::pump(300), true);
    }
    static bool reachesState(wxTopLevelWindow* frame, bool maximized)
    {
        const bool reached = pumpUntil([&] { return frame->IsMaximized() == maximized; }, 5000);
        cframetest::pump(300); // the size events and state changes that follow
        return reached;
    }

private:
    QxGlobalVars m_saved;
};

} // namespace

TEST_F(FramePlacementTest, EveryKindOpensAsTheUserLeftTheLast)
{
    TestSupport::ScopedWindowManager desktop;
    ASSERT_TRUE(desktop.ok());
    QxGlobalVars& g = QxGlobalVars::get();
    const wxSize normal(760, 520), resized(700, 480);
    for (const FrameKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        g.*kind.size = normal;
        g.*kind.maximized = false;

        wxTopLevelWindow* frame = kind.open();
        ASSERT_TRUE(shown(frame));
        EXPECT_EQ(frame->GetSize(), normal);
        // Maximised by the window manager, as the title bar's button does:
        // its new size arrives before its new state.
        frame->Maximize(true);
        ASSERT_TRUE(reachesState(frame, true));
        EXPECT_GT(frame->GetSize().x, normal.x);
        EXPECT_TRUE(g.*kind.maximized);
        EXPECT_EQ(g.*kind.size, normal) << "the size to restore to, not the screen's";
        if (kind.name == kKinds[0].name) {
            EXPECT_TRUE(cframetest::saveWindowShot(frame, "chart-frame-maximised-under-openbox.png"));
        }
        close(frame);
        EXPECT_TRUE(g.*kind.maximized);

        // The next one opens maximised, and restores to the size left.
        frame = kind.open();
        ASSERT_TRUE(shown(frame));
        EXPECT_TRUE(reachesState(frame, true)) << "reopened maximised";
        EXPECT_TRUE(g.*kind.maximized);
        EXPECT_EQ(g.*kind.size, normal);
        frame->Maximize(false);
        ASSERT_TRUE(reachesState(frame, false));
        EXPECT_TRUE(pumpUntil([&] { return frame->GetSize() == normal; }, 3000)) << frame->GetSize().x;
        EXPECT_FALSE(g.*kind.maximized);
        EXPECT_EQ(g.*kind.size, normal);

        // Resized, closed and opened again: the new size, not maximised.
        frame->SetSize(resized);
        EXPECT_TRUE(pumpUntil([&] { return g.*kind.size == resized; }, 3000)) << (g.*kind.size).x;
        close(frame);
        frame = kind.open();
        ASSERT_TRUE(shown(frame));
        EXPECT_FALSE(frame->IsMaximized());
        EXPECT_EQ(frame->GetSize(), resized);
        EXPECT_FALSE(g.*kind.maximized);
        close(frame);
    }
}

namespace {

// A frame whose size and state the test sets, in whichever order a
// window manager might tell them.
class Told : public wxFrame {
public:
    Told() : wxFrame(nullptr, wxID_ANY, "told") {}
    bool IsMaximized() const override { return m_max; }
    void tell(const wxSize& size, bool maximized, QxFramePlacement& placement)
    {
        m_size = size;
        m_max = maximized;
        placement.sized(size);
    }
    void state(bool maximized)
    {
        m_max = maximized;
        wxIdleEvent idle;
        ProcessWindowEvent(idle);
    }
    void settle()
    {
        wxIdleEvent idle;
        ProcessWindowEvent(idle);
    }

protected:
    void DoGetSize(int* w, int* h) const override
    {
        if (m_size == wxDefaultSize) {
            wxFrame::DoGetSize(w, h);
            return;
        }
        if (w)
            *w = m_size.x;
        if (h)
            *h = m_size.y;
    }

private:
    wxSize m_size = wxDefaultSize;
    bool m_max = false;
};

} // namespace

// Whether the new size comes before the new state or after it, the
// settings end with the size to restore to and the state left.
TEST(FramePlacement, SizeAndStateInEitherOrder)
{
    const wxSize screen = wxDisplay(0u).GetClientArea().GetSize();
    const wxSize normal(640, 480);
    for (const bool sizeFirst : {true, false}) {
        SCOPED_TRACE(sizeFirst ? "size first" : "state first");
        wxSize size(640, 480);
        bool maximized = false;
        QxFramePlacement placement(size, &maximized);
        auto* frame = new Told();
        placement.attach(frame);
        frame->tell(normal, false, placement);

        // Maximised.
        if (sizeFirst) {
            frame->tell(screen, false, placement);
            frame->settle(); // the toolkit may go idle in between
            frame->state(true);
        } else {
            frame->state(true);
            frame->tell(screen, true, placement);
        }
        frame->settle();
        EXPECT_TRUE(maximized);
        EXPECT_EQ(size, normal);

        // Restored.
        if (sizeFirst) {
            frame->tell(normal, true, placement);
            frame->settle();
            frame->state(false);
        } else {
            frame->state(false);
            frame->tell(normal, false, placement);
        }
        frame->settle();
        EXPECT_FALSE(maximized);
        EXPECT_EQ(size, normal);
        frame->Destroy();
    }
}
