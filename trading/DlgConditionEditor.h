#pragma once
// Defines one condition of a signal: a first series, the kind of condition
// and, for the kinds that compare, a second series or a fixed value. The
// series on offer are the price fields, the outputs of the indicators the
// trading system uses and of indicators added on the spot, and constants.
// The system editor keeps one of these for all its Adds and Modifies, so
// indicators and values added in one run are offered in the next. OK always
// builds a new condition; the one shown is never changed.
#include "core/QxObject.h"
#include "core/QxSeriesId.h"
#include "trading/FBDlgConditionEditor.h"
#include "trading/QxSeriesChoiceItems.h"

class QxCondition;
class QxTradingSystem;

class DlgConditionEditor : public FBDlgConditionEditor {
public:
    // system (may be null) gives the indicators offered at first.
    DlgConditionEditor(wxWindow* parent, QxTradingSystem* system);
    ~DlgConditionEditor() override;

    // Shows condition before a run; null keeps the lists as they are.
    void setCondition(QxCondition* condition);
    // The condition the last OK built (or the one last shown).
    QxCondition* getCondition() const { return m_result.get(); }

    wxChoice* firstSeriesList() const { return m_firstSeries; }
    wxChoice* conditionList() const { return m_condition; }
    wxChoice* secondSeriesList() const { return m_secondSeries; }
    const QxIndicatorList& indicators() const { return m_indicators; }

protected:
    void onFirstSeriesChanged(wxCommandEvent& event) override;
    void onConditionChanged(wxCommandEvent& event) override;
    void onSecondSeriesChanged(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOk(wxCommandEvent& event) override;

private:
    static const QxSeriesItem* itemAt(wxChoice* list, int position);
    static QxSeriesItems itemsOf(wxChoice* list);
    static void insertItem(wxChoice* list, size_t position, const QxSeriesItem& item);
    // The selected item's series; the null id when none is selected.
    QxSeriesId selectedSeries(wxChoice* list) const;
    // The prototype of the selected condition kind, or null.
    QxCondition* selectedPrototype() const;

    // The item that shows id, a constant's item added when missing; -1.
    int selectSeries(wxChoice* list, const QxSeriesId& id);
    int selectConstant(wxChoice* list, double value);
    // Inserts the outputs of the indicator at position; the first one's place.
    int insertIndicatorOutputs(wxChoice* list, size_t position);
    // "Add indicator" chosen in list: asks for an indicator and shows it
    // there, adding its outputs to both lists when it is new.
    void addIndicatorThrough(wxChoice* list, wxChoice* other);
    void askFixedValue();
    void selectSecond(int position);
    void showError(const wxString& message, wxWindow* focus);

    QxObjectSmartPtr<QxCondition> m_result;
    QxIndicatorList m_indicators;
    // What the second list showed before its last choice, to go back to
    // when a typed value is refused.
    QxSeriesId m_secondShown;
};
