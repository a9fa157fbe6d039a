#pragma once
// A reference to one series: a price field of the calculator's security, one
// output of an indicator (holding a reference to the indicator), or a
// constant. Series ids and indicators form the graph that the indicator base
// walks for equivalence, cycles and teardown.
#include "core/QxObject.h"

#include <cstdint>

class QxIndicator;
class wxXmlNode;

class QxSeriesId {
public:
    // Single-bit kinds.
    enum Kind : uint32_t {
        eSeriesOpen = 256,
        eSeriesHigh = 512,
        eSeriesLow = 1024,
        eSeriesClose = 2048,
        eSeriesVolume = 4096,
        eSeriesOpenInterest = 8192,
        eSeriesIndicator = 16384,
        eSeriesConstant = 32768,
    };
    // Output index of an id that names no output.
    static constexpr uint32_t eNoOutput = 0xFFFFFFFFu;

    // The contents of the null id: an indicator output without indicator.
    QxSeriesId();
    // An id of the given kind with no indicator, no output index and 0.0
    // (a price field, or any kind read from a file).
    explicit QxSeriesId(uint32_t kind);
    // An output of an indicator; without indicator, or with an index beyond
    // its outputs, the id holds no indicator and is invalid.
    QxSeriesId(QxIndicator* indicator, uint32_t outputIndex);
    static QxSeriesId constant(double value);
    // Out of line: they count references to the (here incomplete) indicator.
    QxSeriesId(const QxSeriesId& other);
    QxSeriesId& operator=(const QxSeriesId& other);
    ~QxSeriesId();

    // The process-wide null id, what lookups that find nothing return.
    static const QxSeriesId& null();

    uint32_t kind() const { return m_kind; }
    QxIndicator* indicator() const { return m_indicator.get(); }
    uint32_t outputIndex() const { return m_outputIndex; }
    double value() const { return m_value; }

    // A single-bit kind below eSeriesIndicator, a constant, or an indicator
    // output whose index is below that indicator's number of outputs.
    bool isValid() const;
    bool isPriceField() const;

    // Whether two ids may name different series (indicator outputs compare
    // their indicators by equivalence).
    bool differsFrom(const QxSeriesId& other) const;
    // Whether this id reaches indicator through its indicator and that
    // indicator's inputs, depth first.
    bool leadsTo(const QxIndicator* indicator) const;

    // Appends a "SeriesId" element to parent and returns it.
    wxXmlNode* toXml(wxXmlNode* parent) const;
    // Never fails: a malformed element gives the null id or an invalid one.
    static QxSeriesId fromXml(const wxXmlNode* node);

private:
    uint32_t m_kind;
    QxObjectSmartPtr<QxIndicator> m_indicator;
    uint32_t m_outputIndex;
    double m_value;
};
