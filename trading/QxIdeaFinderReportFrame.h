#pragma once
// The top-level frame of one idea-finder report: the report list fills it,
// under the general chart toolbar and the tools toolbar. Its size and
// maximised state are remembered in the global settings.
#include "app/QxCommonFrame.h"
#include "core/platform/QxFramePlacement.h"

class QxIdeaFinderReportView;

class QxIdeaFinderReportFrame : public QxCommonFrame {
public:
    // Not shown yet; the caller sets the title and the view.
    QxIdeaFinderReportFrame();

    // Docks view as the centre pane.
    void setView(QxIdeaFinderReportView* view);
    QxIdeaFinderReportView* view() const { return m_view; }

protected:
    void OnSize(wxSizeEvent& event) override;
    // The scan stops when the report closes, before the window is gone.
    void OnClose(wxCloseEvent& event) override;

private:
    QxIdeaFinderReportView* m_view = nullptr;
    QxFramePlacement m_placement;
};
