#include "trading/FBDlgSystemEditor.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

FBDlgSystemEditor::FBDlgSystemEditor(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                     const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* fields = new wxFlexGridSizer(2, 2, 0, 0);
    fields->AddGrowableCol(1);
    fields->AddGrowableRow(1);
    fields->Add(new wxStaticText(this, wxID_ANY, _("System &Name:")), 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_name = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    fields->Add(m_name, 0, wxALL | wxEXPAND, 5);
    fields->Add(new wxStaticText(this, wxID_ANY, _("&Description:")), 0, wxALL, 5);
    m_description = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(-1, 50), wxTE_MULTILINE);
    fields->Add(m_description, 1, wxALL | wxEXPAND, 5);
    top->Add(fields, 0, wxEXPAND, 5);

    auto* positions = new wxStaticBoxSizer(wxVERTICAL, this, _("Trading positions this system supports:"));
    wxStaticBox* box = positions->GetStaticBox();
    m_onlyLong = new wxRadioButton(box, wxID_ANY, _("Only &long position"), wxDefaultPosition, wxDefaultSize,
                                   wxRB_GROUP);
    positions->Add(m_onlyLong, 0, wxALL, 3);
    m_onlyShort = new wxRadioButton(box, wxID_ANY, _("Only &short position"));
    positions->Add(m_onlyShort, 0, wxALL, 3);
    m_both = new wxRadioButton(box, wxID_ANY, _("&Both long and short positions"));
    positions->Add(m_both, 0, wxALL, 3);
    top->Add(positions, 0, wxALL | wxEXPAND, 5);

    m_pages = new wxNotebook(this, wxID_ANY);
    top->Add(m_pages, 1, wxALL | wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    m_onlyLong->Bind(wxEVT_RADIOBUTTON, &FBDlgSystemEditor::onOnlyLong, this);
    m_onlyShort->Bind(wxEVT_RADIOBUTTON, &FBDlgSystemEditor::onOnlyShort, this);
    m_both->Bind(wxEVT_RADIOBUTTON, &FBDlgSystemEditor::onBoth, this);
    m_help->Bind(wxEVT_BUTTON, &FBDlgSystemEditor::onHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBDlgSystemEditor::onOk, this);
}

FBDlgSystemEditor::~FBDlgSystemEditor()
{
    m_onlyLong->Unbind(wxEVT_RADIOBUTTON, &FBDlgSystemEditor::onOnlyLong, this);
    m_onlyShort->Unbind(wxEVT_RADIOBUTTON, &FBDlgSystemEditor::onOnlyShort, this);
    m_both->Unbind(wxEVT_RADIOBUTTON, &FBDlgSystemEditor::onBoth, this);
    m_help->Unbind(wxEVT_BUTTON, &FBDlgSystemEditor::onHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBDlgSystemEditor::onOk, this);
}
