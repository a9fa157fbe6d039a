#include "securities/WndHistListCtrl.h"

#include "core/QxTime.h"

#include <wx/settings.h>

namespace {

wxListItemAttr& rowAttr(bool up)
{
    static wxListItemAttr upAttr(*wxBLACK, wxColour(170, 255, 170), wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    static wxListItemAttr downAttr(*wxBLACK, wxColour(255, 170, 170),
                                   wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    return up ? upAttr : downAttr;
}

} // namespace

WndHistListCtrl::WndHistListCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxListCtrl(parent, id, pos, size, style | wxLC_VIRTUAL | wxLC_REPORT)
{
}

void WndHistListCtrl::setPriceHistory(QxPriceHistory* h)
{
    history = h;
    SetItemCount(h ? static_cast<long>(h->numBars()) : 0);
}

long WndHistListCtrl::indexOfRow(long row) const
{
    const long n = history ? static_cast<long>(history->numBars()) : 0;
    return n - 1 - row;
}

wxString WndHistListCtrl::OnGetItemText(long row, long column) const
{
    const long i = indexOfRow(row);
    if (!history || i < 0 || i >= static_cast<long>(history->numBars()))
        return wxString();
    const QxPriceHistory& h = *history;
    if (column == 0)
        return formatTimestamp(h.timestamp()[i], "%x");
    if (h.getSecurityType() == Qx::eFund)
        return column == 4 && h.nav() ? wxString::Format("%4.4lf", h.nav()[i]) : wxString();
    if (!h.open())
        return wxString();
    switch (column) {
    case 1:
        return wxString::Format("%4.4lf", h.open()[i]);
    case 2:
        return wxString::Format("%4.4lf", h.high()[i]);
    case 3:
        return wxString::Format("%4.4lf", h.low()[i]);
    case 4:
        return wxString::Format("%4.4lf", h.close()[i]);
    case 5:
        return wxString::Format("%.0lf", h.volume()[i]);
    default:
        return wxString();
    }
}

wxListItemAttr* WndHistListCtrl::OnGetItemAttr(long row) const
{
    const long i = indexOfRow(row);
    bool up = false;
    if (history && i >= 0 && i < static_cast<long>(history->numBars())) {
        const QxPriceHistory& h = *history;
        if (h.getSecurityType() == Qx::eFund)
            up = i > 0 && h.nav() && h.nav()[i] > h.nav()[i - 1]; // a fund rose since the day before
        else if (h.open())
            up = h.close()[i] > h.open()[i];
    }
    return &rowAttr(up);
}
