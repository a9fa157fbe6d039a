#include "trading/FBIdeaFinderReportContextMenu.h"

#include <wx/intl.h>

FBIdeaFinderReportContextMenu::FBIdeaFinderReportContextMenu() : QxCtxMenuTrickListCtrl(wxLC_REPORT)
{
    m_menu = new wxMenu();
    m_itemOpenChart = m_menu->Append(wxID_ANY, _("&Open chart..."));
    m_menu->AppendSeparator();
    m_itemExportHtml = m_menu->Append(wxID_ANY, _("E&xport as HTML"));
    m_itemRemove = m_menu->Append(wxID_ANY, _("&Remove"));
    Append(m_menu, _("Context"));
    connectEvents(true);
}

FBIdeaFinderReportContextMenu::~FBIdeaFinderReportContextMenu()
{
    connectEvents(false);
    delete m_menu;
}

void FBIdeaFinderReportContextMenu::connectEvents(bool connect)
{
    auto wire = [this, connect](auto type, auto method, int id) {
        if (connect)
            Bind(type, method, this, id);
        else
            Unbind(type, method, this, id);
    };
    wire(wxEVT_MENU, &FBIdeaFinderReportContextMenu::onOpenChart, openChartId());
    wire(wxEVT_UPDATE_UI, &FBIdeaFinderReportContextMenu::onUpdateOpenChart, openChartId());
    wire(wxEVT_MENU, &FBIdeaFinderReportContextMenu::onExportHtml, exportHtmlId());
    wire(wxEVT_UPDATE_UI, &FBIdeaFinderReportContextMenu::onUpdateExportHtml, exportHtmlId());
    wire(wxEVT_MENU, &FBIdeaFinderReportContextMenu::onRemove, removeId());
    wire(wxEVT_UPDATE_UI, &FBIdeaFinderReportContextMenu::onUpdateRemove, removeId());
}
