#include "configdlg/ChartConfigTransfer.h"

#include "configdlg/wxPenPicker.h"
#include "configdlg/wxeFontPickerCtrl.h"

#include <wx/clrpicker.h>
#include <wx/intl.h>

const wxArrayString& alignmentChoices()
{
    static wxArrayString texts;
    if (texts.empty()) {
        for (const char* text : {"Top-Left", "Top-Center", "Top-Right", "Center-Left", "Center-Center",
                                 "Center-Right", "Bottom-Left", "Bottom-Center", "Bottom-Right"})
            texts.Add(wxGetTranslation(text));
    }
    return texts;
}

int alignmentToChoice(int flags)
{
    const int column = (flags & wxALIGN_RIGHT) ? 2 : (flags & wxALIGN_CENTER_HORIZONTAL) ? 1 : 0;
    const int row = (flags & wxALIGN_BOTTOM) ? 2 : (flags & wxALIGN_CENTER_VERTICAL) ? 1 : 0;
    return row * 3 + column;
}

int choiceToAlignment(int entry)
{
    static const int values[kAlignmentEntries] = {0, 256, 512, 2048, 2304, 2560, 1024, 1280, 1536};
    return entry >= 0 && entry < kAlignmentEntries ? values[entry] : 2304;
}

const int kAxisLocationBits[5] = {1, 2, 4, 8, 16};

int axisLocationFromBoxes(const bool on[5])
{
    int location = 0;
    for (int i = 0; i < 5; ++i)
        if (on[i])
            location |= kAxisLocationBits[i];
    return location;
}

void penToWindow(const wxPen& pen, wxPenPicker* picker, wxColourPickerCtrl* colour)
{
    picker->setPen(pen);
    colour->SetColour(pen.IsOk() ? pen.GetColour() : *wxBLACK);
}

wxPen penFromWindow(const wxPenPicker* picker, const wxColourPickerCtrl* colour)
{
    wxPen pen = picker->getPen();
    pen.SetColour(colour->GetColour());
    return pen;
}

void fontToWindow(const wxFont& font, const wxColour& textColour, wxeFontPickerCtrl* picker,
                  wxColourPickerCtrl* colour)
{
    picker->setFont(font);
    picker->setColour(textColour);
    colour->SetColour(textColour);
}

void fontFromWindow(const wxeFontPickerCtrl* picker, wxFont& font, wxColour& textColour)
{
    textColour = picker->getColour();
    font = picker->getFont();
}

void linkFontColour(wxeFontPickerCtrl* picker, wxColourPickerCtrl* colour)
{
    colour->Bind(wxEVT_COLOURPICKER_CHANGED,
                 [picker](wxColourPickerEvent& event) { picker->setColour(event.GetColour()); });
}
