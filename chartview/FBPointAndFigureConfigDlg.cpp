#include "chartview/FBPointAndFigureConfigDlg.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBPointAndFigureConfigDlg::FBPointAndFigureConfigDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                                     const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);
    auto field = [this, grid](wxStaticText*& label, wxTextCtrl*& text, const wxString& caption) {
        label = new wxStaticText(this, wxID_ANY, caption);
        grid->Add(label, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
        text = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
        grid->Add(text, 1, wxALL | wxEXPAND, 5);
    };
    field(m_minBoxLabel, m_minBox, _("Minimum &absolute box size:"));
    field(m_percentLabel, m_percent, _("Minimum &percentage price change:"));
    field(m_reversalLabel, m_reversal, _("Minimum box &reversal:"));
    field(m_factorLabel, m_factor, _("Price change &factor:"));
    top->Add(grid, 0, wxEXPAND, 5);

    m_line = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    top->Add(m_line, 0, wxEXPAND | wxALL, 5);
    m_setDefault = new wxCheckBox(this, wxID_ANY, _("Set these as default for all new Point and Figure charts."));
    top->Add(m_setDefault, 0, wxALL, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      wxID_OK);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    top->Fit(this);
    Centre(wxBOTH);

    m_ok->Bind(wxEVT_BUTTON, &FBPointAndFigureConfigDlg::onOK, this);
    m_help->Bind(wxEVT_BUTTON, &FBPointAndFigureConfigDlg::onHelp, this);
}

FBPointAndFigureConfigDlg::~FBPointAndFigureConfigDlg()
{
    m_ok->Unbind(wxEVT_BUTTON, &FBPointAndFigureConfigDlg::onOK, this);
    m_help->Unbind(wxEVT_BUTTON, &FBPointAndFigureConfigDlg::onHelp, this);
}
