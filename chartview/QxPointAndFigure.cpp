#include "chartview/QxPointAndFigure.h"

#include "app/QxApplication.h"
#include "chart/QxChartConfiguration.h"
#include "chartview/QxAnnot.h"
#include "chart/QxDrawingHelpers.h"
#include "chartview/QxPointAndFigureConfigDlg.h"
#include "chart/QxTextCache.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/platform/wxConfigEx.h"

#include <wx/config.h>
#include <wx/dc.h>
#include <wx/intl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <set>

namespace {

const char* const kGroup = "/preferences/pnf_config/";

// Truncation toward zero of a value that may not fit an int.
double truncated(double v) { return std::trunc(v); }

int saturatedPixel(double p)
{
    if (std::isnan(p))
        return 0;
    p = std::clamp(p, -QxUniformScale::kPixelLimit, QxUniformScale::kPixelLimit);
    return static_cast<int>(p);
}

} // namespace

// ---------------------------------------------------------------------------
// Parameters

namespace QxPnf {

QxPointAndFigureParam& currentParams()
{
    static QxPointAndFigureParam params;
    return params;
}

int firstBrokenRule(const QxPointAndFigureParam& p)
{
    if (!(p.minAbsBoxSize > 0.0) || !std::isfinite(p.minAbsBoxSize))
        return 1;
    const double percent = p.minPercChange * 100.0;
    if (!(percent >= 0.0 && percent < 100.0))
        return 2;
    if (p.nBoxReversal < 1)
        return 3;
    if (!(p.boxSizeFactor >= 0.0) || !std::isfinite(p.boxSizeFactor))
        return 4;
    if (p.boxSizeFactor != 0.0) {
        if (p.boxSizeFactor > p.minAbsBoxSize)
            return 5;
        // The ratio as a 32-bit integer must equal it; a ratio beyond that
        // range has no such conversion.
        const double ratio = p.minAbsBoxSize / p.boxSizeFactor;
        if (!(ratio <= double(INT32_MAX)) || double(static_cast<int32_t>(ratio)) != ratio)
            return 5;
    }
    return 0;
}

QxPointAndFigureParam sanitized(const QxPointAndFigureParam& p)
{
    const QxPointAndFigureParam defaults;
    QxPointAndFigureParam out = p;
    for (int rule = firstBrokenRule(out); rule != 0; rule = firstBrokenRule(out)) {
        switch (rule) {
        case 1: out.minAbsBoxSize = defaults.minAbsBoxSize; break;
        case 2: out.minPercChange = defaults.minPercChange; break;
        case 3: out.nBoxReversal = defaults.nBoxReversal; break;
        default: out.boxSizeFactor = defaults.boxSizeFactor; break; // rules 4 and 5
        }
    }
    return out;
}

void readStoredParams(wxConfigBase* config)
{
    QxPointAndFigureParam& current = currentParams();
    if (!config)
        return;
    const wxString group(kGroup);
    QxPointAndFigureParam read = current;
    config->Read(group + "minAbsBoxSize", &read.minAbsBoxSize, current.minAbsBoxSize);
    config->Read(group + "minPercChange", &read.minPercChange, current.minPercChange);
    config->Read(group + "boxSizeFactor", &read.boxSizeFactor, current.boxSizeFactor);
    long reversal = current.nBoxReversal;
    config->Read(group + "nBoxReversal", &reversal, long(current.nBoxReversal));
    read.nBoxReversal = reversal < INT32_MIN || reversal > INT32_MAX ? 0 : static_cast<int32_t>(reversal);
    // Stored values the dialog would refuse (a minimum box of 0 would never
    // let the ladder grow) give way to the defaults.
    current = sanitized(read);
}

void storeAsDefault(wxConfigBase* config, const QxPointAndFigureParam& p)
{
    currentParams() = p;
    if (!config)
        return;
    const wxString group(kGroup);
    config->Write(group + "minAbsBoxSize", p.minAbsBoxSize);
    config->Write(group + "minPercChange", p.minPercChange);
    config->Write(group + "boxSizeFactor", p.boxSizeFactor);
    config->Write(group + "nBoxReversal", long(p.nBoxReversal));
    config->Flush();
}

double boxSize(const QxPointAndFigureParam& p, double level)
{
    double box = p.minAbsBoxSize;
    if (p.minPercChange != 0.0 && level > 0.0) {
        const double x = p.minPercChange * level;
        const double blended = x / (1.0 - std::exp(-x / p.minAbsBoxSize));
        if (std::isfinite(blended) && blended > 0.0)
            box = blended;
    }
    if (p.boxSizeFactor > 0.0)
        box = truncated(box / p.boxSizeFactor + 0.5) * p.boxSizeFactor;
    return box;
}

std::string cacheKey(const QxPointAndFigureParam& p)
{
    const double values[] = {p.minAbsBoxSize, p.minPercChange, double(p.nBoxReversal), p.boxSizeFactor};
    std::string key;
    for (double v : values) {
        if (!key.empty())
            key += ':';
        key += wxString::FromCDouble(v, 6).ToStdString();
    }
    return key;
}

bool Ladder::grow()
{
    if (m_levels.size() >= kMaxLevels) {
        m_overrun = true;
        return false;
    }
    const double last = m_levels.back();
    const double next = last + boxSize(m_params, last);
    // A box that does not lift the level (parameters outside the rules)
    // ends the ladder rather than the search.
    if (!(next > last))
        return false;
    m_levels.push_back(next);
    return true;
}

size_t Ladder::findBox(size_t from, bool up, double price)
{
    size_t i = from;
    // No number reaches no other box (upward it would never end).
    if (!std::isfinite(price))
        return from;
    if (up) {
        for (;;) {
            if (i + 1 == m_levels.size() && !grow())
                return i;
            if (m_levels[i + 1] > price)
                return i;
            ++i;
        }
    }
    if (price > m_levels[from])
        return from;
    while (i > 0 && price <= m_levels[i])
        --i;
    return i;
}

bool ladderReaches(const QxPointAndFigureParam& p, double price)
{
    if (!std::isfinite(price) || price <= 0.0)
        return true;
    Ladder ladder(p);
    ladder.findBox(0, true, price);
    return !ladder.overrun();
}

bool buildColumns(const QxPointAndFigureParam& p, size_t n, const double* high, const double* low,
                  const double* close, std::vector<double>& levels, std::vector<unsigned>& starts)
{
    levels.clear();
    starts.clear();
    size_t bar = 0;
    while (bar < n && !std::isfinite(close[bar]))
        ++bar;
    if (bar == n)
        return true;
    Ladder ladder(p);
    const ptrdiff_t reversal = p.nBoxReversal;
    size_t cur = ladder.findBox(0, true, close[bar]);
    levels.push_back(ladder[cur]);
    starts.push_back(0);
    // Appends the boxes after cur up to idx, one ladder step at a time.
    auto append = [&](size_t idx, int d) {
        for (size_t k = cur; k != idx;) {
            k = d > 0 ? k + 1 : k - 1;
            levels.push_back(ladder[k]);
        }
        cur = idx;
    };
    auto usable = [&](size_t i) { return std::isfinite(high[i]) && std::isfinite(low[i]); };

    int d = 0;
    for (++bar; bar < n && d == 0; ++bar) {
        if (!usable(bar))
            continue;
        const size_t down = ladder.findBox(cur, false, low[bar]);
        if (ptrdiff_t(cur) - ptrdiff_t(down) >= reversal) {
            d = -1;
            append(down, d);
            continue;
        }
        const size_t up = ladder.findBox(cur, true, high[bar]);
        if (ptrdiff_t(up) - ptrdiff_t(cur) >= reversal) {
            d = 1;
            append(up, d);
        }
    }
    for (; bar < n; ++bar) {
        if (!usable(bar))
            continue;
        const bool rising = d > 0;
        const size_t idx = ladder.findBox(cur, rising, rising ? high[bar] : low[bar]);
        if (idx != cur) {
            append(idx, d);
            continue; // an extension is never also a reversal
        }
        const size_t idx2 = ladder.findBox(cur, !rising, rising ? low[bar] : high[bar]);
        if ((ptrdiff_t(cur) - ptrdiff_t(idx2)) * d >= reversal) {
            d = -d;
            starts.push_back(static_cast<unsigned>(levels.size()));
            append(idx2, d);
        }
    }
    if (ladder.overrun()) {
        // Prices above the last level would all share it: no chart rather
        // than a wrong one.
        levels.clear();
        starts.clear();
        return false;
    }
    return true;
}

const void* internCacheKey(const std::string& text)
{
    // Set nodes never move: the address of a string stays its key.
    static std::set<std::string> keys;
    return &*keys.insert(text).first;
}

} // namespace QxPnf

// ---------------------------------------------------------------------------
// The chart model

QxPointAndFigure::QxPointAndFigure(QxCalculator* calculator) : m_calculator(calculator)
{
    QxPnf::readStoredParams(&wxConfigEx::get());
    static_cast<QxPointAndFigureParam&>(*this) = QxPnf::currentParams();
    const QxAxisConfiguration& axis = currentChartConfig().axisConfig;
    m_labelColour = axis.labelColor;
    m_labelFont = axis.labelFont;
}

QxPointAndFigure::~QxPointAndFigure()
{
    m_annots.clear();
    m_calculator = nullptr;
}

void QxPointAndFigure::buildColumns(QxArrayT<double>& boxLevels, QxArrayT<unsigned>& columnStarts)
{
    boxLevels = QxArrayT<double>();
    columnStarts = QxArrayT<unsigned>();
    m_tooManyLevels = false;
    QxCalculator* calc = m_calculator.get();
    if (!calc)
        return;
    QxObjectSmartPtr<QxPriceHistory> history(calc->prices(calc->currentTimeframe(), false));
    if (!history || history->numBars() == 0)
        return;
    // The keys are made once per parameter set: formatting them at every
    // layout would cost more than the cached columns save.
    if (!m_dataKey || m_keyParams != params()) {
        const std::string key = QxPnf::cacheKey(*this);
        m_dataKey = QxPnf::internCacheKey("data:" + key);
        m_startKey = QxPnf::internCacheKey("newColIdx:" + key);
        m_keyParams = params();
    }
    const void* dataKey = m_dataKey;
    const void* startKey = m_startKey;
    if (calc->getUserFloat64Array(dataKey, boxLevels) == eNoError &&
        calc->getUserUns32Array(startKey, columnStarts) == eNoError && !boxLevels.isNull() &&
        !columnStarts.isNull())
        return;

    // A fund has only its net asset value: the columns follow that.
    const double* high = history->high();
    const double* low = history->low();
    const double* close = history->close();
    if (!high || !low || !close)
        high = low = close = history->nav();
    std::vector<double> levels;
    std::vector<unsigned> starts;
    if (high)
        m_tooManyLevels = !QxPnf::buildColumns(*this, history->numBars(), high, low, close, levels, starts);
    boxLevels = QxArrayT<double>(levels.size());
    std::copy(levels.begin(), levels.end(), boxLevels.data());
    columnStarts = QxArrayT<unsigned>(starts.size());
    std::copy(starts.begin(), starts.end(), columnStarts.data());
    if (levels.empty())
        return;
    calc->setUserFloat64Array(dataKey, boxLevels);
    calc->setUserUns32Array(startKey, columnStarts);
}

wxString QxPointAndFigure::tooManyLevelsText()
{
    return _("These settings give the prices of this security too many boxes to draw. Please choose a larger "
             "minimum box size or a percentage price change.");
}

double QxPointAndFigure::highestPrice() const
{
    QxCalculator* calc = m_calculator.get();
    QxObjectSmartPtr<QxPriceHistory> history(calc ? calc->prices(calc->currentTimeframe(), false) : nullptr);
    if (!history)
        return 0.0;
    const double* high = history->high() && history->low() && history->close() ? history->high() : history->nav();
    double highest = 0.0;
    for (unsigned i = 0; high && i < history->numBars(); ++i)
        if (std::isfinite(high[i]))
            highest = std::max(highest, high[i]);
    return highest;
}

unsigned QxPointAndFigure::firstVisibleColumn() const
{
    if (m_visibleColumns == 0 || m_lastColumn == kNotPlaced)
        return kNotPlaced;
    return m_lastColumn - m_visibleColumns + 1;
}

void QxPointAndFigure::layout(wxDC& dc, int width)
{
    buildColumns(m_boxLevels, m_columnStarts);
    m_chartWidth = width;
    const unsigned n = numColumns();
    if (m_lastColumn > n - 1)
        m_lastColumn = n - 1;

    m_plotLeft = QxTextCache::extent(dc, "98765.4321").x;
    const long plot = (long(width) - 2L * m_plotLeft) / m_boxPixels * m_boxPixels;
    m_plotWidth = plot < 0 ? 0 : int(plot);
    m_visibleColumns = std::min(unsigned(m_plotWidth / m_boxPixels), n);

    const wxFont oldFont = dc.GetFont();
    const wxFont& titleFont = currentChartConfig().mainZoneConfig.titleFont;
    if (titleFont.IsOk())
        dc.SetFont(titleFont);
    m_titleHeight = QxTextCache::charHeight(dc);
    dc.SetFont(oldFont);

    // Nothing to lay out: no level stays behind from an earlier layout.
    m_levelY.clear();
    m_plotHeight = 0;
    m_virtualHeight = 2 * m_titleHeight;
    m_min = 0.0;
    m_max = -1.0;
    if (m_visibleColumns == 0)
        return;

    if (m_lastColumn < m_visibleColumns)
        m_lastColumn = m_visibleColumns - 1;
    const unsigned first = firstVisibleColumn();
    const size_t from = m_columnStarts[first];
    const size_t to = m_lastColumn + 1 < n ? m_columnStarts[m_lastColumn + 1] : m_boxLevels.size();
    for (size_t i = from; i < to; ++i)
        m_levelY.emplace(m_boxLevels[i], 0);

    const long height = long(m_boxPixels) * long(m_levelY.size());
    m_plotHeight = int(std::min(height, long(INT_MAX / 4)));
    int k = 0;
    for (auto& [level, y] : m_levelY) {
        y = m_titleHeight + m_plotHeight - k * m_boxPixels;
        ++k;
    }
    m_virtualHeight = m_plotHeight + 2 * m_titleHeight;
    // One column per boxPixels from the first visible one, also when fewer
    // columns than fit are shown (spread over the width, annotations would
    // miss the columns they were drawn on) and for a single column.
    m_columnScale.setup(double(first), double(first) + 1.0, m_plotLeft, m_plotLeft + m_boxPixels, false);
    m_min = m_levelY.begin()->first;
    m_max = m_levelY.rbegin()->first;
}

bool QxPointAndFigure::columnRises(unsigned k) const
{
    // With a reversal of 1 a later column may hold one box, so only column 0
    // (which a reversal count of boxes formed, or which is the lone
    // starting box) tells the direction.
    const size_t firstSize = m_columnStarts.size() > 1 ? m_columnStarts[1] : m_boxLevels.size();
    const bool firstRises = firstSize < 2 || m_boxLevels[1] > m_boxLevels[0];
    return (k % 2 == 0) == firstRises;
}

wxString QxPointAndFigure::titleText() const
{
    QxSecurity* security = m_calculator ? m_calculator->getSecurity() : nullptr;
    const wxString name = security ? wxString::FromUTF8(security->name()) : wxString();
    return wxString::Format("%s (%d box reversal P&F chart)", name, nBoxReversal);
}

int QxPointAndFigure::map(const double& value) const
{
    if (m_levelY.empty())
        return 0;
    if (std::isnan(value))
        return m_levelY.begin()->second;
    const auto it = m_levelY.lower_bound(value);
    // Above the highest level the top row's edge holds.
    if (it == m_levelY.end())
        return std::prev(it)->second;
    if (it->first == value)
        return it->second;
    const double box = QxPnf::boxSize(*this, value);
    const double d = (value - it->first) * m_boxPixels / box;
    return saturatedPixel(double(it->second) - truncated(d + 0.5));
}

double QxPointAndFigure::unmap(int pixel) const
{
    if (m_levelY.empty())
        return 0.0;
    // The y values fall as the levels rise: the first level (ascending)
    // whose row edge is at or above the pixel on screen.
    auto it = std::partition_point(m_levelY.begin(), m_levelY.end(),
                                   [pixel](const std::pair<const double, int>& e) { return e.second > pixel; });
    if (it == m_levelY.end()) {
        --it;
    } else {
        if (it->second == pixel)
            return it->first;
        if (it != m_levelY.begin())
            --it;
    }
    const double box = QxPnf::boxSize(*this, it->first);
    return it->first - double(pixel - it->second) * box / m_boxPixels;
}

// ---------------------------------------------------------------------------
// Painting

namespace {

void drawXGlyph(wxDC& dc, int left, int top, int side)
{
    dc.DrawLine(left, top, left + side, top + side);
    dc.DrawLine(left + side, top, left, top + side);
}

void drawOGlyph(wxDC& dc, int left, int top, int side)
{
    dc.DrawCircle(left + side / 2, top + side / 2, side / 2);
}

} // namespace

void QxPointAndFigure::display(wxDC& dc, const wxRect& wanted, const wxSize& picture)
{
    const wxSize size = wanted.IsEmpty() ? dc.GetSize() : picture;
    const wxRect area = wanted.IsEmpty() ? wxRect(0, 0, size.x, size.y) : wanted;
    wxDCClipper inArea(dc, area);
    if (area == wxRect(0, 0, size.x, size.y)) {
        dc.DrawRectangle(area);
    } else {
        // The background of the area, and of the picture's outline what
        // passes through it.
        const wxPen outline = dc.GetPen();
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(area);
        dc.SetPen(outline);
        dc.DrawLine(0, area.y, 0, area.GetBottom() + 1);
        dc.DrawLine(size.x - 1, area.y, size.x - 1, area.GetBottom() + 1);
        if (area.y == 0)
            dc.DrawLine(0, 0, size.x, 0);
        if (area.GetBottom() >= size.y - 1)
            dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    }
    // Rows a box may touch and still show in the area.
    const int rowsFrom = area.y - m_boxPixels, rowsTo = area.GetBottom() + m_boxPixels;

    const QxChartAllConfiguration& config = currentChartConfig();
    const QxZoneConfiguration& zone = config.mainZoneConfig;
    const wxRect title(m_plotLeft, 0, m_plotWidth, m_titleHeight);
    if (zone.titleFont.IsOk())
        dc.SetFont(zone.titleFont);
    dc.SetTextForeground(zone.titleTextColor);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetBrush(wxBrush(zone.titleBgColor, wxBRUSHSTYLE_SOLID));
    dc.SetPen(wxPen(blendColour(zone.titleBgColor, 0.05), 1, wxPENSTYLE_SOLID));
    if (title.Intersects(area)) {
        dc.DrawRectangle(title);
        QxTextCache::drawLabel(dc, titleText(), title, zone.titleAlignment);
    }

    const wxRect plot(m_plotLeft, m_titleHeight, m_plotWidth, m_plotHeight);
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    // The frame's sides as lines where it is taller than the area: a
    // rectangle of such a height would reach past what a device takes.
    const wxRect shownPlot = plot.Intersect(wxRect(area.x, area.y - 1, area.width, area.height + 2));
    if (shownPlot.y == plot.y && shownPlot.GetBottom() == plot.GetBottom()) {
        dc.DrawRectangle(plot);
    } else if (!shownPlot.IsEmpty()) {
        dc.DrawLine(plot.x, shownPlot.y, plot.x, shownPlot.GetBottom() + 1);
        dc.DrawLine(plot.GetRight(), shownPlot.y, plot.GetRight(), shownPlot.GetBottom() + 1);
        if (shownPlot.y == plot.y)
            dc.DrawLine(plot.x, plot.y, plot.GetRight() + 1, plot.y);
        if (shownPlot.GetBottom() == plot.GetBottom())
            dc.DrawLine(plot.x, plot.GetBottom(), plot.GetRight() + 1, plot.GetBottom());
    }

    // All grid lines of a direction have one length: each is a copy of one.
    // The vertical ones are cut to the area at a whole number of dot
    // periods from their start, so every piece shows the same dots.
    const wxPen grid(*wxCYAN, 1, wxPENSTYLE_DOT);
    const int penWidth = grid.GetWidth();
    const int gridTop = m_titleHeight + penWidth, gridLength = m_plotHeight - 2 * penWidth;
    constexpr int kDotPeriods = 120;
    const int skip = std::max(0, (area.y - gridTop) / kDotPeriods * kDotPeriods);
    const int pieceLength = std::min(gridLength - skip, area.GetBottom() + 1 + kDotPeriods - (gridTop + skip));
    std::vector<wxPoint> starts;
    for (long k = 1; k * m_boxPixels < m_plotWidth && pieceLength > 0; ++k)
        starts.emplace_back(m_plotLeft + int(k) * m_boxPixels, gridTop + skip);
    m_verticalGrid.draw(dc, grid, true, pieceLength, starts);
    starts.clear();
    const long firstRow = std::max(1L, long(rowsFrom - m_titleHeight) / m_boxPixels);
    for (long k = firstRow; m_titleHeight + (k - 1) * m_boxPixels < m_plotHeight; ++k) {
        const int y = m_titleHeight + int(k) * m_boxPixels;
        if (y > rowsTo)
            break;
        starts.emplace_back(m_plotLeft, y);
    }
    m_horizontalGrid.draw(dc, grid, false, m_plotWidth, starts);
    dc.SetPen(grid);

    if (m_labelFont.IsOk())
        dc.SetFont(m_labelFont);
    dc.SetTextForeground(m_labelColour);
    const int step = QxTextCache::extent(dc, "0.123456789").y / m_boxPixels + 1;
    int counter = 0;
    for (const auto& [level, y] : m_levelY) {
        if (counter++ % step != 0 || y < rowsFrom || y > rowsTo)
            continue;
        const wxString text = wxString::Format("%2.2f", level);
        QxTextCache::drawLabel(dc, text, wxRect(0, y - m_boxPixels, m_plotLeft - 5, m_boxPixels),
                               wxALIGN_RIGHT | wxALIGN_BOTTOM);
        QxTextCache::drawLabel(dc, text, wxRect(m_plotLeft + m_plotWidth + 5, y - m_boxPixels, m_plotWidth, m_boxPixels),
                               wxALIGN_LEFT | wxALIGN_BOTTOM);
    }

    if (numColumns() == 0) {
        dc.SetTextForeground(*wxRED);
        dc.SetFont(wxFont(14, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
        dc.DrawText(m_tooManyLevels ? tooManyLevelsText()
                                    : _("No data to show chart. Check your internet connection."),
                    m_titleHeight, m_titleHeight);
        return;
    }
    if (m_visibleColumns == 0)
        return;

    const wxPen rising(wxColour(0, 127, 0), 2, wxPENSTYLE_SOLID);
    const wxPen falling(wxColour(127, 0, 0), 2, wxPENSTYLE_SOLID);
    const unsigned first = firstVisibleColumn();
    const unsigned n = numColumns();
    for (unsigned k = 0; k < m_visibleColumns; ++k) {
        const unsigned c = first + k;
        const bool up = columnRises(c);
        dc.SetPen(up ? rising : falling);
        const int left = m_plotLeft + int(k) * m_boxPixels;
        const size_t to = c + 1 < n ? m_columnStarts[c + 1] : m_boxLevels.size();
        for (size_t i = m_columnStarts[c]; i < to; ++i) {
            const auto it = m_levelY.find(m_boxLevels[i]);
            if (it == m_levelY.end() || it->second < rowsFrom || it->second > rowsTo)
                continue;
            const int top = it->second - m_boxPixels;
            if (up)
                drawXGlyph(dc, left, top, m_boxPixels);
            else
                drawOGlyph(dc, left, top, m_boxPixels);
        }
    }

    wxDCClipper clip(dc, plot.Intersect(area));
    for (const auto& annot : m_annots)
        if (annot && !annot->isSelected())
            annot->draw(dc, first, m_lastColumn, m_columnScale, *this);
}

// ---------------------------------------------------------------------------
// Parameters from the user

void QxPointAndFigure::setParams(const QxPointAndFigureParam& params)
{
    static_cast<QxPointAndFigureParam&>(*this) = QxPnf::sanitized(params);
    m_lastColumn = kNotPlaced;
    m_annots.clear();
}

bool QxPointAndFigure::configure()
{
    QxApplication* app = QxApplication::getApp();
    QxPointAndFigureConfigDlg dialog(app ? app->activeFrame() : nullptr, params());
    dialog.setHighestPrice(highestPrice());
    if (dialog.ShowModal() != wxID_OK)
        return false;
    setParams(dialog.getParams());
    if (dialog.setAsDefault())
        QxPnf::storeAsDefault(&wxConfigEx::get(), params());
    return true;
}
