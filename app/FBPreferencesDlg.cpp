#include "app/FBPreferencesDlg.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBPreferencesDlg::FBPreferencesDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                   const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_notebook = new wxNotebook(this, wxID_ANY);
    top->Add(m_notebook, 1, wxEXPAND | wxALL, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxEXPAND | wxALL, 5);
    SetSizer(top);
    Layout();

    m_help->Bind(wxEVT_BUTTON, &FBPreferencesDlg::OnHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBPreferencesDlg::OnOK, this);
}

FBPreferencesDlg::~FBPreferencesDlg()
{
    m_help->Unbind(wxEVT_BUTTON, &FBPreferencesDlg::OnHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBPreferencesDlg::OnOK, this);
}
