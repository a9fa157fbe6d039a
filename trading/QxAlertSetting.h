#pragma once
// Alert settings: a rule attached to one security, either that the close went
// above or below a price of interest, or that a trading system generated one
// of its signals; and the alert record of a bar at which a setting fired.
#include "core/QxObject.h"

#include <wx/string.h>

#include <cstdint>

class QxCalculator;
class QxTradingSystem;
class wxXmlNode;

// The name of a signal bit: "Long Exit", "Short Entry", "short Exit", any
// other value "Long Entry".
wxString signalKindText(unsigned type);

class QxAlertSetting : public QxObject {
public:
    // Types 1 to 8 watch the signals of the mask (1 long entry, 2 long exit,
    // 4 short entry, 8 short exit); 9 the close going above and 10 below the
    // price of interest.
    enum : unsigned { ePriceAbove = 9, ePriceBelow = 10 };

    // The price of interest starts at 0.0; a price setting gets it afterwards.
    QxAlertSetting(QxTradingSystem* system, unsigned type);
    ~QxAlertSetting() override;

    unsigned type() const { return m_type; }
    QxTradingSystem* tradingSystem() const { return m_system.get(); }
    double priceOfInterest() const { return m_price; }
    void setPriceOfInterest(double price) { m_price = price; }

    // Whether the setting fires at bar of the calculator's daily history.
    // Comparisons with the price are strict; a fund's close is its net
    // asset value. A signal setting fires when its whole mask fires.
    bool isTriggered(QxCalculator* calculator, unsigned bar) const;
    // The rule (pastTense false) or the fired alert (true).
    wxString describe(bool pastTense) const;
    // By type, then by the systems' names when both have one, else by
    // system identity, then by price: -1, 0 or 1.
    int compare(const QxAlertSetting& other) const;

    // An "AlertSetting" element appended to parent; null (nothing written)
    // for type 0. The price is written in the C locale, as it is read.
    wxXmlNode* toXml(wxXmlNode* parent) const;
    // The rule an "AlertSetting" element describes, also when its trading
    // system cannot be had in this run.
    static wxString describeStored(const wxXmlNode* element);
    // A new setting (reference count 0), or null when the element describes
    // none. When it is well-formed but names a system the store does not
    // hold, unresolved (when given) is set.
    static QxAlertSetting* fromXml(const wxXmlNode* element, bool* unresolved = nullptr);

private:
    unsigned m_type;
    QxObjectSmartPtr<QxTradingSystem> m_system;
    double m_price = 0.0;
};

// Orders counted references to settings by QxAlertSetting::compare.
struct QxLessAlertSetting {
    using is_transparent = void; // searched with plain pointers too
    template <class P, class Q>
    bool operator()(const P& a, const Q& b) const { return a->compare(*b) < 0; }
};

struct QxAlert {
    // Status: read by the user, marked unread, new (not yet seen), and the
    // last-evaluation marker that ends every alert list and is never shown.
    // A deleted alert is only written to the file, so that evaluating its
    // bar again does not bring it back (readers that do not know it take it
    // for a marker and skip it).
    enum : unsigned { eRead = 0, eUnread = 1, eNew = 2, eMarker = 3, eDeleted = 4 };

    int64_t timestamp = 0;
    unsigned status = eRead;

    // An "Alert" element appended to parent.
    wxXmlNode* toXml(wxXmlNode* parent) const;
    // Texts that do not parse read as 0; a status above 4 reads as 3.
    static QxAlert fromXml(const wxXmlNode* element);
};
