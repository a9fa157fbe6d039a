#include "securities/DlgSplit.h"

#include "core/QxTime.h"
#include "securities/QxPriceEditMessages.h"

#include <wx/artprov.h>

#include <climits>

namespace {

// A whole number of shares from 1 to the int range.
bool readShares(const wxTextCtrl* field, int& out)
{
    wxString text = field->GetValue();
    text.Trim(true).Trim(false);
    long v = 0;
    if (!text.ToLong(&v, 10) || v < 1 || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

void refuse(wxWindow* parent, wxTextCtrl* field, const wxString& text)
{
    qxPriceEditError(parent, text);
    field->SetFocus();
    field->SelectAll();
}

} // namespace

DlgSplit::DlgSplit(wxWindow* parent) : FBDlgSplitBase(parent)
{
    m_icon->SetBitmap(wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_OTHER));
}

bool DlgSplit::TransferDataToWindow()
{
    m_keepDate = split.date != 0 && !m_dateEditable;
    const wxDateTime date = dateTimeFromTimestamp(split.date != 0 ? split.date : todayTimestamp());
    if (date.IsValid())
        m_date->SetValue(date);
    m_oldShares->ChangeValue(wxString::Format("%d", split.ratio.numerator()));
    m_newShares->ChangeValue(wxString::Format("%d", split.ratio.denominator()));
    return true;
}

void DlgSplit::onInitDialog(wxInitDialogEvent& event)
{
    wxDialog::OnInitDialog(event); // transfers the data to the window
    m_icon->SetBitmap(wxArtProvider::GetBitmap(wxART_TIP, wxART_OTHER));
    // A modified record keeps its date.
    m_date->Enable(!m_keepDate);
    Layout();
}

bool DlgSplit::TransferDataFromWindow()
{
    QxSplitRecord record = split;
    if (!m_keepDate)
        record.date = timestampFromDateTime(m_date->GetValue().GetDateOnly());
    int oldShares = 0, newShares = 0;
    if (!readShares(m_oldShares, oldShares)) {
        refuse(this, m_oldShares, _("Invalid value of 'Old number of shares'"));
        return false;
    }
    if (!readShares(m_newShares, newShares)) {
        refuse(this, m_newShares, _("Invalid value of 'New number of shares'"));
        return false;
    }
    if (oldShares == newShares) {
        qxPriceEditError(this, _("'New number of shares' can not be same as 'Old number of shares'"));
        return false;
    }
    record.ratio = boost::rational<int>(oldShares, newShares);
    split = record;
    return true;
}
