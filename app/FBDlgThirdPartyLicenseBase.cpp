#include "app/FBDlgThirdPartyLicenseBase.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDlgThirdPartyLicenseBase::FBDlgThirdPartyLicenseBase(wxWindow* parent, wxWindowID id,
                                                       const wxString& title, const wxPoint& pos,
                                                       const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_intro = new wxStaticText(this, wxID_ANY,
                               _("Trendoria uses few third party programs.\nThere are some programs that "
                                 "make it necessary to show their Copyright notices.\nHere is a list of "
                                 "all such third party programs and their licenses."),
                               wxDefaultPosition, wxDefaultSize, wxALIGN_CENTER_HORIZONTAL);
    top->Add(m_intro, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    m_listbook = new wxListbook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLB_LEFT);
    top->Add(m_listbook, 1, wxEXPAND | wxALL, 5);
    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}}, qxNoDefaultButton);
    top->Add(buttons, 0, wxEXPAND | wxALL, 5);
    SetSizer(top);
    Layout();
    Centre(wxBOTH);
}

FBDlgThirdPartyLicenseBase::~FBDlgThirdPartyLicenseBase() = default;
