#include "configdlg/FBZiagzagConfigDlg.h"

#include "configdlg/wxPenPicker.h"
#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBZiagzagConfigDlg::FBZiagzagConfigDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                       const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, 2, 0, 0);
    grid->AddGrowableCol(1);

    m_filterLabel = new wxStaticText(this, wxID_ANY, _("&Filter:"));
    grid->Add(m_filterLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    auto* filterRow = new wxBoxSizer(wxHORIZONTAL);
    m_filter = new wxSpinCtrlDouble(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                    wxSP_ARROW_KEYS);
    filterRow->Add(m_filter, 1, wxALIGN_CENTER_VERTICAL, 0);
    m_percent = new wxStaticText(this, wxID_ANY, "%");
    filterRow->Add(m_percent, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 5);
    grid->Add(filterRow, 1, wxALL | wxEXPAND, 5);

    m_lineLabel = new wxStaticText(this, wxID_ANY, _("&Line style:"));
    grid->Add(m_lineLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    auto* lineRow = new wxBoxSizer(wxHORIZONTAL);
    m_penPicker = new wxPenPicker(this, wxID_ANY);
    lineRow->Add(m_penPicker, 1, wxALIGN_CENTER_VERTICAL, 0);
    m_colourPicker = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    lineRow->Add(m_colourPicker, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 5);
    grid->Add(lineRow, 1, wxALL | wxEXPAND, 5);
    top->Add(grid, 1, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    m_colourPicker->Bind(wxEVT_COLOURPICKER_CHANGED, &FBZiagzagConfigDlg::onColourChanged, this);
    m_ok->Bind(wxEVT_BUTTON, &FBZiagzagConfigDlg::onOK, this);
    m_help->Bind(wxEVT_BUTTON, &FBZiagzagConfigDlg::onHelp, this);
}

FBZiagzagConfigDlg::~FBZiagzagConfigDlg()
{
    m_colourPicker->Unbind(wxEVT_COLOURPICKER_CHANGED, &FBZiagzagConfigDlg::onColourChanged, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBZiagzagConfigDlg::onOK, this);
    m_help->Unbind(wxEVT_BUTTON, &FBZiagzagConfigDlg::onHelp, this);
}
