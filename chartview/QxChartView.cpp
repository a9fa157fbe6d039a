#include "chartview/QxChartView.h"

#include "app/QxApplication.h"
#include "chart/QxChart.h"
#include "chart/QxDateAxis.h"
#include "chart/QxPrice.h"
#include "chart/QxValueAxis.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "chartview/QxAnnot.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxSeries.h"

#include <wx/artprov.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>

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

QxChartView::QxChartView(QxChartist* chartist) : m_chartist(chartist)
{
    Bind(wxEVT_PAINT, &QxChartView::onPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, &QxChartView::onEraseBackground, this);
    Bind(wxEVT_MOTION, &QxChartView::onMotion, this);
    Bind(wxEVT_LEFT_DOWN, &QxChartView::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &QxChartView::onLeftUp, this);
    Bind(wxEVT_KEY_DOWN, &QxChartView::onKeyDown, this);
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
    Unbind(wxEVT_LEFT_DOWN, &QxChartView::onLeftDown, this);
    Unbind(wxEVT_LEFT_UP, &QxChartView::onLeftUp, this);
    Unbind(wxEVT_KEY_DOWN, &QxChartView::onKeyDown, this);
    if (m_registeredId != 0)
        QxDataChangeReactorMgr::instance()->remPriceHistoryChangeReactor(m_registeredId, this);
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
        wxMessageBox(_("Failed to get price history.\nPlease check you internet connection."), appTitle(),
                     wxOK | wxICON_ERROR);
        return nullptr;
    }
    chartist->setPriceObjType(type);
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
    SetSize(m_frame->GetClientRect());
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
    const wxSize client = GetClientSize();
    const int previousWidth = c->getChartWidth();
    if (client.x != previousWidth)
        c->setChartWidth(client.x);
    {
        wxBitmap scratch(std::max(1, client.x), 1000);
        wxMemoryDC dc(scratch);
        c->setup(dc);
    }
    QxCalculator* calc = c->getCalc();
    QxPriceHistory* h = calc ? calc->prices(calc->currentTimeframe(), false) : nullptr;
    setupScroll(c->numVisibleBars(), h ? h->numBars() : 0, previousWidth);
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
    m_chartBitmap = wxBitmap(std::max(1, client.x), height);
    wxMemoryDC dc(m_chartBitmap);
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
}

// ---------------------------------------------------------------------------
// Mouse: panning and the crosshair

void QxChartView::onMotion(wxMouseEvent& event)
{
    if (annotHandler().onMotion(event))
        return;
    if (handleMouseMove(event))
        return;
    const wxPoint logical = adjustY(event.GetPosition());
    QxChart* c = chart();
    QxZoneHitTest hit = eZoneHitOutside;
    const int z = c ? c->zoneNearPoint(logical, hit, 2) : -1;
    m_currentZone = z;
    if (z >= 0 && hit == eZoneHitInside)
        drawCrosshair(logical, getInnerRect());
    else
        eraseCrosshair();
    m_lastMousePos = event.GetPosition();
}

void QxChartView::onLeftDown(wxMouseEvent& event)
{
    if (annotHandler().onLeftDown(event))
        return;
    eraseCrosshair();
    SetFocus();
    handleMouseDown(event);
}

void QxChartView::onLeftUp(wxMouseEvent& event)
{
    if (annotHandler().onLeftUp(event))
        return;
    handleMouseUp(event);
}

void QxChartView::onKeyDown(wxKeyEvent& event)
{
    if (annotHandler().onKeyDown(event))
        return;
    event.Skip();
}
