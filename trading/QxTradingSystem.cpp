#include "trading/QxTradingSystem.h"

#include "core/QxErrorCode.h"
#include "trading/QxTradingSystemMgr.h"

#include <wx/xml/xml.h>

#include <map>

QxTradingSystem::QxTradingSystem() : m_type(Qx::eLongAndShort) {}

QxTradingSystem::QxTradingSystem(const QxTradingSystem& other)
    : QxObject(other), m_description(other.m_description), m_type(other.m_type)
{
    // One new signal per distinct source signal, so a mirrored system stays
    // mirrored in its copy.
    std::map<const QxSignal*, QxSignal*> copies;
    auto copyOf = [&copies](const QxObjectSmartPtr<QxSignal>& source) -> QxSignal* {
        if (!source)
            return nullptr;
        QxSignal*& copy = copies[source.get()];
        if (!copy)
            copy = new QxSignal(*source);
        return copy;
    };
    m_longEntry = copyOf(other.m_longEntry);
    m_longExit = copyOf(other.m_longExit);
    m_shortEntry = copyOf(other.m_shortEntry);
    m_shortExit = copyOf(other.m_shortExit);
}

QxTradingSystem::QxTradingSystem(const QxAtom& name, const wxString& description, Qx::QxTradingSystemType type,
                                 QxSignal* longEntry, QxSignal* longExit, QxSignal* shortEntry, QxSignal* shortExit)
    : m_name(name), m_description(description), m_type(type), m_longEntry(longEntry), m_longExit(longExit),
      m_shortEntry(shortEntry), m_shortExit(shortExit)
{
}

QxTradingSystem::~QxTradingSystem() = default;

int QxTradingSystem::setName(const QxAtom& name)
{
    if (!m_name.isNull())
        return eInvalidOperation;
    if (name.isNull() || !QxTradingSystemMgr::isValidSystemName(name.string()))
        return eInvalidName;
    if (QxTradingSystemMgr::getInstance(true)->hasSystem(name))
        return eObjectWithSameNameAlreadyExists;
    m_name = name;
    notifyMgr();
    return eNoError;
}

int QxTradingSystem::setDescription(const wxString& description)
{
    if (description.empty())
        return eInvalidInput;
    m_description = description;
    notifyMgr();
    return eNoError;
}

int QxTradingSystem::setSignal(QxObjectSmartPtr<QxSignal>& slot, unsigned side, QxSignal* signal)
{
    if (!(m_type & side))
        return eInvalidSignal;
    slot = signal;
    ++m_revision;
    notifyMgr();
    return eNoError;
}

int QxTradingSystem::setLongEntrySignal(QxSignal* signal) { return setSignal(m_longEntry, Qx::eLongOnly, signal); }
int QxTradingSystem::setLongExitSignal(QxSignal* signal) { return setSignal(m_longExit, Qx::eLongOnly, signal); }
int QxTradingSystem::setShortEntrySignal(QxSignal* signal) { return setSignal(m_shortEntry, Qx::eShortOnly, signal); }
int QxTradingSystem::setShortExitSignal(QxSignal* signal) { return setSignal(m_shortExit, Qx::eShortOnly, signal); }

void QxTradingSystem::setType(Qx::QxTradingSystemType type)
{
    if (type == m_type)
        return;
    if (!(type & Qx::eLongOnly)) {
        m_longEntry = nullptr;
        m_longExit = nullptr;
    }
    if (!(type & Qx::eShortOnly)) {
        m_shortEntry = nullptr;
        m_shortExit = nullptr;
    }
    m_type = type;
    ++m_revision;
}

void QxTradingSystem::notifyMgr()
{
    if (!m_name.isNull())
        QxTradingSystemMgr::getInstance(true)->markModified(m_name);
}

unsigned QxTradingSystem::evaluate(unsigned mask, QxCalculator* calculator, unsigned bar) const
{
    const QxSignal* const signals[] = {m_longEntry.get(), m_longExit.get(), m_shortEntry.get(), m_shortExit.get()};
    unsigned result = 0;
    for (unsigned k = 0; k < 4; ++k) {
        const unsigned bit = 1u << k;
        if ((mask & bit) && signals[k] && signals[k]->evaluate(calculator, bar))
            result |= bit;
    }
    return result;
}

wxXmlNode* QxTradingSystem::toXML(wxXmlNode* parent) const
{
    if ((m_type & Qx::eLongOnly) && (!m_longEntry || !m_longExit))
        return nullptr;
    if ((m_type & Qx::eShortOnly) && (!m_shortEntry || !m_shortExit))
        return nullptr;
    auto* node = new wxXmlNode(parent, wxXML_ELEMENT_NODE, "TradingSystem");
    node->AddAttribute("Name", m_name.string());
    node->AddAttribute("Type", wxString::Format("%u", m_type));
    node->AddAttribute("Desc", m_description);
    auto* signals = new wxXmlNode(node, wxXML_ELEMENT_NODE, "Signals");
    auto write = [signals](const QxSignal* signal, const char* name) {
        signal->toXML(signals)->AddAttribute("Name", name);
    };
    if (m_type & Qx::eLongOnly) {
        write(m_longEntry.get(), "LongEntry");
        write(m_longExit.get(), "LongExit");
    }
    if (m_type & Qx::eShortOnly) {
        if (m_shortEntry != m_longExit)
            write(m_shortEntry.get(), "ShortEntry");
        if (m_shortExit != m_longEntry)
            write(m_shortExit.get(), "ShortExit");
    }
    return node;
}

QxTradingSystem* QxTradingSystem::fromXML(const wxXmlNode* node)
{
    if (!node)
        return nullptr;
    unsigned long type = 0;
    if (!node->GetAttribute("Type").ToULong(&type, 10) || type > 0xFFFFFFFFul)
        type = 0;
    const wxString name = node->GetAttribute("Name");
    const wxString description = node->GetAttribute("Desc");
    const wxXmlNode* signals = node->GetChildren();
    if (!signals || signals->GetType() != wxXML_ELEMENT_NODE || signals->GetName() != "Signals")
        return nullptr;

    QxObjectSmartPtr<QxSignal> longEntry, longExit, shortEntry, shortExit;
    for (const wxXmlNode* child = signals->GetChildren(); child; child = child->GetNext()) {
        const wxString kind = child->GetAttribute("Name");
        QxObjectSmartPtr<QxSignal>* slot = kind == "LongEntry"    ? &longEntry
                                           : kind == "LongExit"   ? &longExit
                                           : kind == "ShortEntry" ? &shortEntry
                                           : kind == "ShortExit"  ? &shortExit
                                                                  : nullptr;
        if (slot)
            *slot = QxSignal::fromXML(child);
    }
    if (type == Qx::eLongAndShort) {
        if (!shortEntry)
            shortEntry = longExit;
        if (!shortExit)
            shortExit = longEntry;
    }
    if (!longEntry && !longExit && !shortEntry && !shortExit)
        return nullptr;
    return new QxTradingSystem(QxAtom(name), description, static_cast<Qx::QxTradingSystemType>(type), longEntry.get(),
                               longExit.get(), shortEntry.get(), shortExit.get());
}
