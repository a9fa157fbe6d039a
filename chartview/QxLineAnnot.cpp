#include "chartview/QxLineAnnot.h"

#include "chart/QxScale.h"
#include "chart/QxUniformScale.h"
#include "core/QxErrorCode.h"

#include <wx/dc.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLimit = QxUniformScale::kPixelLimit;

int roundPixel(double v)
{
    if (!(v > -kLimit))
        return static_cast<int>(-kLimit);
    if (v > kLimit)
        return static_cast<int>(kLimit);
    return static_cast<int>(std::floor(v + 0.5));
}

// The line through two pixels, A·y + B·x + C = 0 with A = a.x - b.x and
// B = b.y - a.y.
struct PixelLine {
    double A, B, C;

    PixelLine(const wxPoint& a, const wxPoint& b)
        : A(double(a.x) - b.x), B(double(b.y) - a.y), C(-(B * a.x) - A * a.y)
    {
    }

    // The line's pixel at column x. Where the row would leave what drawing
    // coordinates hold (a steep line far out, or a vertical line, whose row
    // is unbounded), the line's pixel at the limiting row instead, so the
    // line keeps its direction on the screen.
    wxPoint atColumn(int x) const
    {
        const double row = A != 0.0 ? (-C - B * x) / A : (B > 0 ? kLimit : -kLimit);
        if (std::fabs(row) <= kLimit)
            return wxPoint(x, roundPixel(row));
        const double limit = row > 0 ? kLimit : -kLimit;
        return wxPoint(roundPixel((-C - A * limit) / B), static_cast<int>(limit));
    }

    double distance(const wxPoint& p) const
    {
        return std::fabs(B * p.x + A * p.y + C) / std::sqrt(A * A + B * B);
    }
};

} // namespace

QxLineAnnot::QxLineAnnot(Kind kind) : m_kind(kind) {}

QxAnnot* QxLineAnnot::clone() const
{
    auto* copy = new QxLineAnnot(*this);
    copy->setSelected(false);
    return copy;
}

QxAtom QxLineAnnot::getName() const { return QxAtom("QxLineAnnot"); }

unsigned QxLineAnnot::numPoints() const { return m_kind == eVerticalLine || m_kind == eHorizontalLine ? 1 : 2; }

int QxLineAnnot::setPoint(unsigned index, const QxPoint& point)
{
    // Point 1 is kept for one-point kinds too: it is where the mouse is while
    // such a line is placed by dragging.
    if (index > 1)
        return eInvalidIndex;
    (index == 0 ? m_p0 : m_p1) = point;
    return eNoError;
}

QxPoint QxLineAnnot::getPoint(unsigned index) const { return index == 0 ? m_p0 : m_p1; }

bool QxLineAnnot::hasProperty(int property) const { return property == ePropPen || property == ePropColour; }

wxXmlNode* QxLineAnnot::toXml(wxXmlNode* parent) const
{
    wxXmlNode* element = QxAnnot::toXml(parent);
    element->AddAttribute("Type", wxString::Format("%u", static_cast<unsigned>(m_kind)));
    return element;
}

QxLineAnnot::Segment QxLineAnnot::lineDeviceSegment(const QxScale& x, const QxScale& y) const
{
    const wxPoint a = toPixel(m_p0, x, y);
    const wxPoint b = toPixel(m_p1, x, y);
    const PixelLine line(a, b);
    const int left = x.map(std::trunc(x.min()) - 1.0);
    const int right = x.map(std::trunc(x.max()) + 1.0);
    const int top = y.map(y.min());
    const int bottom = y.map(y.max());
    switch (m_kind) {
    case eRay:
        if (b.x > a.x)
            return {a, line.atColumn(right)};
        if (b.x < a.x)
            return {line.atColumn(left), a};
        return {wxPoint(a.x, top), wxPoint(a.x, bottom)};
    case eExtendedLine:
        if (a.x == b.x)
            return {wxPoint(a.x, top), wxPoint(a.x, bottom)};
        return {line.atColumn(left), line.atColumn(right)};
    case eVerticalLine:
        return {wxPoint(a.x, top), wxPoint(a.x, bottom)};
    case eHorizontalLine:
        return {wxPoint(left, a.y), wxPoint(right, a.y)};
    default:
        return {a, b};
    }
}

std::array<wxPoint, 3> QxLineAnnot::arrowHeadPoints(const wxPoint& tip, const wxPoint& tail, int length)
{
    const double theta = std::atan2(double(tail.y) - tip.y, double(tip.x) - tail.x);
    const double spread = 0.2618; // 15 degrees either side
    auto corner = [&](double angle) {
        return wxPoint(roundPixel(tip.x - length * std::cos(angle)), roundPixel(tip.y + length * std::sin(angle)));
    };
    return {corner(theta - spread), tip, corner(theta + spread)};
}

int QxLineAnnot::draw(wxDC& dc, unsigned, unsigned, const QxScale& x, const QxScale& y) const
{
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    const wxPen& pen = getPen();
    dc.SetPen(pen);
    dc.SetBrush(wxBrush(pen.GetColour(), wxBRUSHSTYLE_SOLID));
    const Segment s = lineDeviceSegment(x, y);
    dc.DrawLine(s.a, s.b);

    const wxPoint a = toPixel(m_p0, x, y);
    const wxPoint b = toPixel(m_p1, x, y);
    const int length = pen.GetWidth() + 15;
    auto head = [&](const wxPoint& tip, const wxPoint& tail) {
        const std::array<wxPoint, 3> points = arrowHeadPoints(tip, tail, length);
        dc.DrawPolygon(3, points.data());
    };
    if (m_kind == eArrow || m_kind == eTwoHeadedArrow)
        head(b, a);
    if (m_kind == eTwoHeadedArrow)
        head(a, b);
    if (isSelected())
        drawHandles(dc, numPoints() == 1 ? std::vector<wxPoint>{a} : std::vector<wxPoint>{a, b});
    dc.SetPen(oldPen);
    dc.SetBrush(oldBrush);
    return eNoError;
}

int QxLineAnnot::hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                         int tolerance) const
{
    const int t = tolerance < 0 ? defaultTolerance() : tolerance;
    if (pointIndex) {
        std::vector<wxPoint> pixels{toPixel(m_p0, x, y)};
        if (numPoints() == 2)
            pixels.push_back(toPixel(m_p1, x, y));
        if (hitPixels(pixels, p, t, pointIndex))
            return eHitPoint;
    }
    const Segment s = lineDeviceSegment(x, y);
    const wxRect span = wxRect(s.a, s.b).Inflate(t, t);
    if (!span.Contains(p))
        return eHitNone;
    if (s.a == s.b) // a line of no length is its one pixel
        return nearPixel(s.a, p, t) ? eHitBody : eHitNone;
    return PixelLine(s.a, s.b).distance(p) <= t ? eHitBody : eHitNone;
}
