#pragma once
// Layout of the transaction dialog: the date on a calendar, buy or sell,
// the security, quantity, price and commission, above OK and Cancel.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/calctrl.h>
#include <wx/generic/calctrlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBTransactionDlg : public wxDialog {
public:
    FBTransactionDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Add Transaction"),
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                     long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~FBTransactionDlg() override;

protected:
    // Each passes the event on unless overridden.
    virtual void onDateChanged(wxCalendarEvent& event) { event.Skip(); }
    virtual void onSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void onGetPrice(wxCommandEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }

    wxStaticBoxSizer* m_dateBox;
    // The generic control: GTK's own calendar does not mark holidays.
    wxGenericCalendarCtrl* m_calendar;
    wxFlexGridSizer* m_grid;
    wxStaticText* m_typeLabel;
    wxBoxSizer* m_typeRow;
    wxRadioButton* m_buy;
    wxRadioButton* m_sell;
    wxStaticText* m_symbolLabel;
    wxTextCtrl* m_symbol;
    wxButton* m_select;
    wxStaticText* m_quantityLabel;
    wxTextCtrl* m_quantity;
    wxStaticText* m_priceLabel;
    wxTextCtrl* m_price;
    wxButton* m_getPrice;
    wxStaticText* m_priceHint;
    wxStaticText* m_commissionLabel;
    wxTextCtrl* m_commission;
    wxButton* m_ok;
    wxButton* m_cancel;
};
