#pragma once
// The one annotation behind the seven line tools. The kind, fixed at
// construction, decides the number of points, how far the drawn segment
// reaches (to the chart's edges for rays, extended, vertical and horizontal
// lines) and whether arrow heads are drawn.
#include "chartview/QxAnnot.h"

#include <array>

class QxLineAnnot : public QxAnnot {
public:
    enum Kind : unsigned {
        eTrendLine = 1,
        eRay = 2,
        eExtendedLine = 3,
        eVerticalLine = 4,
        eHorizontalLine = 5,
        eArrow = 6,
        eTwoHeadedArrow = 7,
    };

    explicit QxLineAnnot(Kind kind);

    QxAnnot* clone() const override;
    QxAtom getName() const override;
    unsigned numPoints() const override;
    int setPoint(unsigned index, const QxPoint& point) override;
    QxPoint getPoint(unsigned index) const override;
    int hitTest(const wxPoint& p, const QxScale& x, const QxScale& y, unsigned* pointIndex,
                int tolerance) const override;
    bool hasProperty(int property) const override;
    int draw(wxDC& dc, unsigned firstBar, unsigned lastBar, const QxScale& x, const QxScale& y) const override;
    wxXmlNode* toXml(wxXmlNode* parent) const override;

    Kind kind() const { return m_kind; }

    // The drawn segment in pixels, extended by kind to the edges of the
    // visible chart (one bar beyond each end of the bar scale's range).
    struct Segment {
        wxPoint a;
        wxPoint b;
    };
    Segment lineDeviceSegment(const QxScale& x, const QxScale& y) const;

    // The filled head of an arrow of length L at tip, coming from tail.
    static std::array<wxPoint, 3> arrowHeadPoints(const wxPoint& tip, const wxPoint& tail, int length);

private:
    QxPoint m_p0;
    QxPoint m_p1;
    Kind m_kind;
};
