#pragma once
// The preferences dialog: the defaults with which new charts are created.
// It edits the global settings record, and only when OK passes the checks.
#include "app/FBPreferencesDlg.h"

class QxChartPrefPanel;

class QxPreferencesDlg : public FBPreferencesDlg {
public:
    explicit QxPreferencesDlg(wxWindow* parent);

    // The pages' checks; a failed page is brought to the front.
    bool Validate() override;

    QxChartPrefPanel* chartPage() const { return m_chartPage; }

protected:
    void OnHelp(wxCommandEvent& event) override;
    void OnOK(wxCommandEvent& event) override;

private:
    QxChartPrefPanel* m_chartPage;
};
