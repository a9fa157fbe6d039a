#pragma once
// Edits one trading system: its description, the positions it trades and
// its four signals, each on a page of its own. Everything is edited on
// copies held by the pages and reaches the system only when OK finds every
// needed signal and a description; Cancel leaves the system as it was.
#include "core/QxObject.h"
#include "trading/FBDlgSystemEditor.h"

#include <memory>

class DlgConditionEditor;
class PanelSystemSignal;
class QxCondition;
class QxTradingSystem;

class DlgSystemEditor : public FBDlgSystemEditor {
public:
    DlgSystemEditor(wxWindow* parent, QxTradingSystem* system);
    ~DlgSystemEditor() override;

    // Runs the condition editor on the condition in slot (may be empty);
    // on OK slot holds the new condition. Whether OK was pressed.
    bool editCondition(QxObjectSmartPtr<QxCondition>& slot);
    // The page's box is ticked or its list has a row.
    bool isSignalDefined(const PanelSystemSignal* page) const;

    // The page of a PanelSystemSignal::Kind, in the notebook or not.
    PanelSystemSignal* page(int kind) const { return m_signalPages[kind]; }
    wxNotebook* notebook() const { return m_pages; }
    wxTextCtrl* descriptionField() const { return m_description; }
    wxRadioButton* onlyLongButton() const { return m_onlyLong; }
    wxRadioButton* onlyShortButton() const { return m_onlyShort; }
    wxRadioButton* bothButton() const { return m_both; }
    unsigned workingType() const { return m_type; }
    // Null until the first Add or Modify.
    DlgConditionEditor* conditionEditor() const { return m_conditionEditor.get(); }

protected:
    void onOnlyLong(wxCommandEvent& event) override;
    void onOnlyShort(wxCommandEvent& event) override;
    void onBoth(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOk(wxCommandEvent& event) override;

private:
    void insertPage(size_t position, int kind, bool select);
    void addLongPages();
    void addShortPages();
    void removeLongPages();
    void removeShortPages();
    void enableShortSameAs();
    // False, with the message and the page shown, when page is not defined.
    bool checkDefined(int kind, const wxString& message);

    QxObjectSmartPtr<QxTradingSystem> m_system;
    unsigned m_type;
    PanelSystemSignal* m_signalPages[4];
    std::unique_ptr<DlgConditionEditor> m_conditionEditor;
};
