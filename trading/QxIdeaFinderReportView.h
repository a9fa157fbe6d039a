#pragma once
// The idea-finder report: a list of the bars at which the scanned
// securities gave the signals looked for, filled by the worker while it
// runs, with a context menu to open charts, remove rows and export the list
// as an HTML page.
#include "trading/FBIdeaFinderReportContextMenu.h"

#include "core/QxObject.h"
#include "core/QxTime.h"
#include "trading/QxIdeaReportHtml.h"
#include "trading/QxIdeaScan.h"

#include <memory>
#include <vector>

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
    // hands out the stored history, or that the bars are still coming.
    QxIdeaPrepared prepareSecurity(size_t index, size_t count, unsigned securityId, Qx::QxPeriod period,
                                   bool first);
    void addResultRow(const QxIdeaResultRow& row);
    void scanFinished();

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

private:
    void onDestroy(wxWindowDestroyEvent& event);
    void onContextMenu(wxContextMenuEvent& event);
    void onDoubleClick(wxMouseEvent& event);

    QxIdeaFinderReportFrame* m_frame = nullptr;
    std::shared_ptr<QxIdeaScanState> m_scan;
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
