#include "trading/QxIdeaFinderReportFrame.h"

#include "app/QxGlobalVars.h"
#include "trading/QxIdeaFinderReportView.h"
#include "ui/QxMessages.h"

#include <wx/intl.h>

QxIdeaFinderReportFrame::QxIdeaFinderReportFrame()
    : QxCommonFrame(nullptr, wxID_ANY, qxProgramTitle() + _(": Idea Finder Report")),
      m_placement(QxGlobalVars::get().stockIdeaFinderFrameSize, &QxGlobalVars::get().stockIdeaFinderFrameMaximized)
{
    m_placement.attach(this);
    wxAuiPaneInfo chart;
    chart.ToolbarPane().Top().Row(0);
    addChartToolbarPane(chart, false);
    wxAuiPaneInfo tools;
    tools.ToolbarPane().Top().Row(0).Position(1);
    addProToolsPane(tools);
    auiManager().Update();
}

void QxIdeaFinderReportFrame::setView(QxIdeaFinderReportView* view)
{
    m_view = view;
    auiManager().AddPane(view, wxAuiPaneInfo().Name("report").CenterPane().PaneBorder(false));
    auiManager().Update();
}

void QxIdeaFinderReportFrame::OnSize(wxSizeEvent& event)
{
    m_placement.sized(event.GetSize());
    event.Skip();
}

void QxIdeaFinderReportFrame::OnClose(wxCloseEvent& event)
{
    if (m_view)
        m_view->stopScan();
    QxCommonFrame::OnClose(event);
}
