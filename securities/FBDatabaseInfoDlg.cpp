#include "securities/FBDatabaseInfoDlg.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDatabaseInfoDlg::FBDatabaseInfoDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                     const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_intro = new wxStaticText(this, wxID_ANY, _("Information about database in use."));
    top->Add(m_intro, 0, wxALL, 5);

    auto* grid = new wxFlexGridSizer(2, 2, 0, 0);
    grid->AddGrowableCol(1);
    m_formatLabel = new wxStaticText(this, wxID_ANY, _("Data Format:"));
    grid->Add(m_formatLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_format = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    grid->Add(m_format, 1, wxALL | wxEXPAND, 5);
    m_locationLabel = new wxStaticText(this, wxID_ANY, _("Location:"));
    grid->Add(m_locationLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_location = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    grid->Add(m_location, 1, wxALL | wxEXPAND, 5);
    top->Add(grid, 1, wxEXPAND, 0);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_HELP, &m_help}}, wxID_OK);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    m_help->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { OnHelp(e); });
}

FBDatabaseInfoDlg::~FBDatabaseInfoDlg() = default;
