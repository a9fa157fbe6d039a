#pragma once
// Asks for one portfolio transaction (date, buy or sell, security,
// quantity, price, commission) or, in watch-item mode, for the start of a
// watch (date, security, price). A blank price is taken from the daily
// history: the close of the chosen day.
#include "core/QxCalculator.h"
#include "core/QxSecurity.h"
#include "securities/FBTransactionDlg.h"
#include "securities/QxPosition.h"

class QxPriceHistory;

// The checks of OK, decided without the dialog. A field holds a number when
// its whole text, blanks around it aside, reads as a finite number. Each
// check gives the empty text and sets the value when the field is fine,
// else the message to show.
bool qxReadTransactionNumber(const wxString& text, double* value);
wxString qxCheckQuantity(const wxString& text, double* quantity);     // above 0
wxString qxCheckPrice(const wxString& text, double* price);           // 0 or more
wxString qxCheckCommission(const wxString& text, double* commission); // blank is 0, else 0 or more

// The price the dialog fills in for a day: the close (a fund's net asset
// value) of the first bar at or after date; after the last bar, the last
// bar's when lastIfAfter is set.
enum class QxDayPrice { eFound, eNoPrices, eAfterLastBar };
QxDayPrice qxPriceOfDay(const QxPriceHistory* history, int64_t date, bool lastIfAfter, double* price);

class QxTransactionDlg : public FBTransactionDlg {
public:
    QxTransactionDlg(wxWindow* parent, bool watchItem);
    ~QxTransactionDlg() override;

    // After OK: the chosen security and the record (a watch item uses its
    // time and price only).
    QxSecurity* getSecurity() const { return m_security.get(); }
    const QxTransaction& getTransaction() const { return m_transaction; }
    bool isWatchItem() const { return m_watchItem; }

    // Makes security the dialog's, with a calculator of its daily prices;
    // the dialog's own security again changes nothing.
    void setSecurity(QxSecurity* security);
    const QxCalculator* calculator() const { return m_calc.get(); }
    // Fills the price field from the security's history; false, after
    // telling the user why (unless no security is chosen), when it cannot.
    bool fetchPrice();
    // The checks of OK in order; true with the record stored, otherwise the
    // user was told and the focus is on the field to mend.
    bool accept();
    // The calendar's day as a packed timestamp of its local midnight.
    int64_t chosenDate() const;

    wxGenericCalendarCtrl* calendar() const { return m_calendar; }
    wxStaticBox* dateBox() const { return m_dateBox->GetStaticBox(); }
    wxRadioButton* buyButton() const { return m_buy; }   // null for a watch item
    wxRadioButton* sellButton() const { return m_sell; } // null for a watch item
    wxTextCtrl* symbolCtrl() const { return m_symbol; }
    wxButton* selectButton() const { return m_select; }
    wxTextCtrl* quantityCtrl() const { return m_quantity; } // null for a watch item
    wxTextCtrl* priceCtrl() const { return m_price; }
    wxButton* getPriceButton() const { return m_getPrice; }
    wxTextCtrl* commissionCtrl() const { return m_commission; } // null for a watch item

protected:
    void onDateChanged(wxCalendarEvent& event) override;
    void onSelect(wxCommandEvent& event) override;
    void onGetPrice(wxCommandEvent&) override { fetchPrice(); }
    void onOK(wxCommandEvent& event) override;

private:
    void refuse(const wxString& message, wxTextCtrl* field);

    QxObjectSmartPtr<QxSecurity> m_security;
    QxObjectSmartPtr<QxCalculator> m_calc;
    QxTransaction m_transaction;
    bool m_watchItem;
};
