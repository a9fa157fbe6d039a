#include "app/PanelThirdPartyLicense.h"

#include "app/QxLicenseTexts.h"

PanelThirdPartyLicense::PanelThirdPartyLicense(const wxFileName& file, wxWindow* parent)
    : PanelThirdPartyLicenseBase(parent)
{
    m_text->ChangeValue(loadLicenseText(file));
}
