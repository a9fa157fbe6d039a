#include "chartview/QxPointAndFigureView.h"

#include "app/QxApplication.h"
#include "chartview/QxAnnot.h"
#include "chartview/QxPointAndFigureFrame.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxSecurity.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>

QxPointAndFigureView* QxPointAndFigureView::create(QxSecurity* security)
{
    if (!security)
        return nullptr;
    wxBusyCursor busy;
    auto* view = new QxPointAndFigureView(security);
    if (view->createWindow() != eNoError)
        return nullptr; // createWindow has destroyed the view with its frame
    QxApplication* app = QxApplication::getApp();
    const wxString appName = app ? app->getAppName() : QxApplication::appTitle();
    view->m_frame->SetTitle(appName + " [" + wxString::FromUTF8(security->name()) + "]");
    view->SetFocus();
    return view;
}

QxPointAndFigureView::QxPointAndFigureView(QxSecurity* security)
    : m_pnf(new QxCalculator(security, Qx::eDaily))
{
    Bind(wxEVT_PAINT, &QxPointAndFigureView::onPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, &QxPointAndFigureView::onEraseBackground, this);
    Bind(wxEVT_MOTION, &QxPointAndFigureView::onMotion, this);
    Bind(wxEVT_LEFT_DOWN, &QxPointAndFigureView::onLeftDown, this);
    Bind(wxEVT_LEFT_UP, &QxPointAndFigureView::onLeftUp, this);
    Bind(wxEVT_KEY_DOWN, &QxPointAndFigureView::onKeyDown, this);
    SetBackgroundColour(*wxWHITE);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
}

QxPointAndFigureView::~QxPointAndFigureView()
{
    Unbind(wxEVT_PAINT, &QxPointAndFigureView::onPaint, this);
    Unbind(wxEVT_ERASE_BACKGROUND, &QxPointAndFigureView::onEraseBackground, this);
    Unbind(wxEVT_MOTION, &QxPointAndFigureView::onMotion, this);
    Unbind(wxEVT_LEFT_DOWN, &QxPointAndFigureView::onLeftDown, this);
    Unbind(wxEVT_LEFT_UP, &QxPointAndFigureView::onLeftUp, this);
    Unbind(wxEVT_KEY_DOWN, &QxPointAndFigureView::onKeyDown, this);
    if (HasCapture())
        ReleaseMouse();
    // Annotations hold the calculator: the handler lets go of its own first.
    m_annotHandler.release();
}

int QxPointAndFigureView::createWindow()
{
    m_frame = new QxPointAndFigureFrame();
    if (!Create(m_frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                wxHSCROLL | wxVSCROLL | wxSUNKEN_BORDER | wxALWAYS_SHOW_SB, wxPanelNameStr)) {
        // The frame does not own the window yet: both go.
        m_frame->Destroy();
        m_frame = nullptr;
        delete this;
        return eFailedToCreateWindow;
    }
    applyCurrentCursor();
    m_frame->setView(this);
    m_frame->SetMinSize(wxSize(100, 100));
    m_frame->Show();
    refreshChart();
    return eNoError;
}

// ---------------------------------------------------------------------------
// View operations

QxCalculator* QxPointAndFigureView::getCalc() const { return m_pnf.getCalc(); }

void QxPointAndFigureView::setLastVisibleBar(unsigned bar) { m_pnf.setLastColumn(bar); }

unsigned QxPointAndFigureView::getLastVisibleBar() const { return m_pnf.lastColumn(); }

unsigned QxPointAndFigureView::getFirstVisibleBar() const { return m_pnf.firstVisibleColumn(); }

void QxPointAndFigureView::setupChart()
{
    const int width = GetClientSize().x;
    wxBitmap scratch(std::max(1, width), 1000);
    wxMemoryDC dc(scratch);
    m_pnf.layout(dc, width);
}

bool QxPointAndFigureView::fitsHeight(int pixels) const
{
    const long levels = long(m_pnf.levelY().size());
    return long(pixels) * std::max(levels, 1L) + 2L * m_pnf.titleHeight() < long(kMaxVirtualHeight);
}

bool QxPointAndFigureView::canShowBoxPixels(int pixels) const
{
    // A column wider than the plot would show nothing at all.
    return fitsHeight(pixels) && pixels <= m_pnf.chartWidth() - 2 * m_pnf.plotLeft();
}

void QxPointAndFigureView::fitPicture()
{
    // Only a picture beyond what the scroll positions count gives way.
    while (!fitsHeight(m_pnf.boxPixels()) && m_pnf.boxPixels() > 2) {
        m_pnf.setBoxPixels(std::max(2, m_pnf.boxPixels() / 2));
        setupChart();
    }
}

void QxPointAndFigureView::refreshChart()
{
    if (!GetHandle())
        return;
    const int previousWidth = m_pnf.chartWidth();
    // New parameters ask for the newest columns; the scroll bars would keep
    // the old position's proportion instead.
    const bool newest = m_pnf.lastColumn() == QxPointAndFigure::kNotPlaced;
    setupChart();
    fitPicture();
    m_bitmapStale = true;
    setupScroll(m_pnf.visibleColumns(), m_pnf.numColumns(), previousWidth);
    if (newest && horzPos() != m_scroll.hMax())
        scrollHorzTo(m_scroll.hMax());
    annotHandler().chartChanged();
    Refresh(true);
}

wxSize QxPointAndFigureView::getVirtualSize() const
{
    const long width = long(m_pnf.boxPixels()) * long(m_pnf.numColumns()) + 2L * m_pnf.plotLeft();
    return wxSize(int(std::min(width, 2000000000L)), m_pnf.virtualHeight());
}

int QxPointAndFigureView::zoneAtPoint(const wxPoint&) const { return 0; }

wxPoint QxPointAndFigureView::chartToDevice(int, const QxPoint& point) const
{
    return wxPoint(m_pnf.columnScale().map(point.x), m_pnf.map(point.y));
}

QxPoint QxPointAndFigureView::deviceToChart(int, const wxPoint& logical, int) const
{
    // Left of column 0 the scale gives negative positions: clamped before
    // the conversion to a column index.
    const double raw = std::trunc(m_pnf.columnScale().unmap(logical.x) + 0.5);
    const unsigned column = !(raw > 0.0) ? 0u
                            : raw >= double(QxPointAndFigure::kNotPlaced) ? QxPointAndFigure::kNotPlaced - 1
                                                                          : static_cast<unsigned>(raw);
    return QxPoint{double(column), m_pnf.unmap(logical.y)};
}

std::vector<QxObjectSmartPtr<QxAnnot>>* QxPointAndFigureView::getAnnots(int) const
{
    return &m_pnf.annotations();
}

const QxScale& QxPointAndFigureView::getXMap(int) const { return m_pnf.columnScale(); }

const QxScale& QxPointAndFigureView::getYMap(int) const { return m_pnf; }

void QxPointAndFigureView::addAnnot(int, QxAnnot* annot)
{
    if (annot)
        m_pnf.annotations().emplace_back(annot);
}

void QxPointAndFigureView::removeAnnot(int, QxAnnot* annot)
{
    auto& list = m_pnf.annotations();
    auto it = std::find_if(list.begin(), list.end(), [annot](const auto& p) { return p.get() == annot; });
    if (it != list.end())
        list.erase(it);
}

void QxPointAndFigureView::invalidateZone(int zone) { invalidateRect(getZoneInnerRect(zone)); }

wxRect QxPointAndFigureView::getZoneInnerRect(int) const { return getInnerRect(); }

wxRect QxPointAndFigureView::getInnerRect() const
{
    return wxRect(0, 0, m_pnf.chartWidth(), m_pnf.virtualHeight());
}

wxPen QxPointAndFigureView::getDefaultPen() const { return m_frame ? m_frame->getDefaultPen() : *wxRED_PEN; }

// ---------------------------------------------------------------------------
// Painting

void QxPointAndFigureView::paintChartBitmap()
{
    // What the window shows, not the whole picture: that may be taller than
    // any bitmap.
    const wxSize client = GetClientSize();
    m_bitmapTop = vertPos();
    wxMemoryDC dc(chartBitmapOfSize(client));
    dc.SetDeviceOrigin(0, -m_bitmapTop);
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    m_pnf.display(dc, wxRect(0, m_bitmapTop, std::max(1, client.x), std::max(1, client.y)),
                  wxSize(std::max(1, client.x), std::max({1, m_pnf.virtualHeight(), client.y})));
    dc.SelectObject(wxNullBitmap);
    m_bitmapStale = false;
}

void QxPointAndFigureView::render(wxDC& dc)
{
    if (m_bitmapStale || m_bitmapTop != vertPos() || m_chartBitmap.GetSize() != GetClientSize())
        paintChartBitmap();
    if (m_chartBitmap.IsOk())
        dc.DrawBitmap(m_chartBitmap, 0, m_bitmapTop, false);
    m_overlay.paint(dc);
}

void QxPointAndFigureView::onPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PrepareDC(dc);
    render(dc);
}

// ---------------------------------------------------------------------------
// Mouse and keys

void QxPointAndFigureView::onMotion(wxMouseEvent& event)
{
    if (handleMouseMove(event))
        return;
    if (annotHandler().onMotion(event))
        return;
    if (getAnnotTool() == 0 && !isPanning())
        setCursor(eCursorOpenHand);
}

void QxPointAndFigureView::onLeftDown(wxMouseEvent& event)
{
    SetFocus();
    if (annotHandler().onLeftDown(event))
        return;
    handleMouseDown(event);
}

void QxPointAndFigureView::onLeftUp(wxMouseEvent& event)
{
    if (handleMouseUp(event))
        return;
    annotHandler().onLeftUp(event);
}

void QxPointAndFigureView::onKeyDown(wxKeyEvent& event)
{
    if (annotHandler().onKeyDown(event) || handleScrollKey(event))
        return;
    event.Skip();
}
