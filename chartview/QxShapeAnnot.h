#pragma once
// Base of the annotation kinds whose points may be missing (shapes and the
// analysis tools): a fixed number of creation points, each with a flag that
// says whether it was set. A kind that lacks a point it needs draws nothing
// and is never hit.
#include "chartview/QxAnnot.h"

#include <functional>
#include <utility>
#include <vector>

class QxShapeAnnot : public QxAnnot {
public:
    // A drawn segment between two pixels.
    using Segment = std::pair<wxPoint, wxPoint>;

    unsigned numPoints() const override { return static_cast<unsigned>(m_points.size()); }
    // Stores the point and marks it set; eInvalidIndex beyond the last point.
    int setPoint(unsigned index, const QxPoint& point) override;
    QxPoint getPoint(unsigned index) const override;
    bool hasProperty(int property) const override { return property == ePropPen || property == ePropColour; }

    bool isPointSet(unsigned index) const { return index < m_set.size() && m_set[index]; }

protected:
    explicit QxShapeAnnot(unsigned points) : m_points(points), m_set(points, false) {}

    // Stores a point without marking it set (a point that follows another
    // until it is placed itself).
    void placePoint(unsigned index, const QxPoint& point);
    // Whether points 0 .. count-1 are all set.
    bool pointsSet(unsigned count) const;
    // The pixels of every point (unset ones as stored, (0, 0) by default).
    std::vector<wxPoint> pixels(const QxScale& x, const QxScale& y) const;
    // Draws an outline through the given pixels with the pen and no fill,
    // and the handles on them when selected; eNotAllParamsValid, drawing
    // nothing, unless points 0 .. needed-1 are set.
    using Outline = std::function<void(wxDC&, const std::vector<wxPoint>&)>;
    int drawOutline(wxDC& dc, unsigned needed, const std::vector<wxPoint>& pixels, const Outline& outline) const;

    // The hit test of kinds drawn as segments: a creation pixel within the
    // tolerance (only with pointIndex), else a segment near p, in order.
    int hitPointsThenSegments(const wxPoint& p, const std::vector<wxPoint>& points,
                              const std::vector<Segment>& segments, unsigned* pointIndex, int tolerance) const;

private:
    std::vector<QxPoint> m_points;
    std::vector<bool> m_set;
};
