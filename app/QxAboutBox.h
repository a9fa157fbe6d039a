#pragma once
// The about box: the program's icon and the maker's logo, the product title,
// the build date, and the way to the third-party licence texts.
#include "app/FBAboutBoxBase.h"

class QxAboutBox : public FBAboutBoxBase {
public:
    explicit QxAboutBox(wxWindow* parent);

    wxString titleText() const { return m_title->GetLabel(); }
    wxString buildText() const { return m_build->GetLabel(); }

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnThirdPartyLicense(wxCommandEvent& event) override;
};
