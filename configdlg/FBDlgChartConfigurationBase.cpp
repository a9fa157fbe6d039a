#include "configdlg/FBDlgChartConfigurationBase.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDlgChartConfigurationBase::FBDlgChartConfigurationBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                                         const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    m_pages = new wxNotebook(this, wxID_ANY);
    top->Add(m_pages, 1, wxALL | wxEXPAND, 5);

    m_saveAsDefault =
        new wxCheckBox(this, wxID_ANY, _("Save this configuration so that it can be used for all new charts."));
    top->Add(m_saveAsDefault, 0, wxALL, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_resetAll = new wxButton(this, wxID_ANY, _("&Reset All"));
    buttons->Add(m_resetAll, 0, wxALL, 5);
    buttons->AddStretchSpacer();
    auto* standard = qxStandardButtons(
        this, {{wxID_OK, &m_ok}, {wxID_APPLY, &m_apply}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
        qxNoDefaultButton);
    buttons->Add(standard, 0, wxALL, 5);
    top->Add(buttons, 0, wxEXPAND);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &FBDlgChartConfigurationBase::onInitDialog, this);
    m_resetAll->Bind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onResetAll, this);
    m_ok->Bind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onOK, this);
    m_apply->Bind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onApply, this);
    m_help->Bind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onHelp, this);
}

FBDlgChartConfigurationBase::~FBDlgChartConfigurationBase()
{
    Unbind(wxEVT_INIT_DIALOG, &FBDlgChartConfigurationBase::onInitDialog, this);
    m_resetAll->Unbind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onResetAll, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onOK, this);
    m_apply->Unbind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onApply, this);
    m_help->Unbind(wxEVT_BUTTON, &FBDlgChartConfigurationBase::onHelp, this);
}
