#include "trading/QxAlertMgrFrame.h"

#include "app/QxGlobalVars.h"
#include "trading/QxAlertMgrPanel.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>

QxAlertMgrFrame::QxAlertMgrFrame()
    : QxCommonFrame(nullptr, wxID_ANY, qxProgramTitle() + _(" [Alert Manager]"), wxDefaultPosition,
                    wxSize(660, 420)),
      m_placement(QxGlobalVars::get().alertMgrFrameSize, nullptr)
{
    Freeze();
    SetMinSize(wxSize(660, 420));
    SetIcons(wxArtProvider::GetIconBundle("QxArt_alert_frame_icon", "wxART_OTHER_C"));
    if (GetStatusBar())
        GetStatusBar()->Hide();
    // A stored size below the minimum opens at the minimum.
    m_placement.attach(this);
    s_instance = this;

    addToolPanesRight();

    m_panel = new QxAlertMgrPanel(this);
    auiManager().AddPane(m_panel, wxAuiPaneInfo().Name("alerts").CenterPane().PaneBorder(false));
    auiManager().Update();
    Thaw();
    Show();
}

QxAlertMgrFrame::~QxAlertMgrFrame()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void QxAlertMgrFrame::OnSize(wxSizeEvent& event)
{
    // Kept for the next frame; written with the global settings at exit.
    m_placement.sized(event.GetSize());
    event.Skip();
}

QxAlertMgrFrame* QxAlertMgrFrame::showFrame()
{
    if (!s_instance)
        new QxAlertMgrFrame();
    s_instance->Raise();
    s_instance->SetFocus();
    return s_instance;
}
