#pragma once
// The "Parameters" page of the indicator configuration dialog: one labelled
// control per optional input of the indicator's function, in parameter
// order, chosen by the input's type: a spin control for an integer range, a
// choice for either kind of list, a text field for a real range.
#include <ta_libc.h>
#include <wx/panel.h>

#include <vector>

class QxIndicator;
class wxFlexGridSizer;

class QxIndicOptParamConfiguratorPanal : public wxPanel {
public:
    QxIndicOptParamConfiguratorPanal(wxWindow* parent, QxIndicator* indicator);

    // Adds the control of the next parameter; info describes it (range or
    // list, display name, hint).
    void createParamControls(const TA_OptInputParameterInfo* info);

    // Shows the indicator's current values.
    bool TransferDataToWindow() override;
    // False, with the offending control focused, when a text does not read
    // as a number.
    bool Validate() override;
    // Writes every value into the indicator (setParam).
    bool TransferDataFromWindow() override;

    // For tests and the dialog: the control of parameter index, or null.
    wxWindow* control(unsigned index) const;

private:
    struct Param {
        const TA_OptInputParameterInfo* info;
        wxWindow* control;
        std::vector<double> listValues; // the values behind a choice's entries
    };

    bool readValue(const Param& param, double& value) const;

    QxIndicator* m_indicator;
    wxFlexGridSizer* m_grid;
    std::vector<Param> m_params;
};
