#pragma once
// Pieces the layouts of the dialogs share.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>

#include <initializer_list>
#include <utility>

// The standard button row: one button per id, each stored in its slot; an
// OK button is the default.
wxStdDialogButtonSizer* qxStandardButtons(wxDialog* dialog,
                                          std::initializer_list<std::pair<wxWindowID, wxButton**>> buttons);

// The dialog at its initial size, enlarged where its layout needs more.
void qxSizeAtLeast(wxDialog* dialog, const wxSize& initial);

// The size both add dialogs take once laid out: as wide as the layout needs
// and at least as high as they were made.
void qxFitAddDialog(wxDialog* dialog, const wxSize& initial);
