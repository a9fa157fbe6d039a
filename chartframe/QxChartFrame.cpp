#include "chartframe/QxChartFrame.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "app/QxNotAvailable.h"
#include "chartview/QxChartView.h"

#include <wx/intl.h>

unsigned QxChartFrame::s_openFrames = 0;

QxChartFrame::QxChartFrame()
{
    const QxGlobalVars& globals = QxGlobalVars::get();
    SetSize(globals.chartFrameSize);
    if (globals.isChartFrameMaximized)
        Maximize(true);
    ++s_openFrames;
}

QxChartFrame::~QxChartFrame()
{
    if (m_view)
        Unbind(wxEVT_SET_FOCUS, &QxChartFrame::onSetFocus, this);
    --s_openFrames;
}

void QxChartFrame::setChartView(QxChartView* view)
{
    if (m_view || !view)
        return;
    m_view = view;
    m_mgr->AddPane(view, wxAuiPaneInfo().Name("Chart View").CenterPane().PaneBorder(false));
    m_mgr->Update();
    Bind(wxEVT_SET_FOCUS, &QxChartFrame::onSetFocus, this);
}

wxPen QxChartFrame::getDefaultPen() const { return *wxBLACK_PEN; }

void QxChartFrame::onSetFocus(wxFocusEvent& event)
{
    // Keys go to the chart, not to the frame.
    if (m_view)
        m_view->SetFocus();
    event.Skip();
}

void QxChartFrame::openChartFile()
{
    wxWindow* parent = nullptr;
    if (QxApplication* app = QxApplication::getApp())
        parent = app->activeFrame();
    qxShowNotAvailable(parent, _("Opening saved charts"));
}
