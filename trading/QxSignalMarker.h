#pragma once
// Buy and sell arrows of one trading system on a price chart: an upward
// arrow under the bar for a long entry or a short exit, a downward arrow
// over the bar for a long exit or a short entry, each kind in its own
// colour. The marks are worked out once per bar period by scanning the whole
// history for alternating entry and exit signals, and worked out again when
// that history changes.
#include "chartview/QxPattern.h"
#include "core/QxTime.h"
#include "trading/QxTradingSystem.h"

#include <wx/colour.h>

#include <cstdint>
#include <map>
#include <vector>

class QxPriceHistory;

// What a marker shows: whose signals, which sides and in which colours.
struct QxSignalMarkerConfig {
    // Null until chosen.
    QxObjectSmartPtr<QxTradingSystem> system;
    // By signal kind (Qx::QxSignalKind: 1, 2, 4, 8).
    std::map<unsigned, wxColour> colours;
    // Signal kinds to mark: 3 the long side, 12 the short side.
    unsigned positions = 0;
};

class QxSignalMarker : public QxPattern, public QxSignalMarkerConfig {
public:
    // Sorted bar indices by signal kind.
    using KindMarks = std::map<unsigned, std::vector<unsigned>>;

    // Unconfigured, over the chart's calculator (the same object the chart
    // uses, so the marks follow its period).
    explicit QxSignalMarker(QxCalculator* calculator);
    QxSignalMarker(const QxSignalMarker& other);
    ~QxSignalMarker() override;

    QxAtom getName() const override;
    wxString getDisplayText() const override;
    QxPattern* clone() const override { return new QxSignalMarker(*this); }
    // The configuration dialog over the active frame; on OK takes its
    // configuration and forgets the marks when the system or the sides
    // changed. Whether the dialog ended with OK.
    bool configure() override;
    void display(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale,
                 const QxScale& valueScale) const override;
    // A marker is not kept with the chart: nothing is written.
    wxXmlNode* toXml(wxXmlNode*) const override { return nullptr; }
    int fromXml(const wxXmlNode*) override { return 0; }
    int getMargins(unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale,
                   wxPoint& top, wxPoint& bottom) const override;

    // The marks of the calculator's current period, computed when the period
    // has none yet or its history changed since.
    const KindMarks& computeSignals() const;
    // Periods that hold marks now.
    size_t numPeriodsMarked() const { return m_marks.size(); }

    // Scans the calculator's history of its current period for the hits of
    // entry, then the hits of exit, alternately; at each switch the last
    // hit of the kind just left (after the previous switch) is marked too.
    static void pairSignals(unsigned entry, unsigned exit, std::vector<unsigned>& entries,
                            std::vector<unsigned>& exits, const QxTradingSystem* system, QxCalculator* calculator);

    // The colours a configuration without its own starts from.
    static wxColour defaultColour(unsigned kind);

private:
    struct PeriodMarks {
        KindMarks kinds;
        // What the marks were computed from: a change of any means the
        // history changed. The held history is the one the cache gave out;
        // a notice of new end-of-day data makes the cache load another.
        QxObjectSmartPtr<QxPriceHistory> history;
        unsigned numBars = 0;
        int64_t lastTime = 0;
        // The system's revision: an edited system gives other signals.
        unsigned systemRevision = 0;
    };

    // Width of one bar in pixels, at least 6.
    static int arrowWidth(const QxScale& dateScale);
    // The prices arrows stand on: the lows for arrows below the bars, the
    // highs above; the net asset value for a fund, which has neither. Null
    // when the history lacks the column.
    static const double* anchorColumn(const QxPriceHistory& history, bool below);
    // Calls visit(bar, price) for each mark of kind in first..last with the
    // price its arrow stands on.
    template <class Visit>
    static void forEachMark(const PeriodMarks& marks, unsigned kind, bool below, unsigned first, unsigned last,
                            Visit visit);
    const PeriodMarks& periodMarks() const;
    wxColour colourOf(unsigned kind) const;

    QxObjectSmartPtr<QxCalculator> m_calculator;
    mutable std::map<Qx::QxPeriod, PeriodMarks> m_marks;
};
