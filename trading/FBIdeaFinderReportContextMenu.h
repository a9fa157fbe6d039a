#pragma once
// Layout of the idea-finder report's context menu: Open chart, Export as
// HTML and Remove, each with its command and menu-state handler.
#include "app/QxContextMenuTrickBase.h"

class FBIdeaFinderReportContextMenu : public QxCtxMenuTrickListCtrl {
public:
    FBIdeaFinderReportContextMenu();
    ~FBIdeaFinderReportContextMenu() override;

    wxMenu* contextMenu() const { return m_menu; }
    int openChartId() const { return m_itemOpenChart->GetId(); }
    int exportHtmlId() const { return m_itemExportHtml->GetId(); }
    int removeId() const { return m_itemRemove->GetId(); }

protected:
    virtual void onOpenChart(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateOpenChart(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onExportHtml(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateExportHtml(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void onRemove(wxCommandEvent& event) { event.Skip(); }
    virtual void onUpdateRemove(wxUpdateUIEvent& event) { event.Skip(); }

    wxMenu* m_menu;
    wxMenuItem* m_itemOpenChart;
    wxMenuItem* m_itemExportHtml;
    wxMenuItem* m_itemRemove;

private:
    void connectEvents(bool connect);
};
