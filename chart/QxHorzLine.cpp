#include "chart/QxHorzLine.h"

#include "chart/QxScale.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>
#include <wx/intl.h>

namespace {
const QxAtom& offsetRole()
{
    static const QxAtom role("YOffset");
    return role;
}
} // namespace

QxHorzLine::QxHorzLine(int penStyle) : m_penStyle(penStyle) {}

QxDrawable* QxHorzLine::clone() const
{
    return new QxHorzLine(*this);
}

const QxAtom& QxHorzLine::getName() const
{
    static const QxAtom name("HORZLINE");
    return name;
}

const wxString& QxHorzLine::getDisplayText() const
{
    static const wxString text = _("Horizontal Line");
    return text;
}

const std::vector<QxDataInfo>& QxHorzLine::getParamInfos() const
{
    static const std::vector<QxDataInfo> roles{QxDataInfo(offsetRole(), _("Offset"), QxSeriesId::eSeriesConstant)};
    return roles;
}

int QxHorzLine::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                        bool) const
{
    const QxSeriesId& id = getSeries(offsetRole());
    // Only a constant holds a level; any other binding leaves the line
    // without one.
    if (!id.isValid() || id.kind() != QxSeriesId::eSeriesConstant)
        return eHorzLineOffsetNotSet;
    const double level = id.value();
    const QxRange<double> range = scaleRange(yScale);
    if (!(level >= range.lower && level <= range.upper))
        return eDataOutOfRange;

    const wxPen oldPen = dc.GetPen();
    wxPen pen(uniformColour(*wxLIGHT_GREY), 1, static_cast<wxPenStyle>(m_penStyle));
    pen.SetCap(wxCAP_BUTT);
    pen.SetJoin(wxJOIN_MITER);
    dc.SetPen(pen);
    const int y = yScale.map(level);
    dc.DrawLine(xScale.map(static_cast<double>(first)), y, xScale.map(static_cast<double>(last)), y);
    dc.SetPen(oldPen);
    return eNoError;
}
