#include "securities/DlgQuote.h"

#include "core/QxTime.h"
#include "securities/QxPriceEditMessages.h"

#include <cmath>
#include <vector>

namespace {

bool isFund(const QxQuote& q) { return q.securityType == Qx::eFund; }
bool hasOpenInterest(const QxQuote& q) { return q.securityType == Qx::eFuture || q.securityType == Qx::eOption; }

// A finite number above 0 (or at 0 where zero is allowed), surrounding
// blanks ignored.
bool readValue(const wxTextCtrl* field, bool zeroAllowed, double& out)
{
    wxString text = field->GetValue();
    text.Trim(true).Trim(false);
    double v = 0;
    if (!text.ToDouble(&v) || !std::isfinite(v))
        return false;
    if (v < 0 || (v == 0 && !zeroAllowed))
        return false;
    out = v;
    return true;
}

} // namespace

DlgQuote::DlgQuote(wxWindow* parent) : FBDlgQuoteBase(parent)
{
    m_grid->Show(m_openInterestLabel, false);
    m_grid->Show(m_openInterest, false);
    m_grid->Show(m_navLabel, false);
    m_grid->Show(m_nav, false);
    Layout();
}

bool DlgQuote::TransferDataToWindow()
{
    m_isNew = quote.time == 0;
    const wxDateTime date = m_isNew ? dateTimeFromTimestamp(todayTimestamp()) : dateTimeFromTimestamp(quote.time);
    if (date.IsValid())
        m_date->SetValue(date);
    m_open->ChangeValue(wxString::Format("%4.4lf", quote.open));
    m_high->ChangeValue(wxString::Format("%4.4lf", quote.high));
    m_low->ChangeValue(wxString::Format("%4.4lf", quote.low));
    m_close->ChangeValue(wxString::Format("%4.4lf", quote.close));
    m_volume->ChangeValue(wxString::Format("%.0lf", quote.volume));
    m_openInterest->ChangeValue(wxString::Format("%.0lf", quote.openInterest));
    m_nav->ChangeValue(wxString::Format("%4.4lf", quote.nav));
    return true;
}

void DlgQuote::onInitDialog(wxInitDialogEvent& event)
{
    wxDialog::OnInitDialog(event); // transfers the data to the window
    // An existing quote keeps its date.
    m_date->Enable(m_isNew);
    showRowsOfType();
}

void DlgQuote::showRowsOfType()
{
    const bool fund = isFund(quote);
    for (wxWindow* w : {static_cast<wxWindow*>(m_openLabel), static_cast<wxWindow*>(m_open),
                        static_cast<wxWindow*>(m_highLabel), static_cast<wxWindow*>(m_high),
                        static_cast<wxWindow*>(m_lowLabel), static_cast<wxWindow*>(m_low),
                        static_cast<wxWindow*>(m_closeLabel), static_cast<wxWindow*>(m_close),
                        static_cast<wxWindow*>(m_volumeLabel), static_cast<wxWindow*>(m_volume)})
        m_grid->Show(w, !fund);
    m_grid->Show(m_openInterestLabel, hasOpenInterest(quote));
    m_grid->Show(m_openInterest, hasOpenInterest(quote));
    m_grid->Show(m_navLabel, fund);
    m_grid->Show(m_nav, fund);
    InvalidateBestSize();
    // The layout's own size, enlarged to fit; a fund's single row needs
    // less height.
    wxSize fitting = GetBestSize();
    fitting.IncTo(wxSize(208, fund ? 0 : 290));
    SetSize(fitting);
    Layout();
}

bool DlgQuote::TransferDataFromWindow()
{
    QxQuote q = quote;
    if (m_isNew)
        q.time = timestampFromDateTime(m_date->GetValue().GetDateOnly());

    struct Field {
        wxTextCtrl* ctrl;
        double* value;
        bool zeroAllowed;
    };
    std::vector<Field> fields;
    if (isFund(q)) {
        fields.push_back({m_nav, &q.nav, false});
    } else {
        for (const Field& f : {Field{m_open, &q.open, false}, Field{m_high, &q.high, false},
                               Field{m_low, &q.low, false}, Field{m_close, &q.close, false},
                               Field{m_volume, &q.volume, false}})
            fields.push_back(f);
        if (hasOpenInterest(q))
            fields.push_back({m_openInterest, &q.openInterest, true});
    }
    for (const Field& f : fields) {
        if (!readValue(f.ctrl, f.zeroAllowed, *f.value)) {
            qxPriceEditError(this, _("Invalid data in quote price"));
            f.ctrl->SetFocus();
            f.ctrl->SelectAll();
            return false;
        }
    }
    if (q.time <= 0) {
        qxPriceEditError(this, _("Invalid data in quote price"));
        m_date->SetFocus();
        return false;
    }
    quote = q;
    return true;
}
