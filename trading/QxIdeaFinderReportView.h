#pragma once
// The idea-finder report: a list of the bars at which the scanned
// securities gave the signals looked for, filled by the worker while it
// runs, with a context menu to open charts, remove rows and export the list
// as an HTML page. The rows are kept here as records and the list is
// virtual: it asks for the texts of the rows it shows, so a report of
// hundreds of thousands of rows costs what its records do and paints what
// is on the screen.
#include "trading/FBIdeaFinderReportContextMenu.h"

#include "core/QxObject.h"
#include "core/QxTime.h"
#include "trading/QxIdeaReportHtml.h"
#include "trading/QxIdeaScan.h"

#include <wx/timer.h>

#include <memory>
#include <string>
#include <vector>

class QxDatabase;
class QxIdeaFinderReportFrame;
class QxIdeaScanState;
class QxPriceHistory;
class QxTradingSystem;

class QxIdeaFinderReportView : public FBIdeaFinderReportContextMenu {
public:
    // Without a window; create() makes it.
    QxIdeaFinderReportView();
    ~QxIdeaFinderReportView() override;

    void setFrame(QxIdeaFinderReportFrame* frame) { m_frame = frame; }
    QxIdeaFinderReportFrame* frame() const { return m_frame; }
    // The list window as a child of the frame: 0, or eFailedToCreateWindow.
    int create();

    // Sets up the columns and the progress row, keeps the scan's fields and
    // starts the worker over a private copy of system. False when the worker
    // could not be started; the report then stays empty and idle.
    bool startScan(QxTradingSystem* system, unsigned lookFor, int64_t from, int64_t till, Qx::QxPeriod periodicity,
                   std::vector<unsigned> securityIds);
    bool isRunning() const { return m_running; }
    // Stops a running scan: the worker ends at its next look, and nothing
    // more reaches this view. The report is being closed.
    void stopScan();
    int64_t from() const { return m_from; }
    int64_t till() const { return m_till; }
    Qx::QxPeriod periodicity() const { return m_periodicity; }
    QxTradingSystem* system() const { return m_system.get(); }

    // The worker's calls, run on the GUI thread. The first prepareSecurity
    // of a security (first set) shows the progress (index counts from 0) and
    // asks the security's provider for its new bars in the background; each
    // hands out the stored history, or that the bars are still coming, or,
    // when the worker may read (it has its own handle on the database) and
    // what it would read is what this thread would, that it reads them.
    QxIdeaPrepared prepareSecurity(size_t index, size_t count, unsigned securityId, Qx::QxPeriod period,
                                   bool first, bool workerMayRead = false);
    // The first preparation of securityIds in order, as prepareSecurity with
    // first set, the first of them at index: one answer each, up to and
    // including the first whose provider was asked for bars or whose history
    // was read here, and no more than a few milliseconds take. So downloads
    // still go one at a time, each after the rows before it.
    std::vector<QxIdeaPrepared> prepareSecurities(size_t index, size_t count, const std::vector<unsigned>& securityIds,
                                                  Qx::QxPeriod period, bool workerMayRead);
    // Rows of one or more securities, in scan order (the rows of a security
    // together, in bar order). Each is announced as an inserted item, as a
    // list that holds its items would.
    void addResultRows(const std::vector<QxIdeaResultRow>& rows);
    void scanFinished();
    // How many securities of the scan the worker was told to read itself.
    size_t securitiesReadByWorker() const { return m_readByWorker; }

    // The security of a row (a virtual list keeps no item data); 0 for the
    // progress row.
    wxUIntPtr GetItemData(long item) const;
    // The text of a cell, as the list shows it.
    wxString cellText(long item, long column) const;

    // The rows as the HTML page shows them, top to bottom.
    std::vector<QxIdeaReportRow> reportRows() const;
    // Writes the page, titled as the frame is, to path; false when it could
    // not be written (nothing is left at path then).
    bool writeHtml(const wxString& path) const;

    // The row colour of a result kind (QxIdeaKind).
    static const wxColour& kindColour(int kind);

    // The indices of the selected rows, ascending.
    std::vector<long> selectedRows() const;

    // Opens the charts of the selected rows, asking first above five.
    void openSelectedCharts();
    void removeSelectedRows();
    // Asks for a file, writes the page and opens it in the browser.
    void exportHtml();

protected:
    void onOpenChart(wxCommandEvent& event) override;
    void onUpdateOpenChart(wxUpdateUIEvent& event) override;
    void onExportHtml(wxCommandEvent& event) override;
    void onUpdateExportHtml(wxUpdateUIEvent& event) override;
    void onRemove(wxCommandEvent& event) override;
    void onUpdateRemove(wxUpdateUIEvent& event) override;

    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    int OnGetItemColumnImage(long item, long column) const override;
    wxItemAttr* OnGetItemAttr(long item) const override;

private:
    // One scanned security with rows: its ticker as it was when its rows
    // came, and the last price of its history.
    struct Security {
        unsigned id = 0;
        wxString ticker;
        double lastClose = 0.0;
    };
    struct Row {
        uint32_t security; // index into m_securities
        uint16_t mask;
        uint16_t kind; // QxIdeaKind of the mask
        int64_t time;
        double close;
    };
    // prepareSecurity; hasProvider tells whether the security has a
    // provider (asked for its bars when first is set).
    QxIdeaPrepared prepare(size_t index, size_t count, unsigned securityId, Qx::QxPeriod period, bool first,
                           bool workerMayRead, bool& hasProvider);
    bool isProgressRow(long item) const { return m_progressRow && item == static_cast<long>(m_rows.size()); }
    // The text and kind of a signal mask, made once per mask.
    const wxString& signalText(unsigned mask) const;
    // Shows the progress and follows the end of the list; a few times a
    // second while a scan runs, not for every row.
    void onRefreshTimer(wxTimerEvent& event);
    // Whether the last row of the previous refresh is on the screen (or
    // there was none): the user has not scrolled away from the end.
    bool followsScan() const;
    void showRowCount();

    void onDestroy(wxWindowDestroyEvent& event);
    void onContextMenu(wxContextMenuEvent& event);
    void onDoubleClick(wxMouseEvent& event);

    QxIdeaFinderReportFrame* m_frame = nullptr;
    std::vector<Security> m_securities;
    std::vector<Row> m_rows;
    // "Still Processing..." below the rows while the scan runs, with the
    // number of the security being prepared.
    bool m_progressRow = false;
    size_t m_progressIndex = 0;
    size_t m_progressCount = 0;
    size_t m_progressShown = 0;
    // The last row at the previous refresh: while it is on the screen the
    // list follows the scan.
    long m_followFrom = -1;
    wxTimer m_refreshTimer;
    mutable wxItemAttr m_kindAttrs[3];
    mutable wxItemAttr m_progressAttr;
    mutable wxString m_signalTexts[16];
    mutable int m_signalKinds[16] = {};
    mutable bool m_signalTextMade[16] = {};
    std::shared_ptr<QxIdeaScanState> m_scan;
    // The database the worker's own handle was opened on (compared, never
    // used), so that after a change of database the GUI thread reads.
    const QxDatabase* m_readerOrigin = nullptr;
    std::string m_readerOriginPath;
    size_t m_readByWorker = 0;
    bool m_running = false;
    int64_t m_from = 0;
    int64_t m_till = 0;
    QxObjectSmartPtr<QxTradingSystem> m_system;
    Qx::QxPeriod m_periodicity = Qx::eDaily;
};

// Runs the idea finder: the dialog, then a report frame with a scan of the
// chosen securities. 0 when a scan started; eCancelledByUser when the
// dialog was cancelled, in which case view has no window and the caller
// deletes it.
int findStockIdeas(QxIdeaFinderReportView* view);
