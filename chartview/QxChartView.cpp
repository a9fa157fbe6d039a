#include "chartview/QxChartView.h"

#include "app/QxApplication.h"
#include "chart/QxChart.h"
#include "chart/QxDateAxis.h"
#include "chart/QxPrice.h"
#include "chart/QxValueAxis.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxChartContextMenu.h"
#include "chartview/QxPattern.h"
#include "chartview/QxChartViewTexts.h"
#include "app/QxGlobalVars.h"
#include "core/QxIndicator.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxSeries.h"
#include "securities/DlgPriceHistory.h"
#include "ui/QxMessages.h"

#include <wx/artprov.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

wxString appTitle()
{
    if (QxApplication* app = QxApplication::getApp())
        return app->getAppName();
    return QxApplication::appTitle();
}

// A scale for zones that do not exist: maps nothing anywhere useful.
class NullScale : public QxScale {
public:
    int map(const double&) const override { return 0; }
    double unmap(int) const override { return 0.0; }
};

const NullScale& nullScale()
{
    static const NullScale scale;
    return scale;
}

} // namespace

QxChartView::QxChartView(QxChartist* chartist) : m_chartist(chartist), m_tooltipTimer(this, 10)
{
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &QxChartView::onCaptureLost, this);
    Bind(wxEVT_TIMER, &QxChartView::onToolTipTimer, this, 10);
    Bind(wxEVT_PAINT, &QxChartView::onPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, &QxChartView::onEraseBackground, this);
    Bind(wxEVT_MOTION, &QxChartView::onMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &QxChartView::onLeaveWindow, this);
    Bind(wxEVT_LEFT_DOWN, &QxChartView::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &QxChartView::onLeftUp, this);
    Bind(wxEVT_KEY_DOWN, &QxChartView::onKeyDown, this);
    Bind(wxEVT_CONTEXT_MENU, &QxChartView::onContextMenu, this);
    SetBackgroundColour(*wxWHITE);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (QxCalculator* calc = getCalc()) {
        const unsigned id = calc->getSecurity() ? calc->getSecurity()->id() : 0;
        // The hub refuses while it is notifying; the view then stays unregistered.
        if (id != 0 && QxDataChangeReactorMgr::instance()->addPriceHistoryChangeReactor(id, this))
            m_registeredId = id;
    }
}

QxChartView::~QxChartView()
{
    Unbind(wxEVT_PAINT, &QxChartView::onPaint, this);
    Unbind(wxEVT_ERASE_BACKGROUND, &QxChartView::onEraseBackground, this);
    Unbind(wxEVT_MOTION, &QxChartView::onMotion, this);
    Unbind(wxEVT_LEAVE_WINDOW, &QxChartView::onLeaveWindow, this);
    Unbind(wxEVT_LEFT_DOWN, &QxChartView::onLeftDown, this);
    Unbind(wxEVT_LEFT_UP, &QxChartView::onLeftUp, this);
    Unbind(wxEVT_KEY_DOWN, &QxChartView::onKeyDown, this);
    Unbind(wxEVT_CONTEXT_MENU, &QxChartView::onContextMenu, this);
    Unbind(wxEVT_MOUSE_CAPTURE_LOST, &QxChartView::onCaptureLost, this);
    Unbind(wxEVT_TIMER, &QxChartView::onToolTipTimer, this, 10);
    m_tooltipTimer.Stop();
    if (HasCapture())
        ReleaseMouse();
    if (m_registeredId != 0)
        QxDataChangeReactorMgr::instance()->remPriceHistoryChangeReactor(m_registeredId, this);
    m_highlightCurve = nullptr;
    m_pendingIndic = nullptr;
    m_chartist = nullptr;
}

QxChart* QxChartView::chart() const { return m_chartist.get() ? m_chartist->getChart() : nullptr; }

QxZone* QxChartView::zone(int index) const
{
    QxChart* c = chart();
    return c && index >= 0 ? c->zoneAt(static_cast<unsigned>(index)) : nullptr;
}

wxString QxChartView::frameTitle(const wxString& chartTitle) { return appTitle() + " [" + chartTitle + "]"; }

// ---------------------------------------------------------------------------
// Opening

QxChartView* QxChartView::createChartView(QxSecurity* security, Qx::QxPeriod period, Qx::QxPriceObjType type,
                                          QxTemplate* tmpl)
{
    if (!security)
        return nullptr;
    wxBusyCursor busy;
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(security, period, tmpl));
    QxChart* c = chartist->getChart();
    QxCalculator* calc = c ? c->getCalc() : nullptr;
    QxObjectSmartPtr<QxPriceHistory> daily(calc ? calc->prices(Qx::eDaily, false) : nullptr);
    if (!daily.get() || daily->numBars() == 0) {
        // A security of a folder on disk has no connection to check: it says
        // what is wrong with its file.
        const std::string why = security->whyNoHistory();
        qxShowError(why.empty() ? wxString(_("Failed to get price history.\nPlease check you internet connection."))
                                : _("Failed to get price history.") + "\n" + wxString::FromUTF8(why.c_str()),
                    nullptr);
        return nullptr;
    }
    // Only a chart without a price object refuses, and a fresh one has it.
    (void)chartist->setPriceObjType(type);
    auto* view = new QxChartView(chartist.get());
    if (view->createWindow() != eNoError)
        return nullptr; // createWindow has destroyed the view with its frame
    view->m_frame->SetTitle(frameTitle(chartist->title()));
    view->SetFocus();
    return view;
}

QxChartView* QxChartView::createChartView(unsigned securityId, Qx::QxPeriod period, Qx::QxPriceObjType type,
                                          QxTemplate* tmpl)
{
    if (securityId == 0)
        return nullptr;
    QxApplication* app = QxApplication::getApp();
    QxDatabase* db = app ? app->currentDatabase() : nullptr;
    QxObjectSmartPtr<QxSecurity> security(db ? db->getSecurity(securityId) : nullptr);
    if (!security.get())
        return nullptr;
    return createChartView(security.get(), period, type, tmpl);
}

int QxChartView::createWindow()
{
    m_frame = new QxChartFrame();
    if (!Create(m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                wxHSCROLL | wxVSCROLL | wxSUNKEN_BORDER | wxALWAYS_SHOW_SB, wxPanelNameStr)) {
        // The frame does not own the window yet: both go, and the chartist
        // is released with the view.
        m_frame->Destroy();
        m_frame = nullptr;
        delete this;
        return eFailedToCloseWindow;
    }
    applyCurrentCursor();
    m_frame->setChartView(this);
    m_frame->SetIcons(wxArtProvider::GetIconBundle("QxART_chart_frame", "wxART_OTHER_C"));
    m_frame->SetMinSize(wxSize(100, 100));
    m_frame->Show();
    refreshChart();
    return eNoError;
}

QxChartView* QxChartView::clone() const
{
    if (!m_chartist.get())
        return nullptr;
    auto* view = new QxChartView(new QxChartist(*m_chartist));
    if (view->createWindow() != eNoError)
        return nullptr;
    if (m_frame)
        view->m_frame->SetTitle(m_frame->GetTitle());
    view->SetFocus();
    return view;
}

// ---------------------------------------------------------------------------
// View operations

QxCalculator* QxChartView::getCalc() const
{
    QxChart* c = chart();
    return c ? c->getCalc() : nullptr;
}

void QxChartView::setLastVisibleBar(unsigned bar)
{
    if (QxChart* c = chart())
        if (bar != c->lastVisibleBar())
            c->setLastVisibleBar(bar);
}

unsigned QxChartView::getLastVisibleBar() const
{
    QxChart* c = chart();
    return c ? c->lastVisibleBar() : QxHorzScrollModel::kNoBar;
}

unsigned QxChartView::getFirstVisibleBar() const
{
    QxChart* c = chart();
    return c ? c->firstVisibleBar() : QxHorzScrollModel::kNoBar;
}

wxSize QxChartView::getVirtualSize() const
{
    QxChart* c = chart();
    if (!c)
        return wxSize(-1, -1);
    QxCalculator* calc = c->getCalc();
    QxPriceHistory* h = calc ? calc->prices(calc->currentTimeframe(), false) : nullptr;
    const long bars = h ? long(h->numBars()) : 0;
    long width = 0;
    if (bars > 0) {
        const int border = c->getConfig().borderPen.IsOk() ? c->getConfig().borderPen.GetWidth() : 0;
        const unsigned axes = c->getConfig().axisLocation;
        width = long(c->candleWidth() + c->candleSpacing()) * bars - c->candleSpacing();
        if (axes & 1)
            width += border + c->valueAxisWidth();
        if (axes & 2)
            width += border + c->valueAxisWidth();
    }
    return wxSize(int(std::min(width, 2000000000L)), c->chartHeight());
}

void QxChartView::refreshChart()
{
    QxChart* c = chart();
    if (!c || !GetHandle())
        return;
    QxObjectSmartPtr<QxChart> hold(c);
    // The crosshair spans the old inner rectangle; the whole window is
    // repainted below, so it is dropped and drawn anew at the next move.
    m_overlay.clear(QxOverlay::eCrosshair);
    const wxSize client = GetClientSize();
    const int previousWidth = c->getChartWidth();
    if (client.x != previousWidth)
        c->setChartWidth(client.x);
    {
        // Laid out on a picture of its own, kept while the width stays.
        const wxSize scratch(std::max(1, client.x), 1000);
        if (!m_layoutBitmap.IsOk() || m_layoutBitmap.GetSize() != scratch)
            m_layoutBitmap = wxBitmap(scratch);
        wxMemoryDC dc(m_layoutBitmap);
        c->setup(dc);
    }
    QxCalculator* calc = c->getCalc();
    QxPriceHistory* h = calc ? calc->prices(calc->currentTimeframe(), false) : nullptr;
    setupScroll(c->numVisibleBars(), h ? h->numBars() : 0, previousWidth);
    annotHandler().chartChanged();
    m_bitmapStale = true;
    Refresh(true);
}

int QxChartView::zoneAtPoint(const wxPoint& logical) const
{
    QxChart* c = chart();
    if (!c)
        return -1;
    QxZoneHitTest hit = eZoneHitOutside;
    return c->zoneNearPoint(logical, hit, 2);
}

wxPoint QxChartView::chartToDevice(int zoneIndex, const QxPoint& point) const
{
    return wxPoint(getXMap(zoneIndex).map(point.x), getYMap(zoneIndex).map(point.y));
}

QxPoint QxChartView::deviceToChart(int zoneIndex, const wxPoint& logical, int snapDistance) const
{
    const QxScale& xs = getXMap(zoneIndex);
    const QxScale& ys = getYMap(zoneIndex);
    // Left of bar 0 the scale gives negative positions: clamp before the
    // conversion to a bar index.
    const double raw = std::floor(xs.unmap(logical.x) + 0.5);
    const unsigned bar = raw <= 0.0 || std::isnan(raw) ? 0u
                         : raw >= double(QxHorzScrollModel::kNoBar) ? QxHorzScrollModel::kNoBar - 1
                                                                     : static_cast<unsigned>(raw);
    QxPoint out{double(bar), ys.unmap(logical.y)};
    QxZone* z = zone(zoneIndex);
    if (snapDistance <= 0 || !z || !xs.inRange(bar))
        return out;
    const QxPrice* price = z->findIndicator();
    QxPriceObj* obj = price ? price->priceObj() : nullptr;
    if (!obj)
        return out;
    std::vector<std::pair<double, double>> near; // (distance, price)
    for (const char* role : {"OPEN", "HIGH", "LOW", "CLOSE"}) {
        QxSeries s;
        if (obj->getDataSeries(QxAtom(role), s) != eNoError || s.empty())
            continue;
        const int32_t b = static_cast<int32_t>(bar);
        if (b < s.first || b > s.last)
            continue;
        const double v = *s.at(b);
        if (!std::isnan(v))
            near.emplace_back(std::fabs(v - out.y), v);
    }
    if (near.empty())
        return out;
    std::sort(near.begin(), near.end());
    if (std::abs(ys.map(near.front().second) - logical.y) <= snapDistance)
        out.y = near.front().second;
    return out;
}

std::vector<QxObjectSmartPtr<QxAnnot>>* QxChartView::getAnnots(int zoneIndex) const
{
    QxZone* z = zone(zoneIndex);
    QxCalculator* calc = getCalc();
    if (!z || !calc)
        return nullptr;
    return &z->getAnnots(calc->currentTimeframe());
}

const QxScale& QxChartView::getXMap(int zoneIndex) const
{
    QxZone* z = zone(zoneIndex);
    if (z && z->getDateAxis())
        return z->getDateAxis()->scale();
    return nullScale();
}

const QxScale& QxChartView::getYMap(int zoneIndex) const
{
    QxZone* z = zone(zoneIndex);
    if (z && z->valueAxis())
        return z->valueAxis()->scale();
    return nullScale();
}

void QxChartView::addAnnot(int zoneIndex, QxAnnot* annot)
{
    if (auto* list = getAnnots(zoneIndex); list && annot)
        list->emplace_back(annot);
}

void QxChartView::removeAnnot(int zoneIndex, QxAnnot* annot)
{
    auto* list = getAnnots(zoneIndex);
    if (!list)
        return;
    auto it = std::find_if(list->begin(), list->end(), [annot](const auto& p) { return p.get() == annot; });
    if (it != list->end())
        list->erase(it);
}

void QxChartView::invalidateZone(int zoneIndex) { invalidateRect(getZoneInnerRect(zoneIndex)); }

wxRect QxChartView::getZoneInnerRect(int zoneIndex) const
{
    QxZone* z = zone(zoneIndex);
    return z ? z->getInnerRect() : wxRect();
}

wxRect QxChartView::getInnerRect() const
{
    QxChart* c = chart();
    return c ? c->getInnerBox() : wxRect();
}

wxPen QxChartView::getDefaultPen() const { return m_frame ? m_frame->getDefaultPen() : *wxBLACK_PEN; }

wxColour QxChartView::feedbackColour() const
{
    QxChart* c = chart();
    return QxZone::contrastColour(c ? c->getConfig().bg : *wxWHITE);
}

// ---------------------------------------------------------------------------
// Price changes

void QxChartView::eodPriceHistoryChanged(unsigned)
{
    QxCalculator* calc = getCalc();
    if (calc && calc->currentTimeframe() >= Qx::eDaily)
        refreshChart();
}

void QxChartView::intradayPriceHistoryChanged(unsigned)
{
    QxCalculator* calc = getCalc();
    if (calc && calc->currentTimeframe() < Qx::eDaily)
        refreshChart();
}

// ---------------------------------------------------------------------------
// Painting

void QxChartView::paintChartBitmap()
{
    QxChart* c = chart();
    const wxSize client = GetClientSize();
    const wxSize v = getVirtualSize();
    const int height = std::max({1, v.y, client.y});
    wxMemoryDC dc(chartBitmapOfSize(wxSize(client.x, height)));
    dc.SetBackground(wxBrush(c ? c->getConfig().bg : *wxWHITE));
    dc.Clear();
    if (c) {
        QxObjectSmartPtr<QxChart> hold(c);
        c->display(dc, m_chartist->showLegend());
    }
    dc.SelectObject(wxNullBitmap);
    m_bitmapStale = false;
}

void QxChartView::render(wxDC& dc)
{
    if (m_bitmapStale)
        paintChartBitmap();
    if (m_chartBitmap.IsOk())
        dc.DrawBitmap(m_chartBitmap, 0, 0, false);
    QxChart* c = chart();
    if (c) {
        const wxPen old = dc.GetPen();
        dc.SetPen(wxPen(*wxLIGHT_GREY, 1, wxPENSTYLE_DOT_DASH));
        const int width = GetClientSize().x;
        for (unsigned i = 0; i < c->numZones(); ++i) {
            QxZone* z = c->zoneAt(i);
            if (!z || (z == c->getVolumeZone() && !c->isVolZoneVisible()))
                continue;
            // getHeight already counts the title strip.
            const int y = z->getOrigin().y + z->getHeight();
            dc.DrawLine(0, y, width, y);
        }
        dc.SetPen(old);
    }
    m_overlay.paint(dc);
}

void QxChartView::onPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PrepareDC(dc);
    render(dc);
    if (!isPanning())
        showCurveVals(m_lastMousePos);
}

// ---------------------------------------------------------------------------
// Mouse and keys

bool QxChartView::annotHandlerTakes(wxMouseEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MOTION)
        return annotHandler().onMotion(event);
    if (type == wxEVT_LEFT_DOWN)
        return annotHandler().onLeftDown(event);
    if (type == wxEVT_LEFT_UP)
        return annotHandler().onLeftUp(event);
    return false;
}

bool QxChartView::annotHandlerTakes(wxKeyEvent& event) { return annotHandler().onKeyDown(event); }

int QxChartView::zoneUnder(const wxPoint& device, QxZoneHitTest& hit)
{
    hit = eZoneHitOutside;
    QxChart* c = chart();
    int z = -1;
    if (c) {
        const wxPoint logical = adjustY(device);
        z = c->zoneNearPoint(logical, hit, 2);
        if (z < 0) {
            // Left or right of the zones (over an axis) a bottom border still
            // counts, so it can be grabbed anywhere along its row.
            const wxRect client = GetClientRect();
            QxZoneHitTest midHit = eZoneHitOutside;
            const int mid = c->zoneNearPoint(wxPoint((client.x + client.width) / 2, logical.y), midHit, 2);
            if (mid >= 0 && midHit == eZoneHitBottom) {
                z = mid;
                hit = eZoneHitBottom;
            } else {
                z = -1;
                hit = eZoneHitOutside;
            }
        }
    }
    m_currentZone = z;
    return z;
}

void QxChartView::clearTooltip()
{
    m_tooltipText.clear();
    UnsetToolTip();
}

void QxChartView::onLeaveWindow(wxMouseEvent& event)
{
    // A crosshair left behind would point at a bar the pointer no longer is on.
    eraseCrosshair();
    event.Skip();
}

void QxChartView::onMotion(wxMouseEvent& event)
{
    if (handleMouseMove(event))
        return;
    if (m_resizing) {
        moveResizeLine(event.GetPosition().y);
        return;
    }
    if (annotHandlerTakes(event))
        return;
    if (QxGlobalVars::get().showTooltip) {
        clearTooltip();
        m_tooltipTimer.StartOnce(1000);
    }
    const wxPoint device = event.GetPosition();
    if (!chart() || device == m_lastMousePos)
        return;
    QxZoneHitTest hit = eZoneHitOutside;
    const int z = zoneUnder(device, hit);
    const wxPoint logical = adjustY(device);

    if (m_pendingIndic) {
        if (z >= 0 && hit == eZoneHitInside)
            highlightCurveAt(logical);
        else
            eraseCurveHighlight();
        return;
    }

    eraseCrosshair();
    if (getAnnotTool() == 0 && hit == eZoneHitBottom) {
        setCursor(eCursorSizeNS);
        eraseCurveHighlight();
        return;
    }
    if (hit == eZoneHitInside)
        drawCrosshair(logical, getInnerRect());
    if (getAnnotTool() == 0)
        setCursor(eCursorOpenHand);
    m_lastMousePos = device;
    showCurveVals(device);
}

void QxChartView::onLeftDown(wxMouseEvent& event)
{
    m_tooltipTimer.Stop();
    clearTooltip();
    eraseCrosshair();
    SetFocus();
    if (annotHandlerTakes(event))
        return;
    m_lastMousePos = event.GetPosition();
    if (m_resizing) {
        handleMouseDown(event);
        return;
    }
    // A waiting indicator is placed by the release of this click (the drag
    // out of the dialog may have ended before the chart saw its release).
    if (m_pendingIndic)
        return;
    QxZoneHitTest hit = eZoneHitOutside;
    const int z = zoneUnder(event.GetPosition(), hit);
    if (z >= 0 && hit == eZoneHitBottom) {
        beginZoneResize(event.GetPosition());
        return;
    }
    handleMouseDown(event);
}

void QxChartView::onLeftUp(wxMouseEvent& event)
{
    if (handleMouseUp(event))
        return;
    if (annotHandlerTakes(event))
        return;
    if (m_resizing) {
        endZoneResize(event.GetPosition());
        return;
    }
    if (m_pendingIndic) {
        releaseMouse();
        // The zone under the release, as the last motion may not have told.
        QxZoneHitTest hit = eZoneHitOutside;
        zoneUnder(event.GetPosition(), hit);
        placePendingIndicator();
    }
}

void QxChartView::onKeyDown(wxKeyEvent& event)
{
    if (annotHandlerTakes(event))
        return;
    if (m_pendingIndic && event.GetKeyCode() == WXK_ESCAPE) {
        releaseMouse();
        eraseCurveHighlight();
        m_pendingIndic = nullptr;
        resetCursor();
        return;
    }
    if (handleScrollKey(event))
        return;
    event.Skip();
}

void QxChartView::onScroll(wxScrollWinEvent& event)
{
    clearTooltip();
    m_tooltipTimer.Stop();
    eraseCrosshair();
    QxBaseChartView::onScroll(event);
}

void QxChartView::releaseMouse()
{
    if (HasCapture())
        ReleaseMouse();
}

void QxChartView::onCaptureLost(wxMouseCaptureLostEvent&)
{
    // The indicator keeps waiting; the next click places it.
}

// ---------------------------------------------------------------------------
// Zone resize

int QxChartView::resizedZoneHeight(int height, int titleHeight, int y0, int y1)
{
    const long grown = long(height) + long(y1) - long(y0);
    const long least = long(std::max(0, titleHeight)) + kMinPlotHeight;
    return int(std::clamp(grown, least, 1000000L));
}

void QxChartView::beginZoneResize(const wxPoint& device)
{
    m_resizing = true;
    m_lastMousePos = device;
    moveResizeLine(device.y);
}

void QxChartView::moveResizeLine(int deviceY)
{
    m_overlay.refresh(this, QxOverlay::eResizeLine, wxPoint(0, -vertPos()));
    QxChart* c = chart();
    const int width = c ? c->getChartWidth() : GetClientSize().x;
    const int y = deviceY + vertPos();
    const wxPen pen(wxColour(128, 128, 128, 255), 4, wxPENSTYLE_SOLID);
    m_overlay.set(QxOverlay::eResizeLine, {{wxPoint(0, y), wxPoint(width, y), pen}});
    m_overlay.refresh(this, QxOverlay::eResizeLine, wxPoint(0, -vertPos()));
}

void QxChartView::endZoneResize(const wxPoint& device)
{
    m_overlay.refresh(this, QxOverlay::eResizeLine, wxPoint(0, -vertPos()));
    m_overlay.clear(QxOverlay::eResizeLine);
    m_resizing = false;
    if (QxZone* z = zone(m_currentZone))
        z->setHeight(resizedZoneHeight(z->getHeight(), z->getTitleHeight(), m_lastMousePos.y, device.y));
    refreshChart();
}

// ---------------------------------------------------------------------------
// Dropped indicators

void QxChartView::receiveDraggedIndic(QxIndicator* indicator)
{
    if (!indicator)
        return;
    Refresh(false);
    SetFocus();
    eraseCrosshair();
    if (!m_pendingIndic)
        setCursor(eCursorDropAllow);
    m_pendingIndic = indicator;
    // The drag began in the dialog's list, which may keep the pointer: the
    // view takes it so that the release comes here.
    if (wxGetMouseState().LeftIsDown() && !HasCapture())
        CaptureMouse();
}

void QxChartView::placePendingIndicator()
{
    QxObjectSmartPtr<QxChart> c(chart());
    QxObjectSmartPtr<QxIndicator> indicator(m_pendingIndic);
    if (!c || !indicator)
        return;
    QxZone* target = zone(m_currentZone);
    if (m_highlightCurve)
        indicator->setInputSeries(0, m_highlightCurve->getSeries(QxAtom("DATA")));
    eraseCurveHighlight();
    if (!indicator->configure(3))
        return; // still waiting: another release or Escape
    if (!target) {
        // Below the zones: a zone of its own, made only now that the
        // indicator is confirmed.
        target = c->addZone();
        target->setTitle(indicator->getDisplayName());
        target->setLayoutNeeded();
    }
    target->addIndicator(indicator.get());
    m_pendingIndic = nullptr;
    resetCursor();
    refreshChart();
}

void QxChartView::highlightCurveAt(const wxPoint& logical)
{
    QxZone* z = zone(m_currentZone);
    QxDrawable* curve = z ? z->getCurveAt(logical, 4, nullptr) : nullptr;
    if (!curve) {
        eraseCurveHighlight();
        return;
    }
    if (curve == m_highlightCurve.get() && m_highlightZone == m_currentZone)
        return;
    eraseCurveHighlight();
    // The curve traced over the picture, thicker, through the zone's scales.
    QxSeries series;
    std::vector<QxOverlay::Line> lines;
    const unsigned first = getFirstVisibleBar(), last = getLastVisibleBar();
    if (curve->getDataSeries(QxAtom("DATA"), series) == eNoError && !series.empty() &&
        first != QxHorzScrollModel::kNoBar) {
        const QxScale& xs = getXMap(m_currentZone);
        const QxScale& ys = getYMap(m_currentZone);
        const wxRect clip = z->getInnerRect();
        const wxPen pen(feedbackColour(), 3, wxPENSTYLE_SOLID);
        const int32_t from = std::max<int32_t>(series.first, int32_t(first));
        const int32_t to = std::min<int32_t>(series.last, int32_t(last));
        bool havePrev = false;
        wxPoint prev;
        for (int32_t b = from; b <= to; ++b) {
            const double v = *series.at(b);
            if (std::isnan(v)) {
                havePrev = false;
                continue;
            }
            wxPoint p(xs.map(double(b)), ys.map(v));
            p.y = std::clamp(p.y, clip.GetTop(), clip.GetBottom());
            if (havePrev)
                lines.push_back({prev, p, pen});
            else
                lines.push_back({p, p, pen});
            prev = p;
            havePrev = true;
        }
    }
    m_highlightCurve = curve;
    m_highlightZone = m_currentZone;
    m_overlay.set(QxOverlay::eHighlight, std::move(lines));
    m_overlay.refresh(this, QxOverlay::eHighlight, wxPoint(0, -vertPos()));
}

void QxChartView::eraseCurveHighlight()
{
    if (m_highlightZone >= 0) {
        m_overlay.refresh(this, QxOverlay::eHighlight, wxPoint(0, -vertPos()));
        invalidateZone(m_highlightZone);
    }
    m_overlay.clear(QxOverlay::eHighlight);
    m_highlightZone = -1;
    m_highlightCurve = nullptr;
}

// ---------------------------------------------------------------------------
// Tooltip and status values

wxString QxChartView::calculateTooltipText(int zoneIndex, const wxPoint& logical)
{
    QxChart* c = chart();
    if (!c || zoneIndex < 0)
        return wxString();
    const int64_t bar = QxChartViewTexts::barAt(getXMap(0).unmap(logical.x));
    if (bar < 0 || bar < int64_t(c->firstVisibleBar()) || bar > int64_t(c->lastVisibleBar()))
        return wxString();
    m_tooltipBar = unsigned(bar);
    m_tooltipZone = zoneIndex;
    m_tooltipText = QxChartViewTexts::patternTooltip(*c, zoneIndex, bar, getYMap(zoneIndex).unmap(logical.y));
    return m_tooltipText;
}

void QxChartView::onToolTipTimer(wxTimerEvent&)
{
    if (!QxGlobalVars::get().showTooltip)
        return;
    const wxPoint device = ScreenToClient(wxGetMousePosition());
    QxChart* c = chart();
    if (!c || device != m_lastMousePos)
        return;
    QxZoneHitTest hit = eZoneHitOutside;
    const int z = c->zoneNearPoint(adjustY(device), hit, 2);
    if (hit != eZoneHitInside || !QxGlobalVars::get().showTooltip)
        return;
    clearTooltip();
    const wxString text = calculateTooltipText(z, adjustY(device));
    if (!text.empty())
        SetToolTip(text);
}

void QxChartView::showCurveVals(const wxPoint& device)
{
    QxChart* c = chart();
    if (!c || !m_frame || m_writingStatus)
        return;
    const int64_t bar = QxChartViewTexts::barAt(getXMap(0).unmap(device.x));
    QxObjectSmartPtr<QxChart> hold(c);
    wxStatusBar* status = m_frame->GetStatusBar();
    if (!status)
        return;
    // Left or right of the visible bars (over an axis) there are no values:
    // the last bar's would be read as this place's.
    wxString text;
    if (bar >= int64_t(c->firstVisibleBar()) && bar <= int64_t(c->lastVisibleBar())) {
        // The values that fit, whole: the field ends before the size grip.
        wxRect field;
        status->GetFieldRect(0, field);
        const int width = field.width - 2 * status->GetBorderX() - 4 - field.height;
        text = QxChartViewTexts::fitEntries(QxChartViewTexts::statusEntries(*c, m_currentZone, bar), width,
                                            [status](const wxString& s) { return status->GetTextExtent(s).x; });
    }
    if (status->GetStatusText(0) == text)
        return;
    // Setting the text may repaint at once, and painting writes the values
    // again: once is enough.
    m_writingStatus = true;
    status->SetStatusText(text, 0);
    m_writingStatus = false;
}

// ---------------------------------------------------------------------------
// Context menu

void QxChartView::onContextMenu(wxContextMenuEvent& event)
{
    QxChart* c = chart();
    if (!c)
        return;
    // Asked for from the keyboard the event has no position: the pointer's.
    const wxPoint screen = event.GetPosition() == wxDefaultPosition ? wxGetMousePosition() : event.GetPosition();
    const wxPoint client = ScreenToClient(screen);
    m_currentZone = zoneAtPoint(adjustY(client));
    if (m_currentZone < 0)
        return;

    using Cmd = QxChartMenuCommand;
    using Handler = void (QxChartView::*)(wxCommandEvent&);
    auto handlerOf = [](Cmd command) -> Handler {
        switch (command) {
        case Cmd::eConfigureIndicator: return &QxChartView::onConfigureIndicator;
        case Cmd::eRemoveIndicator: return &QxChartView::onRemoveIndicator;
        case Cmd::eRemoveIndicsFromZone: return &QxChartView::onRemoveIndicsFromCurZone;
        case Cmd::eRemoveAllIndicators: return &QxChartView::onRemoveAllIndicators;
        case Cmd::eConfigPattern: return &QxChartView::onConfigPattern;
        case Cmd::eRemovePattern: return &QxChartView::onRemovePattern;
        case Cmd::eRemoveAllPatterns: return &QxChartView::onRemoveAllPatterns;
        case Cmd::eShowHideVolume: return &QxChartView::onShowHideVolumeBars;
        case Cmd::eOpenQuoteEditor: return &QxChartView::onOpenQuoteEditor;
        case Cmd::eChartConfiguration: return &QxChartView::onChartConfiguration;
        }
        return nullptr;
    };

    const QxChartMenu chartMenu = qxBuildChartMenu(qxZoneMenuFacts(*c, static_cast<unsigned>(m_currentZone)));
    std::unique_ptr<wxMenu> menu(qxCreateMenu(chartMenu.items));
    // Bound only while this menu is up, so that every menu runs a command once.
    for (const QxChartMenuBinding& b : chartMenu.bindings)
        Bind(wxEVT_MENU, handlerOf(b.command), this, b.first, b.last);
    m_tooltipTimer.Stop();
    clearTooltip();
    m_popupMenu = menu.get();
    PopupMenu(menu.get(), client);
    m_popupMenu = nullptr;
    for (const QxChartMenuBinding& b : chartMenu.bindings)
        Unbind(wxEVT_MENU, handlerOf(b.command), this, b.first, b.last);
}

void QxChartView::onConfigureIndicator(wxCommandEvent& event)
{
    QxObjectSmartPtr<QxChart> c(chart());
    QxZone* z = zone(m_currentZone);
    QxObjectSmartPtr<QxIndicator> indicator(z ? z->indicatorAt(unsigned(event.GetId() - eMenuConfigureIndicator)) : nullptr);
    if (!indicator)
        return;
    // Redrawn after Cancel too, from what the indicator holds again: the
    // dialog may have changed it while it was open.
    if (indicator->configure(7) && z != c->getMainZone())
        z->setTitle(indicator->getDisplayName());
    z->setLayoutNeeded();
    refreshChart();
}

void QxChartView::onRemoveIndicator(wxCommandEvent& event)
{
    QxObjectSmartPtr<QxChart> c(chart());
    QxZone* z = zone(m_currentZone);
    if (!z)
        return;
    // The main and the volume zone stay, whatever they hold.
    if (z->numIndicator() == 1 && z != c->getMainZone() && z != c->getVolumeZone()) {
        c->deleteZone(static_cast<unsigned>(m_currentZone));
        m_currentZone = -1;
    } else {
        z->removeIndicatorAt(unsigned(event.GetId() - eMenuRemoveIndicator));
        z->setLayoutNeeded();
    }
    refreshChart();
}

namespace {

// Removes a zone's indicators from the last one back until its first is
// left alone; whether any went.
bool keepFirstIndicator(QxZone* z)
{
    if (!z)
        return false;
    const bool any = z->numIndicator() > 1;
    while (z->numIndicator() > 1)
        z->removeIndicatorAt(z->numIndicator() - 1);
    z->setLayoutNeeded();
    return any;
}

} // namespace

void QxChartView::onRemoveIndicsFromCurZone(wxCommandEvent&)
{
    if (keepFirstIndicator(zone(m_currentZone)))
        refreshChart();
}

void QxChartView::onRemoveAllIndicators(wxCommandEvent&)
{
    QxObjectSmartPtr<QxChart> c(chart());
    if (!c)
        return;
    bool removed = false;
    for (unsigned i = c->numZones(); i-- > 1;) {
        QxZone* z = c->zoneAt(i);
        if (z && z != c->getMainZone() && z != c->getVolumeZone()) {
            c->deleteZone(i);
            removed = true;
        }
    }
    for (QxZone* z : {c->getVolumeZone(), c->getMainZone()})
        removed = keepFirstIndicator(z) || removed;
    if (removed) {
        m_currentZone = -1;
        refreshChart();
    }
}

void QxChartView::onConfigPattern(wxCommandEvent& event)
{
    QxZone* z = zone(m_currentZone);
    const size_t index = size_t(event.GetId() - eMenuConfigurePattern);
    if (!z || index >= z->getPatterns().size())
        return;
    QxObjectSmartPtr<QxPattern> pattern(z->getPatterns()[index]);
    if (pattern && pattern->configure())
        refreshChart();
}

void QxChartView::onRemovePattern(wxCommandEvent& event)
{
    QxZone* z = zone(m_currentZone);
    const size_t index = size_t(event.GetId() - eMenuRemovePattern);
    if (!z || index >= z->getPatterns().size())
        return;
    z->getPatterns().erase(z->getPatterns().begin() + static_cast<std::ptrdiff_t>(index));
    z->setLayoutNeeded();
    refreshChart();
}

void QxChartView::onRemoveAllPatterns(wxCommandEvent&)
{
    QxZone* z = zone(m_currentZone);
    if (!z)
        return;
    z->getPatterns().clear();
    z->setLayoutNeeded();
    refreshChart();
}

void QxChartView::onShowHideVolumeBars(wxCommandEvent&)
{
    QxChart* c = chart();
    if (!c)
        return;
    c->showVolumeZone(!c->isVolZoneVisible());
    refreshChart();
}

void QxChartView::onOpenQuoteEditor(wxCommandEvent&)
{
    QxCalculator* calc = getCalc();
    QxSecurity* security = calc ? calc->getSecurity() : nullptr;
    // A saved change comes back through the price-history notice.
    DlgPriceHistory::showFor(security ? security->id() : 0, this);
}

void QxChartView::onChartConfiguration(wxCommandEvent&)
{
    // The frame's own command: one place opens the chart configuration.
    if (!m_frame)
        return;
    wxCommandEvent command(wxEVT_MENU, QxID_CHART_CONFIG);
    command.SetEventObject(this);
    m_frame->GetEventHandler()->ProcessEvent(command);
}
