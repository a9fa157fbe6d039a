#include "app/PanelThirdPartyLicenseBase.h"

#include <wx/sizer.h>

PanelThirdPartyLicenseBase::PanelThirdPartyLicenseBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                       const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_text = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP);
    top->Add(m_text, 1, wxEXPAND | wxALL, 5);
    SetSizer(top);
    Layout();
}

PanelThirdPartyLicenseBase::~PanelThirdPartyLicenseBase() = default;
