#pragma once
// The licence texts of the libraries the program uses, one page per text
// file of the licence folder.
#include "app/FBDlgThirdPartyLicenseBase.h"

class DlgThirdPartyLicense : public FBDlgThirdPartyLicenseBase {
public:
    // Pages from the licence folder beside the executable.
    explicit DlgThirdPartyLicense(wxWindow* parent);
    // Pages from the given folder.
    DlgThirdPartyLicense(wxWindow* parent, const wxString& folder);

    wxListbook* listbook() const { return m_listbook; }

private:
    void buildPages(const wxString& folder);
};
