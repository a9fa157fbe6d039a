#pragma once
// Pieces the layouts of the dialogs share.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>

#include <utility>
#include <vector>

// For a row without a default button: Enter presses none of its buttons.
inline constexpr wxWindowID qxNoDefaultButton = wxID_NONE;

// The standard button row: one button per id with its stock label, made in
// the order given and stored in its slot (none, nullptr, for a button the
// dialog does not keep), placed in the toolkit's order for such rows; the
// button of id defaultButton is the dialog's default, none with
// qxNoDefaultButton.
wxStdDialogButtonSizer* qxStandardButtons(wxDialog* dialog,
                                          const std::vector<std::pair<wxWindowID, wxButton**>>& buttons,
                                          wxWindowID defaultButton);

// The dialog at its initial size, enlarged where its layout needs more.
void qxSizeAtLeast(wxDialog* dialog, const wxSize& initial);

// The size both add dialogs take once laid out: as wide as the layout needs
// and at least as high as they were made.
void qxFitAddDialog(wxDialog* dialog, const wxSize& initial);
