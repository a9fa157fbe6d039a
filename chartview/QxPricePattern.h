#pragma once
// Detectors of reversal shapes in the zig-zag turning points of the closes:
// double tops and bottoms, heads and shoulders. Each found shape is drawn as
// a polyline over its turning points, tops in one pen and bottoms in another.
#include "chartview/QxPattern.h"

#include <wx/pen.h>

#include <vector>

// The settings shared by the price-pattern detectors and their dialog.
struct QxPricePatternConfig {
    double filter = 0.0; // zig-zag filter in percent
    wxPen topPen;        // shapes that end an uptrend
    wxPen bottomPen;     // shapes that end a downtrend
};

// The double tops and bottoms among the turning points t (bar numbers, in
// increasing order) with closes c: the index into t of the last of each
// shape's five points, in increasing order.
std::vector<unsigned> detectDoubleTops(const std::vector<unsigned>& t, const double* c);

// The heads and shoulders (tops and inverse ones) among t: the index into t
// of the last of each shape's seven points, in increasing order.
std::vector<unsigned> detectHeadAndShoulders(const std::vector<unsigned>& t, const double* c);

class QxPricePattern : public QxPattern, public QxPricePatternConfig {
public:
    ~QxPricePattern() override;

    void display(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale,
                 const QxScale& valueScale) const override;
    // The element named by getName with "Filter", "BullReversalPen" (the top
    // pen) and "BearReversalPen" (the bottom pen).
    wxXmlNode* toXml(wxXmlNode* parent) const override;
    // A missing or unreadable "Filter" reads as 0; a missing or malformed
    // pen leaves that pen as it is.
    int fromXml(const wxXmlNode* element) override;

    // One found shape in pixels, and whether it is a top.
    struct Shape {
        bool top = true;
        std::vector<wxPoint> points;
    };
    // The shapes found for the bars first..last: the turning points around
    // the visible range, with the last visible bar standing in for the next
    // turning point so a shape completing on the unfinished leg is found.
    // eUnknownError when no turning point lies at or after first or last.
    int findShapes(unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale,
                   std::vector<Shape>& shapes) const;
    // Draws what findShapes finds; gives its result.
    int draw(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale) const;

protected:
    explicit QxPricePattern(const QxPricePatternConfig& config);
    QxPricePattern(const QxPricePattern& other);

    // The shape's number of points (5 or 7), its detector, and whether a
    // shape with first two closes c0, c1 is a top.
    virtual unsigned shapeSize() const = 0;
    virtual std::vector<unsigned> detect(const std::vector<unsigned>& t, const double* c) const = 0;
    virtual bool isTop(double c0, double c1) const = 0;

    // The detection dialog over the application's active frame with this
    // kind's title and message; on OK its settings become the pattern's.
    bool configureWith(const wxString& title, const wxString& message);
};

class QxDoubleTop : public QxPricePattern {
public:
    explicit QxDoubleTop(const QxPricePatternConfig& config = QxPricePatternConfig());
    QxAtom getName() const override;
    // "Double Top detector (filter:2.50%)".
    wxString getDisplayText() const override;
    QxPattern* clone() const override { return new QxDoubleTop(*this); }
    bool configure() override;

protected:
    unsigned shapeSize() const override { return 5; }
    std::vector<unsigned> detect(const std::vector<unsigned>& t, const double* c) const override
    {
        return detectDoubleTops(t, c);
    }
    bool isTop(double c0, double c1) const override { return c1 > c0; }
};

class QxHeadAndShoulder : public QxPricePattern {
public:
    explicit QxHeadAndShoulder(const QxPricePatternConfig& config = QxPricePatternConfig());
    QxAtom getName() const override;
    // "Head and Shoulder detector (filter:2.50%)".
    wxString getDisplayText() const override;
    QxPattern* clone() const override { return new QxHeadAndShoulder(*this); }
    bool configure() override;

protected:
    unsigned shapeSize() const override { return 7; }
    std::vector<unsigned> detect(const std::vector<unsigned>& t, const double* c) const override
    {
        return detectHeadAndShoulders(t, c);
    }
    bool isTop(double c0, double c1) const override { return !(c0 > c1); }
};
