#include "securities/QxPortfolioValues.h"

#include "core/QxPriceHistory.h"
#include "core/QxTime.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

int sign(double v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Value, Gain and %Gain of an open quantity bought for investment.
void fillValue(QxPositionTexts& texts, double quantity, double investment, const QxCloses& closes)
{
    if (closes.bars == 0) {
        texts[7] = texts[8] = texts[9] = "-";
        return;
    }
    const double value = quantity * closes.last;
    const double gain = value - investment;
    texts[7] = qxFixedText(value, 2);
    texts[8] = qxFixedText(gain, 2);
    // Measured against what was put in, so that a short that gained shows
    // a gain: the sign is the gain's.
    texts[9] = investment == 0 ? wxString("-") : qxPercentText(gain * 100 / std::fabs(investment));
}

void fillChange(wxString* last, const QxCloses& closes)
{
    if (!closes.hasChange()) {
        last[0] = last[1] = last[2] = wxString();
        return;
    }
    last[0] = qxFixedText(closes.last, 4);
    last[1] = qxFixedText(closes.last - closes.previous, 4);
    last[2] = qxPercentText((closes.last - closes.previous) * 100 / closes.previous);
}

} // namespace

const double* qxClosingValues(const QxPriceHistory* history)
{
    if (!history || history->numBars() == 0)
        return nullptr;
    return history->getSecurityType() == Qx::eFund || !history->close() ? history->nav() : history->close();
}

QxCloses qxClosesOf(const QxPriceHistory* history)
{
    QxCloses closes;
    const double* values = qxClosingValues(history);
    if (!values)
        return closes;
    closes.bars = history->numBars();
    closes.last = values[closes.bars - 1];
    if (closes.bars >= 2)
        closes.previous = values[closes.bars - 2];
    return closes;
}

wxString qxFixedText(double value, int decimals) { return wxString::Format("%.*f", decimals, value); }

wxString qxPercentText(double value) { return qxFixedText(value, 2) + "%"; }

QxPositionTexts qxPositionRowTexts(const QxPosition& position, const QxCloses& closes)
{
    QxPositionTexts texts;
    if (!position.isOpen())
        return texts;
    fillChange(&texts[1], closes);
    texts[4] = qxFixedText(position.averagePrice(), 4);
    texts[5] = qxFixedText(position.openQuantity(), 4);
    texts[6] = qxFixedText(position.openCost(), 2);
    fillValue(texts, position.openQuantity(), position.openCost(), closes);
    return texts;
}

QxPositionTexts qxLotRowTexts(const QxTransaction& transaction, double openPart, const QxCloses& closes)
{
    QxPositionTexts texts;
    if (openPart == 0) {
        texts[4] = qxFixedText(transaction.price, 4);
        texts[5] = qxFixedText(transaction.quantity, 4);
        return texts;
    }
    fillChange(&texts[1], closes);
    texts[4] = qxFixedText(transaction.price, 4);
    texts[5] = qxFixedText(openPart, 4);
    const double investment = openPart * transaction.price;
    texts[6] = qxFixedText(investment, 2);
    fillValue(texts, openPart, investment, closes);
    return texts;
}

bool qxWatchRowTexts(const QxWatchItem& item, const QxCloses& closes, QxWatchTexts& texts)
{
    if (closes.bars == 0)
        return false;
    fillChange(&texts[1], closes);
    texts[4] = formatTimestamp(item.time, "%x");
    if (item.price > 0) {
        const double gain = closes.last - item.price;
        texts[5] = qxFixedText(item.price, 4);
        texts[6] = qxFixedText(gain, 4);
        texts[7] = qxPercentText(gain * 100 / item.price);
    } else {
        texts[5] = texts[6] = texts[7] = "-";
    }
    return true;
}

std::array<wxString, 3> qxPortfolioListTexts(const QxPortfolio& portfolio,
                                             const std::function<QxCloses(QxSecurity*)>& closesOf)
{
    double investment = 0;
    double value = 0;
    bool valued = true; // false once something held has no price at all
    for (const auto& [key, position] : portfolio.positions()) {
        investment += position.openCost();
        if (!position.isOpen())
            continue;
        const QxCloses closes = closesOf(position.security());
        if (closes.bars > 0)
            value += closes.last * position.openQuantity();
        else
            valued = false;
    }
    if (!valued)
        return {qxFixedText(investment, 2), "-", "-"};
    // A short holding (negative investment) gains as its value falls.
    return {qxFixedText(investment, 2), qxFixedText(value, 2),
            investment == 0 ? wxString("-")
                            : qxPercentText((value / investment - 1) * 100 * (investment < 0 ? -1 : 1))};
}

double qxLeadingNumber(const wxString& text)
{
    const std::string bytes = text.utf8_string();
    const double value = std::strtod(bytes.c_str(), nullptr);
    return std::isnan(value) ? 0 : value;
}

int qxCompareLeadingNumbers(const wxString& a, const wxString& b)
{
    return sign(qxLeadingNumber(a) - qxLeadingNumber(b));
}

int qxComparePortfolioListRows(const wxString& a, bool aIsConsolidated, const wxString& b, bool bIsConsolidated,
                               int column, bool ascending)
{
    if (aIsConsolidated != bIsConsolidated)
        return aIsConsolidated ? 1 : -1;
    const int order = column == 0 ? sign(a.Cmp(b)) : qxCompareLeadingNumbers(a, b);
    return ascending ? order : -order;
}

std::vector<int> qxFitColumnWidths(int width, int columns)
{
    if (columns <= 0)
        return {};
    if (columns == 1)
        return {width};
    const int first = 2 * (width / (columns + 1));
    std::vector<int> widths(static_cast<size_t>(columns), (width - first) / (columns - 1));
    widths[0] = first;
    return widths;
}

std::vector<int> qxFitColumnWidths(int width, const std::vector<int>& needed)
{
    int total = 0;
    for (int w : needed)
        total += std::max(w, 0);
    std::vector<int> widths = qxFitColumnWidths(std::max(width - total, 0), static_cast<int>(needed.size()));
    for (size_t i = 0; i < widths.size(); ++i)
        widths[i] += std::max(needed[i], 0);
    return widths;
}

int QxPortfolioDetailsItemComparator::Compare(wxTreeListCtrl* tree, unsigned column, wxTreeListItem a,
                                              wxTreeListItem b)
{
    if (column != 0)
        return qxCompareLeadingNumbers(tree->GetItemText(a, column), tree->GetItemText(b, column));
    auto* lotA = dynamic_cast<QxLotRowData*>(tree->GetItemData(a));
    auto* lotB = dynamic_cast<QxLotRowData*>(tree->GetItemData(b));
    if (lotA && lotB)
        return lotA->time < lotB->time ? -1 : lotA->time > lotB->time ? 1 : 0;
    return sign(tree->GetItemText(a, 0).Cmp(tree->GetItemText(b, 0)));
}

int QxWatchlistDetailsItemComparator::Compare(wxTreeListCtrl* tree, unsigned column, wxTreeListItem a,
                                              wxTreeListItem b)
{
    if (column != 0)
        return qxCompareLeadingNumbers(tree->GetItemText(a, column), tree->GetItemText(b, column));
    return sign(tree->GetItemText(a, 0).Cmp(tree->GetItemText(b, 0)));
}
