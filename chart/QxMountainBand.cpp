#include "chart/QxMountainBand.h"

#include "chart/QxColorScheme.h"
#include "chart/QxScale.h"
#include "chart/QxDrawingHelpers.h"
#include "chart/QxShapeBatch.h"
#include "core/QxErrorCode.h"
#include "core/QxUtils.h"
#include "core/platform/QxRasterOpScope.h"

#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const QxAtom& lowerRole()
{
    static const QxAtom role("LOWER_CLIFF");
    return role;
}

const QxAtom& upperRole()
{
    static const QxAtom role("UPPER_CLIFF");
    return role;
}
} // namespace

QxDrawable* QxMountainBand::clone() const
{
    return new QxMountainBand(*this);
}

const QxAtom& QxMountainBand::getName() const
{
    static const QxAtom name("MOUNTAINBAND");
    return name;
}

const wxString& QxMountainBand::getDisplayText() const
{
    static const wxString text = _("Mountain Band");
    return text;
}

const std::vector<QxDataInfo>& QxMountainBand::getParamInfos() const
{
    static const std::vector<QxDataInfo> roles{
        QxDataInfo(lowerRole(), _("Lower Cliff"), QxSeriesId::eSeriesIndicator),
        QxDataInfo(upperRole(), _("Upper Cliff"), QxSeriesId::eSeriesIndicator)};
    return roles;
}

int QxMountainBand::display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale,
                            const QxScale& yScale, bool) const
{
    QxSeries lower, upper;
    if (getDataSeries(lowerRole(), lower) != eNoError || getDataSeries(upperRole(), upper) != eNoError)
        return eSeriesNotAvailable;
    if (lower.empty() || upper.empty())
        return eInvalidData;
    const int64_t lo = std::max<int64_t>({first, lower.first, upper.first});
    const int64_t hi = std::min<int64_t>({last, lower.last, upper.last});
    if (lo > hi)
        return eNoError;

    auto x = [&xScale](double position) { return xScale.map(position); };
    auto y = [&yScale](const QxSeries& s, int64_t i) { return yScale.map(*s.at(static_cast<int32_t>(i))); };

    QxRasterOpScope rop(dc, wxAND);
    // The slices of each colour in one batch.
    const QxColorScheme* scheme = perBarScheme();
    QxColourBatches batches(dc);
    QxShapeBatch* uniform = scheme ? nullptr : &batches.of(uniformColour(*wxGREEN));
    auto batchAt = [&](int64_t bar) -> QxShapeBatch& {
        return uniform ? *uniform : batches.of(scheme->colorAt(static_cast<unsigned>(bar)));
    };

    // Consecutive slices of one colour are filled as the one polygon of
    // their run (the lower edge out, the upper one back) and outlined each.
    std::vector<wxPoint> lowerRun, upperRun;
    QxShapeBatch* runBatch = nullptr;
    auto endRun = [&] {
        if (runBatch && lowerRun.size() >= 2) {
            lowerRun.insert(lowerRun.end(), upperRun.rbegin(), upperRun.rend());
            runBatch->addArea(static_cast<int>(lowerRun.size()), lowerRun.data());
        }
        lowerRun.clear();
        upperRun.clear();
        runBatch = nullptr;
    };

    for (int64_t i = lo + 1; i <= hi; ++i) {
        const double la = *lower.at(static_cast<int32_t>(i - 1)), ua = *upper.at(static_cast<int32_t>(i - 1));
        const double lb = *lower.at(static_cast<int32_t>(i)), ub = *upper.at(static_cast<int32_t>(i));
        if (std::isnan(la) || std::isnan(ua) || std::isnan(lb) || std::isnan(ub)) {
            endRun();
            continue;
        }
        // Where the lower series lies above the upper one the band is empty.
        const bool openA = la <= ua, openB = lb <= ub;
        if (openA && openB) {
            const wxPoint quad[4] = {wxPoint(x(i - 1), y(lower, i - 1)), wxPoint(x(i), y(lower, i)),
                                     wxPoint(x(i), y(upper, i)), wxPoint(x(i - 1), y(upper, i - 1))};
            QxShapeBatch& batch = batchAt(i);
            if (&batch != runBatch) {
                endRun();
                runBatch = &batch;
                lowerRun.push_back(quad[0]);
                upperRun.push_back(quad[3]);
            }
            lowerRun.push_back(quad[1]);
            upperRun.push_back(quad[2]);
            batch.addOutline(4, quad);
        } else if (openA || openB) {
            endRun();
            // The series cross between the bars: the band narrows to the
            // crossing and stays empty beyond it, instead of a twisted
            // quadrangle that also fills the empty side.
            const int64_t open = openB ? i : i - 1;
            const double lOpen = openB ? lb : la, uOpen = openB ? ub : ua;
            const double lClosed = openB ? la : lb, uClosed = openB ? ua : ub;
            // Fraction of the way from the open bar to the closed one.
            const double t = std::clamp((uOpen - lOpen) / ((uOpen - lOpen) - (uClosed - lClosed)), 0.0, 1.0);
            const double at = open + (openB ? -t : t);
            const double level = lOpen + (lClosed - lOpen) * t;
            const wxPoint triangle[3] = {wxPoint(x(at), yScale.map(level)), wxPoint(x(open), y(lower, open)),
                                         wxPoint(x(open), y(upper, open))};
            batchAt(open).addPolygon(3, triangle);
        } else {
            endRun();
        }
    }
    endRun();
    for (auto& [colour, batch] : batches) {
        wxPen pen(rop.lineColour(blendColour(colour, 0.05)), 0, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_BUTT);
        pen.SetJoin(wxJOIN_MITER);
        batch.draw(pen, wxBrush(rop.fillColour(lightenColour(colour, 0.05)), wxBRUSHSTYLE_SOLID));
    }
    return eNoError;
}
