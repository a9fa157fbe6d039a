#pragma once
// A chart of 600 daily bars open in its frame, the frame active and the
// chart holding the keyboard, for tests that type and click on the real
// display; the shared frame settings come back afterwards.
#include "app/QxGlobalVars.h"
#include "support/ChartFixtures.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxChartView.h"
#include "chartview/QxPointAndFigureFrame.h"
#include "support/RealInput.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/aui/auibar.h>

class ChartUnderHands : public ::testing::Test {
protected:
    static constexpr unsigned kBars = 600;

    void SetUp() override
    {
        m_saved = QxGlobalVars::get();
        QxGlobalVars& g = QxGlobalVars::get();
        g.chartFrameSize = frameSize();
        g.isChartFrameMaximized = false;
        g.chartFramePerspective.clear();
        m_security = new charttest::MemSecurity(7, charttest::makeWalk(kBars), "Walker Mills", "WLK");
        m_view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->getFrame();
        m_frame->Move(0, 0);
        TestSupport::pumpEvents(200);
        ASSERT_TRUE(TestSupport::focusFrame(m_frame, m_view)) << "the chart has no keyboard focus";
    }
    void TearDown() override
    {
        for (wxWindow* w : wxTopLevelWindows)
            if (dynamic_cast<QxChartFrame*>(w) || dynamic_cast<QxPointAndFigureFrame*>(w))
                w->Destroy();
        TestSupport::pumpEvents(100);
        QxGlobalVars::get() = m_saved;
    }
    virtual wxSize frameSize() const { return wxSize(900, 600); }

    // Clicks a tool of a toolbar in the middle of its button.
    static bool clickTool(wxAuiToolBar* toolbar, int id)
    {
        const wxRect r = toolbar->GetToolRect(id);
        return !r.IsEmpty() && TestSupport::clickAt(toolbar, wxPoint(r.x + r.width / 2, r.y + r.height / 2));
    }
    unsigned first() const { return m_view->getFirstVisibleBar(); }
    unsigned last() const { return m_view->getLastVisibleBar(); }
    unsigned visible() const { return last() - first() + 1; }

    QxObjectSmartPtr<QxSecurity> m_security;
    QxChartView* m_view = nullptr;
    QxChartFrame* m_frame = nullptr;

private:
    QxGlobalVars m_saved;
};
