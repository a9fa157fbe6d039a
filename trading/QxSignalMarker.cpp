#include "trading/QxSignalMarker.h"

#include "app/QxApplication.h"
#include "chart/QxScale.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "trading/QxResolvedSystem.h"
#include "trading/QxSignalMarkerConfigDlg.h"

#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The four kinds in drawing order; +1 for an arrow under the bar pointing
// up (buy), -1 for one over the bar pointing down (sell).
constexpr std::pair<unsigned, int> kKinds[] = {
    {Qx::eLongEntry, +1}, {Qx::eLongExit, -1}, {Qx::eShortEntry, -1}, {Qx::eShortExit, +1}};

} // namespace

QxSignalMarker::QxSignalMarker(QxCalculator* calculator) : m_calculator(calculator) {}

QxSignalMarker::QxSignalMarker(const QxSignalMarker& other)
    : QxPattern(other), QxSignalMarkerConfig(other), m_calculator(other.m_calculator), m_marks(other.m_marks)
{
}

QxSignalMarker::~QxSignalMarker() = default;

QxAtom QxSignalMarker::getName() const { return QxAtom("QxSignalMarker"); }

wxString QxSignalMarker::getDisplayText() const
{
    return wxString(_("Buy/Sell signal from ")) + (system ? system->getName().string() : wxString());
}

wxColour QxSignalMarker::defaultColour(unsigned kind)
{
    switch (kind) {
    case Qx::eLongEntry:
        return wxColour(0, 255, 0);
    case Qx::eLongExit:
        return wxColour(255, 0, 0);
    case Qx::eShortEntry:
        return wxColour(255, 127, 127);
    case Qx::eShortExit:
        return wxColour(127, 255, 127);
    default:
        return *wxBLACK;
    }
}

bool QxSignalMarker::configure()
{
    QxApplication* app = QxApplication::getApp();
    QxSignalMarkerConfigDlg dialog(app ? app->activeFrame() : nullptr, this);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const QxObjectSmartPtr<QxTradingSystem> oldSystem = system;
    const unsigned oldPositions = positions;
    static_cast<QxSignalMarkerConfig&>(*this) = dialog;
    // New colours alone draw the same marks.
    if (system.get() != oldSystem.get() || positions != oldPositions)
        m_marks.clear();
    return true;
}

void QxSignalMarker::pairSignals(unsigned entry, unsigned exit, std::vector<unsigned>& entries,
                                 std::vector<unsigned>& exits, const QxTradingSystem* system, QxCalculator* calculator)
{
    if (!system || !calculator)
        return;
    const QxPriceHistory* history = calculator->prices(false);
    const unsigned n = history ? history->numBars() : 0;
    unsigned current = entry, other = exit;
    std::vector<unsigned>* currentMarks = &entries;
    std::vector<unsigned>* otherMarks = &exits;
    bool hasPrevious = false;
    unsigned previous = 0;
    // The conditions' series are fetched once for the whole walk.
    QxResolvedSystem resolved(*system, calculator);
    for (unsigned i = 0; i < n; ++i) {
        if (resolved.evaluate(current, i) != current)
            continue;
        currentMarks->push_back(i);
        // The last signal of the kind being left, between the two switches.
        if (hasPrevious)
            for (unsigned j = i - 1; j > previous; --j)
                if (resolved.evaluate(other, j) == other) {
                    otherMarks->push_back(j);
                    break;
                }
        std::swap(current, other);
        std::swap(currentMarks, otherMarks);
        previous = i;
        hasPrevious = true;
    }
}

const QxSignalMarker::PeriodMarks& QxSignalMarker::periodMarks() const
{
    static const PeriodMarks none;
    // The zone's calculator once it handed one: the chart's own for the
    // marker it was made for, and the copy's for a marker of a copied chart.
    QxCalculator* calculator = getCalculator() ? getCalculator() : m_calculator.get();
    if (!calculator)
        return none;
    const Qx::QxPeriod period = calculator->currentTimeframe();
    QxPriceHistory* history = calculator->prices(period, false);
    const unsigned n = history ? history->numBars() : 0;
    const int64_t lastTime = n > 0 ? history->timestamp()[n - 1] : 0;
    const QxTradingSystem* ts = system.get();
    const unsigned revision = ts ? ts->revision() : 0;
    // Marks of a history that changed since (bars deleted or added, or new
    // end-of-day data loaded) would name the wrong bars, or none at all;
    // those of a system edited since (the manager edits it in place) would
    // show the signals it no longer gives.
    if (auto it = m_marks.find(period); it != m_marks.end()) {
        const PeriodMarks& marks = it->second;
        if (marks.history.get() == history && marks.numBars == n && marks.lastTime == lastTime &&
            marks.systemRevision == revision)
            return marks;
        m_marks.erase(it);
    }
    PeriodMarks& marks = m_marks[period];
    marks.history = history;
    marks.numBars = n;
    marks.lastTime = lastTime;
    marks.systemRevision = revision;
    if (!ts)
        return marks;
    if ((positions & (Qx::eLongEntry | Qx::eLongExit)) && (ts->getType() & Qx::eLongOnly))
        pairSignals(Qx::eLongEntry, Qx::eLongExit, marks.kinds[Qx::eLongEntry], marks.kinds[Qx::eLongExit], ts,
                    calculator);
    if ((positions & (Qx::eShortEntry | Qx::eShortExit)) && (ts->getType() & Qx::eShortOnly))
        pairSignals(Qx::eShortEntry, Qx::eShortExit, marks.kinds[Qx::eShortEntry], marks.kinds[Qx::eShortExit], ts,
                    calculator);
    return marks;
}

const QxSignalMarker::KindMarks& QxSignalMarker::computeSignals() const { return periodMarks().kinds; }

int QxSignalMarker::arrowWidth(const QxScale& dateScale)
{
    return std::max(6, dateScale.map(1.0) - dateScale.map(0.0));
}

const double* QxSignalMarker::anchorColumn(const QxPriceHistory& history, bool below)
{
    if (history.getSecurityType() == Qx::eFund)
        return history.nav();
    return below ? history.low() : history.high();
}

wxColour QxSignalMarker::colourOf(unsigned kind) const
{
    const auto it = colours.find(kind);
    return it != colours.end() && it->second.IsOk() ? it->second : defaultColour(kind);
}

template <class Visit>
void QxSignalMarker::forEachMark(const PeriodMarks& marks, unsigned kind, bool below, unsigned first, unsigned last,
                                 Visit visit)
{
    const auto it = marks.kinds.find(kind);
    const QxPriceHistory* history = marks.history.get();
    if (it == marks.kinds.end() || !history || marks.numBars == 0 || first > last)
        return;
    const double* anchor = anchorColumn(*history, below);
    if (!anchor)
        return;
    // Marks at or past the bar count belong to a history that has since
    // lost bars; they are never read.
    last = std::min(last, std::min(marks.numBars, history->numBars()) - 1);
    const std::vector<unsigned>& bars = it->second;
    const auto begin = std::lower_bound(bars.begin(), bars.end(), first);
    const auto end = std::upper_bound(begin, bars.end(), last);
    for (auto b = begin; b != end; ++b)
        if (std::isfinite(anchor[*b]))
            visit(*b, anchor[*b]);
}

void QxSignalMarker::display(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale,
                             const QxScale& valueScale) const
{
    const int w = arrowWidth(dateScale);
    const int h = w / 2;
    const wxBrush oldBrush = dc.GetBrush();
    const wxPen oldPen = dc.GetPen();
    const PeriodMarks& marks = periodMarks();
    for (const auto& [kind, direction] : kKinds) {
        if (!(positions & kind))
            continue;
        const wxColour colour = colourOf(kind);
        const wxPen outline(colour, 1, wxPENSTYLE_SOLID);
        wxPen shaft(colour, h, wxPENSTYLE_SOLID);
        shaft.SetCap(wxCAP_BUTT);
        shaft.SetJoin(wxJOIN_MITER);
        dc.SetBrush(wxBrush(colour, wxBRUSHSTYLE_SOLID));
        const int dir = direction;
        forEachMark(marks, kind, dir > 0, first, last, [&](unsigned bar, double price) {
            const int x = dateScale.map(static_cast<double>(bar));
            const int tipY = valueScale.map(price) + dir * h;
            wxPoint head[3] = {wxPoint(x, tipY), wxPoint(x - h, tipY + dir * h), wxPoint(x + h, tipY + dir * h)};
            dc.SetPen(outline);
            dc.DrawPolygon(3, head, 0, 0, wxODDEVEN_RULE);
            dc.SetPen(shaft);
            dc.DrawLine(x, tipY + dir * h, x, tipY + dir * 2 * w);
        });
    }
    dc.SetBrush(oldBrush);
    dc.SetPen(oldPen);
}

int QxSignalMarker::getMargins(unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale,
                               wxPoint& top, wxPoint& bottom) const
{
    const int w = arrowWidth(dateScale);
    const int h = w / 2;
    const PeriodMarks& marks = periodMarks();
    const int upper = valueScale.map(valueScale.max());
    const int lower = valueScale.map(valueScale.min());
    // Without an arrow above the bars no room is needed there.
    int highest = upper;
    int lowest = 0;
    for (const auto& [kind, direction] : kKinds) {
        if (direction > 0)
            forEachMark(marks, kind, true, first, last, [&](unsigned, double price) {
                lowest = std::max(lowest, valueScale.map(price) + 2 * w + h);
            });
        else
            forEachMark(marks, kind, false, first, last, [&](unsigned, double price) {
                highest = std::min(highest, valueScale.map(price) - 2 * w - h);
            });
    }
    top = wxPoint(0, std::max(0, upper - highest));
    bottom = wxPoint(0, std::max(0, lowest - lower));
    return 0;
}
