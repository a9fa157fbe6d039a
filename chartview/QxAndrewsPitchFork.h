#pragma once
// Andrews' pitchfork: a median line from the pivot p2 through the midpoint
// of the reaction points p0 and p1, to one bar beyond the visible chart, and
// a parallel tine through each reaction point. The pivot lies left of at
// least one reaction point, and both reaction points right of the pivot.
#include "chartview/QxShapeAnnot.h"

class QxAndrewsPitchFork : public QxShapeAnnot {
public:
    QxAndrewsPitchFork() : QxShapeAnnot(3) {}

    QxAnnot* clone() const override { return new QxAndrewsPitchFork(*this); }
    QxAtom getName() const override;
    int setPoint(unsigned index, const QxPoint& point) override;
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;

    // The pixels of the three points and the right end E of the median
    // line (E is only meaningful once the pivot is set).
    struct DevicePoints {
        wxPoint p0, p1, p2, end;
    };
    DevicePoints pitchforkDevicePoints(const QxScale& x, const QxScale& y) const;
    // The segments drawn after the line p0-p1: the tine through p0, the
    // tine through p1 and the median; none before the pivot is set.
    std::vector<Segment> forkSegments(const DevicePoints& d) const;
};
