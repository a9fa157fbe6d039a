#include "trading/QxSimpleSystemTest.h"

#include "core/QxPriceHistory.h"
#include "core/QxDateFormatter.h"
#include "core/QxTime.h"
#include "trading/QxIdeaReportHtml.h"
#include "trading/QxSignal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

// Numbers are written with a decimal point whatever the user's locale: the
// page is a document to keep and send on, not a label on the screen. Two
// decimals, as the C library's "%.2f" writes them in the "C" locale, at p,
// which has room for kMoneyRoom characters; the end of what was written.
constexpr size_t kMoneyRoom = 400;
char* writeMoney(char* p, double value)
{
    // Hundredths k, when value * 100 is surely nearer to k than to any
    // other whole number (fma gives value * 100 - k rounded once): that is
    // the rounding "%.2f" makes, written here. Ties, doubts and large or
    // non-finite values go through the library.
    const double k = std::nearbyint(value * 100.0);
    if (std::fabs(k) < 1e15 && std::fabs(std::fma(value, 100.0, -k)) < 0.4999) {
        const auto hundredths = static_cast<uint64_t>(std::fabs(k));
        if (std::signbit(value))
            *p++ = '-';
        uint64_t whole = hundredths / 100;
        int digits = 1;
        for (uint64_t rest = whole; rest >= 10; rest /= 10)
            ++digits;
        char* end = p + digits;
        for (char* q = end; q > p; whole /= 10)
            *--q = char('0' + whole % 10);
        end[0] = '.';
        end[1] = char('0' + hundredths / 10 % 10);
        end[2] = char('0' + hundredths % 10);
        return end + 3;
    }
    return std::to_chars(p, p + kMoneyRoom, value, std::chars_format::fixed, 2).ptr;
}
void money(std::string& out, double value)
{
    char text[kMoneyRoom];
    out.append(text, static_cast<size_t>(writeMoney(text, value) - text));
}
void percent(std::string& out, double value)
{
    money(out, value);
    out += '%';
}
template <class Integer>
char* writeNumber(char* p, Integer value)
{
    return std::to_chars(p, p + 24, value).ptr;
}
template <class Integer>
void number(std::string& out, Integer value)
{
    char text[24];
    out.append(text, static_cast<size_t>(writeNumber(text, value) - text));
}

// A piece of the page made in place and appended in one go: a trade's row
// is twenty-odd small texts.
class Piece {
public:
    template <size_t N>
    void literal(const char (&text)[N])
    {
        std::memcpy(m_end, text, N - 1);
        m_end += N - 1;
    }
    void text(const char* text)
    {
        const size_t n = std::strlen(text);
        std::memcpy(m_end, text, n);
        m_end += n;
    }
    template <class Integer>
    void number(Integer value)
    {
        m_end = writeNumber(m_end, value);
    }
    void money(double value) { m_end = writeMoney(m_end, value); }
    void appendTo(std::string& out)
    {
        out.append(m_text, static_cast<size_t>(m_end - m_text));
        m_end = m_text;
    }

private:
    // Room for the longest stretch between two appends: two amounts and
    // their cells.
    char m_text[3 * kMoneyRoom];
    char* m_end = m_text;
};
std::string utf8(const wxString& text)
{
    const wxScopedCharBuffer bytes = text.utf8_str();
    return std::string(bytes.data(), bytes.length());
}

bool isPrice(double value) { return std::isfinite(value) && value > 0.0; }

// The whole shares cash buys at price, kept within the share counter.
unsigned sharesFor(double cash, double price)
{
    const double whole = std::floor(std::floor(std::max(cash, 0.0)) / price);
    return whole >= std::numeric_limits<unsigned>::max() ? std::numeric_limits<unsigned>::max()
                                                         : static_cast<unsigned>(whole);
}

const char* remarkCell(QxTradeRemark remark)
{
    switch (remark) {
    case eStopLossTriggered: return "<td> Stop Loss Triggered.</td>";
    case eStopErosionTriggered: return "<td> Stop Profit Erosion Triggered.</td>";
    default: return "<td></td>";
    }
}

// The page as UTF-8, written straight into one string: a report of a long
// history has hundreds of dates and prices.
std::string buildReport(const int64_t* ts, const QxSimpleTestParams& params, const QxSimpleTestResult& r)
{
    const QxDateFormatter dates;
    // A locale's date rarely holds a markup character; one that does is
    // escaped as any other text.
    const auto date = [&dates](std::string& out, int64_t t) {
        const size_t at = out.size();
        dates.append(t, out);
        bool markup = false;
        for (size_t k = at; k < out.size(); ++k) {
            const char c = out[k];
            markup = markup || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'';
        }
        if (!markup)
            return;
        const wxString text = wxString::FromUTF8(out.data() + at, out.size() - at);
        out.resize(at);
        out += utf8(escapeHtmlText(text));
    };
    std::string page;
    page.reserve(4096 + 320 * r.trades.size());
    page += "<html>\n<title>Trendoria Simple System Test Report</title>\n<body bgcolor='white'>\n"
            "<table width='100%'>\n<tr><th align=center></th></tr><tr><td align=center><h1> Analysis of '";
    page += utf8(escapeHtmlText(params.systemName));
    page += "' for ";
    page += utf8(escapeHtmlText(params.ticker));
    page += "</h1>\n<h2> Trading history (Simulated)</h2>\n<h3>From ";
    date(page, params.startDate);
    page += " to ";
    date(page, params.endDate);
    page += "</h3>\n<table style='color: lightgray;' align=center width='80%' border='1' cellpadding='5' "
            "cellspacing='0'>\n<tr style='color: #ad7fa8;'>\n<th>Trade#</th><th>Shares</th><th>Buy Date</th>"
            "<th>Buy Price</th><th>Sell Date</th><th>Sell Price</th><th>Return</th><th>Remarks</th>\n</tr>\n";
    int trade = 0;
    Piece row;
    for (const QxSimpleTrade& t : r.trades) {
        row.text(t.returnPercent >= 0.0 ? "<tr bgcolor='#4e9a06' align=\"right\">\n<td>"
                                        : "<tr bgcolor='#a40000' align=\"right\">\n<td>");
        row.number(++trade);
        row.literal("</td><td>");
        row.number(t.shares);
        row.literal("</td><td>");
        row.appendTo(page);
        date(page, ts[t.buyBar]);
        row.literal("</td><td>");
        row.money(t.buyPrice);
        row.literal("</td><td>");
        row.appendTo(page);
        date(page, ts[t.sellBar]);
        row.literal("</td><td>");
        row.money(t.sellPrice);
        row.literal("</td><td>");
        row.money(t.returnPercent);
        row.literal("%</td>");
        row.text(remarkCell(t.remark));
        row.literal("</tr>\n");
        row.appendTo(page);
    }
    page += "</table>\n";
    if (r.shares > 0) {
        page += "<h4>Still holding ";
        number(page, r.shares);
        page += " shares  bought on ";
        date(page, ts[r.buyBar]);
        page += " at ";
        money(page, r.buyPrice);
        page += ".</h4>\n";
    }
    page += "<h2>Summary:</h2>\n";
    if (r.winning + r.losing == 0) {
        page += "<p><em>Buy signal never got generated. So no trading was done.</em></p>";
    } else {
        page += "<table width=70% align=center bgcolor=#ad7fa8>\n<tr> <th width=50%></th><th width=50%></th></tr>\n"
                "<tr><td align=right> Initial cash amount:</td><td align=left>";
        money(page, QxSimpleTestResult::kInitialCash);
        page += "</td></tr>\n<tr><td align=right> Remaining cash amount:</td><td align=left>";
        money(page, r.cash);
        page += "</td></tr>\n<tr><td align=right> Total present value:</td><td align=left>";
        money(page, r.presentValue);
        page += "</td></tr>\n<tr><td align=right> Number of winning trade:</td><td align=left>";
        number(page, r.winning);
        page += "</td></tr>\n<tr><td align=right> Number of losing trade:</td><td align=left>";
        number(page, r.losing);
        page += "</td></tr>\n<tr><td align=right> Max profit in single trade:</td><td align=left>";
        percent(page, r.maxGainPercent);
        page += "</td></tr>\n<tr><td align=right> Max loss in single trade:</td><td align=left>";
        percent(page, r.maxLossPercent);
        page += "</td></tr>\n<tr><td align=right> Net return:</td><td align=left>";
        percent(page, r.netReturnPercent);
        page += "</td></tr>\n<tr><td align=right> Buy&Hold return:</td><td align=left>";
        if (r.hasBuyAndHold)
            percent(page, r.buyAndHoldPercent);
        else
            page += "-";
        page += "</td></tr>\n</table>\n"
                "<h3> Notes: </h3><ol style=\"text-align:left; width:30em\"><li> Only long positions taken and no "
                "short selling has been done. </li>\n<li> Shares always bought and sold at closing prices only. "
                "</li>\n<li> Trade is initiated the next day when signal occurred. </li>\n<li> Brokerage and any "
                "kind of tax have not been taken into account. </li>\n</ol><a href='command:ShowChart'>Show "
                "Chart</a><br />\n<a href='command:ExportHTML'>Export as HTML</a>\n";
    }
    page += "<hr /><p><em><strong>'Simple System Test' report created by Corvane Trendoria.</strong></em></p>"
            "</td></tr></table></body>\n</html>\n";
    return page;
}

} // namespace

bool simulateSimpleSystemTest(const QxPriceHistory& history, const QxSignalEvaluator& evaluate,
                              const QxSimpleTestParams& params, QxSimpleTestResult& result)
{
    const unsigned n = history.numBars();
    const int64_t* ts = history.timestamp();
    // A fund has no close: its net asset value is what it is bought and sold at.
    const double* close = history.getSecurityType() == Qx::eFund ? history.nav() : history.close();
    if (n == 0 || !ts || !close)
        return false;
    const auto firstAtOrAfter = [ts, n](int64_t t) {
        return static_cast<unsigned>(std::lower_bound(ts, ts + n, t) - ts);
    };
    const unsigned from = firstAtOrAfter(params.startDate);
    unsigned till = firstAtOrAfter(params.endDate);
    if (from >= n || from > till)
        return false;
    till = std::min(till, n - 1);

    QxSimpleTestResult r;
    r.from = from;
    r.till = till;
    double highest = 0.0;
    for (unsigned i = from + 1; i <= till; ++i) {
        const unsigned mask = r.holding ? Qx::eLongExit : Qx::eLongEntry;
        const bool fired = evaluate(mask, i - 1) == mask;
        if (!r.holding) {
            // A bar without a usable price buys nothing rather than dividing by it.
            if (!fired || !isPrice(close[i]))
                continue;
            r.buyBar = i;
            r.buyPrice = close[i];
            r.shares = sharesFor(r.cash, r.buyPrice);
            r.cash -= r.shares * r.buyPrice;
            highest = r.buyPrice;
            r.holding = true;
            continue;
        }
        QxTradeRemark remark = eNoRemark;
        if (!fired) {
            const double p = close[i - 1];
            if (p > highest)
                highest = p;
            // The fall as (reference - p) / reference: written as 1 - p / reference
            // it rounds a fall of exactly 7% to just under 0.07.
            if ((r.buyPrice - p) / r.buyPrice >= params.stopLoss)
                remark = eStopLossTriggered;
            else if ((highest - p) / highest >= params.stopErosion)
                remark = eStopErosionTriggered;
            else
                continue;
        }
        // Nothing is sold at a missing price; the position waits for the next bar.
        if (!std::isfinite(close[i]))
            continue;
        QxSimpleTrade trade;
        trade.shares = r.shares;
        trade.buyBar = r.buyBar;
        trade.sellBar = i;
        trade.buyPrice = r.buyPrice;
        trade.sellPrice = close[i];
        trade.returnPercent = (close[i] - r.buyPrice) * 100.0 / r.buyPrice;
        trade.remark = remark;
        r.trades.push_back(trade);
        r.cash += r.shares * close[i];
        if (trade.returnPercent >= 0.0) {
            ++r.winning;
            r.maxGainPercent = std::max(r.maxGainPercent, trade.returnPercent);
        } else {
            ++r.losing;
            r.maxLossPercent = std::min(r.maxLossPercent, trade.returnPercent);
        }
        r.shares = 0;
        r.holding = false;
    }

    // The figures belong to the period the report names: a test that ends in
    // 2014 is valued at its own last bar, not at prices of later years. A bar
    // without a price at the end leaves the value to the last priced bar.
    unsigned last = till;
    while (last > from && !std::isfinite(close[last]))
        --last;
    const double lastClose = close[last];
    r.presentValue = r.cash + (r.shares > 0 ? r.shares * lastClose : 0.0);
    r.netReturnPercent = (r.presentValue - QxSimpleTestResult::kInitialCash) * 100.0 / QxSimpleTestResult::kInitialCash;
    r.hasBuyAndHold = isPrice(close[from]) && std::isfinite(lastClose);
    r.buyAndHoldPercent = r.hasBuyAndHold ? (lastClose / close[from] - 1.0) * 100.0 : 0.0;
    r.report = buildReport(ts, params, r);
    result = std::move(r);
    return true;
}
