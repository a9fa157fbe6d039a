#pragma once
// One signal of the system being edited, as a page of the editor: the list
// of its conditions, the any/all rule and, on the short pages, the box that
// makes the short signal the same as a long one. The page works on its own
// list of the conditions; the system is changed only by the editor's OK.
#include "core/QxObject.h"
#include "trading/FBPanelSystemSignal.h"

#include <vector>

class DlgSystemEditor;
class QxCondition;
class QxSignal;
class QxTradingSystem;

class PanelSystemSignal : public FBPanelSystemSignal {
public:
    enum Kind { eLongEntry = 0, eLongExit = 1, eShortEntry = 2, eShortExit = 3 };

    PanelSystemSignal(wxWindow* parent, int kind, QxTradingSystem* system);
    ~PanelSystemSignal() override;

    int kind() const { return m_kind; }
    // A new signal (nobody holds it yet) of the listed conditions in row
    // order, or null when the list has no rows.
    QxSignal* buildSignal() const;
    bool isSameAsTicked() const { return m_sameAs->IsChecked(); }
    long rowCount() const { return m_list->GetItemCount(); }
    // Enables or disables the same-as box and applies its state again.
    void enableSameAs(bool enable);
    // What ticking or unticking the box does, also run to apply its state.
    void applySameAs();

    wxCheckBox* sameAsBox() const { return m_sameAs; }
    wxRadioButton* anyButton() const { return m_any; }
    wxRadioButton* allButton() const { return m_all; }
    wxListView* list() const { return m_list; }
    wxButton* addButton() const { return m_add; }
    wxButton* modifyButton() const { return m_modify; }
    wxButton* deleteButton() const { return m_delete; }
    // The row's colour: even and odd rows alternate.
    static wxColour rowColour(long row);

protected:
    void onSameAsToggled(wxCommandEvent& event) override;
    void onAdd(wxCommandEvent& event) override;
    void onModify(wxCommandEvent& event) override;
    void onDelete(wxCommandEvent& event) override;
    void onListKeyDown(wxListEvent& event) override;
    void onListDoubleClick(wxListEvent& event) override;
    void onListSelectionChanged(wxListEvent& event) override;

private:
    void loadSignal(QxSignal* signal);
    void addConditionRow(QxCondition* condition);
    void updateButtons();
    void modifySelected();
    DlgSystemEditor* editor() const;

    int m_kind;
    QxObjectSmartPtr<QxTradingSystem> m_system;
    unsigned m_systemType;
    // Grows by loading and by Add; a row's item data is its entry's index.
    std::vector<QxObjectSmartPtr<QxCondition>> m_conditions;
};
