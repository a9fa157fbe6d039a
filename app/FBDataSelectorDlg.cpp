#include "app/FBDataSelectorDlg.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDataSelectorDlg::FBDataSelectorDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* head = new wxBoxSizer(wxHORIZONTAL);
    m_bitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
    head->Add(m_bitmap, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_headline = new wxStaticText(this, wxID_ANY, _("Please select the format and location of data."));
    head->Add(m_headline, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(head, 0, wxEXPAND, 5);

    auto* grid = new wxFlexGridSizer(2, 3, 0, 0);
    grid->AddGrowableCol(1);
    m_formatLabel = new wxStaticText(this, wxID_ANY, _("Data &Format:"));
    grid->Add(m_formatLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_format = new wxChoice(this, wxID_ANY);
    grid->Add(m_format, 1, wxALL | wxEXPAND | wxALIGN_CENTER_VERTICAL, 5);
    m_details = new wxButton(this, wxID_ANY, _("&Details ..."));
    grid->Add(m_details, 0, wxALL, 5);
    m_locationLabel = new wxStaticText(this, wxID_ANY, _("&Location:"));
    grid->Add(m_locationLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_location = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxTE_READONLY);
    grid->Add(m_location, 1, wxALL | wxEXPAND | wxALIGN_CENTER_VERTICAL, 5);
    m_browse = new wxButton(this, wxID_ANY, _("&Browse ..."));
    grid->Add(m_browse, 0, wxALL, 5);
    top->Add(grid, 1, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxEXPAND | wxALL, 5);

    SetSizer(top);
    // Enlarged where the sizer needs more room, never made smaller.
    const wxSize best = top->GetMinSize();
    SetSize(wxSize(std::max(size.x, best.x), std::max(size.y, best.y)));
    Layout();
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &FBDataSelectorDlg::OnInitDialog, this);
    m_format->Bind(wxEVT_CHOICE, &FBDataSelectorDlg::OnFormatChoice, this);
    m_details->Bind(wxEVT_BUTTON, &FBDataSelectorDlg::OnDetails, this);
    m_browse->Bind(wxEVT_BUTTON, &FBDataSelectorDlg::OnBrowse, this);
    m_cancel->Bind(wxEVT_BUTTON, &FBDataSelectorDlg::OnCancel, this);
    m_help->Bind(wxEVT_BUTTON, &FBDataSelectorDlg::OnHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBDataSelectorDlg::OnOK, this);
}

FBDataSelectorDlg::~FBDataSelectorDlg()
{
    Unbind(wxEVT_INIT_DIALOG, &FBDataSelectorDlg::OnInitDialog, this);
    m_format->Unbind(wxEVT_CHOICE, &FBDataSelectorDlg::OnFormatChoice, this);
    m_details->Unbind(wxEVT_BUTTON, &FBDataSelectorDlg::OnDetails, this);
    m_browse->Unbind(wxEVT_BUTTON, &FBDataSelectorDlg::OnBrowse, this);
    m_cancel->Unbind(wxEVT_BUTTON, &FBDataSelectorDlg::OnCancel, this);
    m_help->Unbind(wxEVT_BUTTON, &FBDataSelectorDlg::OnHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBDataSelectorDlg::OnOK, this);
}
