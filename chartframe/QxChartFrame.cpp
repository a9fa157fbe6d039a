#include "chartframe/QxChartFrame.h"

#include "app/QxGlobalVars.h"
#include "chart/QxChart.h"
#include "chart/QxChartConfiguration.h"
#include "chart/QxChartist.h"
#include "chart/QxPriceObj.h"
#include "chart/QxTemplate.h"
#include "chart/QxZone.h"
#include "chartframe/QxAnnotToolBar.h"
#include "chartframe/QxAnnotationMenu.h"
#include "chartframe/QxChartExportDlg.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxChartOperationsToolbar.h"
#include "chartframe/QxChartOptionsToolbar.h"
#include "chartframe/QxChartPeriodicityToolbar.h"
#include "chartframe/QxGraphicPropsToolbar.h"
#include "chartframe/QxPatternRecognitionToolbar.h"
#include "chartframe/QxZoomHorzToolbar.h"
#include "chartview/QxChartView.h"
#include "chartview/QxCandlestickPattern.h"
#include "chartview/QxPricePattern.h"
#include "configdlg/DlgChartConfiguration.h"
#include "configdlg/QxIndicatorSelectionDlg.h"
#include "configdlg/QxZiagzagConfigDlg.h"
#include "core/QxCalculator.h"
#include "core/QxIndicator.h"
#include "core/QxErrorCode.h"
#include "core/platform/QxFileDialogExt.h"
#include "core/platform/QxMenuArt.h"
#include "trading/QxSignalMarker.h"
#include "ui/QxDockedToolbars.h"
#include "ui/QxMessages.h"

#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>

namespace {

unsigned g_openChartFrames = 0;
int g_snapTolerance = 4;

const char* const kTemplateWildcard = "Trendoria Template (*.trdt)|*.trdt";

struct PeriodCommand {
    int id;
    unsigned period;
};

const PeriodCommand kPeriods[] = {
    {1005, 86400}, {1006, 432000}, {1007, 2629800}, {1008, 7889400}, {1009, 31557600},
};

// Loads a stored toolbar layout without an update. The toolkit hides every
// pane the layout does not name, so a layout stored before a toolbar was
// added would hide that toolbar for good: such panes stay shown.
void loadPerspectiveKeepingNewPanes(wxAuiManager& mgr, const wxString& perspective)
{
    std::vector<wxString> unnamed;
    wxAuiPaneInfoArray& panes = mgr.GetAllPanes();
    for (size_t i = 0; i < panes.size(); ++i)
        if (panes[i].IsShown() && !perspective.Contains("name=" + panes[i].name + ";"))
            unnamed.push_back(panes[i].name);
    if (!mgr.LoadPerspective(perspective, false))
        return;
    for (const wxString& name : unnamed)
        mgr.GetPane(name).Show();
}

} // namespace

wxString operationFailedText(int code, const wchar_t* text)
{
    const wxString what = text ? wxString(text) : _("Operation Failed.");
    return wxString::Format("%s\n%s%s", what, _("Error description: "), qxErrorDesc(code));
}

void showOperationFailed(int code, const wchar_t* text)
{
    qxShowError(operationFailedText(code, text), nullptr);
}

QxChartFrame::QxChartFrame()
    : FBChartFrame(), m_placement(QxGlobalVars::get().chartFrameSize, &QxGlobalVars::get().isChartFrameMaximized)
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

    readMenuShortcuts();

    m_placement.attach(this);

    createToolbarPanes();
    if (!globals.chartFramePerspective.empty())
        loadPerspectiveKeepingNewPanes(*m_mgr, globals.chartFramePerspective);
    turnSideToolbarsUpright(*m_mgr);
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

void QxChartFrame::setChartView(QxChartView* view)
{
    if (m_view || !view)
        return;
    m_view = view;
    m_mgr->AddPane(view, wxAuiPaneInfo().Name("Chart View").CenterPane().PaneBorder(false));
    m_mgr->Update();
    m_graphicsToolbar->setChartView(view);
    setKeyWindow(view);
    Bind(wxEVT_SET_FOCUS, &QxChartFrame::onSetFocus, this);
}

QxChartist* QxChartFrame::chartist() const { return m_view ? m_view->getChartist() : nullptr; }

QxChart* QxChartFrame::getChart() const
{
    QxChartist* c = chartist();
    return c ? c->getChart() : nullptr;
}

void QxChartFrame::refreshView()
{
    if (m_view)
        m_view->refreshChart();
}

QxPriceObj* QxChartFrame::priceGraphicOf(const QxChart* chart)
{
    QxZone* zone = chart ? chart->zoneAt(0) : nullptr;
    if (!zone || zone->numIndicator() == 0)
        return nullptr;
    QxIndicator* indicator = zone->indicatorAt(0);
    if (!indicator)
        return nullptr;
    const auto& drawables = indicator->drawables(false);
    if (drawables.empty())
        return nullptr;
    return dynamic_cast<QxPriceObj*>(drawables.front().get());
}

bool QxChartFrame::togglePriceStyle(QxChart* chart, int style)
{
    QxPriceObj* price = priceGraphicOf(chart);
    if (!price)
        return false;
    price->setType(price->getType() == style ? Qx::ePriceNone : static_cast<Qx::QxPriceObjType>(style));
    price->selectPriceDrawable();
    return true;
}

wxPen QxChartFrame::getDefaultPen() const { return m_graphicsToolbar->getPen(); }

unsigned QxChartFrame::openFrameCount() { return g_openChartFrames; }

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
    m_graphicsToolbar = new QxGraphicPropsToolbar(this);
    m_patternToolbar = new QxPatternRecognitionToolbar(this);
    m_annotToolbar = new QxAnnotToolBar(this);
    m_annotToolbar->addAdvancedTools();
    for (wxAuiToolBar* toolbar : {static_cast<wxAuiToolBar*>(m_periodicityToolbar),
                                  static_cast<wxAuiToolBar*>(m_optionsToolbar),
                                  static_cast<wxAuiToolBar*>(m_zoomToolbar),
                                  static_cast<wxAuiToolBar*>(m_operationsToolbar),
                                  static_cast<wxAuiToolBar*>(m_graphicsToolbar),
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
        {"Chart Graphics", "Chart Graphics", m_graphicsToolbar, false},
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
    m_placement.sized(event.GetSize());
    // Passed on: the toolkit lays the frame's children out from it.
    event.Skip();
}

void QxChartFrame::onAddSignalMarkers(wxCommandEvent&)
{
    QxObjectSmartPtr<QxChart> chart(getChart());
    if (!chart || !chart->getMainZone() || !chart->getCalc())
        return;
    QxObjectSmartPtr<QxSignalMarker> marker(new QxSignalMarker(chart->getCalc()));
    if (!marker->configure())
        return;
    chart->getMainZone()->addPattern(marker.get());
    refreshView();
}

void QxChartFrame::onCandlestickPatterns(wxCommandEvent&)
{
    QxObjectSmartPtr<QxChart> chart(getChart());
    if (!chart || !chart->getMainZone())
        return;
    // The zone's own detector is edited in place, so it never holds two.
    QxObjectSmartPtr<QxCandlestickPattern> detector;
    for (const auto& pattern : chart->getMainZone()->getPatterns())
        if (auto* found = dynamic_cast<QxCandlestickPattern*>(pattern.get())) {
            detector = found;
            break;
        }
    const bool created = !detector;
    if (created)
        detector = new QxCandlestickPattern();
    if (!detector->configure())
        return;
    if (created)
        chart->getMainZone()->addPattern(detector.get());
    refreshView();
}

void QxChartFrame::onZigZag(wxCommandEvent&)
{
    QxObjectSmartPtr<QxChart> chart(getChart());
    if (!chart || !chart->getMainZone())
        return;
    // Unset settings: the dialog offers the ones last accepted.
    QxZiagzagConfigDlg dialog(this, QxZigZagPatternConfig());
    if (dialog.ShowModal() != wxID_OK)
        return;
    chart->getMainZone()->addPattern(new QxZigZagPattern(dialog));
    refreshView();
}

void QxChartFrame::addConfiguredPattern(QxPattern* created)
{
    QxObjectSmartPtr<QxPattern> pattern(created);
    QxObjectSmartPtr<QxChart> chart(getChart());
    if (!chart || !chart->getMainZone() || !pattern->configure())
        return;
    chart->getMainZone()->addPattern(pattern.get());
    refreshView();
}

void QxChartFrame::onDoubleTop(wxCommandEvent&)
{
    addConfiguredPattern(new QxDoubleTop());
}

void QxChartFrame::onHeadAndShoulders(wxCommandEvent&)
{
    addConfiguredPattern(new QxHeadAndShoulder());
}

void QxChartFrame::onExportChart(wxCommandEvent&)
{
    QxObjectSmartPtr<QxChartist> c(chartist());
    if (!c || !c->getChart())
        return;
    QxChartExportDlg dialog(*c, this);
    dialog.ShowModal();
}

void QxChartFrame::onChartConfiguration(wxCommandEvent&) { configureChart(); }

int QxChartFrame::configureChart()
{
    if (!m_view)
        return wxID_CANCEL;
    DlgChartConfiguration dialog(m_view, this);
    const int result = dialog.ShowModal();
    if (result == wxID_OK)
        refreshView();
    return result;
}

void QxChartFrame::setPriceStyle(int style)
{
    QxObjectSmartPtr<QxChart> chart(getChart());
    if (chart && togglePriceStyle(chart.get(), style))
        refreshView();
}

void QxChartFrame::updatePriceStyle(wxUpdateUIEvent& event, int style)
{
    QxPriceObj* price = m_view ? priceGraphicOf(getChart()) : nullptr;
    if (price)
        event.Check(price->getType() == style);
}

void QxChartFrame::onCandle(wxCommandEvent&) { setPriceStyle(Qx::ePriceCandles); }
void QxChartFrame::onUpdateCandle(wxUpdateUIEvent& event) { updatePriceStyle(event, Qx::ePriceCandles); }
void QxChartFrame::onBar(wxCommandEvent&) { setPriceStyle(Qx::ePriceBars); }
void QxChartFrame::onUpdateBar(wxUpdateUIEvent& event) { updatePriceStyle(event, Qx::ePriceBars); }
void QxChartFrame::onLine(wxCommandEvent&) { setPriceStyle(Qx::ePriceLine); }
void QxChartFrame::onUpdateLine(wxUpdateUIEvent& event) { updatePriceStyle(event, Qx::ePriceLine); }

void QxChartFrame::onLogScale(wxCommandEvent& event)
{
    QxObjectSmartPtr<QxChart> chart(getChart());
    QxZone* zone = chart ? chart->getMainZone() : nullptr;
    if (!zone)
        return;
    zone->setLogScale(event.IsChecked());
    refreshView();
}

void QxChartFrame::onUpdateLogScale(wxUpdateUIEvent& event)
{
    QxChart* chart = m_view ? getChart() : nullptr;
    if (chart && chart->getMainZone())
        event.Check(chart->getMainZone()->getLogScale());
}

void QxChartFrame::onShowVolume(wxCommandEvent& event)
{
    QxObjectSmartPtr<QxChart> chart(getChart());
    if (!chart)
        return;
    chart->showVolumeZone(event.IsChecked());
    refreshView();
}

void QxChartFrame::onUpdateShowVolume(wxUpdateUIEvent& event)
{
    QxChart* chart = m_view ? getChart() : nullptr;
    if (chart)
        event.Check(chart->isVolZoneVisible());
}

void QxChartFrame::onPeriodicity(wxCommandEvent& event)
{
    QxObjectSmartPtr<QxChartist> c(chartist());
    if (!c)
        return;
    c->setPeriod(static_cast<Qx::QxPeriod>(periodOfCommand(event.GetId())));
    refreshView();
}

void QxChartFrame::onUpdatePeriodicity(wxUpdateUIEvent& event)
{
    if (!m_view)
        return;
    QxChart* chart = getChart();
    const QxCalculator* calc = chart ? chart->getCalc() : nullptr;
    const unsigned period = calc ? static_cast<unsigned>(calc->currentTimeframe()) : 86400u;
    event.Check(commandOfPeriod(period) == event.GetId());
}

void QxChartFrame::applyZoomCode(unsigned code)
{
    QxObjectSmartPtr<QxChart> chart(getChart());
    if (!chart)
        return;
    if (chart->setZoomWidth(code) != eNoError)
        return; // not a zoom: the chart stays as it is
    refreshView();
}

void QxChartFrame::onZoomIn(wxCommandEvent&) { applyZoomCode(0x10000); }

void QxChartFrame::onZoomOut(wxCommandEvent&) { applyZoomCode(0x10001); }

void QxChartFrame::onUpdateZoomIn(wxUpdateUIEvent& event)
{
    QxChart* chart = m_view ? getChart() : nullptr;
    event.Enable(chart && chart->canZoomIn());
}

void QxChartFrame::onUpdateZoomOut(wxUpdateUIEvent& event)
{
    QxChart* chart = m_view ? getChart() : nullptr;
    event.Enable(chart && chart->canZoomOut());
}

void QxChartFrame::onZoomPreset(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case QxID_ZOOM_NORMAL:
        applyZoomCode(0xFFFF);
        break;
    case QxID_ZOOM_MAX_OUT:
        applyZoomCode(0x10002);
        break;
    case QxID_ZOOM_MAX_IN:
        applyZoomCode(0x10003);
        break;
    default:
        break;
    }
}

void QxChartFrame::onAddIndicator(wxCommandEvent&)
{
    QxObjectSmartPtr<QxChartist> c(chartist());
    if (!c)
        return;
    QxIndicatorSelectionDlg* dialog = QxIndicatorSelectionDlg::get();
    QxObjectSmartPtr<QxIndicator> indicator(dialog->chooseIndicator(7, true));
    if (!indicator || !m_view)
        return;
    if (dialog->endedByDrag()) {
        m_view->receiveDraggedIndic(indicator.get());
        return;
    }
    c->addIndicator(indicator.get());
    refreshView();
}

void QxChartFrame::onAddIndicatorFromTemplate(wxCommandEvent&) { openTemplate(); }

void QxChartFrame::onSaveIndicatorsAsTemplate(wxCommandEvent&) { saveTemplate(); }

void QxChartFrame::openTemplate()
{
    QxObjectSmartPtr<QxChartist> c(chartist());
    if (!c)
        return;
    wxFileDialog dialog(this, _("Open Template"), wxEmptyString, wxEmptyString, kTemplateWildcard,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    QxObjectSmartPtr<QxTemplate> tmpl(new QxTemplate());
    int rc = tmpl->loadFromFile(wxFileName(path));
    if (rc == 0 && tmpl->numIndics() == 0)
        rc = eErrorInOpeningTemplateFile; // well-formed, but no template
    if (rc != 0) {
        showOperationFailed(rc, _("Failed to open template").wc_str());
        return;
    }
    c->addIndicsFromTemplate(tmpl.get(), false);
    refreshView();
}

void QxChartFrame::saveTemplate()
{
    QxObjectSmartPtr<QxChartist> c(chartist());
    if (!c)
        return;
    QxTemplate::IndicatorList indicators;
    if (c->getDisplayedIndicators(indicators) == 0) {
        qxShowError(_("This chart does not contain any indicator."), nullptr);
        return;
    }
    wxFileDialog dialog(this, _("Save Template"), wxEmptyString, wxEmptyString, kTemplateWildcard,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    // GTK does not add the filter's extension; qxChooseFile does, or the
    // open dialog's filter would never show the file.
    const wxString path = qxChooseFile(dialog);
    if (path.empty())
        return;
    QxObjectSmartPtr<QxTemplate> tmpl(new QxTemplate());
    int rc = tmpl->addIndicators(indicators);
    if (rc == 0)
        rc = tmpl->saveToFile(wxFileName(path));
    if (rc != 0)
        showOperationFailed(rc, _("Failed to add template").wc_str());
}

void QxChartFrame::onCreateCopy(wxCommandEvent&)
{
    if (m_view)
        m_view->clone();
}

void QxChartFrame::onShowTooltip(wxCommandEvent&)
{
    if (!m_view)
        return;
    QxGlobalVars& globals = QxGlobalVars::get();
    globals.showTooltip = !globals.showTooltip;
    m_chartMenu->Check(QxID_SHOW_TOOLTIP, globals.showTooltip);
    if (!globals.showTooltip)
        m_view->SetToolTip(static_cast<wxToolTip*>(nullptr));
}

void QxChartFrame::onUpdateShowTooltip(wxUpdateUIEvent& event) { event.Check(QxGlobalVars::get().showTooltip); }

void QxChartFrame::onShowLegends(wxCommandEvent&)
{
    QxObjectSmartPtr<QxChartist> c(chartist());
    if (!c)
        return;
    QxGlobalVars& globals = QxGlobalVars::get();
    globals.showLegends = !globals.showLegends;
    m_chartMenu->Check(QxID_SHOW_LEGENDS, globals.showLegends);
    c->showLegend(globals.showLegends);
    refreshView();
}

void QxChartFrame::onUpdateShowLegends(wxUpdateUIEvent& event)
{
    if (QxChartist* c = chartist())
        event.Check(c->showLegend());
}

void QxChartFrame::updateSaveIndicatorsAsTemplate(wxUpdateUIEvent& event) { event.Enable(true); }

void QxChartFrame::onUpdateSaveIndicatorsAsTemplate(wxUpdateUIEvent& event) { updateSaveIndicatorsAsTemplate(event); }

void QxChartFrame::onAnnotTool(wxCommandEvent& event)
{
    if (m_view)
        m_view->setAnnotTool(event.GetId());
}

void QxChartFrame::onUpdateAnnotTool(wxUpdateUIEvent& event)
{
    event.Check(m_view && m_view->getAnnotTool() == event.GetId());
}

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
