#include "configdlg/wxeFontPickerCtrl.h"

#include <wx/fontdlg.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>

wxString fontPickerLabel(const wxFont& font)
{
    if (!font.IsOk())
        return _("Null");
    return wxString::Format("%s, %d", font.GetFaceName(), font.GetPointSize());
}

wxeFontPickerCtrl::wxeFontPickerCtrl(wxWindow* parent, wxWindowID id, const wxFont& font, const wxPoint& pos,
                                     const wxSize& size, long, const wxValidator&, const wxString& name)
    : wxButton(parent, id, wxEmptyString, pos, size, 0, wxDefaultValidator, name)
{
    setFont(font);
    setColour(*wxBLACK);
    // A click (or the space key) rather than the bare mouse press: opening a
    // modal dialog while GTK still holds the button's pointer grab leaves
    // the button stuck pressed.
    Bind(wxEVT_BUTTON, &wxeFontPickerCtrl::onClick, this);
}

void wxeFontPickerCtrl::setFont(const wxFont& font)
{
    m_font = font;
    // Face names may hold '&': shown as they are, not as mnemonics.
    SetLabelText(fontPickerLabel(font));
    wxWindow* top = wxGetTopLevelParent(this);
    if (top && top->IsShown() && top->GetSizer()) {
        const wxSize border = top->GetSize() - top->GetClientSize();
        const wxSize needed = top->GetSizer()->GetMinSize() + border;
        const wxSize now = top->GetSize();
        top->SetSize(std::max(now.x, needed.x), std::max(now.y, needed.y));
    }
}

void wxeFontPickerCtrl::setColour(const wxColour& colour)
{
    m_colour = colour;
    SetForegroundColour(colour);
}

void wxeFontPickerCtrl::chooseFont()
{
    wxFontData data;
    data.SetInitialFont(m_font);
    data.SetChosenFont(m_font);
    data.SetColour(m_colour);
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxFontData& chosen = dialog.GetFontData();
    // GTK's dialog returns no colour: keep ours then.
    if (chosen.GetColour().IsOk())
        setColour(chosen.GetColour());
    setFont(chosen.GetChosenFont());
}

void wxeFontPickerCtrl::onClick(wxCommandEvent&) { chooseFont(); }
