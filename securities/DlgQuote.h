#pragma once
// Asks for one daily quote: its date (only for a new quote) and its values.
// The caller fills `quote` (time 0 for a new one, and the security type,
// which decides the fields shown), runs ShowModal and, on OK, reads back a
// quote whose every value was accepted.
#include "core/QxQuote.h"
#include "securities/FBDlgQuoteBase.h"

struct DlgQuoteData {
    QxQuote quote;
};

class DlgQuote : public FBDlgQuoteBase, public DlgQuoteData {
public:
    explicit DlgQuote(wxWindow* parent);

    bool TransferDataToWindow() override;
    // Reads every shown field, the date of a new quote included, on each
    // attempt; the record changes only when all of them are valid.
    bool TransferDataFromWindow() override;

    wxDatePickerCtrl* dateCtrl() const { return m_date; }
    wxTextCtrl* openCtrl() const { return m_open; }
    wxTextCtrl* highCtrl() const { return m_high; }
    wxTextCtrl* lowCtrl() const { return m_low; }
    wxTextCtrl* closeCtrl() const { return m_close; }
    wxTextCtrl* volumeCtrl() const { return m_volume; }
    wxTextCtrl* openInterestCtrl() const { return m_openInterest; }
    wxTextCtrl* navCtrl() const { return m_nav; }

protected:
    void onInitDialog(wxInitDialogEvent& event) override;

private:
    // The rows the quote's security type has: a fund its net asset value,
    // futures and options their open interest besides prices and volume.
    void showRowsOfType();

    bool m_isNew = true;
};
