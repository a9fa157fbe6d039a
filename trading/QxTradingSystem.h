#pragma once
// A named set of up to four signals: long entry, long exit, short entry and
// short exit. QxTradingSystem::evaluate is the one entry point through which
// chart markers, alerts, the idea finder and the tester ask which signals
// fire at a bar. A named system belongs to the trading-system store, which
// its setters tell of changes so that it is written back at exit.
#include "core/QxAtom.h"
#include "core/QxObject.h"
#include "trading/QxSignal.h"

#include <wx/string.h>

namespace Qx {
// Bit 1 long positions, bit 2 short positions.
using QxTradingSystemType = unsigned;
enum : unsigned { eLongOnly = 1, eShortOnly = 2, eLongAndShort = 3 };
} // namespace Qx

class QxTradingSystem : public QxObject {
public:
    // Unnamed, no description, type 3, no signals.
    QxTradingSystem();
    // An unnamed copy with the same description and type and a new signal
    // for each signal (same rule, same condition objects). A signal that
    // fills two slots of the source fills the same two slots of the copy.
    QxTradingSystem(const QxTradingSystem& other);
    ~QxTradingSystem() override;
    // Such a copy on the heap, reference count 0.
    QxTradingSystem* clone() const { return new QxTradingSystem(*this); }

    const QxAtom& getName() const { return m_name; }
    const wxString& getDescription() const { return m_description; }
    Qx::QxTradingSystemType getType() const { return m_type; }
    QxSignal* getLongEntrySignal() const { return m_longEntry.get(); }
    QxSignal* getLongExitSignal() const { return m_longExit.get(); }
    QxSignal* getShortEntrySignal() const { return m_shortEntry.get(); }
    QxSignal* getShortExitSignal() const { return m_shortExit.get(); }

    // A name is given once: eInvalidOperation when the system has one,
    // eInvalidName for the null atom or a name no file can be named after,
    // eObjectWithSameNameAlreadyExists when the store holds that name.
    int setName(const QxAtom& name);
    // eInvalidInput for an empty text.
    int setDescription(const wxString& description);
    // eInvalidSignal when the type lacks the side; null is allowed.
    int setLongEntrySignal(QxSignal* signal);
    int setLongExitSignal(QxSignal* signal);
    int setShortEntrySignal(QxSignal* signal);
    int setShortExitSignal(QxSignal* signal);
    // Drops the signals of a side the new type lacks. Does not tell the store.
    void setType(Qx::QxTradingSystemType type);

    // Counts the changes of the signals and the type, so that what was
    // worked out from the system (a chart's signal marks) can tell that
    // the system was edited since.
    unsigned revision() const { return m_revision; }

    // The bits of mask (Qx::QxSignalKind) whose signal exists and fires at
    // bar. The type is not consulted: callers mask the sides they want.
    unsigned evaluate(unsigned mask, QxCalculator* calculator, unsigned bar) const;

    // A "TradingSystem" element under parent, or null (nothing written)
    // when a side of the type lacks a signal. A short signal that is the
    // mirrored long one is not written twice.
    wxXmlNode* toXML(wxXmlNode* parent) const;
    // A new system, or null when the first child is not "Signals" or no
    // signal loads. Type 3 without short signals takes the mirrored ones.
    static QxTradingSystem* fromXML(const wxXmlNode* node);

private:
    QxTradingSystem(const QxAtom& name, const wxString& description, Qx::QxTradingSystemType type,
                    QxSignal* longEntry, QxSignal* longExit, QxSignal* shortEntry, QxSignal* shortExit);
    int setSignal(QxObjectSmartPtr<QxSignal>& slot, unsigned side, QxSignal* signal);
    // Tells the store (creating it) that this named system changed.
    void notifyMgr();

    QxAtom m_name;
    wxString m_description;
    Qx::QxTradingSystemType m_type;
    QxObjectSmartPtr<QxSignal> m_longEntry;
    QxObjectSmartPtr<QxSignal> m_longExit;
    QxObjectSmartPtr<QxSignal> m_shortEntry;
    QxObjectSmartPtr<QxSignal> m_shortExit;
    unsigned m_revision = 0;
};
