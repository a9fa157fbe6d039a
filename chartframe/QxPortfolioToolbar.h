#pragma once
// The portfolio toolbar of the home frame: Portfolios and Watchlists and
// Manage Alerts, text beside the icons, with the command ids of the shared
// menu bar. The alert tool's icon tells whether alerts are waiting. The
// creator calls Realize.
#include <wx/aui/auibar.h>

class QxPortfolioToolbar : public wxAuiToolBar {
public:
    // The id and the style are not used (any id, text beside the icons);
    // size is the size of the tool bitmaps, 16 by 16 for the default size.
    QxPortfolioToolbar(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                       const wxSize& size = wxDefaultSize, long style = 0);
    ~QxPortfolioToolbar() override;

    // The art of the alert tool: "QxART_alert_of_alerts" while alerts are
    // waiting, else "QxART_alert".
    static const char* alertArtId(unsigned waitingAlerts);
    // Shows the alert icon for that many waiting alerts at the size the
    // toolbar was built with.
    void updateAlertIcon(unsigned waitingAlerts);

    // The size of the tool bitmaps.
    wxSize bitmapSize() const { return m_bitmapSize; }

private:
    wxSize m_bitmapSize;
};
