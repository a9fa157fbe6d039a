#include "app/FBPreferencesDlg.h"

#include <wx/sizer.h>

FBPreferencesDlg::FBPreferencesDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                   const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_notebook = new wxNotebook(this, wxID_ANY);
    top->Add(m_notebook, 1, wxEXPAND | wxALL, 5);

    auto* buttons = new wxStdDialogButtonSizer();
    m_ok = new wxButton(this, wxID_OK);
    buttons->AddButton(m_ok);
    m_cancel = new wxButton(this, wxID_CANCEL);
    buttons->AddButton(m_cancel);
    m_help = new wxButton(this, wxID_HELP);
    buttons->AddButton(m_help);
    buttons->Realize();
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
