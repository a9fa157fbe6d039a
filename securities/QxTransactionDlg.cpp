#include "securities/QxTransactionDlg.h"

#include "app/QxCommonFrame.h"
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"
#include "securities/QxPortfolioValues.h"
#include "ui/QxMessages.h"


#include <algorithm>
#include <cmath>

bool qxReadTransactionNumber(const wxString& text, double* value)
{
    double v = 0;
    // "nan" and "inf" read as numbers, and no value can be made of them.
    if (!text.Strip(wxString::both).ToDouble(&v) || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

wxString qxCheckQuantity(const wxString& text, double* quantity)
{
    double v = 0;
    if (!qxReadTransactionNumber(text, &v) || !(v > 0))
        return _("Please provide valid quantity.");
    *quantity = v;
    return wxString();
}

wxString qxCheckPrice(const wxString& text, double* price)
{
    double v = 0;
    if (!qxReadTransactionNumber(text, &v) || v < 0)
        return _("Please provide valid transaction price.");
    *price = v;
    return wxString();
}

wxString qxCheckCommission(const wxString& text, double* commission)
{
    double v = 0;
    if (!text.Strip(wxString::both).empty() && (!qxReadTransactionNumber(text, &v) || v < 0))
        return _("Please provide valid commission value for transaction.");
    *commission = v;
    return wxString();
}

QxDayPrice qxPriceOfDay(const QxPriceHistory* history, int64_t date, bool lastIfAfter, double* price)
{
    const double* closes = qxClosingValues(history);
    if (!closes)
        return QxDayPrice::eNoPrices;
    const int64_t* times = history->timestamp();
    const unsigned bars = history->numBars();
    const unsigned bar = static_cast<unsigned>(std::lower_bound(times, times + bars, date) - times);
    if (bar == bars && !lastIfAfter)
        return QxDayPrice::eAfterLastBar;
    *price = closes[bar == bars ? bars - 1 : bar];
    return QxDayPrice::eFound;
}

QxTransactionDlg::QxTransactionDlg(wxWindow* parent, bool watchItem)
    : FBTransactionDlg(parent), m_calc(new QxCalculator()), m_watchItem(watchItem)
{
    m_transaction.time = todayTimestamp();
    m_calendar->SetDate(dateTimeFromTimestamp(m_transaction.time));
    if (watchItem) {
        SetTitle(_("Add Watch Item"));
        m_dateBox->GetStaticBox()->SetLabel(_("Watch Start Date"));
        // Destroyed windows leave their sizers by themselves; the emptied
        // row of the radio buttons goes as well.
        for (wxWindow** w : {reinterpret_cast<wxWindow**>(&m_typeLabel), reinterpret_cast<wxWindow**>(&m_buy),
                             reinterpret_cast<wxWindow**>(&m_sell), reinterpret_cast<wxWindow**>(&m_quantityLabel),
                             reinterpret_cast<wxWindow**>(&m_quantity),
                             reinterpret_cast<wxWindow**>(&m_commissionLabel),
                             reinterpret_cast<wxWindow**>(&m_commission)}) {
            (*w)->Destroy();
            *w = nullptr;
        }
        m_grid->Remove(m_typeRow);
        m_typeRow = nullptr;
    }
    GetSizer()->SetSizeHints(this);
    Layout();
    Refresh();
}

QxTransactionDlg::~QxTransactionDlg()
{
    // The calculator's use of the price cache ends before the security goes.
    m_calc.reset();
    m_security.reset();
}

int64_t QxTransactionDlg::chosenDate() const { return timestampFromDateTime(m_calendar->GetDate().GetDateOnly()); }

void QxTransactionDlg::setSecurity(QxSecurity* security)
{
    if (!security || (m_security && m_security->id() == security->id()))
        return;
    m_security = security;
    m_calc = new QxCalculator(security, Qx::eDaily);
    m_symbol->ChangeValue(wxString::FromUTF8(security->ticker()));
}

void QxTransactionDlg::onSelect(wxCommandEvent&)
{
    if (QxObjectSmartPtr<QxSecurity> chosen = QxCommonFrame::chooseSecurity())
        setSecurity(chosen.get());
}

void QxTransactionDlg::onDateChanged(wxCalendarEvent&)
{
    if (chosenDate() <= todayTimestamp())
        return;
    qxTell(QxMessage(QxMessageKind::Plain, _("Transaction date cannot be greater than today"), nullptr));
    m_calendar->SetDate(dateTimeFromTimestamp(m_transaction.time));
}

bool QxTransactionDlg::fetchPrice()
{
    if (!m_security)
        return false;
    double price = 0;
    switch (qxPriceOfDay(m_calc->prices(Qx::eDaily, false), chosenDate(), m_watchItem, &price)) {
    case QxDayPrice::eNoPrices:
        qxShowError(_("No price data available for selected security."), nullptr);
        return false;
    case QxDayPrice::eAfterLastBar:
        qxShowError(_("No price quote available for selected transaction date."), nullptr);
        return false;
    case QxDayPrice::eFound:
        break;
    }
    m_price->ChangeValue(wxString::Format("%lf", price));
    return true;
}

void QxTransactionDlg::refuse(const wxString& message, wxTextCtrl* field)
{
    field->SetFocus();
    field->SelectAll();
    qxShowError(message, nullptr);
}

bool QxTransactionDlg::accept()
{
    if (!m_security) {
        refuse(_("Please provide symbol of security for which transaction is being added."), m_symbol);
        return false;
    }
    double quantity = 0, price = 0, commission = 0;
    wxString message;
    if (!m_watchItem && !(message = qxCheckQuantity(m_quantity->GetValue(), &quantity)).empty()) {
        refuse(message, m_quantity);
        return false;
    }
    if (m_price->GetValue().Strip(wxString::both).empty() && !fetchPrice())
        return false;
    if (!(message = qxCheckPrice(m_price->GetValue(), &price)).empty()) {
        refuse(message, m_price);
        return false;
    }
    if (!m_watchItem && !(message = qxCheckCommission(m_commission->GetValue(), &commission)).empty()) {
        refuse(message, m_commission);
        return false;
    }
    m_transaction.time = chosenDate();
    m_transaction.price = price;
    if (!m_watchItem) {
        m_transaction.quantity = m_buy->GetValue() ? quantity : -quantity;
        m_transaction.load = commission;
    }
    return true;
}

void QxTransactionDlg::onOK(wxCommandEvent&)
{
    if (accept())
        EndModal(wxID_OK);
}
