#pragma once
// The line graphic of an indicator output: the values of the role "DATA"
// over the visible bars joined by straight segments, in one colour or bar by
// bar in the colours of the scheme. The five line-style classes fix the pen
// style and give the type its name.
#include "chart/QxDrawable.h"

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/pen.h>

class QxCurve : public QxDrawable {
public:
    // penStyle: a wxPenStyle code (100 solid ... 104 dot dash).
    explicit QxCurve(int penStyle = wxPENSTYLE_SOLID, int width = 2);
    QxCurve(const QxCurve& other) = default;
    QxCurve& operator=(const QxCurve& other) = default;

    const std::vector<QxDataInfo>& getParamInfos() const override;
    // eSeriesNotAvailable without a "DATA" series, eInvalidData for an
    // unusable one, eInvalidIndex when the bars and the series do not overlap.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;
    // Room for the line's width where the values touch the zone's edges;
    // eSetupNotCalled for an empty value range, eInvalidInput for a scale
    // without a range.
    int getMargins(unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale, wxPoint& top,
                   wxPoint& bottom) const override;
    wxBitmap getLegend(const wxFont& font, const wxColour& textColour, const wxColour& backgroundColour,
                       int sampleLength) const override;

    int penStyle() const { return m_penStyle; }
    int width() const { return m_width; }

private:
    int m_penStyle;
    int m_width;
    // The last legend and what it was made of: the zone asks for it on
    // every paint, and making one measures and draws text into a picture.
    struct Legend {
        wxString text;
        wxFont font;
        wxColour textColour, backgroundColour, sample;
        int sampleLength = 0;
        wxBitmap picture;
    };
    mutable Legend m_legend;
};
