#include "app/QxCommonFrame.h"

#include "app/QxAboutBox.h"
#include "app/QxApplication.h"
#include "app/QxDataSelectorDlg.h"
#include "app/QxGatewayFrame.h"
#include "app/QxGlobalVars.h"
#include "app/QxPreferencesDlg.h"
#include "app/QxUpdateCheck.h"
#include "chartframe/QxChartFrame.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartview/QxChartView.h"
#include "chartview/QxPointAndFigureView.h"
#include "chartframe/QxProToolsToolbar.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxSecurity.h"
#include "core/QxUtils.h"
#include "securities/DlgPriceHistory.h"
#include "securities/QxDatabaseInfoDlg.h"
#include "securities/QxPortfolioManagerFrame.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "trading/DlgSystemManager.h"
#include "trading/QxAlertMgrFrame.h"
#include "trading/QxIdeaFinderReportView.h"
#include "trading/QxIdeaFindingThread.h"
#include "trading/QxSimpleSystemTest.h"

#include <wx/intl.h>

QxCommonFrame::QxCommonFrame(wxWindow* parent, wxWindowID id, const wxString& title,
                             const wxPoint& pos, const wxSize& size, long style)
    : FBCommonFrame(parent, id, title, pos, size, style)
{
    initCommon();
}

QxCommonFrame::QxCommonFrame()
    : FBCommonFrame(nullptr, wxID_ANY, _("Trendoria"), wxDefaultPosition, wxSize(643, 373))
{
    initCommon();
}

void QxCommonFrame::initCommon()
{
    m_mgr = new wxAuiManager(nullptr, wxAUI_MGR_DEFAULT);
    if (QxApplication* app = QxApplication::getApp())
        app->newFrameCreated(this);
    m_mgr->SetManagedWindow(this);
}

QxCommonFrame::~QxCommonFrame()
{
    m_mgr->UnInit();
    if (QxApplication* app = QxApplication::getApp())
        app->frameWillBeDeleted(this);
    delete m_mgr;
    m_mgr = nullptr;
}

void QxCommonFrame::addChartToolbarPane(wxAuiPaneInfo& pane, bool withSaveTool)
{
    auto* toolbar = new QxChartGeneralToolbar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
    if (withSaveTool)
        toolbar->addSaveTool();
    toolbar->Realize();
    m_chartGeneralToolbar = toolbar;
    m_mgr->AddPane(toolbar, pane.Name("Chart_general").Caption(_("Open Save Charts")));
}

void QxCommonFrame::addProToolsPane(wxAuiPaneInfo& pane)
{
    auto* toolbar = new QxProToolsToolbar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
    toolbar->Realize();
    m_proToolsToolbar = toolbar;
    m_mgr->AddPane(toolbar, pane.Name("Pro Tools").Caption(_("Pro Tools")));
}

void QxCommonFrame::addToolPanesRight()
{
    wxAuiPaneInfo chart;
    chart.ToolbarPane().Right();
    addChartToolbarPane(chart, false);
    wxAuiPaneInfo tools;
    tools.ToolbarPane().Right();
    addProToolsPane(tools);
}

bool QxCommonFrame::quoteEditorEnabled(const QxDatabase* current)
{
    return current && !current->isReadOnly();
}

bool QxCommonFrame::findStockIdeasEnabled() { return !QxIdeaFindingThread::exists(); }

void QxCommonFrame::OnActivate(wxActivateEvent&)
{
    // Gaining or losing activation alike renumbers the frame; not passed on.
    if (QxApplication* app = QxApplication::getApp())
        app->setActiveFrame(this);
}

void QxCommonFrame::OnClose(wxCloseEvent& event)
{
    QxApplication* app = QxApplication::getApp();
    if (app && app->activeFrame() == this)
        app->setActiveFrame(nullptr);
    event.Skip(); // the framework's default close destroys the frame
}

// Commands of parts of the program not in this build (the stock idea
// finder) say so and open nothing.

namespace {

// The id of the one security the user chose; 0 when cancelled.
unsigned chooseSecurityId()
{
    QxSymbolSelectionDlg* dialog = QxSymbolSelectionDlg::get(true);
    if (dialog->ShowModal() != wxID_OK || dialog->getSelectedIds().empty())
        return 0;
    return dialog->getSelectedIds().front();
}

} // namespace

QxObjectSmartPtr<QxSecurity> QxCommonFrame::chooseSecurity()
{
    const unsigned id = chooseSecurityId();
    QxApplication* app = QxApplication::getApp();
    QxDatabase* database = app ? app->currentDatabase() : nullptr;
    if (id == 0 || !database)
        return nullptr;
    return QxObjectSmartPtr<QxSecurity>(database->getSecurity(id));
}

void QxCommonFrame::OnNewChart(wxCommandEvent&)
{
    QxObjectSmartPtr<QxSecurity> security = chooseSecurity();
    if (!security)
        return;
    const QxGlobalVars& globals = QxGlobalVars::get();
    QxChartView::createChartView(security.get(), Qx::eDaily, static_cast<Qx::QxPriceObjType>(globals.priceObjType),
                                 globals.defaultTemplate.get());
}

void QxCommonFrame::OnNewPnfChart(wxCommandEvent&)
{
    if (QxObjectSmartPtr<QxSecurity> security = chooseSecurity())
        QxPointAndFigureView::create(security.get());
}

void QxCommonFrame::OnOpenChart(wxCommandEvent&) { QxChartFrame::openChartFile(); }

void QxCommonFrame::OnPortfolios(wxCommandEvent&) { QxPortfolioManagerFrame::showFrame(); }

void QxCommonFrame::OnAlerts(wxCommandEvent&) { QxAlertMgrFrame::showFrame(); }

void QxCommonFrame::OnGateway(wxCommandEvent&)
{
    QxGatewayFrame* gateway = QxGatewayFrame::instance();
    if (!gateway)
        gateway = new QxGatewayFrame(); // remembers itself as the home frame
    gateway->Raise();
    gateway->SetFocus();
}

void QxCommonFrame::OnPreferences(wxCommandEvent&)
{
    QxPreferencesDlg dialog(this);
    dialog.ShowModal();
}

void QxCommonFrame::OnCloseView(wxCommandEvent&) { Close(false); }

void QxCommonFrame::OnExit(wxCommandEvent&)
{
    // A copy: answering a question may close windows.
    const wxWindowList windows = wxTopLevelWindows;
    for (wxWindow* window : windows)
        if (auto* frame = dynamic_cast<QxCommonFrame*>(window);
            frame && !wxPendingDelete.Member(frame) && !frame->mayEndProgram())
            return;
    if (wxTheApp)
        wxTheApp->Exit();
}

void QxCommonFrame::OnQuoteEditor(wxCommandEvent&)
{
    if (const unsigned id = chooseSecurityId())
        DlgPriceHistory::showFor(id, this);
}

void QxCommonFrame::OnUpdateQuoteEditor(wxUpdateUIEvent& event)
{
    QxApplication* app = QxApplication::getApp();
    event.Enable(quoteEditorEnabled(app ? app->currentDatabase() : nullptr));
}

void QxCommonFrame::OnDatabaseInfo(wxCommandEvent&)
{
    QxDatabaseInfoDlg dialog(this);
    dialog.ShowModal();
}

void QxCommonFrame::OnChangeDatabase(wxCommandEvent&)
{
    QxObjectSmartPtr<QxDatabase> database;
    {
        QxDataSelectorDlg dialog(this);
        dialog.ShowModal();
        database = dialog.database(); // null when cancelled or nothing opened
    }
    if (!database)
        return;
    if (QxApplication* app = QxApplication::getApp())
        app->changeDatabase(database);
    // Built again over the new database when next needed.
    QxSymbolSelectionDlg::destroy();
}

void QxCommonFrame::OnFindStockIdeas(wxCommandEvent&)
{
    auto* view = new QxIdeaFinderReportView();
    if (findStockIdeas(view) == eCancelledByUser)
        delete view; // it never got its window
}

void QxCommonFrame::OnUpdateFindStockIdeas(wxUpdateUIEvent& event) { event.Enable(findStockIdeasEnabled()); }

void QxCommonFrame::OnSystemTester(wxCommandEvent&) { runSimpleSystemTest(); }

void QxCommonFrame::OnTradingSystems(wxCommandEvent&)
{
    DlgSystemManager dlg(this, false);
    dlg.ShowModal();
}

void QxCommonFrame::OnHelp(wxCommandEvent&) { QxUtils::showHelp(); }

void QxCommonFrame::OnIndicatorsHelp(wxCommandEvent&) { QxUtils::showIndicatorHelp(); }

void QxCommonFrame::OnCheckForUpdate(wxCommandEvent&)
{
    QxUpdateCheck::run(false); // reports its outcome, also when no update exists
}

void QxCommonFrame::OnAbout(wxCommandEvent&)
{
    QxAboutBox dialog(this);
    dialog.ShowModal();
}
