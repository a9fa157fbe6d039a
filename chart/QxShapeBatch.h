#pragma once
// Many small shapes of one pen and one brush (candle bodies, wicks,
// histogram bars, band slices) drawn with one fill and one stroke.  A
// graphics context pays mostly per drawing call, not per shape, so a chart
// of a thousand bars paints in a few calls instead of thousands.
//
// Each shape comes out as the device context would draw it on its own
// (the same coordinates, the rectangle's one-pixel-smaller outline, the
// polygon's closing edge), so shapes that do not overlap each other give
// the same pixels as separate calls.  Overlapping shapes differ in order
// only: every fill of the batch lies under every outline.  A device
// context without a graphics context (a printer's) gets one call per shape,
// in the order they were added.
//
// With smoothing off (as the zones paint), a batch of rectangles and
// horizontal or vertical lines with a thin opaque pen covers whole pixels;
// where the picture lies in memory (see QxPixelTarget) they are written
// straight into it, pixel for pixel what the graphics context would give.
#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/pen.h>

#include <deque>
#include <utility>
#include <vector>

class QxShapeBatch {
public:
    explicit QxShapeBatch(wxDC& dc, wxPolygonFillMode fillMode = wxODDEVEN_RULE);

    void addLine(int x1, int y1, int x2, int y2);
    void addRectangle(int x, int y, int width, int height);
    void addPolygon(int n, const wxPoint points[]);
    // The two halves of polygons that lie side by side without overlapping
    // (the slices of a band): their inside filled as the one polygon of
    // their union, with fewer edges than the slices have, and each slice
    // outlined as addPolygon outlines it.  Without a graphics context the
    // area is drawn without pen and the outline without brush.
    void addArea(int n, const wxPoint points[]);
    void addOutline(int n, const wxPoint points[]);
    bool empty() const { return m_shapes.empty(); }

    // Fills every shape with brush, then outlines them with pen, and
    // empties the batch.  The device context's own pen and brush are left
    // as they were.  True when the shapes went straight into the pixels.
    bool draw(const wxPen& pen, const wxBrush& brush = *wxTRANSPARENT_BRUSH);

private:
    enum Kind { eLine, eRectangle, ePolygon, eArea, eOutline };
    struct Shape {
        Kind kind;
        size_t first; // into m_points
        int count;
    };
    void drawEach(const wxPen& pen, const wxBrush& brush);
    bool drawAsPixels(const wxPen* pen, const wxBrush* brush);
    void clear();
    void add(Kind kind, int n, const wxPoint points[]);

    wxDC& m_dc;
    wxPolygonFillMode m_fillMode;
    std::vector<Shape> m_shapes;
    std::vector<wxPoint> m_points; // rectangles: origin, then width and height
};

// One batch per colour, for shapes coloured bar by bar: a chart has a few
// colours for its thousands of bars.  Batches keep their place while others
// are added, and are listed in the order their colours first came.
class QxColourBatches {
public:
    explicit QxColourBatches(wxDC& dc, wxPolygonFillMode fillMode = wxODDEVEN_RULE)
        : m_dc(dc), m_fillMode(fillMode)
    {
    }
    QxShapeBatch& of(const wxColour& colour)
    {
        for (auto& entry : m_batches)
            if (entry.first == colour)
                return entry.second;
        m_batches.emplace_back(colour, QxShapeBatch(m_dc, m_fillMode));
        return m_batches.back().second;
    }
    auto begin() { return m_batches.begin(); }
    auto end() { return m_batches.end(); }

private:
    wxDC& m_dc;
    wxPolygonFillMode m_fillMode;
    std::deque<std::pair<wxColour, QxShapeBatch>> m_batches;
};
