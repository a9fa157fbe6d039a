#include "trading/DlgSystemEditor.h"

#include "core/QxUtils.h"
#include "trading/DlgConditionEditor.h"
#include "trading/PanelSystemSignal.h"
#include "trading/QxCondition.h"
#include "trading/QxTradingSystem.h"
#include "ui/QxMessages.h"

#include <wx/sizer.h>

#include <algorithm>

namespace {

wxString pageTitle(int kind)
{
    switch (kind) {
    case PanelSystemSignal::eLongEntry:
        return _("Long Entry");
    case PanelSystemSignal::eLongExit:
        return _("Long Exit");
    case PanelSystemSignal::eShortEntry:
        return _("Short Entry");
    default:
        return _("Short Exit");
    }
}

} // namespace

DlgSystemEditor::DlgSystemEditor(wxWindow* parent, QxTradingSystem* system)
    : FBDlgSystemEditor(parent), m_system(system), m_type(system ? system->getType() : Qx::eLongAndShort)
{
    if (system) {
        m_name->ChangeValue(system->getName().string());
        m_description->ChangeValue(system->getDescription());
    }
    for (int kind = 0; kind < 4; ++kind)
        m_signalPages[kind] = new PanelSystemSignal(m_pages, kind, system);
    if (m_type == Qx::eLongOnly) {
        addLongPages();
        m_onlyLong->SetValue(true);
        m_signalPages[PanelSystemSignal::eShortEntry]->Hide();
        m_signalPages[PanelSystemSignal::eShortExit]->Hide();
    } else if (m_type == Qx::eShortOnly) {
        addShortPages();
        m_onlyShort->SetValue(true);
        m_signalPages[PanelSystemSignal::eLongEntry]->Hide();
        m_signalPages[PanelSystemSignal::eLongExit]->Hide();
    } else {
        m_type = Qx::eLongAndShort;
        addShortPages();
        addLongPages();
        m_both->SetValue(true);
    }
    const wxSize current = GetSize();
    const wxSize fitting = GetSizer()->ComputeFittingWindowSize(this);
    SetSize(std::max(current.x, fitting.x), std::max(current.y, fitting.y));
    m_ok->SetDefault();
}

DlgSystemEditor::~DlgSystemEditor()
{
    // Before the window base destroys the children, while the editor is
    // still whole.
    m_conditionEditor.reset();
}

void DlgSystemEditor::insertPage(size_t position, int kind, bool select)
{
    // A removed page was hidden; a hidden page would get no tab.
    m_signalPages[kind]->Show();
    m_pages->InsertPage(position, m_signalPages[kind], pageTitle(kind), select);
}

void DlgSystemEditor::addLongPages()
{
    insertPage(0, PanelSystemSignal::eLongEntry, false);
    insertPage(1, PanelSystemSignal::eLongExit, false);
    m_pages->SetSelection(0);
}

void DlgSystemEditor::addShortPages()
{
    const size_t first = m_pages->GetPageCount() == 2 ? 2 : 0;
    insertPage(first, PanelSystemSignal::eShortEntry, false);
    insertPage(first + 1, PanelSystemSignal::eShortExit, false);
    m_pages->SetSelection(first);
}

void DlgSystemEditor::removeLongPages()
{
    m_pages->RemovePage(1);
    m_pages->RemovePage(0);
    m_signalPages[PanelSystemSignal::eLongEntry]->Hide();
    m_signalPages[PanelSystemSignal::eLongExit]->Hide();
}

void DlgSystemEditor::removeShortPages()
{
    const size_t first = m_pages->GetPageCount() == 4 ? 2 : 0;
    m_pages->RemovePage(first + 1);
    m_pages->RemovePage(first);
    m_signalPages[PanelSystemSignal::eShortEntry]->Hide();
    m_signalPages[PanelSystemSignal::eShortExit]->Hide();
}

void DlgSystemEditor::enableShortSameAs()
{
    const bool hasLong = (m_type & Qx::eLongOnly) != 0;
    m_signalPages[PanelSystemSignal::eShortEntry]->enableSameAs(hasLong);
    m_signalPages[PanelSystemSignal::eShortExit]->enableSameAs(hasLong);
}

void DlgSystemEditor::onOnlyLong(wxCommandEvent&)
{
    if (m_type == Qx::eLongAndShort) {
        removeShortPages();
    } else if (m_type == Qx::eShortOnly) {
        removeShortPages();
        addLongPages();
    }
    m_type = Qx::eLongOnly;
}

void DlgSystemEditor::onOnlyShort(wxCommandEvent&)
{
    if (m_type == Qx::eLongAndShort) {
        removeLongPages();
    } else if (m_type == Qx::eLongOnly) {
        removeLongPages();
        addShortPages();
    }
    m_type = Qx::eShortOnly;
    enableShortSameAs();
}

void DlgSystemEditor::onBoth(wxCommandEvent&)
{
    if (m_type == Qx::eLongOnly)
        addShortPages();
    else if (m_type == Qx::eShortOnly)
        addLongPages();
    m_type = Qx::eLongAndShort;
    enableShortSameAs();
}

bool DlgSystemEditor::editCondition(QxObjectSmartPtr<QxCondition>& slot)
{
    if (!m_conditionEditor)
        m_conditionEditor.reset(new DlgConditionEditor(this, m_system.get()));
    m_conditionEditor->setCondition(slot.get());
    const bool accepted = m_conditionEditor->ShowModal() == wxID_OK;
    if (accepted)
        slot = m_conditionEditor->getCondition();
    return accepted;
}

bool DlgSystemEditor::isSignalDefined(const PanelSystemSignal* page) const
{
    return page->isSameAsTicked() || page->rowCount() > 0;
}

bool DlgSystemEditor::checkDefined(int kind, const wxString& message)
{
    PanelSystemSignal* page = m_signalPages[kind];
    if (isSignalDefined(page))
        return true;
    qxShowError(message, this);
    const int position = m_pages->FindPage(page);
    if (position != wxNOT_FOUND)
        m_pages->SetSelection(static_cast<size_t>(position));
    return false;
}

void DlgSystemEditor::onOk(wxCommandEvent&)
{
    const bool hasLong = (m_type & Qx::eLongOnly) != 0;
    const bool hasShort = (m_type & Qx::eShortOnly) != 0;
    if (hasLong && (!checkDefined(PanelSystemSignal::eLongEntry, _("Conditions for long entry is not defined.")) ||
                    !checkDefined(PanelSystemSignal::eLongExit, _("Conditions for long exit is not defined."))))
        return;
    if (hasShort && (!checkDefined(PanelSystemSignal::eShortEntry, _("Conditions for short entry is not defined.")) ||
                     !checkDefined(PanelSystemSignal::eShortExit, _("Conditions for short exit is not defined."))))
        return;
    if (m_description->GetValue().empty()) {
        qxShowError(_("Please provide system description"), this);
        m_description->SetFocus();
        return;
    }

    if (m_system) {
        m_system->setType(m_type);
        m_system->setDescription(m_description->GetValue());
        auto built = [this](int kind) {
            return QxObjectSmartPtr<QxSignal>(m_signalPages[kind]->buildSignal());
        };
        if (hasLong) {
            m_system->setLongEntrySignal(built(PanelSystemSignal::eLongEntry).get());
            m_system->setLongExitSignal(built(PanelSystemSignal::eLongExit).get());
        }
        if (hasShort) {
            PanelSystemSignal* entry = m_signalPages[PanelSystemSignal::eShortEntry];
            PanelSystemSignal* exit = m_signalPages[PanelSystemSignal::eShortExit];
            m_system->setShortEntrySignal(entry->isSameAsTicked() ? m_system->getLongExitSignal()
                                                                  : built(PanelSystemSignal::eShortEntry).get());
            m_system->setShortExitSignal(exit->isSameAsTicked() ? m_system->getLongEntrySignal()
                                                                : built(PanelSystemSignal::eShortExit).get());
        }
    }
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK); // answered without a loop of its own
}

void DlgSystemEditor::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/trading_systems.htm#trading_system_editor"); }
