#pragma once
// What the chart configuration pages decide without a window of their own:
// the title alignment choice, the axis-location bits, and the moves of a
// pen (pen picker plus colour picker) and of a font with its colour (font
// picker plus colour picker) between a record and the controls.
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/pen.h>

class wxColourPickerCtrl;
class wxPenPicker;
class wxeFontPickerCtrl;

// Entries of a title alignment choice, in order.
constexpr int kAlignmentEntries = 9;
// The translated entry texts, made once and kept.
const wxArrayString& alignmentChoices();
// Alignment flags to entry: bottom before centre-vertical before top, and
// in each row right before centre before left.
int alignmentToChoice(int flags);
// Entry to alignment flags; no entry (or one outside the nine) is centred.
int choiceToAlignment(int entry);

// The five axis-location bits, in the order of the page's check boxes:
// left, right, below chart, below main zone, below all zones.
extern const int kAxisLocationBits[5];
// axisLocation made from the boxes that are on; other bits are dropped.
int axisLocationFromBoxes(const bool on[5]);

// The pen picker shows the whole pen, the colour picker its colour.
void penToWindow(const wxPen& pen, wxPenPicker* picker, wxColourPickerCtrl* colour);
// The picker's pen in the colour picker's colour.
wxPen penFromWindow(const wxPenPicker* picker, const wxColourPickerCtrl* colour);

// The font picker shows font and colour; the colour picker beside it the
// colour, which it hands to the font picker when changed.
void fontToWindow(const wxFont& font, const wxColour& textColour, wxeFontPickerCtrl* picker,
                  wxColourPickerCtrl* colour);
void fontFromWindow(const wxeFontPickerCtrl* picker, wxFont& font, wxColour& textColour);
// Ties a colour picker to the font picker beside it.
void linkFontColour(wxeFontPickerCtrl* picker, wxColourPickerCtrl* colour);
