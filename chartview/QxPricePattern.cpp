#include "chartview/QxPricePattern.h"

#include "app/QxApplication.h"
#include "chart/QxScale.h"
#include "chartview/QxAnnot.h"
#include "chart/QxDrawingHelpers.h"
#include "chartview/QxZigZagTurningPoints.h"
#include "configdlg/QxPricePatternDetectionDlg.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"

#include <wx/dc.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>
#include <memory>

std::vector<unsigned> detectDoubleTops(const std::vector<unsigned>& t, const double* c)
{
    std::vector<unsigned> found;
    for (size_t k = 4; k < t.size(); ++k) {
        const double c0 = c[t[k - 4]], c1 = c[t[k - 3]], c2 = c[t[k - 2]], c3 = c[t[k - 1]], c4 = c[t[k]];
        const double b1 = t[k - 3], b2 = t[k - 2], b3 = t[k - 1];
        const double s = c1 > c0 ? 1.0 : -1.0;
        const bool top = s > 0;
        const bool completed = s * (c3 - c2) <= -s * (c4 - c3);
        const double fall = std::fabs(c2 - c1), rise = std::fabs(c3 - c2);
        const bool similarLegs = std::fabs(fall - rise) <= 0.5 * (fall + rise);
        const bool centred = (3 * b1 + b3) / 4 <= b2 && b2 <= (b1 + 3 * b3) / 4;
        const bool height = top ? (c0 <= c2 || c1 <= c3) : (c2 <= c0 || c3 <= c1);
        if (completed && similarLegs && centred && height)
            found.push_back(static_cast<unsigned>(k));
    }
    return found;
}

namespace {

// The bar at which the line through (b0, c0) and (b1, c1) reaches level;
// bar 0 for a level line.
double crossing(double b0, double c0, double b1, double c1, double level)
{
    return c1 == c0 ? 0.0 : b0 + (level - c0) * (b1 - b0) / (c1 - c0);
}

bool within(double value, double reference)
{
    return 0.4 * reference <= value && value <= reference / 0.4;
}

} // namespace

std::vector<unsigned> detectHeadAndShoulders(const std::vector<unsigned>& t, const double* c)
{
    std::vector<unsigned> found;
    for (size_t u = 0; u + 7 <= t.size(); ++u) {
        double b[7], v[7];
        for (int i = 0; i < 7; ++i) {
            b[i] = t[u + i];
            v[i] = c[t[u + i]];
        }
        const bool inverse = v[0] > v[1];
        const auto above = [inverse](double x, double y) { return inverse ? x < y : x > y; };
        const bool shape = (v[3] == v[1] || above(v[3], v[1])) && (v[3] == v[5] || above(v[3], v[5])) &&
                           (v[4] == v[1] || above(v[1], v[4])) && (v[5] == v[2] || above(v[5], v[2])) &&
                           0.5 * std::fabs(v[3] - v[2]) <= std::fabs(v[4] - v[3]);
        if (!shape)
            continue;
        const double left = b[2] - crossing(b[0], v[0], b[1], v[1], v[2]);
        const double head = b[4] - b[2];
        const double right = crossing(b[5], v[5], b[6], v[6], v[4]) - b[4];
        if (!within(left, head) || !within(right, head) || !within(left, right))
            continue;
        const auto side = [&](double x, double y) {
            return (v[4] - v[2]) * x + (b[2] - b[4]) * y - b[2] * (v[4] - v[2]) - v[2] * (b[2] - b[4]);
        };
        if (side(b[5], v[5]) * side(b[6], v[6]) < 0)
            found.push_back(static_cast<unsigned>(u + 6));
    }
    return found;
}

QxPricePattern::QxPricePattern(const QxPricePatternConfig& config) : QxPricePatternConfig(config) {}

QxPricePattern::QxPricePattern(const QxPricePattern& other) = default;

QxPricePattern::~QxPricePattern() = default;

wxXmlNode* QxPricePattern::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, getName().string());
    element->AddAttribute("Filter", wxString::FromCDouble(filter, 6));
    element->AddAttribute("BullReversalPen", formatPenSpec(topPen));
    element->AddAttribute("BearReversalPen", formatPenSpec(bottomPen));
    return element;
}

int QxPricePattern::fromXml(const wxXmlNode* element)
{
    if (!element)
        return eNoError;
    const wxString text = element->GetAttribute("Filter", wxString());
    double value = 0.0;
    filter = (text.ToCDouble(&value) || text.ToDouble(&value)) && std::isfinite(value) ? value : 0.0;
    parsePenSpec(element->GetAttribute("BullReversalPen", wxString()), topPen);
    parsePenSpec(element->GetAttribute("BearReversalPen", wxString()), bottomPen);
    return eNoError;
}

int QxPricePattern::findShapes(unsigned first, unsigned last, const QxScale& x, const QxScale& y,
                               std::vector<Shape>& shapes) const
{
    shapes.clear();
    QxCalculator* calc = getCalculator();
    QxPriceHistory* history = calc ? calc->prices(false) : nullptr;
    if (!history || first > last || last >= history->numBars())
        return eUnknownError;
    const QxArrayT<unsigned> tps = computeZigZagTurningPoints(calc, filter);
    const unsigned* begin = tps.data();
    const unsigned* end = begin + tps.size();
    const unsigned* lo = std::lower_bound(begin, end, first);
    const unsigned* hi = std::lower_bound(begin, end, last);
    if (lo == end || hi == end)
        return eUnknownError;
    if (*lo > first && lo != begin)
        --lo;
    const size_t before = shapeSize() - 1;
    const unsigned* start = size_t(lo - begin) < before ? begin : lo - before;
    std::vector<unsigned> window(start, hi);
    window.push_back(last);

    const double* c = history->close();
    for (unsigned k : detect(window, c)) {
        const unsigned* p = window.data() + k + 1 - shapeSize();
        Shape shape;
        shape.top = isTop(c[p[0]], c[p[1]]);
        const int shift = shape.top ? -2 : 2;
        for (unsigned i = 0; i < shapeSize(); ++i)
            shape.points.emplace_back(x.map(double(p[i])), y.map(c[p[i]]) + shift);
        if (p[0] < first) {
            // Cut at the left edge, on the line from the first point to the second.
            const double at = p[1] == p[0] ? c[p[0]]
                                           : c[p[0]] + (c[p[1]] - c[p[0]]) * double(first - p[0]) / double(p[1] - p[0]);
            shape.points[0] = wxPoint(x.map(double(first)), y.map(at));
        }
        shapes.push_back(std::move(shape));
    }
    return eNoError;
}

int QxPricePattern::draw(wxDC& dc, unsigned first, unsigned last, const QxScale& x, const QxScale& y) const
{
    std::vector<Shape> shapes;
    const int rc = findShapes(first, last, x, y, shapes);
    if (rc != eNoError || shapes.empty())
        return rc;
    std::unique_ptr<wxDC> graphics(createGraphicsDC(dc));
    wxDC& target = graphics ? *graphics : dc;
    const wxPen saved = target.GetPen();
    for (const Shape& shape : shapes) {
        target.SetPen(shape.top ? topPen : bottomPen);
        target.DrawLines(static_cast<int>(shape.points.size()), shape.points.data());
    }
    target.SetPen(saved);
    return eNoError;
}

void QxPricePattern::display(wxDC& dc, unsigned first, unsigned last, const QxScale& x, const QxScale& y) const
{
    draw(dc, first, last, x, y);
}

bool QxPricePattern::configureWith(const wxString& title, const wxString& message)
{
    QxApplication* app = QxApplication::getApp();
    QxPricePatternDetectionDlg dialog(app ? app->activeFrame() : nullptr, *this);
    dialog.SetTitle(title);
    dialog.setMessage(message);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    static_cast<QxPricePatternConfig&>(*this) = dialog;
    return true;
}

QxDoubleTop::QxDoubleTop(const QxPricePatternConfig& config) : QxPricePattern(config) {}

QxAtom QxDoubleTop::getName() const
{
    return QxAtom("QxDoubleTop");
}

wxString QxDoubleTop::getDisplayText() const
{
    return wxString::Format("Double Top detector (filter:%2.2f%%)", filter);
}

bool QxDoubleTop::configure()
{
    return configureWith(_("Double Top detection configuration"),
                         _("Please provide configuration parameters for detecting\ndouble top patterns in price "
                           "movement."));
}

QxHeadAndShoulder::QxHeadAndShoulder(const QxPricePatternConfig& config) : QxPricePattern(config) {}

QxAtom QxHeadAndShoulder::getName() const
{
    return QxAtom("QxHeadAndShoulder");
}

wxString QxHeadAndShoulder::getDisplayText() const
{
    return wxString::Format("Head and Shoulder detector (filter:%2.2f%%)", filter);
}

bool QxHeadAndShoulder::configure()
{
    return configureWith(_("Head and Shoulders detection configuration"),
                         _("Please provide configuration parameters for detecting\n'head and shoulders' patterns in "
                           "price movement."));
}
