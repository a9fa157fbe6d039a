#include "app/QxAboutBox.h"

#include "app/QxApplication.h"
#include "app/DlgThirdPartyLicense.h"
#include "app/QxLicenseTexts.h"

#include <wx/artprov.h>
#include <wx/iconbndl.h>

QxAboutBox::QxAboutBox(wxWindow* parent) : FBAboutBoxBase(parent)
{
    m_title->SetLabel(QxApplication::appTitle());
}

void QxAboutBox::OnInitDialog(wxInitDialogEvent& event)
{
    const wxIconBundle icons = wxArtProvider::GetIconBundle("QxART_trendoria", wxART_OTHER);
    // Falls back to the system's icon size when the bundle has no 128 pixels.
    const wxIcon icon = icons.GetIcon(wxSize(128, 128));
    if (icon.IsOk())
        m_icon->SetBitmap(icon);
    m_logo->SetBitmap(wxArtProvider::GetBitmap("QxART_corvane_logo_main", wxART_OTHER, wxSize(64, 64)));
    m_build->SetLabel(buildDateText());
    Layout();
    event.Skip(); // the framework still transfers data to the controls
}

void QxAboutBox::OnThirdPartyLicense(wxCommandEvent&)
{
    DlgThirdPartyLicense dialog(this);
    dialog.ShowModal();
}
