#pragma once
// A push button that names a font ("face, size") and shows a text colour in
// its own label colour; pressing it opens the font dialog.  GTK's font dialog
// offers no colour, so the pages that need one put a colour picker beside
// the button and hand its choice over with setColour().
#include <wx/button.h>
#include <wx/colour.h>
#include <wx/font.h>

#include <algorithm>

// The button's label for a font: "face, size", or "Null" for no font.
wxString fontPickerLabel(const wxFont& font);

class wxeFontPickerCtrl : public wxButton {
public:
    wxeFontPickerCtrl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxFont& font = wxNullFont,
                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                      const wxValidator& validator = wxDefaultValidator, const wxString& name = "fontPicker");

    // Stores the font, relabels the button and lets its window grow to fit.
    void setFont(const wxFont& font);
    const wxFont& getFont() const { return m_font; }
    // The colour also becomes the button's text colour.
    void setColour(const wxColour& colour);
    const wxColour& getColour() const { return m_colour; }

    // Opens the font dialog over the current font; OK takes its choice.
    void chooseFont();

private:
    void onClick(wxCommandEvent& event);

    wxFont m_font;
    wxColour m_colour;
};
