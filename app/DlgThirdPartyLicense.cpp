#include "app/DlgThirdPartyLicense.h"

#include "app/PanelThirdPartyLicense.h"
#include "app/QxLicenseTexts.h"

DlgThirdPartyLicense::DlgThirdPartyLicense(wxWindow* parent) : DlgThirdPartyLicense(parent, licenseFolder()) {}

DlgThirdPartyLicense::DlgThirdPartyLicense(wxWindow* parent, const wxString& folder)
    : FBDlgThirdPartyLicenseBase(parent)
{
    buildPages(folder);
}

void DlgThirdPartyLicense::buildPages(const wxString& folder)
{
    for (const wxFileName& file : listLicenseFiles(folder))
        m_listbook->AddPage(new PanelThirdPartyLicense(file, m_listbook), licenseLabel(file), false);
    // The list book lays its pages out only when one is shown.
    if (m_listbook->GetPageCount() > 0)
        m_listbook->SetSelection(0);
}
