#pragma once
// One licence text, loaded from its file.
#include "app/PanelThirdPartyLicenseBase.h"

#include <wx/filename.h>

class PanelThirdPartyLicense : public PanelThirdPartyLicenseBase {
public:
    PanelThirdPartyLicense(const wxFileName& file, wxWindow* parent);

    wxString text() const { return m_text->GetValue(); }
};
