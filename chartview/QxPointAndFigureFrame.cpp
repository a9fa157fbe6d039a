#include "chartview/QxPointAndFigureFrame.h"

#include "app/QxGlobalVars.h"
#include "chartframe/QxAnnotToolBar.h"
#include "chartframe/QxAnnotationMenu.h"
#include "chartframe/QxGraphicPropsToolbar.h"
#include "chartframe/QxZoomHorzToolbar.h"
#include "chartview/QxPointAndFigureView.h"
#include "ui/QxDockedToolbars.h"

#include <wx/artprov.h>
#include <wx/intl.h>

namespace {

const QxMenuItemRecord kZoomItems[] = {
    {QxID_PNF_ZOOM_IN, "Zoom &In\tCtrl++", "Zooms in", 0, "QxART_zoom_in_width"},
    {QxID_PNF_ZOOM_OUT, "Zoom &Out\tCtrl+-", "Zooms out", 0, "QxART_zoom_out_width"},
    {wxID_SEPARATOR, "", "", -1, ""},
    {QxID_PNF_ZOOM_NORMAL, "&Normal\tCtrl+0", "Reset zoom level to 100%", 0, ""},
    {QxID_PNF_ZOOM_MAX_OUT, "Maximum Zoom Out\tCtrl+Shift+-", "Sets zoom level to maximum", 0, ""},
    {QxID_PNF_ZOOM_MAX_IN, "Maximum Zoom In\tCtrl+Shift++", "Sets zoom level to minimum", 0, ""},
    {0, "", "", 0, ""},
};

} // namespace

QxPointAndFigureFrame::QxPointAndFigureFrame()
    : FBPointAndFigureFrame(), m_placement(QxGlobalVars::get().pnfFrameSize, &QxGlobalVars::get().isPnfFrameMaximized)
{
    SetIcons(wxArtProvider::GetIconBundle("QxArt_pnf_frame", "wxART_OTHER_C"));
    addMenus();

    readMenuShortcuts();

    m_placement.attach(this);

    connectEvents(true);
    createToolbarPanes();
    turnSideToolbarsUpright(*m_mgr);
    m_mgr->Update();
    Layout();
}

QxPointAndFigureFrame::~QxPointAndFigureFrame()
{
    if (m_view)
        Unbind(wxEVT_SET_FOCUS, &QxPointAndFigureFrame::onSetFocus, this);
    connectEvents(false);
    removeAddedMenus(GetMenuBar());
}

void QxPointAndFigureFrame::addMenus()
{
    m_zoomMenu = new wxMenu();
    appendMenuItems(m_zoomMenu, kZoomItems);
    m_pnfMenu->AppendSubMenu(m_zoomMenu, _("&Zoom"));

    wxMenuBar* bar = GetMenuBar();
    size_t position = 1;
    for (size_t i = 0; i < m_addedMenus.size(); ++i)
        bar->Insert(position++, m_addedMenus[i], m_addedMenuTitles[i]);
    m_annotationMenu = createAnnotationMenu(false);
    bar->Insert(2, m_annotationMenu, _("&Annotations"));
    bar->Refresh();
}

void QxPointAndFigureFrame::createToolbarPanes()
{
    wxAuiPaneInfo general;
    general.ToolbarPane().Top();
    addChartToolbarPane(general, false);

    m_zoomToolbar = new QxZoomHorzToolbar(this);
    m_zoomToolbar->Realize();
    m_mgr->AddPane(m_zoomToolbar, wxAuiPaneInfo().Name("Zoom_Width").Caption(_("Zoom Width")).ToolbarPane().Top());

    m_graphicsToolbar = new QxGraphicPropsToolbar(this);
    m_graphicsToolbar->Realize();
    m_mgr->AddPane(m_graphicsToolbar,
                   wxAuiPaneInfo().Name("Chart Graphics").Caption(_("Chart Graphics")).ToolbarPane().Top());

    m_annotToolbar = new QxAnnotToolBar(this);
    m_annotToolbar->Realize();
    m_mgr->AddPane(m_annotToolbar,
                   wxAuiPaneInfo().Name("Annots").Caption(_("Annotation Tools")).ToolbarPane().Right());

    wxAuiPaneInfo tools;
    tools.ToolbarPane().Top();
    addProToolsPane(tools);
}

void QxPointAndFigureFrame::connectEvents(bool connect)
{
    auto wire = [this, connect](auto type, auto method, int first, int last) {
        if (connect)
            Bind(type, method, this, first, last);
        else
            Unbind(type, method, this, first, last);
    };
    wire(wxEVT_MENU, &QxPointAndFigureFrame::onZoomIn, QxID_PNF_ZOOM_IN, QxID_PNF_ZOOM_IN);
    wire(wxEVT_MENU, &QxPointAndFigureFrame::onZoomOut, QxID_PNF_ZOOM_OUT, QxID_PNF_ZOOM_OUT);
    wire(wxEVT_UPDATE_UI, &QxPointAndFigureFrame::onUpdateZoomIn, QxID_PNF_ZOOM_IN, QxID_PNF_ZOOM_IN);
    wire(wxEVT_UPDATE_UI, &QxPointAndFigureFrame::onUpdateZoomOut, QxID_PNF_ZOOM_OUT, QxID_PNF_ZOOM_OUT);
    wire(wxEVT_MENU, &QxPointAndFigureFrame::onZoomPreset, QxID_PNF_ZOOM_NORMAL, QxID_PNF_ZOOM_MAX_IN);
    wire(wxEVT_MENU, &QxPointAndFigureFrame::onAnnotTool, QxBaseChartView::kFirstAnnotTool,
         QxBaseChartView::kLastAnnotTool);
    wire(wxEVT_UPDATE_UI, &QxPointAndFigureFrame::onUpdateAnnotTool, QxBaseChartView::kFirstAnnotTool,
         QxBaseChartView::kLastAnnotTool);
}

void QxPointAndFigureFrame::setView(QxPointAndFigureView* view)
{
    if (m_view || !view)
        return;
    m_view = view;
    m_graphicsToolbar->setChartView(view);
    setKeyWindow(view);
    m_mgr->AddPane(view, wxAuiPaneInfo().Name("Point and Figure View").CenterPane().PaneBorder(false));
    m_mgr->Update();
    Bind(wxEVT_SET_FOCUS, &QxPointAndFigureFrame::onSetFocus, this);
}

wxPen QxPointAndFigureFrame::getDefaultPen() const { return m_graphicsToolbar->getPen(); }

void QxPointAndFigureFrame::OnSize(wxSizeEvent& event)
{
    m_placement.sized(event.GetSize());
    // Passed on: the toolkit lays the frame's children out from it.
    event.Skip();
}

void QxPointAndFigureFrame::onModifyParams(wxCommandEvent&)
{
    if (m_view && m_view->getPointAndFigure().configure())
        m_view->refreshChart();
}

void QxPointAndFigureFrame::setBoxPixels(int pixels)
{
    if (!m_view)
        return;
    m_view->getPointAndFigure().setBoxPixels(pixels);
    m_view->refreshChart();
}

void QxPointAndFigureFrame::onZoomIn(wxCommandEvent&)
{
    // A key press reaches here whatever the menu item's state says.
    const int next = m_view ? m_view->getPointAndFigure().boxPixels() + kZoomStep : 0;
    if (m_view && m_view->canShowBoxPixels(next))
        setBoxPixels(next);
}

void QxPointAndFigureFrame::onZoomOut(wxCommandEvent&)
{
    // A key press reaches here whatever the menu item's state says.
    if (m_view)
        setBoxPixels(std::max(kMinBoxPixels, m_view->getPointAndFigure().boxPixels() - kZoomStep));
}

void QxPointAndFigureFrame::onUpdateZoomIn(wxUpdateUIEvent& event)
{
    event.Enable(m_view && m_view->canShowBoxPixels(m_view->getPointAndFigure().boxPixels() + kZoomStep));
}

void QxPointAndFigureFrame::onUpdateZoomOut(wxUpdateUIEvent& event)
{
    event.Enable(m_view && m_view->getPointAndFigure().boxPixels() > kMinBoxPixels);
}

void QxPointAndFigureFrame::onZoomPreset(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case QxID_PNF_ZOOM_NORMAL: setBoxPixels(QxPointAndFigure::kDefaultBoxPixels); break;
    case QxID_PNF_ZOOM_MAX_OUT: setBoxPixels(kMinBoxPixels); break;
    case QxID_PNF_ZOOM_MAX_IN: setBoxPixels(kMaxZoomInBoxPixels); break;
    default: break;
    }
}

void QxPointAndFigureFrame::onAnnotTool(wxCommandEvent& event)
{
    if (m_view)
        m_view->setAnnotTool(event.GetId());
}

void QxPointAndFigureFrame::onUpdateAnnotTool(wxUpdateUIEvent& event)
{
    event.Check(m_view && m_view->getAnnotTool() == event.GetId());
}

void QxPointAndFigureFrame::onSetFocus(wxFocusEvent& event)
{
    // Keys go to the chart, not to the frame.
    if (m_view)
        m_view->SetFocus();
    event.Skip();
}
