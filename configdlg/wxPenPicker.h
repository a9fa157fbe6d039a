#pragma once
// A drop-down for choosing a line width and style: each entry is a sample
// line drawn with the pen it stands for, in the picker's colour. Entry i is
// width i / 5 + 1 and style 100 + i % 5 (solid, dotted, long dash, short
// dash, dot-dash), so the 25 entries cover widths 1 to 5.
#include <wx/colour.h>
#include <wx/odcombo.h>
#include <wx/pen.h>

// Number of entries of every pen picker.
constexpr int kPenPickerEntries = 25;

// The entry that stands for a pen of this width and style; 0 (width 1,
// solid) for a width or a style no entry has.
int penPickerEntry(int width, int style);
// The width and style an entry stands for; entry 0's for an entry outside
// the list.
int penPickerEntryWidth(int entry);
wxPenStyle penPickerEntryStyle(int entry);

class wxPenPicker : public wxOwnerDrawnComboBox {
public:
    wxPenPicker(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0,
                const wxValidator& validator = wxDefaultValidator, const wxString& name = "penPicker");

    // Takes the pen's colour and selects the entry of its width and style.
    void setPen(const wxPen& pen);
    // The selected entry's width and style in the picker's colour, with butt
    // caps and mitre joins; the stock black pen when nothing is selected.
    wxPen getPen() const;
    const wxColour& getColour() const { return m_colour; }

    // The texts behind the entries (never shown), built once for all pickers.
    static const wxArrayString& sharedEntries();

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;

private:
    wxColour m_colour = *wxBLACK;
};
