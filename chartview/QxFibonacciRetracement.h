#pragma once
// Horizontal levels at the Fibonacci ratios of a price move: p0 is the start
// of the move (100 %), p1 its end (0 %), and only p2's bar counts: it is
// where the level lines end on the right, never left of p0 or p1.
#include "chartview/QxShapeAnnot.h"

#include <array>

class QxFibonacciRetracement : public QxShapeAnnot {
public:
    static constexpr std::array<double, 6> kRatios = {0.0, 0.2360679774997898, 0.3819660112501051,
                                                      0.5, 0.6180339887498949, 1.0};

    QxFibonacciRetracement() : QxShapeAnnot(3) {}

    QxAnnot* clone() const override { return new QxFibonacciRetracement(*this); }
    QxAtom getName() const override;
    int setPoint(unsigned index, const QxPoint& point) override;
    bool hasProperty(int property) const override;
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;

    // The value of the level of a ratio.
    double levelValue(double ratio) const;
    // The label of a level: "23.61 %".
    static wxString levelLabel(double ratio);
    // The pixel segments of the six levels, in the order of kRatios.
    std::vector<Segment> levelSegments(const QxScale& x, const QxScale& y) const;
};
