#include "trading/PanelSystemSignal.h"

#include "trading/DlgSystemEditor.h"
#include "trading/QxCondition.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"

PanelSystemSignal::PanelSystemSignal(wxWindow* parent, int kind, QxTradingSystem* system)
    : FBPanelSystemSignal(parent), m_kind(kind), m_system(system), m_systemType(system ? system->getType() : 3)
{
    // Wider than the list, so a long description is not cut at its edge.
    m_list->AppendColumn(wxEmptyString, wxLIST_FORMAT_LEFT, m_list->GetClientSize().GetWidth() * 2);
    if (m_kind == eLongEntry || m_kind == eLongExit) {
        m_top->Detach(m_sameAs);
        m_sameAs->Hide();
        Layout();
        if (system)
            loadSignal(m_kind == eLongEntry ? system->getLongEntrySignal() : system->getLongExitSignal());
        return;
    }
    m_sameAs->SetLabel(m_kind == eShortEntry ? _("Same as long exit") : _("Same as long entry"));
    Layout(); // the box was sized for the layout's shorter placeholder
    if (m_systemType == Qx::eShortOnly) {
        m_sameAs->Enable(false);
    } else if (system) {
        // Two absent signals count as the same: a new system starts mirrored.
        const bool same = m_kind == eShortEntry ? system->getShortEntrySignal() == system->getLongExitSignal()
                                                : system->getShortExitSignal() == system->getLongEntrySignal();
        m_sameAs->SetValue(same);
    }
    applySameAs();
    if (system && !m_sameAs->IsChecked())
        loadSignal(m_kind == eShortEntry ? system->getShortEntrySignal() : system->getShortExitSignal());
}

PanelSystemSignal::~PanelSystemSignal() = default;

wxColour PanelSystemSignal::rowColour(long row)
{
    return row % 2 == 0 ? wxColour(204, 220, 238) : wxColour(226, 211, 224);
}

DlgSystemEditor* PanelSystemSignal::editor() const
{
    return dynamic_cast<DlgSystemEditor*>(wxGetTopLevelParent(const_cast<PanelSystemSignal*>(this)));
}

void PanelSystemSignal::loadSignal(QxSignal* signal)
{
    if (!signal)
        return;
    m_list->DeleteAllItems();
    m_conditions.clear();
    for (unsigned i = 0; i < signal->getNumConditions(); ++i)
        if (QxCondition* condition = signal->getConditionAt(i))
            addConditionRow(condition);
    (signal->getSignalEvalRule() == Qx::eEvalAll ? m_all : m_any)->SetValue(true);
}

void PanelSystemSignal::addConditionRow(QxCondition* condition)
{
    const long row = m_list->InsertItem(m_list->GetItemCount(), condition->getDescription());
    m_list->SetItemBackgroundColour(row, rowColour(row));
    m_list->SetItemData(row, static_cast<long>(m_conditions.size()));
    m_conditions.emplace_back(condition);
}

QxSignal* PanelSystemSignal::buildSignal() const
{
    if (m_list->GetItemCount() == 0)
        return nullptr;
    auto* signal = new QxSignal;
    signal->setSignalEvalRule(m_any->GetValue() ? Qx::eEvalAny : Qx::eEvalAll);
    for (long row = 0; row < m_list->GetItemCount(); ++row)
        signal->addCondition(m_conditions[static_cast<size_t>(m_list->GetItemData(row))].get());
    return signal;
}

void PanelSystemSignal::enableSameAs(bool enable)
{
    m_sameAs->Enable(enable);
    applySameAs();
}

void PanelSystemSignal::applySameAs()
{
    if (!m_sameAs->IsEnabled())
        m_sameAs->SetValue(false);
    const bool own = !m_sameAs->IsChecked();
    if (!own) {
        m_list->DeleteAllItems();
        m_conditions.clear();
    }
    for (wxWindow* control : {static_cast<wxWindow*>(m_triggered), static_cast<wxWindow*>(m_any),
                              static_cast<wxWindow*>(m_all), static_cast<wxWindow*>(m_list),
                              static_cast<wxWindow*>(m_add)})
        control->Enable(own);
    if (own) {
        updateButtons();
    } else {
        m_modify->Enable(false);
        m_delete->Enable(false);
    }
}

void PanelSystemSignal::onSameAsToggled(wxCommandEvent&) { applySameAs(); }

void PanelSystemSignal::onAdd(wxCommandEvent&)
{
    DlgSystemEditor* owner = editor();
    QxObjectSmartPtr<QxCondition> slot;
    if (owner && owner->editCondition(slot) && slot)
        addConditionRow(slot.get());
}

void PanelSystemSignal::modifySelected()
{
    const long row = m_list->GetFirstSelected();
    DlgSystemEditor* owner = editor();
    if (row == -1 || !owner)
        return;
    QxObjectSmartPtr<QxCondition>& slot = m_conditions[static_cast<size_t>(m_list->GetItemData(row))];
    if (owner->editCondition(slot) && slot)
        m_list->SetItemText(row, slot->getDescription());
}

void PanelSystemSignal::onModify(wxCommandEvent&) { modifySelected(); }

void PanelSystemSignal::onDelete(wxCommandEvent&)
{
    std::vector<long> rows;
    for (long row = m_list->GetFirstSelected(); row != -1; row = m_list->GetNextSelected(row))
        rows.push_back(row);
    if (rows.empty())
        return;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        m_list->DeleteItem(*it);
    for (long row = rows.front(); row < m_list->GetItemCount(); ++row)
        m_list->SetItemBackgroundColour(row, rowColour(row));
    updateButtons();
}

void PanelSystemSignal::onListKeyDown(wxListEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
        modifySelected();
    else
        event.Skip();
}

void PanelSystemSignal::onListDoubleClick(wxListEvent&) { modifySelected(); }

void PanelSystemSignal::onListSelectionChanged(wxListEvent& event)
{
    updateButtons();
    event.Skip();
}

void PanelSystemSignal::updateButtons()
{
    // Counted row by row: the generic list's own count lags behind deletions.
    int count = 0;
    for (long row = m_list->GetFirstSelected(); row != -1 && count < 2; row = m_list->GetNextSelected(row))
        ++count;
    m_modify->Enable(count == 1);
    m_delete->Enable(count >= 1);
}
