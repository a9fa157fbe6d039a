#include "app/QxCommonFrame.h"

#include "app/QxAboutBox.h"
#include "app/QxChildFrameForMenuTrick.h"
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
#include "trading/QxAlertMgr.h"
#include "trading/QxAlertMgrFrame.h"
#include "trading/QxIdeaFinderReportFrame.h"
#include "trading/QxIdeaFinderReportView.h"
#include "trading/QxIdeaFindingThread.h"
#include "trading/QxIdeaScan.h"
#include "trading/QxSimpleSystemTest.h"
#include "trading/QxSimpleSystemTestReportView.h"

#include <wx/intl.h>

#include <vector>

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
    QxDataSelectorDlg dialog(this);
    // Stored for the next start only once it replaced the open one.
    dialog.setStoreOnOk(false);
    dialog.ShowModal();
    QxObjectSmartPtr<QxDatabase> database = dialog.database(); // null when cancelled or nothing opened
    if (database && replaceDatabase(database))
        dialog.storeChoice();
}

namespace {

// Frames made for securities of the database they were opened over: charts
// and point-and-figure charts, idea-finder reports and tester reports.
bool showsSecuritiesOfItsDatabase(const wxWindow* frame)
{
    return dynamic_cast<const QxChildFrameForMenuTrick*>(frame) ||
           dynamic_cast<const QxIdeaFinderReportFrame*>(frame) ||
           dynamic_cast<const QxSimpleSystemTestReportView*>(frame);
}

// Finishes a change of database once the frames closed for it are deleted.
// Security ids belong to one database, and the calculation cache knows a
// security by its id: while a closed chart still holds its calculator, a
// security of the new database with the same id would be shown its prices.
class QxDatabaseSwitch {
public:
    QxDatabaseSwitch(QxObjectSmartPtr<QxDatabase> database, std::vector<const wxObject*> closing)
        : m_database(std::move(database)), m_closing(std::move(closing))
    {
    }

    void start()
    {
        if (wxTheApp && !m_closing.empty())
            wxTheApp->Bind(wxEVT_IDLE, &QxDatabaseSwitch::onIdle, this);
        else
            finish();
    }

    bool portfolios = false;
    wxPoint portfoliosAt;
    bool alerts = false;
    wxPoint alertsAt;

private:
    void onIdle(wxIdleEvent& event)
    {
        // The application's idle comes before the deletion of the round.
        for (const wxObject* closing : m_closing)
            if (wxPendingDelete.Member(closing)) {
                event.RequestMore();
                return;
            }
        wxTheApp->Unbind(wxEVT_IDLE, &QxDatabaseSwitch::onIdle, this);
        finish();
    }

    void finish()
    {
        if (QxApplication* app = QxApplication::getApp())
            app->changeDatabase(m_database);
        // Built again over the new database when next needed.
        QxSymbolSelectionDlg::destroy();
        // Ids of the other database: the next idea finder would add other securities.
        lastFindingSecurityIds().clear();
        if (QxAlertMgr* mgr = QxAlertMgr::existing())
            mgr->databaseChanged(m_database.get());
        if (portfolios)
            (new QxPortfolioManagerFrame())->Move(portfoliosAt);
        if (alerts)
            QxAlertMgrFrame::showFrame()->Move(alertsAt);
        delete this;
    }

    QxObjectSmartPtr<QxDatabase> m_database;
    std::vector<const wxObject*> m_closing;
};

} // namespace

bool QxCommonFrame::replaceDatabase(QxObjectSmartPtr<QxDatabase> database)
{
    if (!database)
        return false;
    // What shows a security of the old database closes first, each frame
    // asking where a change would be lost; a frame the user keeps keeps the
    // old database too.
    const wxWindowList windows = wxTopLevelWindows;
    std::vector<QxCommonFrame*> closing;
    for (wxWindow* window : windows) {
        auto* frame = dynamic_cast<QxCommonFrame*>(window);
        if (!frame || wxPendingDelete.Member(frame) || !showsSecuritiesOfItsDatabase(frame))
            continue;
        if (!frame->mayEndProgram())
            return false;
        closing.push_back(frame);
    }
    // A scan works on ids of the old database.
    QxIdeaFindingThread::stopAllAndWait();
    std::vector<const wxObject*> gone(closing.begin(), closing.end());
    for (QxCommonFrame* frame : closing)
        frame->Destroy();

    // The manager frames are built again from their stored keys.
    QxPortfolioManagerFrame* portfolios = QxPortfolioManagerFrame::instance();
    if (portfolios && wxPendingDelete.Member(portfolios))
        portfolios = nullptr;
    QxAlertMgrFrame* alerts = QxAlertMgrFrame::instance();
    if (alerts && wxPendingDelete.Member(alerts))
        alerts = nullptr;
    if (portfolios)
        gone.push_back(portfolios);
    if (alerts)
        gone.push_back(alerts);
    auto* change = new QxDatabaseSwitch(database, gone);
    if (portfolios) {
        change->portfolios = true;
        change->portfoliosAt = portfolios->GetPosition();
        portfolios->Destroy();
    }
    if (alerts) {
        change->alerts = true;
        change->alertsAt = alerts->GetPosition();
        alerts->Destroy();
    }
    change->start();
    return true;
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
