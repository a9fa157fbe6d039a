#pragma once
// The "Parameters" page of the indicator configuration dialog: one row of
// label and control per optional input of the indicator's function, in
// parameter order. The control follows the function's description of the
// input: a text field for a real range, a spin control for an integer range,
// a choice for either kind of list. Each control carries that description
// as its client data; the page shows, checks and applies the values.
#include "configdlg/FBPanalIndicOptParamConfiguratorBase.h"
#include "core/QxDataInfo.h"

#include <ta_libc.h>

#include <vector>

class QxIndicator;

class QxIndicOptParamConfiguratorPanal : public FBPanalIndicOptParamConfiguratorBase {
public:
    // The indicator must outlive the page.
    QxIndicOptParamConfiguratorPanal(QxIndicator* indicator, wxWindow* parent);

    // Adds the row of the next parameter; info must outlive the page (the
    // function set keeps its descriptions for the program's life).
    void createParamControls(const TA_OptInputParameterInfo* info);

    // Shows the working list (the indicator's values on first use); false,
    // showing nothing, when the rows and the list differ in number.
    bool TransferDataToWindow() override;
    // Checks every row and hands the values to the indicator; false, with
    // nothing applied, when a value is refused.
    bool TransferDataFromWindow() override;

    // Checks the rows in order; the first bad value is reported to the user,
    // its control gets the focus and false is returned. When every value
    // passes and out is given, entry i of out takes the value of row i.
    bool validateParams(std::vector<QxParamInfo>* out = nullptr);

    // Replaces what TransferDataToWindow shows (Reset: the defaults); the
    // indicator is not touched.
    void setWorkingList(const std::vector<QxParamInfo>& list) { m_working = list; }
    const std::vector<QxParamInfo>& workingList() const { return m_working; }

    unsigned numRows() const;
    // The control of row index, or null.
    wxWindow* control(unsigned index) const;

private:
    // The description a control was made from.
    static const TA_OptInputParameterInfo* infoOf(const wxWindow* control);

    QxIndicator* m_indicator;
    std::vector<QxParamInfo> m_working;
};
