#include "configdlg/wxPenPicker.h"

#include <wx/dc.h>

namespace {

constexpr int kStyles = 5; // solid .. dot-dash
constexpr int kSampleInset = 5;
constexpr int kDefaultWidth = 90;

wxPen samplePen(const wxColour& colour, int entry)
{
    wxPen pen(colour, penPickerEntryWidth(entry), penPickerEntryStyle(entry));
    pen.SetCap(wxCAP_BUTT);
    return pen;
}

} // namespace

int penPickerEntry(int width, int style)
{
    // Checked field by field: a style out of the five would otherwise land
    // on a neighbouring width's entry.
    if (width < 1 || width > kPenPickerEntries / kStyles || style < wxPENSTYLE_SOLID ||
        style >= wxPENSTYLE_SOLID + kStyles)
        return 0;
    return (width - 1) * kStyles + (style - wxPENSTYLE_SOLID);
}

int penPickerEntryWidth(int entry)
{
    if (entry < 0 || entry >= kPenPickerEntries)
        entry = 0;
    return entry / kStyles + 1;
}

wxPenStyle penPickerEntryStyle(int entry)
{
    if (entry < 0 || entry >= kPenPickerEntries)
        entry = 0;
    return static_cast<wxPenStyle>(wxPENSTYLE_SOLID + entry % kStyles);
}

const wxArrayString& wxPenPicker::sharedEntries()
{
    static wxArrayString entries;
    if (entries.empty())
        entries.assign(kPenPickerEntries, wxString("Mg"));
    return entries;
}

wxPenPicker::wxPenPicker(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                         const wxValidator& validator, const wxString& name)
    : wxOwnerDrawnComboBox(parent, id, wxEmptyString, pos, size, sharedEntries(), style | wxCB_READONLY,
                           validator, name)
{
    // The entry texts are placeholders and would make the control as narrow
    // as "Mg": by default it is wide enough for a sample worth seeing.
    if (size.x <= 0)
        SetInitialSize(wxSize(FromDIP(kDefaultWidth), size.y));
}

void wxPenPicker::setPen(const wxPen& pen)
{
    if (!pen.IsOk()) {
        SetSelection(0);
        return;
    }
    const int entry = penPickerEntry(pen.GetWidth(), pen.GetStyle());
    // Update-UI handlers show a pen at every idle time: no repaint unless
    // something changed.
    if (pen.GetColour() == m_colour && entry == GetSelection())
        return;
    m_colour = pen.GetColour();
    SetSelection(entry);
    Refresh(); // the shown sample takes the new colour even when the entry stays
}

wxPen wxPenPicker::getPen() const
{
    const int entry = GetSelection();
    if (entry == wxNOT_FOUND)
        return *wxBLACK_PEN;
    wxPen pen = samplePen(m_colour, entry);
    pen.SetJoin(wxJOIN_MITER);
    return pen;
}

void wxPenPicker::OnDrawItem(wxDC& dc, const wxRect& rect, int item, int) const
{
    if (item == wxNOT_FOUND)
        return;
    const wxPen oldPen = dc.GetPen();
    dc.SetPen(samplePen(m_colour, item));
    const int y = rect.y + rect.height / 2;
    dc.DrawLine(rect.x + kSampleInset, y, rect.x + rect.width - kSampleInset, y);
    dc.SetPen(oldPen);
}
