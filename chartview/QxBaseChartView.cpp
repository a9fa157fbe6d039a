#include "chartview/QxBaseChartView.h"

#include "chartview/QxAndrewsPitchFork.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxFibonacciRetracement.h"
#include "chartview/QxLineAnnot.h"
#include "chartview/QxLinearRegressionChannel.h"
#include "chartview/QxOvalAnnot.h"
#include "chartview/QxRectAnnot.h"
#include "chartview/QxTextAnnot.h"
#include "chartview/QxTriangleAnnot.h"
#include "core/platform/QxKeyState.h"

#include <wx/dcclient.h>

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------
// Horizontal scroll model

namespace {

int roundPos(double v)
{
    // Round half up, kept within what an int holds.
    v = std::floor(v + 0.5);
    if (!(v > -2147483647.0))
        return v != v ? 0 : -2147483647;
    if (v > 2147483647.0)
        return 2147483647;
    return static_cast<int>(v);
}

} // namespace

unsigned QxHorzScrollModel::posToBar(int pos) const
{
    const double bars = std::floor(std::max(0, pos) * m_barsPerPixel + 0.5);
    const double bar = m_barOffset + bars;
    return bar >= double(kNoBar) ? kNoBar - 1 : static_cast<unsigned>(bar);
}

int QxHorzScrollModel::barToPos(unsigned bar) const
{
    if (m_barsPerPixel <= 0.0)
        return 0;
    // Bars before the offset lie left of position 0: signed arithmetic, then
    // clamped, never an unsigned wrap-around.
    const double pos = (double(bar) - double(m_barOffset)) / m_barsPerPixel;
    return std::max(0, roundPos(pos));
}

QxHorzScrollModel::Move QxHorzScrollModel::moveTo(int pos) const
{
    Move m;
    const int q = std::clamp(pos, 0, hMax());
    m.bar = posToBar(q);
    m.pos = std::min(barToPos(m.bar), hMax());
    return m;
}

int QxHorzScrollModel::barPixels() const
{
    if (m_barsPerPixel <= 0.0)
        return std::max(1, m_hThumb);
    return std::max(1, roundPos(1.0 / m_barsPerPixel));
}

int QxHorzScrollModel::pagePixels() const
{
    // The bars shown, not the window: beside the value axes a page of the
    // window's width would skip bars nobody saw.
    if (m_barsPerPixel <= 0.0 || m_barsPerPixel >= 4294967294.0)
        return std::max(1, m_hThumb);
    const int bars = roundPos((double(m_barOffset) + 1.0) / m_barsPerPixel);
    return std::max(1, std::min(bars, std::max(1, m_hThumb)));
}

int QxHorzScrollModel::increment(Step step, int pos, int thumbPos, bool ctrlDown) const
{
    const int page = pagePixels();
    int inc = 0;
    switch (step) {
    case eLineUp: inc = ctrlDown ? -page : -barPixels(); break;
    case eLineDown: inc = ctrlDown ? page : barPixels(); break;
    case ePageUp: inc = -page; break;
    case ePageDown: inc = page; break;
    case eThumb: inc = thumbPos - pos; break;
    case eTop:
    case eBottom: inc = 0; break;
    }
    const long target = long(pos) + inc;
    if (target < 0)
        return -pos;
    if (target > hMax())
        return hMax() - pos;
    return inc;
}

QxHorzScrollModel::Layout QxHorzScrollModel::setup(const Input& in)
{
    const int oldHRange = m_hRange, oldHThumb = m_hThumb;
    const int oldVRange = m_vRange, oldVThumb = m_vThumb;
    const wxSize v(std::max(0, in.virtualSize.x), std::max(0, in.virtualSize.y));

    // The scroll bars as the window lays them out: one unit per pixel, the
    // thumb as wide as the client area.
    m_hRange = v.x;
    m_hThumb = std::min(std::max(0, in.client.x), v.x);
    m_vRange = v.y;
    m_vThumb = std::min(std::max(0, in.client.y), v.y);

    Layout out;
    out.hPos = std::clamp(in.hPos, 0, hMax());
    out.vPos = std::clamp(in.vPos, 0, vMax());

    const bool unchanged = v.x == m_lastVirtual.x && m_hThumb == oldHThumb && in.previousWidth == in.client.x;
    if (unchanged || in.client.x >= v.x) {
        m_lastVirtual = v;
        return out;
    }

    const int newMax = hMax(); // > 0 here
    m_barOffset = in.visibleBars ? in.visibleBars - 1 : 0;
    m_barsPerPixel = std::max(0.0, double(in.totalBars) - double(in.visibleBars)) / newMax;

    int p;
    if (in.previousWidth == 0 || oldHRange <= in.previousWidth)
        p = newMax; // first layout, or the chart did not scroll before: the newest bar
    else
        p = in.lastVisibleBar == kNoBar ? newMax : std::min(barToPos(in.lastVisibleBar), newMax);

    const int oldMax = oldHRange - oldHThumb;
    if ((in.hPos < oldMax && p != newMax) || in.hPos > oldMax) {
        out.hPos = p;
    } else if (oldHThumb != 0 && oldMax > 0) {
        // The old position was at the end, or the target is the end: keep
        // the same proportion of the range.
        const int q = std::min(roundPos(double(in.hPos) / oldMax * newMax), newMax);
        const unsigned bar = posToBar(q);
        out.hPos = q;
        if (bar != in.lastVisibleBar && in.lastVisibleBar != kNoBar) {
            // The position moves with the bar, or the next scroll event would
            // bring the old bar back.
            out.relayout = true;
            out.bar = bar;
            m_lastVirtual = v;
            return out;
        }
    } else {
        // No old range to keep a proportion of (an old maximum of 0 would
        // divide by zero): the target position.
        out.hPos = p;
    }

    const int oldVMax = oldVRange - oldVThumb;
    if (oldVThumb != 0 && oldVMax > 0)
        out.vPos = std::clamp(roundPos(double(in.vPos) / oldVMax * vMax()), 0, vMax());
    m_lastVirtual = v;
    return out;
}

// ---------------------------------------------------------------------------
// Annotation makers

namespace {
// The annotation of a tool; null for ids that are no annotation tool.
QxAnnot* annotOfTool(int tool)
{
    switch (tool) {
    case 31000: return new QxLineAnnot(QxLineAnnot::eTrendLine);
    case 31001: return new QxLineAnnot(QxLineAnnot::eRay);
    case 31002: return new QxLineAnnot(QxLineAnnot::eExtendedLine);
    case 31003: return new QxLineAnnot(QxLineAnnot::eVerticalLine);
    case 31004: return new QxLineAnnot(QxLineAnnot::eHorizontalLine);
    case 31005: // parallel lines
    case 31006: // connected lines
        return new QxLineAnnot(QxLineAnnot::eTrendLine);
    case 31007: return new QxLineAnnot(QxLineAnnot::eArrow);
    case 31008: return new QxLineAnnot(QxLineAnnot::eTwoHeadedArrow);
    case 31009: return new QxTriangleAnnot;
    case 31010: return new QxRectAnnot;
    case 31011: return new QxOvalAnnot;
    case 31012: return new QxAndrewsPitchFork;
    case 31013: return new QxLinearRegressionChannel;
    case 31014: return new QxFibonacciRetracement;
    case 31015: {
        auto* text = new QxTextAnnot;
        text->setSelected(true);
        return text;
    }
    default: return nullptr;
    }
}
} // namespace

QxAnnot* QxBaseChartView::createAnnotForTool(int tool)
{
    QxAnnot* annot = annotOfTool(tool);
    if (!annot)
        return nullptr;
    annot->setPen(getDefaultPen());
    annot->setCalculator(getCalc());
    return annot;
}

// ---------------------------------------------------------------------------
// Window

namespace {
const wxEventType* scrollEventTypes()
{
    static const wxEventType types[] = {wxEVT_SCROLLWIN_TOP,      wxEVT_SCROLLWIN_BOTTOM,
                                        wxEVT_SCROLLWIN_LINEUP,   wxEVT_SCROLLWIN_LINEDOWN,
                                        wxEVT_SCROLLWIN_PAGEUP,   wxEVT_SCROLLWIN_PAGEDOWN,
                                        wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE};
    return types;
}
} // namespace

QxBaseChartView::QxBaseChartView() : QxCursorMgrMixin<QxBaseChartView>(this), m_annotHandler(this)
{
    Bind(wxEVT_SIZE, &QxBaseChartView::onSize, this);
    Bind(wxEVT_MOUSEWHEEL, &QxBaseChartView::onMouseWheel, this);
    for (int i = 0; i < 8; ++i)
        Bind(wxEventTypeTag<wxScrollWinEvent>(scrollEventTypes()[i]), &QxBaseChartView::onScrollEvent, this);
    // Horizontally the window never shifts pixels: a scroll shows other bars.
    EnableScrolling(false, true);
    setCursor(eCursorOpenHand);
}

QxBaseChartView::~QxBaseChartView()
{
    m_annotHandler.release();
    Unbind(wxEVT_SIZE, &QxBaseChartView::onSize, this);
    Unbind(wxEVT_MOUSEWHEEL, &QxBaseChartView::onMouseWheel, this);
    for (int i = 0; i < 8; ++i)
        Unbind(wxEventTypeTag<wxScrollWinEvent>(scrollEventTypes()[i]), &QxBaseChartView::onScrollEvent, this);
}

void QxBaseChartView::onScrollEvent(wxScrollWinEvent& event) { onScroll(event); }

void QxBaseChartView::PrepareDC(wxDC& dc) { dc.SetDeviceOrigin(0, -vertPos()); }

void QxBaseChartView::SetScrollbar(int orient, int pos, int thumb, int range, bool refresh)
{
    if (m_skipNextScrollbar) {
        m_skipNextScrollbar = false;
        return;
    }
    wxScrolledWindow::SetScrollbar(orient, pos, thumb, range, refresh);
}

void QxBaseChartView::ScrollWindow(int dx, int dy, const wxRect*)
{
    // Horizontal moves go through scrollHorzTo; vertical ones repaint from
    // the picture instead of shifting pixels, which keeps the feedback layer
    // and the picture in step.
    if (dx != 0 || dy != 0)
        Refresh(false);
}

wxBitmap& QxBaseChartView::chartBitmapOfSize(const wxSize& size)
{
    const wxSize wanted(std::max(1, size.x), std::max(1, size.y));
    if (!m_chartBitmap.IsOk() || m_chartBitmap.GetSize() != wanted) {
        // Dropped first: the old picture and the new one never live together.
        m_chartBitmap = wxNullBitmap;
        m_chartBitmap = wxBitmap(wanted);
        ++m_chartBitmapsMade;
    }
    return m_chartBitmap;
}

void QxBaseChartView::onSize(wxSizeEvent& event)
{
    refreshChart();
    // The toolkit sets the scroll bars itself after a size event; the set-up
    // just made stands.
    m_skipNextScrollbar = true;
    event.Skip();
}

void QxBaseChartView::setupScroll(unsigned visibleBars, unsigned totalBars, int previousWidth)
{
    QxHorzScrollModel::Input in;
    in.visibleBars = visibleBars;
    in.totalBars = totalBars;
    in.previousWidth = previousWidth;
    in.client = GetClientSize();
    in.virtualSize = getVirtualSize();
    in.hPos = horzPos();
    in.vPos = vertPos();
    in.lastVisibleBar = getLastVisibleBar();
    const QxHorzScrollModel::Layout layout = m_scroll.setup(in);
    const wxSize v = in.virtualSize;
    SetScrollbars(1, 1, std::max(0, v.x), std::max(0, v.y), layout.hPos, layout.vPos, true);
    if (layout.relayout) {
        setLastVisibleBar(layout.bar);
        refreshChart();
    }
}

void QxBaseChartView::scrollHorzTo(int pos)
{
    const QxHorzScrollModel::Move m = m_scroll.moveTo(pos);
    if (m.pos != horzPos())
        Scroll(m.pos, -1);
    if (m.bar != getLastVisibleBar() && getLastVisibleBar() != QxHorzScrollModel::kNoBar) {
        setLastVisibleBar(m.bar);
        refreshChart();
    }
}

void QxBaseChartView::scrollVertTo(int pos)
{
    pos = std::clamp(pos, 0, m_scroll.vMax());
    if (pos != vertPos())
        Scroll(-1, pos);
}

int QxBaseChartView::calcHorzScrollInc(wxScrollWinEvent& event)
{
    const wxEventType t = event.GetEventType();
    QxHorzScrollModel::Step step = QxHorzScrollModel::eTop;
    if (t == wxEVT_SCROLLWIN_LINEUP)
        step = QxHorzScrollModel::eLineUp;
    else if (t == wxEVT_SCROLLWIN_LINEDOWN)
        step = QxHorzScrollModel::eLineDown;
    else if (t == wxEVT_SCROLLWIN_PAGEUP)
        step = QxHorzScrollModel::ePageUp;
    else if (t == wxEVT_SCROLLWIN_PAGEDOWN)
        step = QxHorzScrollModel::ePageDown;
    else if (t == wxEVT_SCROLLWIN_THUMBTRACK || t == wxEVT_SCROLLWIN_THUMBRELEASE)
        step = QxHorzScrollModel::eThumb;
    else if (t == wxEVT_SCROLLWIN_BOTTOM)
        step = QxHorzScrollModel::eBottom;
    const bool ctrl = QxKeyState::isDown(WXK_CONTROL);
    return m_scroll.increment(step, horzPos(), event.GetPosition(), ctrl);
}

bool QxBaseChartView::doesSupportAnnot(int) const { return true; }

void QxBaseChartView::onScroll(wxScrollWinEvent& event)
{
    if (event.GetOrientation() == wxVERTICAL) {
        // The window scrolls one pixel per unit: a line is lineHeight.
        const wxEventType t = event.GetEventType();
        if (t == wxEVT_SCROLLWIN_LINEUP || t == wxEVT_SCROLLWIN_LINEDOWN)
            scrollVertTo(vertPos() + (t == wxEVT_SCROLLWIN_LINEUP ? -lineHeight() : lineHeight()));
        else
            HandleOnScroll(event);
        return;
    }
    const int inc = calcHorzScrollInc(event);
    if (inc != 0)
        scrollHorzTo(horzPos() + inc);
}

int QxBaseChartView::lineHeight() const { return std::max(GetCharHeight(), GetClientSize().y / 10); }

namespace {
// A scroll event as the scroll bar sends it.
wxScrollWinEvent scrollEvent(wxWindow* window, wxEventType type, int orient, int pos = 0)
{
    wxScrollWinEvent event(type, pos, orient);
    event.SetEventObject(window);
    return event;
}
} // namespace

bool QxBaseChartView::handleScrollKey(const wxKeyEvent& event)
{
    const int mods = event.GetModifiers();
    if (mods != wxMOD_NONE && mods != wxMOD_CONTROL)
        return false;
    const bool ctrl = mods == wxMOD_CONTROL;
    wxEventType type = wxEVT_NULL;
    int orient = wxHORIZONTAL;
    int pos = 0;
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT: type = wxEVT_SCROLLWIN_LINEUP; break;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT: type = wxEVT_SCROLLWIN_LINEDOWN; break;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP: type = wxEVT_SCROLLWIN_PAGEUP; break;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN: type = wxEVT_SCROLLWIN_PAGEDOWN; break;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
    case WXK_END:
    case WXK_NUMPAD_END: {
        // The scroll bar's own way to an end is its thumb dragged there.
        const bool home = event.GetKeyCode() == WXK_HOME || event.GetKeyCode() == WXK_NUMPAD_HOME;
        type = wxEVT_SCROLLWIN_THUMBRELEASE;
        pos = home ? 0 : m_scroll.hMax();
        if (ctrl) {
            wxScrollWinEvent vertical = scrollEvent(this, home ? wxEVT_SCROLLWIN_TOP : wxEVT_SCROLLWIN_BOTTOM, wxVERTICAL);
            onScroll(vertical);
        }
        break;
    }
    case WXK_UP:
    case WXK_NUMPAD_UP:
        type = wxEVT_SCROLLWIN_LINEUP;
        orient = wxVERTICAL;
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        type = wxEVT_SCROLLWIN_LINEDOWN;
        orient = wxVERTICAL;
        break;
    default: return false;
    }
    wxScrollWinEvent scroll = scrollEvent(this, type, orient, pos);
    onScroll(scroll);
    return true;
}

void QxBaseChartView::onMouseWheel(wxMouseEvent& event)
{
    // Notches, not the toolkit's fractions: a fine wheel adds up to one.
    m_wheelRotation += event.GetWheelRotation();
    const int delta = std::max(1, event.GetWheelDelta());
    const int notches = m_wheelRotation / delta;
    m_wheelRotation -= notches * delta;
    if (notches == 0)
        return;
    const bool sideways = event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL || event.ShiftDown();
    if (!sideways) {
        // Away from the user shows what is above.
        const int to = std::clamp(vertPos() - notches * lineHeight(), 0, m_scroll.vMax());
        wxScrollWinEvent scroll = scrollEvent(this, wxEVT_SCROLLWIN_THUMBRELEASE, wxVERTICAL, to);
        onScroll(scroll);
        return;
    }
    // A sideways wheel turned right reports positive rotation; Shift with
    // the wheel turned away goes back in time.
    const int toLater = event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL ? notches : -notches;
    const int step = std::max(m_scroll.barPixels(), m_scroll.pagePixels() / 10);
    wxScrollWinEvent scroll =
        scrollEvent(this, wxEVT_SCROLLWIN_THUMBRELEASE, wxHORIZONTAL, horzPos() + toLater * step);
    onScroll(scroll);
}

void QxBaseChartView::startPanning(const wxPoint& point)
{
    m_panning = true;
    m_panAnchorX = horzPos();
    m_panAnchorY = vertPos();
    m_lastMousePos = point;
    setCursor(eCursorClosedHand);
}

void QxBaseChartView::pan(const wxPoint& point)
{
    const int x = std::min(m_panAnchorX + m_lastMousePos.x - point.x, m_scroll.hMax());
    const int y = m_panAnchorY + m_lastMousePos.y - point.y;
    scrollVertTo(y);
    scrollHorzTo(x);
}

void QxBaseChartView::stopPanning(const wxPoint& point)
{
    pan(point);
    m_panning = false;
    resetCursor();
}

bool QxBaseChartView::handleMouseDown(wxMouseEvent& event)
{
    if (!m_panning)
        startPanning(event.GetPosition());
    return true;
}

bool QxBaseChartView::handleMouseMove(wxMouseEvent& event)
{
    if (!m_panning)
        return false;
    if (!event.LeftIsDown())
        stopPanning(event.GetPosition());
    else
        pan(event.GetPosition());
    return true;
}

bool QxBaseChartView::handleMouseUp(wxMouseEvent& event)
{
    if (!m_panning)
        return false;
    stopPanning(event.GetPosition());
    return true;
}

wxPoint QxBaseChartView::adjustY(const wxPoint& device) const
{
    return wxPoint(device.x, device.y + vertPos());
}

wxPoint QxBaseChartView::deviceToLogical(const wxPoint& device) const
{
    return wxPoint(device.x + horzPos(), device.y + vertPos());
}

void QxBaseChartView::invalidateRect(const wxRect& logical)
{
    wxRect r = logical;
    r.Offset(0, -vertPos());
    RefreshRect(r, false);
}

void QxBaseChartView::setAnnotTool(int tool)
{
    eraseCrosshair();
    if (tool == m_annotHandler.getTool()) {
        // Choosing the tool in hand again puts it down.
        if (tool != 0)
            m_annotHandler.dropTool();
        return;
    }
    m_annotHandler.setTool(tool);
    if (tool == 0)
        resetCursor();
    else
        setCursor(eCursorCross);
}

void QxBaseChartView::drawCrosshair(const wxPoint& point, const wxRect& rect)
{
    eraseCrosshair();
    if (rect.IsEmpty())
        return;
    const wxPen pen(feedbackColour(), 1, wxPENSTYLE_SOLID);
    std::vector<QxOverlay::Line> lines{
        {wxPoint(point.x, rect.y), wxPoint(point.x, rect.y + rect.height - 1), pen},
        {wxPoint(rect.x, point.y), wxPoint(rect.x + rect.width - 1, point.y), pen},
    };
    m_overlay.set(QxOverlay::eCrosshair, std::move(lines));
    m_overlay.refresh(this, QxOverlay::eCrosshair, wxPoint(0, -vertPos()));
}

void QxBaseChartView::eraseCrosshair()
{
    if (!m_overlay.isShown(QxOverlay::eCrosshair))
        return;
    // Repaint where the lines were, now from the picture alone.
    m_overlay.refresh(this, QxOverlay::eCrosshair, wxPoint(0, -vertPos()));
    m_overlay.clear(QxOverlay::eCrosshair);
}
