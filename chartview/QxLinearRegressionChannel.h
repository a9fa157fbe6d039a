#pragma once
// The least-squares line of the closing prices between the bars of p0 and
// p1, with a parallel line either side at the distance of p2 from it; all
// three run from p0 to the later of p1 and p2. Placing or moving p0 or p1
// refits the line through the annotation's calculator, so both take the
// fitted values.
#include "chartview/QxShapeAnnot.h"

#include <array>

class QxLinearRegressionChannel : public QxShapeAnnot {
public:
    QxLinearRegressionChannel() : QxShapeAnnot(3) {}

    QxAnnot* clone() const override { return new QxLinearRegressionChannel(*this); }
    QxAtom getName() const override;
    int setPoint(unsigned index, const QxPoint& point) override;
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;

    // The centre line and the lines below and above it, in chart coordinates.
    std::array<std::pair<QxPoint, QxPoint>, 3> channelLines() const;

private:
    void refit();
};

// The least-squares line of closes[i] against i over the bars trunc(x0) ..
// trunc(x1) - 1, kept within the count bars there are; y0 and y1 become its
// values at x0 and x1. False, leaving them alone, when fewer than two bars
// lie in that range.
bool fitRegressionLine(const double* closes, unsigned count, double x0, double x1, double& y0, double& y1);
