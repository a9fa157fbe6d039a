#include "trading/QxIdeaFinderReportView.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "chart/QxPriceObj.h"
#include "chart/QxTemplate.h"
#include "chartview/QxChartView.h"
#include "core/QxCalcCache.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxXmlFile.h"
#include "core/platform/QxBrowser.h"
#include "core/platform/QxFileDialogExt.h"
#include "trading/QxIdeaFinderReportFrame.h"
#include "trading/QxIdeaFindingThread.h"
#include "trading/QxStockIdeaFinderDlg.h"
#include "trading/QxTradingSystem.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/filedlg.h>
#include <wx/imaglist.h>
#include <wx/intl.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

QxDatabase* currentDatabase()
{
    QxApplication* app = QxApplication::getApp();
    return app ? app->currentDatabase() : nullptr;
}

const char* const kKindArt[] = {"QxART_stock_find_long_result", "QxART_stock_find_short_result",
                                "QxART_stock_find_mixed_result"};

// How often a running scan's progress and the end of the list are shown.
constexpr int kRefreshMs = 250;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// How long one call of the worker may prepare securities on this thread
// before it hands over what it has.
constexpr std::chrono::milliseconds kPrepareBudget(4);

} // namespace

QxIdeaFinderReportView::QxIdeaFinderReportView()
{
    for (int k = 0; k < 3; ++k)
        m_kindAttrs[k].SetBackgroundColour(kindColour(k));
    m_progressAttr.SetTextColour(*wxBLUE);
    m_progressAttr.SetFont(*wxITALIC_FONT);
    m_refreshTimer.Bind(wxEVT_TIMER, &QxIdeaFinderReportView::onRefreshTimer, this);
}

QxIdeaFinderReportView::~QxIdeaFinderReportView()
{
    m_refreshTimer.Stop();
    if (m_scan)
        m_scan->cancel();
}

const wxColour& QxIdeaFinderReportView::kindColour(int kind)
{
    static const wxColour colours[] = {wxColour(127, 255, 127), wxColour(255, 127, 127), wxColour(223, 223, 223)};
    return colours[kind >= 0 && kind <= 2 ? kind : 0];
}

int QxIdeaFinderReportView::create()
{
    if (!Create(m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                wxLC_REPORT | wxLC_VIRTUAL | wxLC_NO_SORT_HEADER))
        return eFailedToCreateWindow;
    auto* icons = new wxImageList(16, 16, true);
    for (const char* art : kKindArt)
        icons->Add(wxArtProvider::GetIcon(art, "wxART_OTHER_C", wxSize(16, 16)));
    AssignImageList(icons, wxIMAGE_LIST_SMALL);
    Bind(wxEVT_DESTROY, &QxIdeaFinderReportView::onDestroy, this);
    Bind(wxEVT_CONTEXT_MENU, &QxIdeaFinderReportView::onContextMenu, this);
    // The generic list gets its mouse clicks on an inner window; a double
    // click reaches the list as an activated item.
    Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { openSelectedCharts(); });
    return eNoError;
}

bool QxIdeaFinderReportView::startScan(QxTradingSystem* system, unsigned lookFor, int64_t from, int64_t till,
                                       Qx::QxPeriod periodicity, std::vector<unsigned> securityIds)
{
    const int width = std::max(GetClientSize().GetWidth() / 5, 200);
    const char* const headers[] = {wxTRANSLATE("Symbol"), wxTRANSLATE("Signal Date"),
                                   wxTRANSLATE("Signal Date Closing Price"), wxTRANSLATE("Last Closing Price"),
                                   wxTRANSLATE("Signal")};
    for (int c = 0; c < 5; ++c)
        InsertColumn(c, wxGetTranslation(headers[c]), wxLIST_FORMAT_LEFT, width);
    m_progressRow = true;
    m_progressIndex = m_progressCount = m_progressShown = 0;
    showRowCount();

    m_from = from;
    m_till = till;
    m_periodicity = periodicity;
    m_system = system;

    QxIdeaScanJob job;
    job.state = std::make_shared<QxIdeaScanState>(this);
    QxObjectSmartPtr<QxTradingSystem> copy = privateSystemCopy(*system);
    copy->addRef(); // the worker's reference, released when it ends
    job.system = copy.get();
    job.lookFor = lookFor;
    job.from = from;
    job.till = till;
    job.periodicity = periodicity;
    job.securityIds = std::move(securityIds);
    if (QxDatabase* db = currentDatabase()) {
        job.reader = db->openReader();
        if (job.reader) {
            m_readerOrigin = db;
            m_readerOriginPath = db->path();
        }
    }
    std::shared_ptr<QxIdeaScanState> state = job.state;
    auto* thread = new QxIdeaFindingThread(std::move(job));
    if (!thread->start()) {
        delete thread;
        m_progressRow = false;
        showRowCount();
        return false;
    }
    m_scan = state;
    m_running = true;
    m_followFrom = GetItemCount() - 1;
    m_refreshTimer.Start(kRefreshMs);
    return true;
}

QxIdeaPrepared QxIdeaFinderReportView::prepareSecurity(size_t index, size_t count, unsigned securityId,
                                                       Qx::QxPeriod period, bool first, bool workerMayRead)
{
    bool hasProvider = false;
    return prepare(index, count, securityId, period, first, workerMayRead, hasProvider);
}

QxIdeaPrepared QxIdeaFinderReportView::prepare(size_t index, size_t count, unsigned securityId, Qx::QxPeriod period,
                                               bool first, bool workerMayRead, bool& hasProvider)
{
    hasProvider = false;
    // The progress row's text says it at once; the screen shows it at the
    // next refresh.
    if (first && m_running && m_progressRow) {
        m_progressIndex = index + 1;
        m_progressCount = count;
    }
    QxIdeaPrepared prepared;
    QxDatabase* db = currentDatabase();
    QxObjectSmartPtr<QxSecurity> security(db ? db->getSecurity(securityId) : nullptr);
    if (!security)
        return prepared;
    // The download runs in the provider's threads; the worker waits for it.
    // Without a provider there is nothing to wait for: the stored bars count.
    if (first)
        (void)security->updateFromProvider(true);
    if (QxDataProvider* provider = QxDataProviderRepository::instance()->providerOf(security.get())) {
        hasProvider = true;
        prepared.pending = provider->isUpdating(security.get());
    }
    if (prepared.pending)
        return prepared;
    // The worker's handle reads what is committed in the file the scan
    // started on; a security whose data a chart or another calculation
    // holds is read here, through that data, as before.
    if (workerMayRead && db == m_readerOrigin && m_readerOriginPath == db->path() && !db->inTransaction() &&
        !QxCalcCache::find(QxCalcCache::keyOf(security.get()))) {
        prepared.readByWorker = true;
        ++m_readByWorker;
        return prepared;
    }
    prepared.history = ideaScanHistory(db, securityId, period);
    return prepared;
}

std::vector<QxIdeaPrepared> QxIdeaFinderReportView::prepareSecurities(size_t index, size_t count,
                                                                      const std::vector<unsigned>& securityIds,
                                                                      Qx::QxPeriod period, bool workerMayRead)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::vector<QxIdeaPrepared> batch;
    batch.reserve(securityIds.size());
    for (size_t k = 0; k < securityIds.size(); ++k) {
        bool hasProvider = false;
        batch.push_back(prepare(index + k, count, securityIds[k], period, true, workerMayRead, hasProvider));
        // Downloads go one at a time, each after the rows of the securities
        // before it; bars read here are held until the worker has them.
        if (hasProvider || batch.back().history || Clock::now() - start >= kPrepareBudget)
            break;
    }
    return batch;
}

void QxIdeaFinderReportView::addResultRows(const std::vector<QxIdeaResultRow>& rows)
{
    QxDatabase* db = currentDatabase();
    // m_rows grows by its own doubling: a reserve of just what comes would
    // copy the whole report again for every call.
    for (size_t from = 0; from < rows.size();) {
        // The ticker is looked up once for the rows of each scanned history
        // (a security listed twice is scanned twice).
        const unsigned id = rows[from].securityId;
        const double lastClose = rows[from].lastClose;
        QxObjectSmartPtr<QxSecurity> security(db ? db->getSecurity(id) : nullptr);
        Security scanned;
        scanned.id = id;
        scanned.ticker = security ? wxString::FromUTF8(security->ticker()) : wxString();
        scanned.lastClose = lastClose;
        m_securities.push_back(std::move(scanned));
        const auto index = static_cast<uint32_t>(m_securities.size() - 1);
        for (; from < rows.size() && rows[from].securityId == id && sameBits(rows[from].lastClose, lastClose); ++from) {
            const QxIdeaResultRow& row = rows[from];
            // The rows go above the progress row, which stays last.
            const long r = static_cast<long>(m_rows.size());
            const unsigned mask = row.mask & 15;
            signalText(mask);
            const int kind = m_signalKinds[mask];
            m_rows.push_back({index, static_cast<uint16_t>(mask), static_cast<uint16_t>(kind), row.time, row.close});
            showRowCount();
            wxListEvent inserted(wxEVT_LIST_INSERT_ITEM, GetId());
            inserted.SetEventObject(this);
            inserted.m_itemIndex = r;
            inserted.m_item.m_itemId = r;
            GetEventHandler()->ProcessEvent(inserted);
            // Whoever heard of the row may have closed the report.
            if (!m_scan || m_scan->cancelled())
                return;
        }
    }
}

void QxIdeaFinderReportView::showRowCount()
{
    SetItemCount(static_cast<long>(m_rows.size()) + (m_progressRow ? 1 : 0));
}

void QxIdeaFinderReportView::onRefreshTimer(wxTimerEvent&)
{
    if (!m_progressRow)
        return;
    if (m_progressShown != m_progressIndex) {
        m_progressShown = m_progressIndex;
        RefreshItem(GetItemCount() - 1);
    }
    // Follow the scan while the user has not scrolled away from its end.
    const long last = GetItemCount() - 1;
    if (last > m_followFrom) {
        if (followsScan())
            EnsureVisible(last);
        m_followFrom = last;
    }
}

bool QxIdeaFinderReportView::followsScan() const
{
    const long top = GetTopItem();
    return m_followFrom < 0 || (m_followFrom >= top && m_followFrom < top + std::max(GetCountPerPage(), 1));
}

const wxString& QxIdeaFinderReportView::signalText(unsigned mask) const
{
    mask &= 15;
    if (!m_signalTextMade[mask]) {
        m_signalKinds[mask] = describeSignalMask(mask, m_signalTexts[mask]);
        m_signalTextMade[mask] = true;
    }
    return m_signalTexts[mask];
}

wxString QxIdeaFinderReportView::cellText(long item, long column) const
{
    if (isProgressRow(item)) {
        if (column == 0)
            return _("Still Processing...");
        if (column == 1 && m_progressIndex > 0)
            return wxString::Format("%d/%d", int(m_progressIndex), int(m_progressCount));
        return wxString();
    }
    if (item < 0 || item >= static_cast<long>(m_rows.size()))
        return wxString();
    const Row& row = m_rows[static_cast<size_t>(item)];
    switch (column) {
    case 0:
        return m_securities[row.security].ticker;
    case 1:
        return formatTimestamp(row.time, "%x");
    case 2:
        return wxString::Format("%lf", row.close);
    case 3:
        return wxString::Format("%lf", m_securities[row.security].lastClose);
    case 4:
        return signalText(row.mask);
    default:
        return wxString();
    }
}

wxString QxIdeaFinderReportView::OnGetItemText(long item, long column) const { return cellText(item, column); }

int QxIdeaFinderReportView::OnGetItemImage(long item) const { return OnGetItemColumnImage(item, 0); }

int QxIdeaFinderReportView::OnGetItemColumnImage(long item, long column) const
{
    if (column != 0 || item < 0 || item >= static_cast<long>(m_rows.size()))
        return -1;
    return m_rows[static_cast<size_t>(item)].kind;
}

wxItemAttr* QxIdeaFinderReportView::OnGetItemAttr(long item) const
{
    if (isProgressRow(item))
        return &m_progressAttr;
    if (item < 0 || item >= static_cast<long>(m_rows.size()))
        return nullptr;
    return &m_kindAttrs[m_rows[static_cast<size_t>(item)].kind];
}

wxUIntPtr QxIdeaFinderReportView::GetItemData(long item) const
{
    if (item < 0 || item >= static_cast<long>(m_rows.size()))
        return 0;
    return m_securities[m_rows[static_cast<size_t>(item)].security].id;
}

void QxIdeaFinderReportView::scanFinished()
{
    m_running = false;
    m_refreshTimer.Stop();
    // The rows that came after the last refresh are followed as well: a
    // list that followed the scan ends at its last row.
    const bool follow = followsScan();
    m_progressRow = false;
    showRowCount();
    if (follow && !m_rows.empty())
        EnsureVisible(static_cast<long>(m_rows.size()) - 1);
    std::vector<unsigned>& ids = lastFindingSecurityIds();
    ids.clear();
    ids.reserve(m_rows.size());
    for (const Row& row : m_rows)
        ids.push_back(m_securities[row.security].id);
    qxShowInformation(_("Finished finding stock ideas."), this);
}

void QxIdeaFinderReportView::stopScan()
{
    m_refreshTimer.Stop();
    if (m_scan)
        m_scan->cancel();
    m_scan.reset();
    m_running = false;
}

void QxIdeaFinderReportView::onDestroy(wxWindowDestroyEvent& event)
{
    if (event.GetEventObject() == this)
        stopScan();
    event.Skip();
}

void QxIdeaFinderReportView::onContextMenu(wxContextMenuEvent& event)
{
    wxPoint at = event.GetPosition();
    at = at == wxDefaultPosition ? wxPoint(0, 0) : ScreenToClient(at);
    PopupMenu(m_menu, at);
}

std::vector<long> QxIdeaFinderReportView::selectedRows() const
{
    std::vector<long> rows;
    for (long i = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(i);
    return rows;
}

std::vector<QxIdeaReportRow> QxIdeaFinderReportView::reportRows() const
{
    std::vector<QxIdeaReportRow> rows;
    const long count = GetItemCount();
    rows.reserve(static_cast<size_t>(std::max(count, 0L)));
    for (long i = 0; i < count; ++i) {
        QxIdeaReportRow row;
        if (const wxItemAttr* attr = OnGetItemAttr(i))
            row.background = attr->GetBackgroundColour();
        for (int c = 0; c < 5; ++c)
            row.cells.push_back(cellText(i, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

bool QxIdeaFinderReportView::writeHtml(const wxString& path) const
{
    const wxString title = m_frame ? m_frame->GetTitle() : wxString();
    return qxSaveBytesFile(
        ideaReportHtml(title, formatTimestamp(m_from, "%x"), formatTimestamp(m_till, "%x"), reportRows()), path);
}

void QxIdeaFinderReportView::openSelectedCharts()
{
    const std::vector<long> rows = selectedRows();
    if (rows.size() > 5 &&
        !qxAskYesNo(_("You have selected too many securities.\nAre you sure you want to create chart for all of them?"),
                    this))
        return;
    QxDatabase* db = currentDatabase();
    for (long row : rows) {
        const unsigned id = static_cast<unsigned>(GetItemData(row));
        QxObjectSmartPtr<QxSecurity> security(db && id != 0 ? db->getSecurity(id) : nullptr);
        if (security)
            QxChartView::createChartView(security.get(), Qx::eDaily, Qx::QxPriceObjType(3),
                                         QxGlobalVars::get().defaultTemplate.get());
    }
}

void QxIdeaFinderReportView::removeSelectedRows()
{
    const std::vector<long> rows = selectedRows();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it >= static_cast<long>(m_rows.size()))
            continue;
        // The list tells of the row while it still has it.
        DeleteItem(*it);
        m_rows.erase(m_rows.begin() + *it);
    }
}

void QxIdeaFinderReportView::exportHtml()
{
    wxFileDialog dialog(this, _("Export Idea Finder Report"), wxString(), "IdeaFinderReport",
                        _("HTML File (*.html)|*.html"), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    if (!writeHtml(path)) {
        qxShowError(_("An error occurred while opening file for write."), this);
        return;
    }
    qxOpenFileInBrowser(path);
}

void QxIdeaFinderReportView::onOpenChart(wxCommandEvent&) { openSelectedCharts(); }

// Selections are asked row by row: the list's own count keeps deleted rows.
void QxIdeaFinderReportView::onUpdateOpenChart(wxUpdateUIEvent& event) { event.Enable(!selectedRows().empty()); }

void QxIdeaFinderReportView::onExportHtml(wxCommandEvent&) { exportHtml(); }

void QxIdeaFinderReportView::onUpdateExportHtml(wxUpdateUIEvent& event)
{
    event.Enable(!m_running && GetItemCount() > 0);
}

void QxIdeaFinderReportView::onRemove(wxCommandEvent&)
{
    if (!m_running)
        removeSelectedRows();
}

void QxIdeaFinderReportView::onUpdateRemove(wxUpdateUIEvent& event)
{
    event.Enable(!m_running && !selectedRows().empty());
}

int findStockIdeas(QxIdeaFinderReportView* view)
{
    QxApplication* app = QxApplication::getApp();
    QxStockIdeaFinderDlg dialog(app ? app->appModalParent() : nullptr);
    if (dialog.ShowModal() != wxID_OK)
        return eCancelledByUser;

    auto* frame = new QxIdeaFinderReportFrame();
    view->setFrame(frame);
    frame->SetIcons(wxArtProvider::GetIconBundle("QxART_stock_idea", "wxART_OTHER_C"));
    frame->SetTitle((app ? app->getAppName() : QxApplication::appTitle()) + " [Stock ideas generated by '" +
                    dialog.system()->getName().string() + "']");
    if (view->create() != eNoError) {
        // Without its window the view is nobody's; the frame shows empty.
        delete view;
        frame->Show();
        return eNoError;
    }
    frame->setView(view);
    frame->Show();

    std::vector<unsigned> ids;
    dialog.getSecurityIds(ids);
    if (!view->startScan(dialog.system(), dialog.lookFor(), timestampFromDateTime(dialog.from()),
                         timestampFromDateTime(dialog.till()), dialog.periodicity(), std::move(ids))) {
        // An empty report would look like a scan that found nothing.
        qxShowError(_("Finding stock ideas could not be started: the system gave no thread for the search."), frame);
        frame->Destroy();
        return eUnknownError;
    }
    return eNoError;
}
