#include "securities/FBAddCategoryDlg.h"

#include "ui/QxDialogLayout.h"

FBAddCategoryDlg::FBAddCategoryDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                   const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_intro = new wxStaticText(this, wxID_ANY, _("Provide details about category you want to add."));
    top->Add(m_intro, 0, wxALL, 5);

    auto* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);
    m_countryLabel = new wxStaticText(this, wxID_ANY, _("&Country:"));
    grid->Add(m_countryLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_country = new wxChoice(this, wxID_ANY);
    grid->Add(m_country, 1, wxALL | wxEXPAND, 5);
    m_exchangeLabel = new wxStaticText(this, wxID_ANY, _("E&xchange:"));
    grid->Add(m_exchangeLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_exchange = new wxTextCtrl(this, wxID_ANY);
    grid->Add(m_exchange, 1, wxALL | wxEXPAND, 5);
    m_providerLabel = new wxStaticText(this, wxID_ANY, _("Data &Provider:"));
    grid->Add(m_providerLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_provider = new wxChoice(this, wxID_ANY);
    grid->Add(m_provider, 1, wxALL | wxEXPAND, 5);
    m_typeLabel = new wxStaticText(this, wxID_ANY, _("&Type:"));
    grid->Add(m_typeLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    auto* types = new wxBoxSizer(wxHORIZONTAL);
    m_stock = new wxRadioButton(this, wxID_ANY, _("&Stock"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    types->Add(m_stock, 0, wxRIGHT, 10);
    m_index = new wxRadioButton(this, wxID_ANY, _("&Index"));
    types->Add(m_index, 0, 0, 0);
    m_noType = new wxRadioButton(this, wxID_ANY, wxEmptyString);
    m_noType->SetValue(true);
    m_noType->Hide();
    grid->Add(types, 1, wxALL | wxEXPAND, 5);
    top->Add(grid, 1, wxEXPAND, 0);

    top->Add(qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}}, wxID_OK),
             0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    qxFitAddDialog(this, size);
    Centre(wxBOTH);

    m_help->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onHelp(e); });
    m_ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onOK(e); });
}

FBAddCategoryDlg::~FBAddCategoryDlg() = default;
