#pragma once
// The zig-zag line: drawn through the turning points of the closes at the
// pattern's filter, with its own pen.
#include "chartview/QxPattern.h"

#include <wx/pen.h>

#include <vector>

// The settings of a zig-zag: also what its configuration dialog edits.
struct QxZigZagPatternConfig {
    double filter = 0.0; // minimum reversal in percent of the price
    wxPen pen;
};

class QxZigZagPattern : public QxPattern, public QxZigZagPatternConfig {
public:
    explicit QxZigZagPattern(const QxZigZagPatternConfig& config = QxZigZagPatternConfig());
    QxZigZagPattern(const QxZigZagPattern& other);
    ~QxZigZagPattern() override;

    QxAtom getName() const override;
    // "ZigZag (filter:5.00%)".
    wxString getDisplayText() const override;
    QxPattern* clone() const override { return new QxZigZagPattern(*this); }
    // The zig-zag dialog over the application's active frame; on OK its
    // filter and pen become the pattern's.
    bool configure() override;
    void display(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale,
                 const QxScale& valueScale) const override;
    // "QxZigZagPattern" with "Filter" and "Pen".
    wxXmlNode* toXml(wxXmlNode* parent) const override;
    // A missing or unreadable "Filter" reads as 0; a missing or malformed
    // "Pen" leaves the pen as it is.
    int fromXml(const wxXmlNode* element) override;

    // Draws the line for the bars first..last and gives its result: 0, also
    // when the history has fewer than 2 bars and nothing is drawn;
    // eUnknownError when no turning point lies at or after first.
    int draw(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale) const;
    // The points of that line: the close (or the line's height) at first,
    // the turning points after it before last, and the close at last.
    int linePoints(unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale,
                   std::vector<wxPoint>& points) const;
};
