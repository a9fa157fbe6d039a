#pragma once
// The frame that shows a finished system-test report. Two links inside the
// page are commands: "command:ShowChart" opens a chart of the tested
// security and "command:ExportHTML" saves the report to a file; every other
// navigation is refused. The page shows in a web view, or in a plain HTML
// window where no web engine is available.
#include "app/QxCommonFrame.h"
#include "core/QxTime.h"
#include "core/platform/QxFramePlacement.h"

#include <string>

class wxHtmlLinkEvent;
class wxHtmlWindow;
class wxWebView;
class wxWebViewEvent;

class QxSimpleSystemTestReportView : public QxCommonFrame {
public:
    QxSimpleSystemTestReportView(unsigned securityId, Qx::QxPeriod period, std::string report);
    ~QxSimpleSystemTestReportView() override;

    const std::string& reportText() const { return m_report; }
    // The window that shows the page: one of the two is set.
    wxWebView* webView() const { return m_webView; }
    wxHtmlWindow* htmlWindow() const { return m_htmlWindow; }
    // Whether the report has replaced the engine's blank start page.
    bool pageLoaded() const { return m_pageLoaded; }

    // Whether a navigation to url may go ahead; the command links are acted
    // on (after the navigation has been refused) instead.
    bool allowNavigation(const wxString& url);

    // A chart of the tested security, when it is still in the database.
    void showChart();
    // Asks for a file and writes the report's bytes into it.
    void exportReport();

    // Tests: the plain HTML window instead of a web view.
    static void setWebViewEnabled(bool enabled) { s_webViewEnabled = enabled; }

protected:
    void OnOpenChart(wxCommandEvent& event) override;
    void OnSize(wxSizeEvent& event) override;

private:
    void onNavigating(wxWebViewEvent& event);
    void onLoaded(wxWebViewEvent& event);
    void onTitleChanged(wxWebViewEvent& event);
    void onHtmlLink(wxHtmlLinkEvent& event);

    static inline bool s_webViewEnabled = true;
    unsigned m_securityId;
    Qx::QxPeriod m_period;
    std::string m_report;
    wxWebView* m_webView = nullptr;
    wxHtmlWindow* m_htmlWindow = nullptr;
    // Until the report is in, loading it passes the navigation check.
    bool m_pageLoaded = false;
    QxFramePlacement m_placement;
};
