#pragma once
// The modal dialog in which the user edits the four point-and-figure
// parameters and may make them the default for new charts. What OK accepts
// is decided by checkPnfConfigTexts, without a window.
#include "chartview/FBPointAndFigureConfigDlg.h"
#include "chartview/QxPointAndFigure.h"

// The dialog's fields in order, also the order of its checks.
enum QxPnfField { ePnfMinBox = 0, ePnfPercent = 1, ePnfReversal = 2, ePnfFactor = 3 };

// Checks the four field texts in the dialog's order and stores what they
// say into params (the percentage divided by 100). Returns the number of
// the first failing check, 1 to 6, or 0 when all pass; check 6 fails when
// the settings cannot give every price up to highest a box of its own.
int checkPnfConfigTexts(const wxString& minBox, const wxString& percent, const wxString& reversal,
                        const wxString& factor, QxPointAndFigureParam& params, double highest = 0.0);
// The message of a failing check (1 to 6), translated.
wxString pnfCheckMessage(int check);
// The field a failing check selects: check 5 is about the minimum box.
QxPnfField pnfCheckField(int check);

class QxPointAndFigureConfigDlg : public FBPointAndFigureConfigDlg {
public:
    QxPointAndFigureConfigDlg(wxWindow* parent, const QxPointAndFigureParam& params);
    ~QxPointAndFigureConfigDlg() override;

    const QxPointAndFigureParam& getParams() const { return m_params; }
    bool setAsDefault() const { return m_setDefault->GetValue(); }
    wxTextCtrl* field(QxPnfField f) const;
    wxCheckBox* defaultCheckBox() const { return m_setDefault; }
    // The highest price of the chart's history, which the settings must
    // reach with boxes of their own.
    void setHighestPrice(double price) { m_highest = price; }

protected:
    void onOK(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;

private:
    QxPointAndFigureParam m_params;
    double m_highest = 0.0;
};
