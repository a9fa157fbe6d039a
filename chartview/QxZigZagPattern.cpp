#include "chartview/QxZigZagPattern.h"

#include "app/QxApplication.h"
#include "chart/QxScale.h"
#include "chartview/QxAnnot.h"
#include "chart/QxDrawingHelpers.h"
#include "chartview/QxZigZagTurningPoints.h"
#include "configdlg/QxZiagzagConfigDlg.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"

#include <wx/dc.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <cmath>
#include <memory>

QxZigZagPattern::QxZigZagPattern(const QxZigZagPatternConfig& config) : QxZigZagPatternConfig(config) {}

QxZigZagPattern::QxZigZagPattern(const QxZigZagPattern& other) = default;

QxZigZagPattern::~QxZigZagPattern() = default;

QxAtom QxZigZagPattern::getName() const
{
    return QxAtom("QxZigZagPattern");
}

wxString QxZigZagPattern::getDisplayText() const
{
    return wxString::Format("ZigZag (filter:%2.2f%%)", filter);
}

bool QxZigZagPattern::configure()
{
    QxApplication* app = QxApplication::getApp();
    QxZiagzagConfigDlg dialog(app ? app->activeFrame() : nullptr, *this);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    filter = dialog.filter;
    pen = dialog.pen;
    return true;
}

wxXmlNode* QxZigZagPattern::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "QxZigZagPattern");
    element->AddAttribute("Filter", wxString::FromCDouble(filter, 6));
    element->AddAttribute("Pen", formatPenSpec(pen));
    return element;
}

int QxZigZagPattern::fromXml(const wxXmlNode* element)
{
    if (!element)
        return eNoError;
    const wxString text = element->GetAttribute("Filter", wxString());
    double value = 0.0;
    filter = (text.ToCDouble(&value) || text.ToDouble(&value)) && std::isfinite(value) ? value : 0.0;
    parsePenSpec(element->GetAttribute("Pen", wxString()), pen);
    return eNoError;
}

int QxZigZagPattern::linePoints(unsigned first, unsigned last, const QxScale& x, const QxScale& y,
                                std::vector<wxPoint>& points) const
{
    points.clear();
    QxCalculator* calc = getCalculator();
    QxPriceHistory* history = calc ? calc->prices(false) : nullptr;
    if (!history || history->numBars() < 2)
        return eNoError;
    const unsigned n = history->numBars();
    if (first > last || last >= n)
        return eInvalidIndex;
    const QxArrayT<unsigned> tps = computeZigZagTurningPoints(calc, filter);
    const unsigned* begin = tps.data();
    const unsigned* end = begin + tps.size();
    const unsigned* it = std::lower_bound(begin, end, first);
    if (it == end)
        return eUnknownError;
    const double* c = history->close();
    const auto at = [&](unsigned bar, double value) { return wxPoint(x.map(double(bar)), y.map(value)); };

    if (*it == first) {
        points.push_back(at(first, c[first]));
    } else {
        // The list starts with bar 0, so a turning point lies before first.
        const unsigned p = *(it - 1);
        points.push_back(at(first, c[p] + (c[*it] - c[p]) * double(first - p) / double(*it - p)));
    }
    for (; it != end && *it < last; ++it)
        points.push_back(at(*it, c[*it]));
    points.push_back(at(last, c[last]));
    return eNoError;
}

int QxZigZagPattern::draw(wxDC& dc, unsigned first, unsigned last, const QxScale& x, const QxScale& y) const
{
    std::vector<wxPoint> points;
    const int rc = linePoints(first, last, x, y, points);
    if (rc != eNoError || points.size() < 2)
        return rc;
    std::unique_ptr<wxDC> graphics(createGraphicsDC(dc));
    wxDC& target = graphics ? *graphics : dc;
    const wxPen saved = target.GetPen();
    target.SetPen(pen);
    target.DrawLines(static_cast<int>(points.size()), points.data());
    target.SetPen(saved);
    return eNoError;
}

void QxZigZagPattern::display(wxDC& dc, unsigned first, unsigned last, const QxScale& x, const QxScale& y) const
{
    draw(dc, first, last, x, y);
}
