#include "chartview/QxAnnot.h"

#include "chart/QxChartConfiguration.h"
#include "chart/QxScale.h"
#include "chartview/QxAndrewsPitchFork.h"
#include "chartview/QxFibonacciRetracement.h"
#include "chartview/QxLineAnnot.h"
#include "chartview/QxLinearRegressionChannel.h"
#include "chartview/QxOvalAnnot.h"
#include "chartview/QxRectAnnot.h"
#include "chartview/QxTextAnnot.h"
#include "chartview/QxTriangleAnnot.h"
#include "core/QxCalculator.h"

#include <wx/dc.h>
#include <wx/xml/xml.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// No kind has more points; an index beyond is never set, so a file cannot
// make the reader hold more.
constexpr long kMaxPointIndex = 64;

bool parseLong(const wxString& text, long& value) { return !text.empty() && text.ToLong(&value, 10); }

// A number of the pen text: digits with an optional sign, at most what a
// 64-bit integer holds.
bool scanNumber(const char*& s, long long& value, bool allowSign)
{
    const char* start = s;
    bool negative = false;
    if (allowSign && (*s == '-' || *s == '+'))
        negative = *s++ == '-';
    if (*s < '0' || *s > '9') {
        s = start;
        return false;
    }
    unsigned long long v = 0;
    while (*s >= '0' && *s <= '9') {
        if (v > (ULLONG_MAX - 9) / 10)
            return false; // longer than any field can be
        v = v * 10 + static_cast<unsigned>(*s++ - '0');
    }
    if (v > static_cast<unsigned long long>(LLONG_MAX))
        return false;
    value = negative ? -static_cast<long long>(v) : static_cast<long long>(v);
    return true;
}

bool scanLiteral(const char*& s, const char* literal)
{
    const size_t n = std::strlen(literal);
    if (std::strncmp(s, literal, n) != 0)
        return false;
    s += n;
    return true;
}

} // namespace

QxAnnot::QxAnnot() : m_pen(*wxRED_PEN) {}

QxAnnot::QxAnnot(const QxAnnot& other)
    : QxObject(), m_calculator(other.m_calculator), m_font(other.m_font), m_pen(other.m_pen),
      m_selected(other.m_selected)
{
}

QxAnnot::~QxAnnot() = default;

QxAnnotBox QxAnnot::getTextBox() const { return QxAnnotBox(); }

void QxAnnot::setCalculator(QxCalculator* calculator) { m_calculator = calculator; }

int QxAnnot::defaultTolerance() const { return (m_pen.IsOk() ? m_pen.GetWidth() + 5 : 5) / 2; }

wxPoint QxAnnot::toPixel(const QxPoint& point, const QxScale& x, const QxScale& y)
{
    return wxPoint(x.map(point.x), y.map(point.y));
}

bool QxAnnot::nearPixel(const wxPoint& pixel, const wxPoint& p, int tolerance)
{
    return std::abs(static_cast<long>(pixel.x) - p.x) <= tolerance &&
           std::abs(static_cast<long>(pixel.y) - p.y) <= tolerance;
}

bool QxAnnot::hitPixels(const std::vector<wxPoint>& pixels, const wxPoint& p, int tolerance, unsigned* index)
{
    for (size_t i = 0; i < pixels.size(); ++i)
        if (nearPixel(pixels[i], p, tolerance)) {
            if (index)
                *index = static_cast<unsigned>(i);
            return true;
        }
    return false;
}

void QxAnnot::drawHandles(wxDC& dc, const std::vector<wxPoint>& pixels) const
{
    const int width = m_pen.IsOk() ? m_pen.GetWidth() : 1;
    const int side = (width + 5) & ~1;
    const wxColour colour = m_pen.IsOk() ? m_pen.GetColour() : *wxRED;
    const wxPen oldPen = dc.GetPen();
    const wxBrush oldBrush = dc.GetBrush();
    dc.SetPen(wxPen(colour, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
    for (const wxPoint& p : pixels)
        dc.DrawRectangle(p.x - side / 2, p.y - side / 2, side, side);
    dc.SetPen(oldPen);
    dc.SetBrush(oldBrush);
}

wxXmlNode* QxAnnot::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, getName().string());
    if (parent)
        parent->AddChild(element);
    if (hasProperty(ePropFont) && m_font.IsOk())
        element->AddAttribute("Font", m_font.GetNativeFontInfoDesc());
    if (hasProperty(ePropPen))
        element->AddAttribute("Pen", formatPenSpec(m_pen));
    else if (hasProperty(ePropColour))
        element->AddAttribute("Color", colourToConfigString(m_pen.GetColour()));
    const unsigned n = numPoints();
    if (n == 0)
        return element;
    auto* points = new wxXmlNode(wxXML_ELEMENT_NODE, "CreationPoints");
    element->AddChild(points);
    for (unsigned i = 0; i < n; ++i) {
        const QxPoint p = getPoint(i);
        // A whole bar position; points moved left of the first bar write 0
        // rather than a wrapped-around number.
        const double x = std::trunc(p.x);
        const unsigned bar = !(x > 0.0) ? 0u : x >= double(UINT_MAX) ? UINT_MAX : static_cast<unsigned>(x);
        auto* point = new wxXmlNode(wxXML_ELEMENT_NODE, "Point");
        points->AddChild(point);
        point->AddAttribute("Index", wxString::Format("%u", i));
        point->AddAttribute("x", wxString::Format("%u", bar));
        point->AddAttribute("y", wxString::FromCDouble(p.y, 6));
    }
    return element;
}

int QxAnnot::fromXml(const wxXmlNode* element)
{
    if (!element)
        return 0;
    wxString text;
    if (hasProperty(ePropFont) && element->GetAttribute("Font", &text) && !text.empty()) {
        wxFont font;
        if (font.SetNativeFontInfo(text) && font.IsOk())
            m_font = font;
    }
    if (hasProperty(ePropPen) && element->GetAttribute("Pen", &text) && !text.empty()) {
        parsePenSpec(text, m_pen); // a pen that does not read stays, and no "Color" either
    } else if (hasProperty(ePropColour) && element->GetAttribute("Color", &text) && !text.empty()) {
        wxColour colour;
        if (colour.Set(text))
            m_pen.SetColour(colour);
    }

    const wxXmlNode* points = findXmlChildNoCase(element, "CreationPoints");
    if (!points)
        return 0;
    std::map<long, QxPoint> read;
    for (const wxXmlNode* child = points->GetChildren(); child; child = child->GetNext()) {
        long index = 0;
        if (child->GetType() != wxXML_ELEMENT_NODE || !parseLong(child->GetAttribute("Index", wxString()), index))
            continue;
        if (index < 0 || index >= kMaxPointIndex)
            continue;
        QxPoint& p = read[index] = QxPoint();
        long x = 0;
        if (parseLong(child->GetAttribute("x", wxString()), x))
            p.x = static_cast<double>(x);
        double y = 0.0;
        const wxString yText = child->GetAttribute("y", wxString());
        if ((yText.ToCDouble(&y) || yText.ToDouble(&y)) && std::isfinite(y))
            p.y = y;
    }
    for (const auto& [index, point] : read)
        setPoint(static_cast<unsigned>(index), point); // a refused point stays unset
    return 0;
}

wxString formatPenSpec(const wxPen& pen)
{
    const wxColour c = pen.IsOk() ? pen.GetColour() : *wxRED;
    const unsigned rgb = unsigned(c.Red()) | unsigned(c.Green()) << 8 | unsigned(c.Blue()) << 16;
    return wxString::Format("Color:%u;Width:%d;Style:%d", rgb, pen.IsOk() ? pen.GetWidth() : 1,
                            pen.IsOk() ? static_cast<int>(pen.GetStyle()) : static_cast<int>(wxPENSTYLE_SOLID));
}

bool parsePenSpec(const wxString& text, wxPen& pen)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const char* s = utf8.data();
    long long rgb = 0, width = 0, style = 0;
    if (!scanLiteral(s, "Color:") || !scanNumber(s, rgb, false) || !scanLiteral(s, ";Width:") ||
        !scanNumber(s, width, true) || !scanLiteral(s, ";Style:") || !scanNumber(s, style, true))
        return false;
    if (rgb > UINT_MAX || width < 0 || width > 100 || !isUsablePenStyle(static_cast<long>(style)))
        return false;
    wxColour colour;
    colour.Set(static_cast<unsigned char>(rgb & 0xff), static_cast<unsigned char>((rgb >> 8) & 0xff),
               static_cast<unsigned char>((rgb >> 16) & 0xff));
    pen = wxPen(colour, static_cast<int>(width), static_cast<wxPenStyle>(style));
    return true;
}

bool segmentNearPoint(const wxPoint& a, const wxPoint& b, const wxPoint& p, int tolerance)
{
    const double ax = a.x, ay = a.y, bx = b.x, by = b.y, px = p.x, py = p.y, t = tolerance;
    if (px + t < std::min(ax, bx) || px - t > std::max(ax, bx))
        return false;
    const double dx = ax - bx, dy = by - ay;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) // both ends on one pixel: the distance to it
        return std::hypot(px - ax, py - ay) <= t;
    return std::fabs(dy * px + dx * py - dy * ax - dx * ay) / length <= t;
}

wxXmlNode* findXmlChildNoCase(const wxXmlNode* node, const wxString& name)
{
    if (!node)
        return nullptr;
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetName().IsSameAs(name, false))
            return child;
    return nullptr;
}

QxAnnot* createAnnotFromXml(const wxXmlNode* element)
{
    if (!element || element->GetType() != wxXML_ELEMENT_NODE)
        return nullptr;
    const wxString name = element->GetName();
    QxAnnot* annot = nullptr;
    if (name.IsSameAs("QxLineAnnot", false)) {
        long type = 0;
        if (!parseLong(element->GetAttribute("Type", wxString()), type) || type < QxLineAnnot::eTrendLine ||
            type > QxLineAnnot::eTwoHeadedArrow)
            return nullptr;
        annot = new QxLineAnnot(static_cast<QxLineAnnot::Kind>(type));
    } else if (name.IsSameAs("QxTextAnnot", false)) {
        auto* text = new QxTextAnnot(element->GetAttribute("Text", wxString()));
        // The width the lines were broken at; files without it (or with a
        // width no box can have) lay the text out across the corners.
        long width = 0;
        if (parseLong(element->GetAttribute("BoxWidth", wxString()), width) && width >= 1 &&
            width <= QxTextAnnot::kMaxBoxWidth)
            text->setBoxWidth(static_cast<int>(width));
        annot = text;
    } else if (name.IsSameAs("QxAndrewsPitchFork", false)) {
        annot = new QxAndrewsPitchFork;
    } else if (name.IsSameAs("QxLinearRegressionChannel", false)) {
        annot = new QxLinearRegressionChannel;
    } else if (name.IsSameAs("QxFibonacciRetracement", false)) {
        annot = new QxFibonacciRetracement;
    } else if (name.IsSameAs("QxRectAnnot", false)) {
        annot = new QxRectAnnot;
    } else if (name.IsSameAs("QxOvalAnnot", false)) {
        annot = new QxOvalAnnot;
    } else if (name.IsSameAs("QxTriangleAnnot", false)) {
        annot = new QxTriangleAnnot;
    }
    if (annot)
        annot->fromXml(element);
    return annot;
}
