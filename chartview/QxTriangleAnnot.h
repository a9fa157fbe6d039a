#pragma once
// A triangle of three corner points, drawn as its three edges. While the
// third corner is not set it coincides with the second, so a triangle being
// placed shows as the line from its first corner to the mouse.
#include "chartview/QxShapeAnnot.h"

class QxTriangleAnnot : public QxShapeAnnot {
public:
    QxTriangleAnnot() : QxShapeAnnot(3) {}

    QxAnnot* clone() const override { return new QxTriangleAnnot(*this); }
    QxAtom getName() const override;
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;

private:
    std::vector<wxPoint> corners(const QxScale& x, const QxScale& y) const;
};
