#pragma once
// The "Chart" page of the preferences: loads the global settings into its
// controls and, when its checks pass, stores them back.
#include "app/FBChartPrefPanel.h"
#include "app/QxChartPrefs.h"

class QxChartPrefPanel : public FBChartPrefPanel {
public:
    explicit QxChartPrefPanel(wxWindow* parent);

    // Checks the values in order and, when all pass, stores them in the
    // global settings record. A failed check shows its message and puts the
    // focus on the control concerned.
    bool Validate() override;

    // What the controls hold now.
    QxChartPrefValues values() const;
    void setValues(const QxChartPrefValues& values);
    // The control a failed check points to.
    wxWindow* controlFor(QxChartPrefField field) const;

protected:
    void OnBrowseTemplate(wxCommandEvent& event) override;
};
