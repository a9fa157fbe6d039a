#include "ui/QxDialogLayout.h"

#include <wx/debug.h>

#include <algorithm>

wxStdDialogButtonSizer* qxStandardButtons(wxDialog* dialog,
                                          const std::vector<std::pair<wxWindowID, wxButton**>>& buttons,
                                          wxWindowID defaultButton)
{
    auto* sizer = new wxStdDialogButtonSizer();
    bool defaultMade = defaultButton == qxNoDefaultButton;
    for (const auto& [id, slot] : buttons) {
        auto* button = new wxButton(dialog, id);
        if (id == defaultButton) {
            button->SetDefault();
            defaultMade = true;
        }
        sizer->AddButton(button);
        if (slot)
            *slot = button;
    }
    wxASSERT_MSG(defaultMade, "the default button is not one of the row");
    sizer->Realize();
    return sizer;
}

void qxSizeAtLeast(wxDialog* dialog, const wxSize& initial)
{
    dialog->Layout();
    wxSize fitting = initial;
    fitting.IncTo(dialog->GetBestSize());
    dialog->SetSize(fitting);
}

void qxFitAddDialog(wxDialog* dialog, const wxSize& initial)
{
    dialog->Layout();
    const wxSize needed = dialog->GetBestSize();
    // Never narrower than the layout: the toolkit's fonts may need more
    // room than the initial width gives.
    dialog->SetSize(wxSize(needed.x, std::max(initial.y, needed.y)));
}
