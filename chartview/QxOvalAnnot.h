#pragma once
// The ellipse inscribed in the rectangle between two corner points, drawn
// as an outline. Its outline is hit-tested in chart coordinates, so it is
// found the same at every zoom.
#include "chartview/QxShapeAnnot.h"

class QxOvalAnnot : public QxShapeAnnot {
public:
    QxOvalAnnot() : QxShapeAnnot(2) {}

    QxAnnot* clone() const override { return new QxOvalAnnot(*this); }
    QxAtom getName() const override;
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;
};
