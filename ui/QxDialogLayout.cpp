#include "ui/QxDialogLayout.h"

#include <algorithm>

wxStdDialogButtonSizer* qxStandardButtons(wxDialog* dialog,
                                          std::initializer_list<std::pair<wxWindowID, wxButton**>> buttons)
{
    auto* sizer = new wxStdDialogButtonSizer();
    for (const auto& [id, slot] : buttons) {
        auto* button = new wxButton(dialog, id);
        if (id == wxID_OK)
            button->SetDefault();
        sizer->AddButton(button);
        *slot = button;
    }
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
