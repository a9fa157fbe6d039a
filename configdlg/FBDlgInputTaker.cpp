#include "configdlg/FBDlgInputTaker.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDlgInputTaker::FBDlgInputTaker(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    m_message = new wxStaticText(this, wxID_ANY, wxEmptyString);
    top->Add(m_message, 0, wxALL | wxEXPAND, 5);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_label = new wxStaticText(this, wxID_ANY, _("Name:"));
    row->Add(m_label, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_field = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    row->Add(m_field, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(row, 0, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}}, qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &FBDlgInputTaker::onInitDialog, this);
    m_ok->Bind(wxEVT_BUTTON, &FBDlgInputTaker::onOK, this);
}

FBDlgInputTaker::~FBDlgInputTaker()
{
    Unbind(wxEVT_INIT_DIALOG, &FBDlgInputTaker::onInitDialog, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBDlgInputTaker::onOK, this);
}
