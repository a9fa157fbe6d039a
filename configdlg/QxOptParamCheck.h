#pragma once
// Reading and checking one optional parameter of an indicator function
// against the function's own description of it (a real or integer range, a
// real or integer list). Kept apart from the parameter page so that what a
// value may be, and what the user is told when it may not, is decided
// without a window.
#include "core/QxValue.h"

#include <ta_libc.h>
#include <wx/string.h>

// What the user left in the control of one parameter.
struct QxOptParamEntry {
    // A real range's text field, or the text part of an integer range's
    // spin control: GTK's spin control reports its value clamped to the
    // range while the entry still shows what was typed, so the text is what
    // counts.
    wxString text;
    // The spin control's own value, used when its text reads as no integer
    // (the control puts its value back in such a case).
    int spinValue = 0;
    // The entry chosen in a list; -1 for none.
    int selection = -1;
};

// A number typed by the user: decimal digits with an optional sign, point
// and exponent, blanks around it allowed; "nan", "inf" and hexadecimal forms
// are refused (a line at "nan" is never drawn, a price of "inf" is always
// passed). The same in every locale.
bool qxReadRealNumber(const wxString& text, double& out);

// The name the user sees for a parameter: its display name, else its name.
wxString qxOptParamName(const TA_OptInputParameterInfo& info);

// Checks an entry. True with value set to what the indicator keeps (a
// double for real ranges and real lists, an int32 for integer ranges and
// integer lists, int32 0 for an unknown type); false with the message the
// user is shown. Limits are inclusive.
bool qxCheckOptParam(const TA_OptInputParameterInfo& info, const QxOptParamEntry& entry, QxValue& value,
                     wxString& message);

// The text a real range's field shows for a value: two decimals, the same
// in every locale.
wxString qxOptParamText(const QxValue& value);

// Entries of a real or integer list (none for any other parameter), and
// the value and text of entry index.
unsigned qxOptParamListSize(const TA_OptInputParameterInfo& info);
QxValue qxOptParamListValue(const TA_OptInputParameterInfo& info, unsigned index);
wxString qxOptParamListText(const TA_OptInputParameterInfo& info, unsigned index);

// The list entry that shows a value: the first whose value equals it (as a
// double for a real list, as an int32 for an integer list); -1 when none
// does or the parameter is no list.
int qxOptParamListIndex(const TA_OptInputParameterInfo& info, const QxValue& value);
