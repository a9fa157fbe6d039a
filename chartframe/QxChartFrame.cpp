#include "chartframe/QxChartFrame.h"

#include "app/QxApplication.h"
#include "app/QxGlobalVars.h"
#include "app/QxNotAvailable.h"
#include "chart/QxChartConfiguration.h"
#include "chartframe/QxAnnotToolBar.h"
#include "chartframe/QxAnnotationMenu.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxChartOperationsToolbar.h"
#include "chartframe/QxChartOptionsToolbar.h"
#include "chartframe/QxChartPeriodicityToolbar.h"
#include "chartframe/QxPatternRecognitionToolbar.h"
#include "chartframe/QxZoomHorzToolbar.h"
#include "chartview/QxChartView.h"
#include "core/QxErrorCode.h"
#include "core/platform/QxKeyAliases.h"
#include "core/platform/QxMenuArt.h"

#include <wx/config.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>

namespace {

unsigned g_openChartFrames = 0;
int g_snapTolerance = 4;

const char* const kCaption = "Corvane Trendoria 2014";

struct PeriodCommand {
    int id;
    unsigned period;
};

const PeriodCommand kPeriods[] = {
    {1005, 86400}, {1006, 432000}, {1007, 2629800}, {1008, 7889400}, {1009, 31557600},
};

} // namespace

wxString operationFailedText(int code, const wchar_t* text)
{
    const wxString what = text ? wxString(text) : _("Operation Failed.");
    return wxString::Format("%s\n%s%s", what, _("Error description: "), qxErrorDesc(code));
}

void showOperationFailed(int code, const wchar_t* text)
{
    wxMessageBox(operationFailedText(code, text), kCaption, wxOK | wxICON_ERROR);
}

QxChartFrame::QxChartFrame() : FBChartFrame()
{
    addChartMenus();

    auto* save = new wxMenuItem(m_menuTrendoria, QxID_SAVE_CHART, _("&Save Chart...") + "\tCtrl+S",
                                _("Save the chart being displayed."), wxITEM_NORMAL);
    qxSetMenuItemArt(save, "QxART_save");
    m_menuTrendoria->Insert(2, save);

    QxGlobalVars& globals = QxGlobalVars::get();
    m_chartMenu->Check(QxID_SHOW_TOOLTIP, globals.showTooltip);
    m_chartMenu->Check(QxID_SHOW_LEGENDS, globals.showLegends);

    connectOwnEvents(true);

    // "+" and "-" accelerators need the keys a keyboard actually sends.
    const std::vector<wxAcceleratorEntry> aliases = qxMenuKeyAliases(m_chartMenu);
    if (!aliases.empty())
        SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(aliases.size()), aliases.data()));

    // Both are read before sizing: the size event of SetSize records the
    // frame as not maximised.
    const wxSize size = globals.chartFrameSize;
    m_openedMaximized = globals.isChartFrameMaximized;
    SetSize(size);
    if (m_openedMaximized)
        Maximize(true);

    createToolbarPanes();
    if (!globals.chartFramePerspective.empty())
        m_mgr->LoadPerspective(globals.chartFramePerspective, false);
    m_mgr->Update();
    Layout();
    ++g_openChartFrames;
}

QxChartFrame::~QxChartFrame()
{
    if (m_view)
        Unbind(wxEVT_SET_FOCUS, &QxChartFrame::onSetFocus, this);
    connectOwnEvents(false);
    // The toolbar layout of the last chart frame closed is the one the next
    // chart frame opens with.
    if (g_openChartFrames == 1)
        QxGlobalVars::get().chartFramePerspective = m_mgr->SavePerspective();
    if (g_openChartFrames > 0)
        --g_openChartFrames;
    removeAddedMenus(GetMenuBar());
}

wxPen QxChartFrame::getDefaultPen() const
{
    wxConfigBase* config = wxConfigBase::Get(false);
    if (!config)
        return *wxRED_PEN;
    return readConfigPen(*config, "/preferences/annot_props/default_pen", *wxRED_PEN);
}

unsigned QxChartFrame::openFrameCount() { return g_openChartFrames; }

void QxChartFrame::setChartView(QxChartView* view)
{
    if (m_view || !view)
        return;
    m_view = view;
    m_mgr->AddPane(view, wxAuiPaneInfo().Name("Chart View").CenterPane().PaneBorder(false));
    m_mgr->Update();
    Bind(wxEVT_SET_FOCUS, &QxChartFrame::onSetFocus, this);
}

int QxChartFrame::snapTolerance() { return g_snapTolerance; }

unsigned QxChartFrame::periodOfCommand(int id)
{
    for (const PeriodCommand& p : kPeriods)
        if (p.id == id)
            return p.period;
    return 86400;
}

int QxChartFrame::commandOfPeriod(unsigned period)
{
    for (const PeriodCommand& p : kPeriods)
        if (p.period == period)
            return p.id;
    return 1005;
}

void QxChartFrame::addChartMenus()
{
    wxMenuBar* bar = GetMenuBar();
    size_t position = 1;
    for (size_t i = 0; i < m_addedMenus.size(); ++i)
        bar->Insert(position++, m_addedMenus[i], m_addedMenuTitles[i]);
    m_annotationMenu = createAnnotationMenu(true);
    bar->Insert(2, m_annotationMenu, _("&Annotations"));
    bar->Refresh();
}

void QxChartFrame::createToolbarPanes()
{
    wxAuiPaneInfo general;
    general.ToolbarPane().Top();
    addChartToolbarPane(general, true);

    m_periodicityToolbar = new QxChartPeriodicityToolbar(this);
    m_optionsToolbar = new QxChartOptionsToolbar(this);
    m_zoomToolbar = new QxZoomHorzToolbar(this);
    m_operationsToolbar = new QxChartOperationsToolbar(this);
    m_patternToolbar = new QxPatternRecognitionToolbar(this);
    m_annotToolbar = new QxAnnotToolBar(this);
    m_annotToolbar->addAdvancedTools();
    for (wxAuiToolBar* toolbar : {static_cast<wxAuiToolBar*>(m_periodicityToolbar),
                                  static_cast<wxAuiToolBar*>(m_optionsToolbar),
                                  static_cast<wxAuiToolBar*>(m_zoomToolbar),
                                  static_cast<wxAuiToolBar*>(m_operationsToolbar),
                                  static_cast<wxAuiToolBar*>(m_patternToolbar),
                                  static_cast<wxAuiToolBar*>(m_annotToolbar)})
        toolbar->Realize();

    struct Pane {
        const char* name;
        const char* caption;
        wxWindow* toolbar;
        bool right;
    };
    const Pane panes[] = {
        {"Chart_Period", "Chart Period", m_periodicityToolbar, false},
        {"Chart_Options", "Chart Options", m_optionsToolbar, false},
        {"Zoom_Width", "Zoom Width", m_zoomToolbar, false},
        {"Chart Operations", "Chart Operations", m_operationsToolbar, false},
        {"Annots", "Annotation Tools", m_annotToolbar, true},
        {"Pattern Recognition", "Pattern Recognition", m_patternToolbar, true},
    };
    for (const Pane& p : panes) {
        wxAuiPaneInfo info;
        info.Name(p.name).Caption(wxGetTranslation(p.caption)).ToolbarPane();
        if (p.right)
            info.Right();
        else
            info.Top();
        m_mgr->AddPane(p.toolbar, info);
    }

    wxAuiPaneInfo tools;
    tools.ToolbarPane().Top();
    addProToolsPane(tools);
}

void QxChartFrame::connectOwnEvents(bool connect)
{
    auto wire = [this, connect](auto type, auto method, int first, int last) {
        if (connect)
            Bind(type, method, this, first, last);
        else
            Unbind(type, method, this, first, last);
    };
    wire(wxEVT_MENU, &QxChartFrame::saveChartFile, QxID_SAVE_CHART, QxID_SAVE_CHART);
    wire(wxEVT_MENU, &QxChartFrame::onPeriodicity, QxID_PERIOD_DAILY, QxID_PERIOD_YEARLY);
    wire(wxEVT_UPDATE_UI, &QxChartFrame::onUpdatePeriodicity, QxID_PERIOD_DAILY, QxID_PERIOD_YEARLY);
    wire(wxEVT_MENU, &QxChartFrame::onZoomIn, QxID_ZOOM_IN, QxID_ZOOM_IN);
    wire(wxEVT_MENU, &QxChartFrame::onZoomOut, QxID_ZOOM_OUT, QxID_ZOOM_OUT);
    wire(wxEVT_UPDATE_UI, &QxChartFrame::onUpdateZoomIn, QxID_ZOOM_IN, QxID_ZOOM_IN);
    wire(wxEVT_UPDATE_UI, &QxChartFrame::onUpdateZoomOut, QxID_ZOOM_OUT, QxID_ZOOM_OUT);
    wire(wxEVT_MENU, &QxChartFrame::onZoomPreset, QxID_ZOOM_NORMAL, QxID_ZOOM_MAX_IN);
    wire(wxEVT_MENU, &QxChartFrame::onAnnotTool, QxID_ANNOT_FIRST, QxID_ANNOT_LAST);
    wire(wxEVT_UPDATE_UI, &QxChartFrame::onUpdateAnnotTool, QxID_ANNOT_FIRST, QxID_ANNOT_LAST);
    wire(wxEVT_MENU, &QxChartFrame::onSnap, QxID_SNAP_TO_PRICE, QxID_SNAP_TO_PRICE);
    wire(wxEVT_UPDATE_UI, &QxChartFrame::onUpdateSnap, QxID_SNAP_TO_PRICE, QxID_SNAP_TO_PRICE);
}

void QxChartFrame::OnSize(wxSizeEvent& event)
{
    QxGlobalVars& globals = QxGlobalVars::get();
    if (IsMaximized()) {
        globals.isChartFrameMaximized = true;
    } else {
        globals.isChartFrameMaximized = false;
        globals.chartFrameSize = event.GetSize();
    }
    // Passed on: the toolkit lays the frame's children out from it.
    event.Skip();
}

void QxChartFrame::openChartFile()
{
    wxWindow* parent = nullptr;
    if (QxApplication* app = QxApplication::getApp())
        parent = app->activeFrame();
    qxShowNotAvailable(parent, _("Opening saved charts"));
}

void QxChartFrame::saveChartFile(wxCommandEvent&)
{
    if (!m_view)
        return;
    showOperationFailed(eNotImplemented, qxNotAvailableText(_("Saving charts")).wc_str());
}

void QxChartFrame::onAddSignalMarkers(wxCommandEvent&)
{
    if (m_view)
        showOperationFailed(eNotImplemented, qxNotAvailableText(_("Buy/sell signal markers")).wc_str());
}

void QxChartFrame::onCandlestickPatterns(wxCommandEvent&)
{
    if (m_view)
        showOperationFailed(eNotImplemented, qxNotAvailableText(_("Candlestick pattern detection")).wc_str());
}

void QxChartFrame::onZigZag(wxCommandEvent&)
{
    if (m_view)
        showOperationFailed(eNotImplemented, qxNotAvailableText(_("Zig-zag detection")).wc_str());
}

void QxChartFrame::onDoubleTop(wxCommandEvent&)
{
    if (m_view)
        showOperationFailed(eNotImplemented, qxNotAvailableText(_("Double top and bottom detection")).wc_str());
}

void QxChartFrame::onHeadAndShoulders(wxCommandEvent&)
{
    if (m_view)
        showOperationFailed(eNotImplemented, qxNotAvailableText(_("Head and shoulders detection")).wc_str());
}

void QxChartFrame::onExportChart(wxCommandEvent&)
{
    if (m_view)
        showOperationFailed(eNotImplemented, qxNotAvailableText(_("Exporting charts")).wc_str());
}

void QxChartFrame::onChartConfiguration(wxCommandEvent&)
{
    if (m_view)
        showOperationFailed(eNotImplemented, qxNotAvailableText(_("Chart configuration")).wc_str());
}

void QxChartFrame::onShowTooltip(wxCommandEvent&)
{
    if (!m_view)
        return;
    QxGlobalVars& globals = QxGlobalVars::get();
    globals.showTooltip = !globals.showTooltip;
    m_chartMenu->Check(QxID_SHOW_TOOLTIP, globals.showTooltip);
}

void QxChartFrame::onUpdateShowTooltip(wxUpdateUIEvent& event) { event.Check(QxGlobalVars::get().showTooltip); }

void QxChartFrame::onShowLegends(wxCommandEvent&)
{
    if (!m_view)
        return;
    QxGlobalVars& globals = QxGlobalVars::get();
    globals.showLegends = !globals.showLegends;
    m_chartMenu->Check(QxID_SHOW_LEGENDS, globals.showLegends);
}

void QxChartFrame::updateSaveIndicatorsAsTemplate(wxUpdateUIEvent& event) { event.Enable(true); }

void QxChartFrame::onUpdateSaveIndicatorsAsTemplate(wxUpdateUIEvent& event) { updateSaveIndicatorsAsTemplate(event); }

void QxChartFrame::onPeriodicity(wxCommandEvent&)
{
    if (!m_view)
        return;
}

void QxChartFrame::onUpdatePeriodicity(wxUpdateUIEvent&)
{
    if (!m_view)
        return;
}

void QxChartFrame::onZoomIn(wxCommandEvent&) {}

void QxChartFrame::onZoomOut(wxCommandEvent&) {}

void QxChartFrame::onUpdateZoomIn(wxUpdateUIEvent& event) { event.Enable(false); }

void QxChartFrame::onUpdateZoomOut(wxUpdateUIEvent& event) { event.Enable(false); }

void QxChartFrame::onZoomPreset(wxCommandEvent&) {}

void QxChartFrame::onAnnotTool(wxCommandEvent&) {}

void QxChartFrame::onUpdateAnnotTool(wxUpdateUIEvent& event) { event.Check(false); }

void QxChartFrame::onSnap(wxCommandEvent& event)
{
    if (!m_view)
        return;
    g_snapTolerance = event.IsChecked() ? 4 : 0;
}

void QxChartFrame::onUpdateSnap(wxUpdateUIEvent& event) { event.Check(g_snapTolerance > 0); }

void QxChartFrame::onSetFocus(wxFocusEvent& event)
{
    // Keys go to the chart, not to the frame.
    if (m_view)
        m_view->SetFocus();
    event.Skip();
}
