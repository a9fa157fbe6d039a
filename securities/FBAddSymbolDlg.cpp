#include "securities/FBAddSymbolDlg.h"

#include "ui/QxDialogLayout.h"

FBAddSymbolDlg::FBAddSymbolDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                               const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_intro = new wxStaticText(this, wxID_ANY, _("Provide details about symbol you want to add."));
    top->Add(m_intro, 0, wxALL, 5);

    auto* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);
    m_nameLabel = new wxStaticText(this, wxID_ANY, _("&Name:"));
    grid->Add(m_nameLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_name = new wxTextCtrl(this, wxID_ANY);
    grid->Add(m_name, 1, wxALL | wxEXPAND, 5);
    m_symbolLabel = new wxStaticText(this, wxID_ANY, _("&Symbol:"));
    grid->Add(m_symbolLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_symbol = new wxTextCtrl(this, wxID_ANY);
    grid->Add(m_symbol, 1, wxALL | wxEXPAND, 5);
    m_categoryLabel = new wxStaticText(this, wxID_ANY, _("&Category:"));
    grid->Add(m_categoryLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    auto* categoryRow = new wxBoxSizer(wxHORIZONTAL);
    m_category = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0, nullptr,
                                wxCB_DROPDOWN | wxCB_READONLY | wxCB_SORT);
    categoryRow->Add(m_category, 1, wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    m_addCategory = new wxButton(this, wxID_ANY, _("&Add category ..."));
    categoryRow->Add(m_addCategory, 0, wxALIGN_CENTER_VERTICAL, 0);
    grid->Add(categoryRow, 1, wxALL | wxEXPAND, 5);
    top->Add(grid, 1, wxEXPAND, 0);

    top->Add(qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}}, wxID_OK),
             0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    qxFitAddDialog(this, size);
    Centre(wxBOTH);

    m_addCategory->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onAddCategory(e); });
    m_help->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onHelp(e); });
    m_ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onOK(e); });
}

FBAddSymbolDlg::~FBAddSymbolDlg() = default;
