#pragma once
// An axis-parallel rectangle between two corner points, drawn as an
// outline with the annotation's pen. Only its border is its body.
#include "chartview/QxShapeAnnot.h"

class QxRectAnnot : public QxShapeAnnot {
public:
    QxRectAnnot() : QxShapeAnnot(2) {}

    QxAnnot* clone() const override { return new QxRectAnnot(*this); }
    QxAtom getName() const override;
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;
};
