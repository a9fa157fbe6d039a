#include "trading/QxAlertSetting.h"

#include "core/QxAtom.h"
#include "core/QxCalculator.h"
#include "core/QxPriceHistory.h"
#include "trading/QxTradingSystem.h"
#include "trading/QxTradingSystemMgr.h"

#include <wx/intl.h>
#include <wx/xml/xml.h>

#include <charconv>
#include <limits>

wxString signalKindText(unsigned type)
{
    switch (type) {
    case 2: return _("Long Exit");
    case 4: return _("Short Entry");
    case 8: return _("short Exit");
    default: return _("Long Entry");
    }
}

QxAlertSetting::QxAlertSetting(QxTradingSystem* system, unsigned type) : m_type(type), m_system(system) {}

QxAlertSetting::~QxAlertSetting() = default;

bool QxAlertSetting::isTriggered(QxCalculator* calculator, unsigned bar) const
{
    QxPriceHistory* history = calculator ? calculator->prices(Qx::eDaily, false) : nullptr;
    if (!history || bar >= history->numBars())
        return false;
    if (m_type == ePriceAbove || m_type == ePriceBelow) {
        // A fund has no close: its price is the net asset value.
        const bool fund = history->getSecurityType() == Qx::eFund;
        const double close = fund ? history->nav()[bar] : history->close()[bar];
        return m_type == ePriceAbove ? close > m_price : m_price > close;
    }
    if (m_type >= 1 && m_type <= 8)
        return m_system && m_system->evaluate(m_type, calculator, bar) == m_type;
    return false;
}

wxString QxAlertSetting::describe(bool pastTense) const
{
    if (m_type == ePriceAbove)
        return wxString::Format(pastTense ? _("Price went above %.2lf") : _("When price goes above %.2lf"), m_price);
    if (m_type == ePriceBelow)
        return wxString::Format(pastTense ? _("Price went below %.2lf") : _("When price goes below %.2lf"), m_price);
    if (!m_system || m_type == 0)
        return _("Invalid Alert Settings");
    const wxString name = m_system->getName().string();
    const wxString signal = signalKindText(m_type);
    return pastTense ? _("Trading system '") + name + _("' generated '") + signal + _("' signal")
                     : _("When trading system '") + name + _("' generates '") + signal + _("' signal");
}

int QxAlertSetting::compare(const QxAlertSetting& other) const
{
    if (m_type != other.m_type)
        return m_type < other.m_type ? -1 : 1;
    if (m_system && other.m_system) {
        const unsigned a = m_system->getName().id(), b = other.m_system->getName().id();
        return a == b ? 0 : (a < b ? -1 : 1);
    }
    if (m_system.get() != other.m_system.get())
        return std::less<const QxTradingSystem*>()(m_system.get(), other.m_system.get()) ? -1 : 1;
    if (m_price == other.m_price)
        return 0;
    return m_price < other.m_price ? -1 : 1;
}

wxXmlNode* QxAlertSetting::toXml(wxXmlNode* parent) const
{
    if (m_type == 0)
        return nullptr;
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, "AlertSetting");
    element->AddAttribute("Type", wxString::Format("%u", m_type));
    if (m_system)
        element->AddAttribute("TradingSystem", m_system->getName().string());
    else {
        // "%.4lf" of the C locale, whatever locale the program runs in.
        char text[64];
        const auto written = std::to_chars(text, text + sizeof text, m_price, std::chars_format::fixed, 4);
        element->AddAttribute("PriceOfInterest", wxString::FromAscii(text, written.ptr - text));
    }
    if (parent)
        parent->AddChild(element);
    return element;
}

QxAlertSetting* QxAlertSetting::fromXml(const wxXmlNode* element, bool* unresolved)
{
    if (unresolved)
        *unresolved = false;
    if (!element)
        return nullptr;
    unsigned long type = 0;
    if (!element->GetAttribute("Type").ToCULong(&type) || type > std::numeric_limits<unsigned>::max())
        return nullptr;
    if (type >= 1 && type <= 8) {
        const wxString name = element->GetAttribute("TradingSystem");
        if (name.empty())
            return nullptr;
        QxObjectSmartPtr<QxTradingSystem> system =
            QxTradingSystemMgr::getInstance(true)->getSystem(QxAtom(name));
        if (!system) {
            if (unresolved)
                *unresolved = true;
            return nullptr;
        }
        return new QxAlertSetting(system.get(), static_cast<unsigned>(type));
    }
    if (type == ePriceAbove || type == ePriceBelow) {
        double price = 0.0;
        if (!element->GetAttribute("PriceOfInterest").ToCDouble(&price) || !(price > 0.0))
            return nullptr;
        auto* setting = new QxAlertSetting(nullptr, static_cast<unsigned>(type));
        setting->setPriceOfInterest(price);
        return setting;
    }
    return nullptr;
}

wxString QxAlertSetting::describeStored(const wxXmlNode* element)
{
    QxObjectSmartPtr<QxAlertSetting> setting(fromXml(element));
    if (setting)
        return setting->describe(false);
    unsigned long type = 0;
    if (element && element->GetAttribute("Type").ToCULong(&type) && type >= 1 && type <= 8)
        return _("When trading system '") + element->GetAttribute("TradingSystem") + _("' generates '") +
               signalKindText(static_cast<unsigned>(type)) + _("' signal");
    return _("Invalid Alert Settings");
}

wxXmlNode* QxAlert::toXml(wxXmlNode* parent) const
{
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, "Alert");
    element->AddAttribute("TimeStamp", wxString::Format("%lld", static_cast<long long>(timestamp)));
    element->AddAttribute("Status", wxString::Format("%u", status));
    if (parent)
        parent->AddChild(element);
    return element;
}

QxAlert QxAlert::fromXml(const wxXmlNode* element)
{
    QxAlert alert;
    if (!element)
        return alert;
    wxLongLong_t ts = 0;
    if (element->GetAttribute("TimeStamp").ToLongLong(&ts))
        alert.timestamp = ts;
    long status = 0;
    if (element->GetAttribute("Status").ToLong(&status))
        alert.status = (status < 0 || status > 4) ? eMarker : static_cast<unsigned>(status); // as unsigned, negatives are large
    return alert;
}
