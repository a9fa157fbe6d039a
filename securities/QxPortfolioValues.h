#pragma once
// What the value columns of the portfolio manager show, and how its lists
// and trees sort, decided without a window.
#include "securities/QxPortfolio.h"
#include "securities/QxWatchlist.h"

#include <wx/clntdata.h>
#include <wx/string.h>
#include <wx/treelist.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QxPriceHistory;

// The latest two daily closes (the net asset value for funds, which have no
// close).
struct QxCloses {
    unsigned bars = 0;   // bars of the history; 0 without one
    double last = 0;     // the last bar's close, from one bar on
    double previous = 0; // the bar before it, from two bars on
    // Last, Change and %Change are shown only with two bars and a positive
    // previous close.
    bool hasChange() const { return bars >= 2 && previous > 0; }
};
QxCloses qxClosesOf(const QxPriceHistory* history);
// The column of closing prices (a fund's net asset values); null without bars.
const double* qxClosingValues(const QxPriceHistory* history);

// Locale-aware texts: fixed decimals; a percentage with 2 decimals and "%".
wxString qxFixedText(double value, int decimals);
wxString qxPercentText(double value);

// Columns of a position row (0 "Name" is left empty: it is set when the row
// is made): Last, Change, %Change, Buy Price, Quantity, Investment, Value,
// Gain, %Gain. Value, Gain and %Gain are "-" without any bar; a position
// with nothing open shows none of them.
using QxPositionTexts = std::array<wxString, 10>;
QxPositionTexts qxPositionRowTexts(const QxPosition& position, const QxCloses& closes);
// A transaction's row: what is open of it (openPart) as a lot; a closed one
// shows only its price and quantity as they were entered.
QxPositionTexts qxLotRowTexts(const QxTransaction& transaction, double openPart, const QxCloses& closes);
// A watch row's columns 1 to 7 (Last, Change, %Change, Watch Start, Start
// Price, Gain, %Gain); false, with nothing to set, without a history.
using QxWatchTexts = std::array<wxString, 8>;
bool qxWatchRowTexts(const QxWatchItem& item, const QxCloses& closes, QxWatchTexts& texts);
// A portfolio list row: Investment, Value, %Gain; closesOf gives the closes
// of a position's security. Value and %Gain are "-" while something held has
// no price at all (a total without it would be wrong).
std::array<wxString, 3> qxPortfolioListTexts(const QxPortfolio& portfolio,
                                             const std::function<QxCloses(QxSecurity*)>& closesOf);

// The number at the start of a text with the locale's parser ("12.50%"
// reads 12.5); 0 when there is none ("-").
double qxLeadingNumber(const wxString& text);
// -1, 0, 1 by the leading numbers.
int qxCompareLeadingNumbers(const wxString& a, const wxString& b);
// Two rows of the portfolio list by the texts of the sort column: the
// consolidated row (the one last when the sort started) after all others in
// either direction; column 0 by text, the others by number.
int qxComparePortfolioListRows(const wxString& a, bool aIsConsolidated, const wxString& b, bool bIsConsolidated,
                               int column, bool ascending);

// Column widths fitting a control width wide: column 0 twice the share of
// one of n + 1 parts, the rest split evenly.
std::vector<int> qxFitColumnWidths(int width, int columns);
// The same, for columns that each need at least a width to show their
// header and texts whole: every column gets what it needs, and the width
// left over is shared out as above. When the control is narrower than the
// columns need together, each gets what it needs (and the control scrolls).
std::vector<int> qxFitColumnWidths(int width, const std::vector<int>& needed);

// What the rows of the details trees carry: positions and watch items by
// their security key (the tree's portfolio or watchlist holds them), lots by
// the index and time of their transaction.
class QxPositionRowData : public wxClientData {
public:
    explicit QxPositionRowData(std::string key) : key(std::move(key)) {}
    std::string key;
};
class QxLotRowData : public wxClientData {
public:
    QxLotRowData(size_t index, int64_t time) : index(index), time(time) {}
    size_t index; // in the parent position's transactions
    int64_t time;
};
class QxWatchRowData : public wxClientData {
public:
    explicit QxWatchRowData(std::string key) : key(std::move(key)) {}
    std::string key;
};

class QxPortfolioDetailsItemComparator : public wxTreeListItemComparator {
public:
    // Column 0: position rows by name, lot rows by transaction time; other
    // columns by the numbers at the start of the texts.
    int Compare(wxTreeListCtrl* tree, unsigned column, wxTreeListItem a, wxTreeListItem b) override;
};

class QxWatchlistDetailsItemComparator : public wxTreeListItemComparator {
public:
    // Column 0 by name, the others by the numbers at the start of the texts.
    int Compare(wxTreeListCtrl* tree, unsigned column, wxTreeListItem a, wxTreeListItem b) override;
};
