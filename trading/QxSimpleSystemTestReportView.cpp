#include "trading/QxSimpleSystemTestReportView.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "chartview/QxChartView.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"
#include "core/QxXmlFile.h"
#include "core/platform/QxFileDialogExt.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/filedlg.h>
#include <wx/html/htmlwin.h>
#include <wx/stream.h>
#include <wx/webview.h>

namespace {

// The title the report page carries.
const char* const kReportTitle = "Trendoria Simple System Test Report";

void showError(const wxString& message, wxWindow* parent)
{
    qxShowError(message, parent);
}

} // namespace

QxSimpleSystemTestReportView::QxSimpleSystemTestReportView(unsigned securityId, Qx::QxPeriod period,
                                                           std::string report)
    : QxCommonFrame(nullptr, wxID_ANY, QxApplication::appTitle() + _(" [Simple System Test Report]")),
      m_securityId(securityId), m_period(period), m_report(std::move(report)),
      m_placement(QxGlobalVars::get().simpleSystemTestReportFrameSize,
                  &QxGlobalVars::get().simpleSystemTestReportFrameIsMaximized)
{
    Freeze();
    SetIcons(wxArtProvider::GetIconBundle("QxArt_simple_system_test_report", "wxART_OTHER_C"));
    m_placement.attach(this);

    wxAuiPaneInfo chart;
    chart.ToolbarPane().Top().Row(0);
    addChartToolbarPane(chart, false);
    wxAuiPaneInfo tools;
    tools.ToolbarPane().Top().Row(0).Position(1);
    addProToolsPane(tools);
    Bind(wxEVT_CONTEXT_MENU, [](wxContextMenuEvent&) {});

    const wxString page = wxString::FromUTF8(m_report.data(), m_report.size());
    wxWindow* view = nullptr;
    if (s_webViewEnabled && wxWebView::IsBackendAvailable(wxWebViewBackendDefault)) {
        m_webView = wxWebView::New(this, wxID_ANY, wxWebViewDefaultURLStr, wxDefaultPosition, wxDefaultSize,
                                   wxWebViewBackendDefault, 0);
    }
    if (m_webView) {
        m_webView->EnableContextMenu(false);
        m_webView->Bind(wxEVT_WEBVIEW_NAVIGATING, &QxSimpleSystemTestReportView::onNavigating, this);
        m_webView->Bind(wxEVT_WEBVIEW_LOADED, &QxSimpleSystemTestReportView::onLoaded, this);
        m_webView->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &QxSimpleSystemTestReportView::onTitleChanged, this);
        m_webView->SetPage(page, wxString());
        view = m_webView;
    } else {
        m_htmlWindow = new wxHtmlWindow(this, wxID_ANY);
        m_htmlWindow->SetPage(page);
        m_htmlWindow->Bind(wxEVT_HTML_LINK_CLICKED, &QxSimpleSystemTestReportView::onHtmlLink, this);
        m_pageLoaded = true;
        view = m_htmlWindow;
    }
    auiManager().AddPane(view, wxAuiPaneInfo().Name("Report View").CenterPane().PaneBorder(false));
    auiManager().Update();
    Thaw();
}

QxSimpleSystemTestReportView::~QxSimpleSystemTestReportView()
{
    if (m_webView) {
        m_webView->Unbind(wxEVT_WEBVIEW_NAVIGATING, &QxSimpleSystemTestReportView::onNavigating, this);
        m_webView->Unbind(wxEVT_WEBVIEW_LOADED, &QxSimpleSystemTestReportView::onLoaded, this);
        m_webView->Unbind(wxEVT_WEBVIEW_TITLE_CHANGED, &QxSimpleSystemTestReportView::onTitleChanged, this);
    }
    if (m_htmlWindow)
        m_htmlWindow->Unbind(wxEVT_HTML_LINK_CLICKED, &QxSimpleSystemTestReportView::onHtmlLink, this);
}

bool QxSimpleSystemTestReportView::allowNavigation(const wxString& url)
{
    // Loading the page itself arrives as a navigation to a blank or data
    // address; nothing after it leaves the page.
    if (!m_pageLoaded && (url.empty() || url == "about:blank" || url.StartsWith("data:")))
        return true;
    // Acted on once the engine has its answer, so a dialog or a new frame
    // does not open inside its callback.
    if (url == "command:ShowChart")
        CallAfter(&QxSimpleSystemTestReportView::showChart);
    else if (url == "command:ExportHTML")
        CallAfter(&QxSimpleSystemTestReportView::exportReport);
    return false;
}

void QxSimpleSystemTestReportView::onNavigating(wxWebViewEvent& event)
{
    if (!allowNavigation(event.GetURL()))
        event.Veto();
}

void QxSimpleSystemTestReportView::onLoaded(wxWebViewEvent& event)
{
    // The engine loads a blank page of its own as well, in an order of its
    // own choosing, under the same address: the report is in once its title is.
    if (m_webView->GetCurrentTitle() == kReportTitle)
        m_pageLoaded = true;
    event.Skip();
}

void QxSimpleSystemTestReportView::onTitleChanged(wxWebViewEvent& event)
{
    if (event.GetString() == kReportTitle)
        m_pageLoaded = true;
    event.Skip();
}

void QxSimpleSystemTestReportView::onHtmlLink(wxHtmlLinkEvent& event)
{
    // Not skipped: the window would otherwise follow the link.
    allowNavigation(event.GetLinkInfo().GetHref());
}

void QxSimpleSystemTestReportView::OnOpenChart(wxCommandEvent&) { showChart(); }

void QxSimpleSystemTestReportView::showChart()
{
    QxApplication* app = QxApplication::getApp();
    QxDatabase* database = app ? app->currentDatabase() : nullptr;
    if (m_securityId == 0 || !database)
        return;
    // A security deleted since the test gives no chart rather than an empty one.
    QxObjectSmartPtr<QxSecurity> security(database->getSecurity(m_securityId));
    if (!security)
        return;
    const QxGlobalVars& globals = QxGlobalVars::get();
    QxChartView::createChartView(security.get(), m_period, static_cast<Qx::QxPriceObjType>(globals.priceObjType),
                                 globals.defaultTemplate.get());
}

void QxSimpleSystemTestReportView::exportReport()
{
    wxFileDialog dialog(this, _("Export Simple Test Report"), wxString(), "Test Report", _("HTML File (*.html)|*.html"),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    bool opened = false;
    const bool written = qxWriteFileReplacing(path, [this, &opened](wxOutputStream& out) {
        opened = true;
        return out.WriteAll(m_report.data(), m_report.size());
    });
    if (!opened)
        showError(_("An error occurred while opening file for write."), this);
    else if (!written)
        showError(_("An error occurred while writing the file. The report was not saved."), this);
}

void QxSimpleSystemTestReportView::OnSize(wxSizeEvent& event)
{
    m_placement.sized(event.GetSize());
    event.Skip();
}
