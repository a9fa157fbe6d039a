#include "app/QxGatewayFrame.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"

#include <wx/artprov.h>

namespace {
QxGatewayFrame* g_gateway = nullptr;
}

QxGatewayFrame* QxGatewayFrame::instance() { return g_gateway; }

QxGatewayFrame::QxGatewayFrame()
{
    QxApplication* app = QxApplication::getApp();
    Create(nullptr, wxID_ANY, app ? app->getAppName() : wxString("Corvane Trendoria 2014"));
    g_gateway = this;
    if (app)
        app->newFrameCreated(this);

    SetIcons(wxArtProvider::GetIconBundle("QxART_trendoria", wxART_OTHER));
    SetSize(QxGlobalVars::get().gatewayFrameSize);

    Bind(wxEVT_ACTIVATE, &QxGatewayFrame::OnActivate, this);
    Bind(wxEVT_CLOSE_WINDOW, &QxGatewayFrame::OnClose, this);
    Bind(wxEVT_SIZE, &QxGatewayFrame::OnSize, this);
    Show();
}

QxGatewayFrame::~QxGatewayFrame()
{
    Unbind(wxEVT_ACTIVATE, &QxGatewayFrame::OnActivate, this);
    Unbind(wxEVT_CLOSE_WINDOW, &QxGatewayFrame::OnClose, this);
    Unbind(wxEVT_SIZE, &QxGatewayFrame::OnSize, this);
    g_gateway = nullptr;
    if (QxApplication* app = QxApplication::getApp())
        app->frameWillBeDeleted(this);
}

void QxGatewayFrame::OnActivate(wxActivateEvent& event)
{
    if (QxApplication* app = QxApplication::getApp())
        app->setActiveFrame(this);
    (void)event; // handled: not passed on
}

void QxGatewayFrame::OnClose(wxCloseEvent& event)
{
    event.Skip(); // the framework's default close destroys the frame
}

void QxGatewayFrame::OnSize(wxSizeEvent& event)
{
    QxGlobalVars::get().gatewayFrameSize = event.GetSize();
    Layout();
}
