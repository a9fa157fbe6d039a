#pragma once
// GTK's spin controls take their text as soon as the focus leaves them (a
// click on OK does that) or Enter is pressed, and put the number back within
// their range: an OK handler then reads 100.0 where the user typed 150, and
// refuses nothing. A watched control remembers what the user typed, so that
// the dialog can check that instead.
#include <wx/string.h>

class wxSpinCtrl;
class wxSpinCtrlDouble;
class wxWindow;

// Starts watching a spin control (wxSpinCtrl or wxSpinCtrlDouble) for the
// rest of its life; a second call does nothing.
void qxWatchSpinText(wxWindow* spin);

// The text the user typed into the control when the control last took its
// text and changed what it shows from it (clamped or rounded); otherwise,
// and for a control not watched, the text it shows. A value set by code or
// by the arrows since counts as shown.
wxString qxTypedSpinText(const wxSpinCtrl* spin);
wxString qxTypedSpinText(const wxSpinCtrlDouble* spin);

// The typed text of an integer spin control as a whole number (blanks
// around it allowed); false when it is none.
bool qxTypedSpinInteger(const wxSpinCtrl* spin, long& out);
