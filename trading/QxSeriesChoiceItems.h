#pragma once
// What the series lists of the condition editor offer, decided without a
// window: which items a list holds and where new ones go, which item shows
// a series, and which series an item stands for. Each item keeps what it
// stands for in full (an indicator's position and output without a size
// limit, a constant's exact value), so nothing is read back from its text.
#include "core/QxObject.h"
#include "core/QxSeriesId.h"

#include <wx/clntdata.h>
#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class QxIndicator;
class QxSignal;

using QxIndicatorList = std::vector<QxObjectSmartPtr<QxIndicator>>;

// One entry of a series list; the lists keep a copy of it as the entry's
// client data.
class QxSeriesItem : public wxClientData {
public:
    enum Kind { ePriceField, eIndicatorOutput, eConstant, eOtherValue, eAddIndicator };

    static QxSeriesItem priceField(uint32_t seriesKind);
    static QxSeriesItem indicatorOutput(const QxIndicatorList& indicators, size_t position, uint32_t output);
    static QxSeriesItem constant(double value);
    static QxSeriesItem otherValue();
    static QxSeriesItem addIndicator();

    Kind kind() const { return m_kind; }
    const wxString& text() const { return m_text; }
    uint32_t priceKind() const { return m_priceKind; }
    size_t indicator() const { return m_indicator; }
    uint32_t output() const { return m_output; }
    double value() const { return m_value; }

    // The series the item stands for: a price field, an output of the
    // indicator at its position, or a constant; the null id for the two
    // command items and for a position the list does not hold.
    QxSeriesId seriesId(const QxIndicatorList& indicators) const;

private:
    explicit QxSeriesItem(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    wxString m_text;
    uint32_t m_priceKind = 0;
    size_t m_indicator = 0;
    uint32_t m_output = 0;
    double m_value = 0.0;
};

using QxSeriesItems = std::vector<QxSeriesItem>;

// Appends indicator unless an equivalent one is listed. The position of the
// listed or appended indicator; added tells which.
size_t addIndicator(QxIndicatorList& indicators, QxIndicator* indicator, bool* added = nullptr);
// Adds the indicators that the conditions of signal (may be null) read:
// a first series' indicator, and a second series' indicator when the id
// names one of its outputs.
void collectIndicators(const QxSignal* signal, QxIndicatorList& indicators);

// The items of a fresh list: price fields and indicator outputs; for the
// second list also the preset constants and "Other fixed value"; last
// "Add indicator".
QxSeriesItems seriesItems(const QxIndicatorList& indicators, bool secondList);
// One item per output of the indicator at position, in output order.
QxSeriesItems outputItems(const QxIndicatorList& indicators, size_t position);
// Where the outputs of a newly added indicator go: behind the price fields
// and the indicator outputs at the top of the list.
size_t outputInsertPosition(const QxSeriesItems& items);
// Where a new constant goes: behind the last price field, indicator output
// or constant, so in front of "Other fixed value".
size_t constantInsertPosition(const QxSeriesItems& items);
// The first constant item whose value equals value, or -1.
int findConstant(const QxSeriesItems& items, double value);
// The item that shows id, or -1: a price field by its kind, a constant by
// its value, an indicator output by output index and an equivalent
// indicator.
int findSeries(const QxSeriesItems& items, const QxSeriesId& id, const QxIndicatorList& indicators);

// Reads a typed fixed value; false for a text that is not a finite number.
bool parseFixedValue(const wxString& text, double& value);
