#include "trading/FBSignalMarkerConfigDlg.h"

#include "ui/QxDialogLayout.h"

namespace {

// A label and its colour picker, one row of a two-by-two grid.
wxColourPickerCtrl* addColourRow(wxWindow* parent, wxFlexGridSizer* grid, const wxString& label)
{
    grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    auto* picker = new wxColourPickerCtrl(parent, wxID_ANY, *wxBLACK);
    grid->Add(picker, 0, wxALL, 5);
    return picker;
}

} // namespace

FBSignalMarkerConfigDlg::FBSignalMarkerConfigDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                                 const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* systemGroup = new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, _("Trading system:")), wxHORIZONTAL);
    m_systemName = new wxTextCtrl(systemGroup->GetStaticBox(), wxID_ANY, wxEmptyString, wxDefaultPosition,
                                  wxDefaultSize, wxTE_READONLY);
    systemGroup->Add(m_systemName, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_selectSystem = new wxButton(systemGroup->GetStaticBox(), wxID_ANY, _("Select &System..."));
    systemGroup->Add(m_selectSystem, 0, wxALL, 5);
    top->Add(systemGroup, 0, wxALL | wxEXPAND, 5);

    auto* sideGroup =
        new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, _("Show signal markers for:")), wxHORIZONTAL);
    m_longPositions = new wxCheckBox(sideGroup->GetStaticBox(), wxID_ANY, _("&Long Positions"));
    m_longPositions->Enable(false);
    sideGroup->Add(m_longPositions, 0, wxALL, 5);
    m_shortPositions = new wxCheckBox(sideGroup->GetStaticBox(), wxID_ANY, _("S&hort Positions"));
    m_shortPositions->Enable(false);
    sideGroup->Add(m_shortPositions, 0, wxALL, 5);
    top->Add(sideGroup, 0, wxALL | wxEXPAND, 5);

    auto* colourGroup = new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, _("Marker Colors:")), wxHORIZONTAL);
    wxWindow* box = colourGroup->GetStaticBox();
    auto* longGrid = new wxFlexGridSizer(2, 2, 0, 0);
    m_longEntryColour = addColourRow(box, longGrid, _("Long Entry:"));
    m_longExitColour = addColourRow(box, longGrid, _("Long Exit:"));
    colourGroup->Add(longGrid, 1, wxEXPAND, 5);
    auto* shortGrid = new wxFlexGridSizer(2, 2, 0, 0);
    m_shortEntryColour = addColourRow(box, shortGrid, _("Short Entry:"));
    m_shortExitColour = addColourRow(box, shortGrid, _("Short Exit:"));
    colourGroup->Add(shortGrid, 1, wxEXPAND, 5);
    top->Add(colourGroup, 0, wxALL | wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    m_selectSystem->Bind(wxEVT_BUTTON, &FBSignalMarkerConfigDlg::onSelectSystem, this);
    m_longPositions->Bind(wxEVT_CHECKBOX, &FBSignalMarkerConfigDlg::onLongPositions, this);
    m_shortPositions->Bind(wxEVT_CHECKBOX, &FBSignalMarkerConfigDlg::onShortPositions, this);
    m_help->Bind(wxEVT_BUTTON, &FBSignalMarkerConfigDlg::onHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBSignalMarkerConfigDlg::onOk, this);
}

FBSignalMarkerConfigDlg::~FBSignalMarkerConfigDlg()
{
    m_selectSystem->Unbind(wxEVT_BUTTON, &FBSignalMarkerConfigDlg::onSelectSystem, this);
    m_longPositions->Unbind(wxEVT_CHECKBOX, &FBSignalMarkerConfigDlg::onLongPositions, this);
    m_shortPositions->Unbind(wxEVT_CHECKBOX, &FBSignalMarkerConfigDlg::onShortPositions, this);
    m_help->Unbind(wxEVT_BUTTON, &FBSignalMarkerConfigDlg::onHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBSignalMarkerConfigDlg::onOk, this);
}
