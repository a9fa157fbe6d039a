#include "chart/QxCurve.h"

#include "chart/QxColorScheme.h"
#include "chart/QxScale.h"
#include "chart/QxDrawingHelpers.h"
#include "core/QxErrorCode.h"
#include "trading/QxSeriesText.h"

#include <wx/dcmemory.h>
#include <wx/intl.h>

#include <algorithm>
#include <memory>

namespace {
const QxAtom& dataRole()
{
    static const QxAtom role("DATA");
    return role;
}

wxPen linePen(const wxColour& colour, int width, int style)
{
    wxPen pen(colour, width, static_cast<wxPenStyle>(style));
    pen.SetCap(wxCAP_BUTT);
    pen.SetJoin(wxJOIN_MITER);
    return pen;
}
} // namespace

QxCurve::QxCurve(int penStyle, int width) : m_penStyle(penStyle), m_width(width) {}

const std::vector<QxDataInfo>& QxCurve::getParamInfos() const
{
    static const std::vector<QxDataInfo> roles{QxDataInfo(dataRole(), _("Data"), QxSeriesId::eSeriesIndicator)};
    return roles;
}

int QxCurve::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                     bool highlight) const
{
    QxSeries series;
    if (getDataSeries(dataRole(), series) != eNoError)
        return eSeriesNotAvailable;
    if (series.empty())
        return eInvalidData;
    const int64_t lo = std::max<int64_t>(first, series.first);
    const int64_t hi = std::min<int64_t>(last, series.last);
    if (lo > hi)
        return eInvalidIndex;

    std::unique_ptr<wxDC> graphics(createGraphicsDC(dc));
    wxDC& target = graphics ? *graphics : dc;
    const wxPen oldPen = target.GetPen();
    auto point = [&](int64_t i) {
        return wxPoint(xScale.map(static_cast<double>(i)), yScale.map(*series.at(static_cast<int32_t>(i))));
    };

    if (const QxColorScheme* scheme = perBarScheme()) {
        // Each segment takes the colour of its right-hand bar; the pen is
        // only changed where the colour changes.
        wxPen pen = linePen(scheme->colorAt(static_cast<unsigned>(lo)), m_width, m_penStyle);
        target.SetPen(pen);
        wxPoint previous = point(lo);
        for (int64_t i = lo + 1; i <= hi; ++i) {
            const wxColour& c = scheme->colorAt(static_cast<unsigned>(i));
            if (c != pen.GetColour()) {
                pen.SetColour(c);
                target.SetPen(pen);
            }
            const wxPoint current = point(i);
            target.DrawLine(previous, current);
            previous = current;
        }
    } else {
        const wxColour colour = uniformColour(*wxBLACK);
        const wxPen pen = linePen(colour, m_width, m_penStyle);
        std::vector<wxPoint> points;
        points.reserve(static_cast<size_t>(hi - lo + 1));
        for (int64_t i = lo; i <= hi; ++i)
            points.push_back(point(i));
        target.SetPen(pen);
        target.DrawLines(static_cast<int>(points.size()), points.data());
        if (highlight) {
            const int shift = m_width + 1;
            target.SetPen(linePen(blendColour(colour, 0.05), 1, wxPENSTYLE_SHORT_DASH));
            target.DrawLines(static_cast<int>(points.size()), points.data(), 0, shift);
            target.DrawLines(static_cast<int>(points.size()), points.data(), 0, -shift);
            target.SetPen(pen);
        }
    }
    target.SetPen(oldPen);
    return eNoError;
}

int QxCurve::getMargins(unsigned first, unsigned last, const QxScale&, const QxScale& yScale, wxPoint& top,
                        wxPoint& bottom) const
{
    const QxRange<double> range = getDataRange(first, last);
    if (range.isEmpty())
        return eSetupNotCalled;
    const QxRange<double> scale = scaleRange(yScale);
    if (scale.isEmpty())
        return eInvalidInput;
    top.x = bottom.x = 0;
    int d = yScale.map(scale.lower) - yScale.map(range.lower);
    bottom.y = d < m_width ? m_width - d : 0;
    d = yScale.map(range.upper) - yScale.map(scale.upper);
    top.y = d < m_width ? m_width - d : 0;
    return eNoError;
}

wxBitmap QxCurve::getLegend(const wxFont& font, const wxColour& textColour, const wxColour& backgroundColour,
                            int sampleLength) const
{
    const QxSeriesId& id = getSeries(dataRole());
    if (!id.isValid())
        return wxNullBitmap;
    wxString text;
    if (!seriesIdText(id, text) || text.empty())
        return wxNullBitmap;
    const wxFont& useFont = font.IsOk() ? font : *wxNORMAL_FONT;
    wxColour sample = *wxBLACK;
    if (const QxColorScheme* scheme = getColorScheme()) {
        const std::vector<QxColorEntry>& entries = scheme->getColorParamInfos();
        if (!entries.empty())
            sample = entries.front().colour;
    }
    if (m_legend.picture.IsOk() && m_legend.text == text && m_legend.font == useFont &&
        m_legend.textColour == textColour && m_legend.backgroundColour == backgroundColour &&
        m_legend.sample == sample && m_legend.sampleLength == sampleLength)
        return m_legend.picture;

    const int p = useFont.GetPointSize();
    const int q = p / 4;
    const int h = p + p / 2;
    wxCoord tw = 0, th = 0;
    {
        wxBitmap probe(1, 1);
        wxMemoryDC measure(probe);
        measure.SetFont(useFont);
        measure.GetTextExtent(text, &tw, &th);
    }
    const int w = tw + 3 * q + sampleLength;
    if (w <= 0 || h <= 0)
        return wxNullBitmap;

    wxBitmap bitmap(w, h, wxBITMAP_SCREEN_DEPTH);
    {
        wxMemoryDC dc(bitmap);
        dc.SetFont(useFont);
        wxPen fillPen(backgroundColour, 1, wxPENSTYLE_SOLID);
        fillPen.SetCap(wxCAP_BUTT);
        dc.SetPen(fillPen);
        dc.SetBrush(wxBrush(backgroundColour, wxBRUSHSTYLE_SOLID));
        dc.DrawRectangle(0, 0, w, h);

        dc.SetPen(linePen(sample, m_width, m_penStyle));
        const int y = h / 2 - m_width / 2;
        dc.DrawLine(q, y, sampleLength + q, y);

        dc.SetTextForeground(textColour);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc.DrawText(text, sampleLength + 2 * q, h / 2 - th / 2);
        dc.SelectObject(wxNullBitmap);
    }
    m_legend = Legend{text, useFont, textColour, backgroundColour, sample, sampleLength, bitmap};
    return bitmap;
}
