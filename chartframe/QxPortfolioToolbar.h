#pragma once
// The portfolio toolbar of the home frame: Portfolios and Watchlists and
// Manage Alerts, text beside the icons, with the command ids of the shared
// menu bar. It watches the alert manager from construction to destruction,
// and the alert tool's icon tells whether alerts are waiting. The creator
// calls Realize.
#include "trading/QxAlertMgr.h"

#include <wx/aui/auibar.h>

class QxPortfolioToolbar : public wxAuiToolBar, public QxAlertReactor {
public:
    // The id and the style are not used (any id, text beside the icons);
    // size is the size of the tool bitmaps, 16 by 16 for the default size.
    QxPortfolioToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                       const wxSize& size = wxDefaultSize, long style = 0);
    ~QxPortfolioToolbar() override;

    // The art of the alert tool: "QxART_alert_of_alerts" while alerts are
    // waiting, else "QxART_alert".
    static const char* alertArtId(unsigned waitingAlerts);
    // Shows the alert icon for the alert manager's waiting alerts at the
    // size the toolbar was built with, and repaints.
    void updateAlertIcon();
    // The art id the alert tool shows now.
    const char* currentAlertArtId() const { return m_alertArtId; }

    // The size of the tool bitmaps.
    wxSize bitmapSize() const { return m_bitmapSize; }

    void onAlertAdded(const QxAlert&, QxSecurity*, QxAlertSetting*) override { updateAlertIcon(); }
    void onAlertStatusChanged(const QxAlert&, unsigned, QxSecurity*, QxAlertSetting*) override { updateAlertIcon(); }
    void onAlertRemoved(const QxAlert&, QxSecurity*, QxAlertSetting*) override { updateAlertIcon(); }

private:
    static unsigned waitingAlerts();

    wxSize m_bitmapSize;
    const char* m_alertArtId;
};
