#pragma once
// Layout of one licence page: a read-only, word-wrapped text filling the page.
#include <wx/panel.h>
#include <wx/textctrl.h>

class PanelThirdPartyLicenseBase : public wxPanel {
public:
    PanelThirdPartyLicenseBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(639, 581),
                               long style = wxTAB_TRAVERSAL);
    ~PanelThirdPartyLicenseBase() override;

protected:
    wxTextCtrl* m_text;
};
