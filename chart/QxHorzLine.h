#pragma once
// A horizontal line across the visible bars at the constant level bound to
// the role "YOffset".
#include "chart/QxDrawable.h"

#include <wx/pen.h>

class QxHorzLine : public QxDrawable {
public:
    // penStyle: a wxPenStyle code; the registered prototype uses dots.
    explicit QxHorzLine(int penStyle = wxPENSTYLE_DOT);
    QxHorzLine(const QxHorzLine& other) = default;
    QxHorzLine& operator=(const QxHorzLine& other) = default;

    QxDrawable* clone() const override;
    const QxAtom& getName() const override;
    const wxString& getDisplayText() const override;
    const std::vector<QxDataInfo>& getParamInfos() const override;
    // eHorzLineOffsetNotSet unless "YOffset" is bound to a constant;
    // eDataOutOfRange (nothing drawn) for a level outside the y scale.
    int display(wxDC& dc, unsigned first, unsigned last, const QxScale& xScale, const QxScale& yScale,
                bool highlight) const override;

    int penStyle() const { return m_penStyle; }

private:
    int m_penStyle;
};
