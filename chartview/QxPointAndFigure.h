#pragma once
// Point-and-figure charts: the daily history of one security turned into
// columns of rising X boxes and falling O boxes on a ladder of price levels,
// the layout of the visible columns for a device context, their painting,
// and the vertical value-to-pixel map that annotations drawn over the chart
// use. Columns are cached in the security's calculator under keys made from
// the parameters, so another chart with the same parameters reuses them.
#include "chart/QxScale.h"
#include "chart/QxUniformScale.h"
#include "chart/QxLineStamp.h"
#include "core/QxObject.h"
#include "core/QxSeries.h"

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class QxAnnot;
class QxCalculator;
class wxConfigBase;
class wxDC;

struct QxPointAndFigureParam {
    double minAbsBoxSize = 0.25;  // price units
    double minPercChange = 0.0075; // a fraction: 0.0075 is 0.75 %
    double boxSizeFactor = 0.0;   // rounding step of the box size; 0 no rounding
    int32_t nBoxReversal = 3;     // boxes against the column that start a new one

    bool operator==(const QxPointAndFigureParam& o) const
    {
        return minAbsBoxSize == o.minAbsBoxSize && minPercChange == o.minPercChange &&
               boxSizeFactor == o.boxSizeFactor && nBoxReversal == o.nBoxReversal;
    }
    bool operator!=(const QxPointAndFigureParam& o) const { return !(*this == o); }
};

namespace QxPnf {

// The parameters every new chart starts from; the defaults until the
// stored ones are read or the user makes others the default.
QxPointAndFigureParam& currentParams();

// The rules the configuration dialog applies, on numbers: the number of the
// first rule p breaks (1 minimum box above 0, 2 percentage from 0 below 100,
// 3 reversal at least 1, 4 rounding step not negative, 5 the minimum box a
// whole multiple of a rounding step no larger than it), 0 when all hold.
int firstBrokenRule(const QxPointAndFigureParam& p);
// p with every field that breaks a rule set to its default (for rule 5 the
// rounding step, which then rounds nothing). The ladder of levels can only
// grow under parameters that keep the rules.
QxPointAndFigureParam sanitized(const QxPointAndFigureParam& p);

// Reads "/preferences/pnf_config" with the current parameters as defaults,
// checks what it read and makes it the current parameters. Without a store
// the current parameters stay.
void readStoredParams(wxConfigBase* config);
// Makes p the current parameters and writes them to "/preferences/pnf_config".
void storeAsDefault(wxConfigBase* config, const QxPointAndFigureParam& p);

// The box at level: minAbsBoxSize for level 0 (or below) or without a
// percentage, else the smooth blend of both, rounded to boxSizeFactor.
double boxSize(const QxPointAndFigureParam& p, double level);

// "%f" of minAbsBoxSize, minPercChange, nBoxReversal and boxSizeFactor
// joined by ":", independent of the locale.
std::string cacheKey(const QxPointAndFigureParam& p);

// The ladder of box levels, grown upward on demand from [0.0].
class Ladder {
public:
    explicit Ladder(const QxPointAndFigureParam& p) : m_params(p), m_levels{0.0} {}
    // The box reached from index from by price: upward the highest box whose
    // level is at or below the price; downward (when the price is not above
    // the level at from) the highest box whose level lies below the price,
    // never below index 0. The ladder holds at most kMaxLevels levels: a
    // price above them lands on the top level and marks the ladder
    // overrun, and columns built on it would be wrong.
    size_t findBox(size_t from, bool up, double price);
    double operator[](size_t i) const { return m_levels[i]; }
    size_t size() const { return m_levels.size(); }
    bool overrun() const { return m_overrun; }
    // Enough for a box of 0.01 over prices up to 50,000 without a
    // percentage; every price of such a chart has a level of its own.
    static constexpr size_t kMaxLevels = 5000000;

private:
    bool grow();
    QxPointAndFigureParam m_params;
    std::vector<double> m_levels;
    bool m_overrun = false;
};

// Whether the ladder of p reaches price within Ladder::kMaxLevels levels:
// the settings can draw every price up to it in a box of its own.
bool ladderReaches(const QxPointAndFigureParam& p, double price);

// The columns of bars 0..n-1: the levels of every box, column after column,
// and where each column starts in them. Bars whose high or low is no number
// change nothing; the first bar with a usable close picks the starting box.
// When a price lies beyond the ladder's last level no columns are built
// and the result is false.
bool buildColumns(const QxPointAndFigureParam& p, size_t n, const double* high, const double* low,
                  const double* close, std::vector<double>& levels, std::vector<unsigned>& starts);

// The owner key under which the calculator keeps an array: the address of
// the one interned copy of text.
const void* internCacheKey(const std::string& text);

} // namespace QxPnf

class QxPointAndFigure : public QxObject, public QxPointAndFigureParam, public QxScale {
public:
    static constexpr unsigned kNotPlaced = 0xFFFFFFFFu;

    // Takes a reference to the calculator; starts from the stored
    // parameters (read again every time).
    explicit QxPointAndFigure(QxCalculator* calculator);
    ~QxPointAndFigure() override;
    QxPointAndFigure(const QxPointAndFigure&) = delete;
    QxPointAndFigure& operator=(const QxPointAndFigure&) = delete;

    // The columns of the calculator's history under the current parameters,
    // from the calculator's cache when it holds them; both empty without
    // history.
    void buildColumns(QxArrayT<double>& boxLevels, QxArrayT<unsigned>& columnStarts);
    // Builds the columns, fits them into width and lays the visible ones out.
    void layout(wxDC& dc, int width);
    // Paints the part inside area (chart pixels) of a picture of the given
    // size (its outline at the picture's edges) at its own place: the
    // caller's device origin puts that part where it wants it. Pictures
    // taller than any bitmap are painted piece by piece this way. Without an
    // area the picture is the whole device context.
    void display(wxDC& dc, const wxRect& area = wxRect(), const wxSize& picture = wxSize());

    int map(const double& value) const override;
    double unmap(int pixel) const override;

    // Runs the configuration dialog; true when the user pressed OK.
    bool configure();
    // New parameters: the newest columns come back into view and every
    // annotation goes (it was placed on the old columns). Parameters that
    // break the dialog's rules are mended field by field.
    void setParams(const QxPointAndFigureParam& params);
    const QxPointAndFigureParam& params() const { return *this; }

    QxCalculator* getCalc() const { return m_calculator.get(); }
    std::vector<QxObjectSmartPtr<QxAnnot>>& annotations() { return m_annots; }
    const QxUniformScale& columnScale() const { return m_columnScale; }
    unsigned lastColumn() const { return m_lastColumn; }
    void setLastColumn(unsigned column) { m_lastColumn = column; }
    unsigned visibleColumns() const { return m_visibleColumns; }
    unsigned firstVisibleColumn() const;
    // Columns of the last layout.
    unsigned numColumns() const { return static_cast<unsigned>(m_columnStarts.size()); }
    const QxArrayT<unsigned>& columnStarts() const { return m_columnStarts; }
    const QxArrayT<double>& boxLevels() const { return m_boxLevels; }
    const std::map<double, int>& levelY() const { return m_levelY; }
    // The last build found prices the settings cannot give levels of their
    // own: no columns, and the chart says why.
    bool tooManyLevels() const { return m_tooManyLevels; }
    // The highest price of the history (0 without one).
    double highestPrice() const;
    // What the chart and the configuration dialog say of settings that
    // cannot give every price a box of its own.
    static wxString tooManyLevelsText();
    int chartWidth() const { return m_chartWidth; }
    int virtualHeight() const { return m_virtualHeight; }
    int boxPixels() const { return m_boxPixels; }
    void setBoxPixels(int pixels) { m_boxPixels = pixels < 1 ? 1 : pixels; }
    int plotLeft() const { return m_plotLeft; }
    int plotWidth() const { return m_plotWidth; }
    int plotHeight() const { return m_plotHeight; }
    int titleHeight() const { return m_titleHeight; }
    // Whether column k (of all columns) rises: column 0 by its second box,
    // a lone box as rising, the rest alternating.
    bool columnRises(unsigned k) const;
    // "<name> (<n> box reversal P&F chart)".
    wxString titleText() const;

    static constexpr int kDefaultBoxPixels = 20;

private:
    QxObjectSmartPtr<QxCalculator> m_calculator;
    std::map<double, int> m_levelY;
    int m_chartWidth = 0;
    int m_virtualHeight = 0;
    bool m_tooManyLevels = false;
    int m_boxPixels = kDefaultBoxPixels;
    int m_titleHeight = 0;
    wxColour m_labelColour;
    wxFont m_labelFont;
    int m_plotLeft = 0;
    int m_plotWidth = 0;
    int m_plotHeight = 0;
    unsigned m_lastColumn = kNotPlaced;
    unsigned m_visibleColumns = 0;
    QxArrayT<unsigned> m_columnStarts;
    QxArrayT<double> m_boxLevels;
    QxUniformScale m_columnScale;
    std::vector<QxObjectSmartPtr<QxAnnot>> m_annots;
    QxLineStamp m_verticalGrid;
    QxLineStamp m_horizontalGrid;
    // Owner keys of the cached columns and the parameters they were made for.
    QxPointAndFigureParam m_keyParams;
    const void* m_dataKey = nullptr;
    const void* m_startKey = nullptr;
};
