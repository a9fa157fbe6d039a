#include "chartview/QxCandlestickPattern.h"

#include "chart/QxScale.h"
#include "chart/QxPixelTarget.h"
#include "configdlg/QxCdlPatternSelectorDlg.h"
#include "core/QxCalculator.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSeriesId.h"
#include "core/platform/CorvAlloc.h"
#include "core/ta/QxTaFunctionSet.h"

#include <wx/brush.h>
#include <wx/dc.h>
#include <wx/pen.h>
#include <wx/tokenzr.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <map>
#include <vector>
#include <utility>

QxCandlestickPattern::QxCandlestickPattern() : bullColour(*wxGREEN), bearColour(*wxRED) {}

QxCandlestickPattern::QxCandlestickPattern(const QxCandlestickPattern& other)
    : QxPattern(), detectors(other.detectors), bullColour(other.bullColour), bearColour(other.bearColour)
{
}

QxCandlestickPattern::~QxCandlestickPattern() = default;

QxAtom QxCandlestickPattern::getName() const
{
    return QxAtom("QxCandlestickPattern");
}

wxString QxCandlestickPattern::getDisplayText() const
{
    return "Candlestick pattern detector";
}

wxString joinDetectorNames(const std::vector<const TA_FuncInfo*>& detectors)
{
    wxString text;
    for (const TA_FuncInfo* f : detectors) {
        if (!text.empty())
            text += ' ';
        text += f->name;
    }
    return text;
}

void parseDetectorNames(const wxString& text, std::vector<const TA_FuncInfo*>& detectors)
{
    for (const wxString& piece : wxSplit(text, ' ', '\0')) {
        const TA_FuncHandle* handle = nullptr;
        const TA_FuncInfo* info = nullptr;
        if (piece.empty() || QxTaFunctionSet::getFuncHandle(piece.utf8_str(), &handle) != TA_SUCCESS ||
            QxTaFunctionSet::getFuncInfo(handle, &info) != TA_SUCCESS || !info)
            continue;
        detectors.push_back(info);
    }
}

bool QxCandlestickPattern::configure()
{
    return QxCdlPatternSelectorDlg::instance()->choosePatterns(detectors);
}

wxXmlNode* QxCandlestickPattern::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "QxCandlestickPattern");
    element->AddAttribute("Detectors", joinDetectorNames(detectors));
    element->AddAttribute("BullColor", bullColour.GetAsString(wxC2S_CSS_SYNTAX));
    element->AddAttribute("BearColor", bearColour.GetAsString(wxC2S_CSS_SYNTAX));
    return element;
}

int QxCandlestickPattern::fromXml(const wxXmlNode* element)
{
    if (!element)
        return eNoError;
    parseDetectorNames(element->GetAttribute("Detectors", wxString()), detectors);
    wxString text;
    bullColour = element->GetAttribute("BullColor", &text) ? wxColour(text) : wxColour();
    bearColour = element->GetAttribute("BearColor", &text) ? wxColour(text) : wxColour();
    return eNoError;
}

QxCandlestickPattern::Output QxCandlestickPattern::computeCandlestickSeries(const TA_FuncInfo* function) const
{
    Output out;
    out.series = QxSeries(1, 0, 0, nullptr);
    QxCalculator* calc = getCalculator();
    if (!calc || !function)
        return out;
    QxSeries cached;
    const int parked = calc->getDataSeries(static_cast<const void*>(function), cached);
    if (parked == eNoError) {
        out.series = cached;
        return out;
    }
    const bool cacheHasEntry = parked != eInvalidInput;
    QxPriceHistory* history = calc->prices(false);
    const unsigned n = history ? history->numBars() : 0;
    if (n == 0)
        return out;
    QxTaParamHolder* holder = nullptr;
    if (QxTaFunctionSet::paramHolderAlloc(function->handle, &holder) != TA_SUCCESS)
        return out;
    for (unsigned i = 0; i < function->nbInput; ++i) {
        const TA_InputParameterInfo* input = nullptr;
        if (QxTaFunctionSet::getInputParameterInfo(function->handle, i, &input) != TA_SUCCESS ||
            input->type != TA_Input_Price)
            continue;
        const auto field = [&](int flag, const double* values) {
            return (input->flags & flag) && values ? values : nullptr;
        };
        QxTaFunctionSet::setInputParamPricePtr(
            holder, i, field(TA_IN_PRICE_OPEN, history->open()), field(TA_IN_PRICE_HIGH, history->high()),
            field(TA_IN_PRICE_LOW, history->low()), field(TA_IN_PRICE_CLOSE, history->close()),
            field(TA_IN_PRICE_VOLUME, history->volume()), field(TA_IN_PRICE_OPENINTEREST, history->openInterest()));
    }
    // Candlestick functions have one output; further ones are bound and dropped.
    using Buffer = std::unique_ptr<double, void (*)(void*)>;
    std::vector<Buffer> buffers;
    for (unsigned j = 0; j < function->nbOutput; ++j) {
        buffers.emplace_back(static_cast<double*>(CorvMalloc(sizeof(double) * n)), CorvFree);
        QxTaFunctionSet::setOutputParamRealPtr(holder, j, buffers.back().get());
    }
    TA_Integer begin = 0, count = 0;
    const TA_RetCode rc = QxTaFunctionSet::callFunc(holder, 0, TA_Integer(n - 1), &begin, &count);
    QxTaFunctionSet::paramHolderFree(holder);
    if (buffers.empty())
        return out;
    out.series.values = buffers.front().get();
    if (rc == TA_SUCCESS && count > 0)
        out.series.first = out.series.base = begin, out.series.last = TA_Integer(n - 1);
    if (cacheHasEntry) {
        // Kept, also when empty, so a failing function is not called at every paint.
        calc->setDataSeries(static_cast<const void*>(function), out.series);
        buffers.front().release();
    } else {
        out.owned.reset(buffers.front().release(), CorvFree);
    }
    return out;
}

wxBrushStyle candlestickHatch(double value)
{
    if (value > 199)
        return wxBRUSHSTYLE_BDIAGONAL_HATCH;
    if (value > 99)
        return wxBRUSHSTYLE_HORIZONTAL_HATCH;
    if (value > -101)
        return wxBRUSHSTYLE_VERTICAL_HATCH;
    if (value > -201)
        return wxBRUSHSTYLE_FDIAGONAL_HATCH;
    return wxBRUSHSTYLE_SOLID;
}

namespace {

bool usable(const QxSeries& s)
{
    return s.values && s.first >= 0 && s.first <= s.last;
}

wxPen markPen(const wxColour& colour)
{
    wxPen pen(colour, 1, wxPENSTYLE_SOLID);
    pen.SetCap(wxCAP_BUTT);
    pen.SetJoin(wxJOIN_MITER);
    return pen;
}

// The pixels of a mark's fill and of its outline, by the mark's size: a
// mark painted without smoothing covers the same pixels wherever it lies,
// so each size is painted once.  Inner is the fill without the outline's
// pixels, for a fill an opaque outline is drawn over.
struct MarkPixels {
    QxPixelMask fill, outline, inner;
};

// The kept masks; started again, before a paint takes any, when a paint
// of count more sizes could pass the limit.
std::map<std::pair<int, int>, MarkPixels>& keptMarkPixels(size_t count)
{
    static std::map<std::pair<int, int>, MarkPixels> made;
    if (made.size() + count > 4096)
        made.clear();
    return made;
}

const MarkPixels* markPixels(std::map<std::pair<int, int>, MarkPixels>& made, int width, int height)
{
    const auto key = std::make_pair(width, height);
    if (const auto it = made.find(key); it != made.end())
        return &it->second;
    constexpr int margin = 2;
    const wxSize size(width + 2 * margin, height + 2 * margin);
    MarkPixels pixels;
    // The fill as the device context fills it under a visible pen (one
    // pixel smaller), with a pen that leaves nothing itself.
    const bool ok = pixels.fill.make(size, margin,
                                     [&](wxDC& dc) {
                                         dc.SetPen(markPen(wxColour(255, 255, 255, 0)));
                                         dc.SetBrush(*wxWHITE_BRUSH);
                                         dc.DrawEllipse(margin, margin, width, height);
                                     }) &&
                    pixels.outline.make(size, margin, [&](wxDC& dc) {
                        dc.SetPen(markPen(*wxWHITE));
                        dc.SetBrush(*wxTRANSPARENT_BRUSH);
                        dc.DrawEllipse(margin, margin, width, height);
                    });
    if (!ok)
        return nullptr;
    pixels.inner = pixels.fill;
    pixels.inner.subtract(pixels.outline);
    return &made.emplace(key, std::move(pixels)).first->second;
}

int hatchIndex(wxBrushStyle style)
{
    switch (style) {
    case wxBRUSHSTYLE_BDIAGONAL_HATCH:
        return 0;
    case wxBRUSHSTYLE_HORIZONTAL_HATCH:
        return 1;
    case wxBRUSHSTYLE_VERTICAL_HATCH:
        return 2;
    case wxBRUSHSTYLE_FDIAGONAL_HATCH:
        return 3;
    default:
        return 4;
    }
}

} // namespace

int QxCandlestickPattern::draw(wxDC& dc, unsigned first, unsigned last, const QxScale& x, const QxScale& y) const
{
    QxCalculator* calc = getCalculator();
    if (!calc)
        return eInvalidInput;
    QxSeries high, low;
    int rc = calc->getDataSeries(QxSeriesId(QxSeriesId::eSeriesHigh), high);
    if (rc == eNoError)
        rc = calc->getDataSeries(QxSeriesId(QxSeriesId::eSeriesLow), low);
    if (rc != eNoError)
        return rc;
    if (!usable(high) || !usable(low))
        return eInvalidData;

    int result = eNoError;
    const int half = (x.map(1.0) - x.map(0.0) + 1) / 2;
    // Without smoothing (as the zones paint their patterns) the marks go
    // straight into the picture's pixels where it lies in memory.
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    QxPixelTarget target(dc);
    const bool intoPixels = gc && gc->GetAntialiasMode() == wxANTIALIAS_NONE && target.isOpen();

    // Every function's output, kept by the calculator (or here) while drawn.
    std::vector<Output> outputs;
    outputs.reserve(detectors.size());
    for (const TA_FuncInfo* function : detectors)
        outputs.push_back(computeCandlestickSeries(function));

    // Each bar's mark: its box (the same for every function), its pixels,
    // and the last function marking it.
    const int barsFrom = std::max({int(first), high.first, low.first});
    const int barsTo = std::min({int(last), high.last, low.last});
    struct Bar {
        int last = -1;
        int left = 0, top = 0, width = 0, height = 0;
        const MarkPixels* pixels = nullptr;
        // The last mark's outline is opaque and written into the pixels:
        // every pixel of it ends in that colour, so the outlines before it
        // and the fills' pixels under it are left out.
        bool covered = false;
    };
    std::vector<Bar> bars(size_t(std::max(0, barsTo - barsFrom + 1)));
    for (size_t k = 0; k < outputs.size(); ++k) {
        const QxSeries& s = outputs[k].series;
        if (!usable(s))
            continue;
        for (int b = std::max(barsFrom, s.first); b <= std::min(barsTo, s.last); ++b)
            if (*s.at(b) != 0)
                bars[size_t(b - barsFrom)].last = int(k);
    }
    auto& made = keptMarkPixels(bars.size());
    for (size_t i = 0; i < bars.size(); ++i) {
        Bar& bar = bars[i];
        if (bar.last < 0)
            continue;
        const int b = barsFrom + int(i);
        bar.left = x.map(double(b)) - half;
        bar.top = y.map(*high.at(b));
        bar.width = x.map(double(b)) + half - bar.left;
        bar.height = y.map(*low.at(b)) - bar.top;
        if (!intoPixels || bar.width <= 1 || bar.height <= 1)
            continue;
        bar.pixels = markPixels(made, bar.width, bar.height);
        const wxColour& colour = *outputs[size_t(bar.last)].series.at(b) > 0 ? bullColour : bearColour;
        bar.covered = bar.pixels && colour.IsOk() && colour.Alpha() == wxALPHA_OPAQUE;
    }

    // The paints of the marks' brushes, by sign and hatch, taken once a paint.
    struct Paints {
        bool taken = false;
        const QxPixelBrush* fill = nullptr;
        const QxPixelPaint* outline = nullptr;
    };
    Paints paints[2][5];
    unsigned generation = QxPixelPaint::keptGeneration();

    // The device context's pen and brush change only for marks it draws.
    const wxPen savedPen = dc.GetPen();
    const wxBrush savedBrush = dc.GetBrush();
    bool penChanged = false;
    for (size_t k = 0; k < outputs.size(); ++k) {
        const QxSeries& s = outputs[k].series;
        if (!usable(s))
            continue;
        const int from = std::max(barsFrom, s.first);
        const int to = std::min(barsTo, s.last);
        if (from > to) {
            // Nothing of this one in view: the others are still drawn.
            result = eInvalidIndex;
            continue;
        }
        for (int b = from; b <= to; ++b) {
            const double v = *s.at(b);
            if (v == 0)
                continue;
            const Bar& bar = bars[size_t(b - barsFrom)];
            const wxColour& colour = v > 0 ? bullColour : bearColour;
            const wxBrushStyle style = candlestickHatch(v);
            if (bar.pixels && colour.IsOk()) {
                Paints& p = paints[v > 0][hatchIndex(style)];
                if (!p.taken) {
                    p.fill = QxPixelBrush::of(wxBrush(colour, style), 1);
                    p.outline = QxPixelPaint::of(colour);
                    p.taken = true;
                    // Those taken before went with the kept ones.
                    if (QxPixelPaint::keptGeneration() != generation) {
                        generation = QxPixelPaint::keptGeneration();
                        for (auto& sign : paints)
                            for (Paints& other : sign)
                                if (&other != &p)
                                    other = Paints();
                    }
                }
                if (p.fill && p.outline) {
                    target.fill(bar.covered ? bar.pixels->inner : bar.pixels->fill, bar.left, bar.top, *p.fill);
                    if (!bar.covered || bar.last == int(k))
                        target.fill(bar.pixels->outline, bar.left, bar.top, *p.outline);
                    continue;
                }
            }
            dc.SetPen(markPen(colour));
            dc.SetBrush(wxBrush(colour, style));
            penChanged = true;
            dc.DrawEllipse(bar.left, bar.top, bar.width, bar.height);
        }
    }
    if (penChanged) {
        dc.SetPen(savedPen);
        dc.SetBrush(savedBrush);
    }
    return result;
}

void QxCandlestickPattern::display(wxDC& dc, unsigned first, unsigned last, const QxScale& x,
                                   const QxScale& y) const
{
    draw(dc, first, last, x, y);
}

bool QxCandlestickPattern::isPatternAt(unsigned bar, double value) const
{
    QxCalculator* calc = getCalculator();
    QxSeries high, low;
    if (!calc || bar < 1 || calc->getDataSeries(QxSeriesId(QxSeriesId::eSeriesHigh), high) != eNoError ||
        calc->getDataSeries(QxSeriesId(QxSeriesId::eSeriesLow), low) != eNoError || !usable(high) ||
        !usable(low))
        return false;
    const int b = int(bar);
    if (b < high.first || b > high.last || b < low.first || b > low.last)
        return false;
    if (!(*low.at(b) <= value && value <= *high.at(b)))
        return false;
    for (const TA_FuncInfo* function : detectors) {
        const Output output = computeCandlestickSeries(function);
        const QxSeries& s = output.series;
        if (usable(s) && s.first <= b && b <= s.last && *s.at(b) != 0)
            return true;
    }
    return false;
}

wxString QxCandlestickPattern::tooltip(unsigned bar) const
{
    wxString text;
    const int b = int(bar);
    for (const TA_FuncInfo* function : detectors) {
        const Output output = computeCandlestickSeries(function);
        const QxSeries& s = output.series;
        if (!usable(s) || b < s.first || b > s.last || *s.at(b) == 0)
            continue;
        const double v = *s.at(b);
        if (!text.empty())
            text += "\n";
        text += wxString::FromUTF8(function->hint) + ":\n\t";
        if (v == -200)
            text += "Very Bearish";
        else if (v == -100)
            text += "Bearish";
        else if (v == 100)
            text += "Bullish";
        else if (v == 200)
            text += "Very Bullish";
    }
    return text;
}
