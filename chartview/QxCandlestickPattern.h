#pragma once
// Marks the bars at which chosen candlestick-recognition functions report a
// pattern: a hatched ellipse around the bar's range, green for bullish and
// red for bearish, and a tooltip naming the patterns found at a bar.
#include "chartview/QxPattern.h"
#include "core/QxSeries.h"

#include <wx/brush.h>
#include <wx/colour.h>

#include <memory>
#include <vector>

struct TA_FuncInfo;

class QxCandlestickPattern : public QxPattern {
public:
    QxCandlestickPattern();
    QxCandlestickPattern(const QxCandlestickPattern& other);
    ~QxCandlestickPattern() override;

    QxAtom getName() const override;
    wxString getDisplayText() const override;
    QxPattern* clone() const override { return new QxCandlestickPattern(*this); }
    // The candlestick selector over detectors; true on OK with a tick.
    bool configure() override;
    void display(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale,
                 const QxScale& valueScale) const override;
    // "QxCandlestickPattern" with "Detectors" (function names joined by
    // blanks), "BullColor" and "BearColor".
    wxXmlNode* toXml(wxXmlNode* parent) const override;
    // Appends the known functions named in "Detectors"; an absent colour
    // leaves that colour unset.
    int fromXml(const wxXmlNode* element) override;
    bool isPatternAt(unsigned bar, double value) const override;
    // One entry per function firing at bar, "Doji:\n\tBullish", joined by
    // line breaks.
    wxString tooltip(unsigned bar) const override;

    // The function's output over the calculator's history. Computed once
    // and then kept in the calculator's cache under the function; when the
    // cache has no entry for the security the buffer is owned by the result.
    struct Output {
        QxSeries series; // first 1, last 0 when empty
        std::shared_ptr<double> owned;
    };
    Output computeCandlestickSeries(const TA_FuncInfo* function) const;

    // Draws the marks of the bars first..last and gives the result: 0;
    // the error of a missing high or low series; eInvalidIndex when some
    // function has no output in the range (the others are still drawn).
    int draw(wxDC& dc, unsigned first, unsigned last, const QxScale& dateScale, const QxScale& valueScale) const;

    std::vector<const TA_FuncInfo*> detectors;
    wxColour bullColour;
    wxColour bearColour;
};

// The functions' names joined by single blanks.
wxString joinDetectorNames(const std::vector<const TA_FuncInfo*>& detectors);
// Appends the functions named in text (cut at each blank) that the
// function set knows; others are skipped, duplicates kept.
void parseDetectorNames(const wxString& text, std::vector<const TA_FuncInfo*>& detectors);
// The brush style that marks an output value: hatches by strength and sign.
wxBrushStyle candlestickHatch(double value);
