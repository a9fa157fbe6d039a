#include "configdlg/FBDlgIndicConfigBase.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDlgIndicConfigBase::FBDlgIndicConfigBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    m_notebook = new wxNotebook(this, wxID_ANY);
    top->Add(m_notebook, 1, wxEXPAND | wxALL, 5);

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    m_reset = new wxButton(this, wxID_ANY, _("Reset"));
    bottom->Add(m_reset, 0, wxALL, 5);
    bottom->AddStretchSpacer();
    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    bottom->Add(buttons, 0, wxEXPAND, 5);
    top->Add(bottom, 0, wxEXPAND, 5);

    SetSizer(top);
    Layout();

    Bind(wxEVT_INIT_DIALOG, &FBDlgIndicConfigBase::onInitDialog, this);
    m_notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &FBDlgIndicConfigBase::onPageChanged, this);
    m_notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &FBDlgIndicConfigBase::onPageChanging, this);
    m_reset->Bind(wxEVT_BUTTON, &FBDlgIndicConfigBase::onReset, this);
    m_help->Bind(wxEVT_BUTTON, &FBDlgIndicConfigBase::onHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBDlgIndicConfigBase::onOK, this);
}

FBDlgIndicConfigBase::~FBDlgIndicConfigBase()
{
    Unbind(wxEVT_INIT_DIALOG, &FBDlgIndicConfigBase::onInitDialog, this);
    m_notebook->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGED, &FBDlgIndicConfigBase::onPageChanged, this);
    m_notebook->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGING, &FBDlgIndicConfigBase::onPageChanging, this);
    m_reset->Unbind(wxEVT_BUTTON, &FBDlgIndicConfigBase::onReset, this);
    m_help->Unbind(wxEVT_BUTTON, &FBDlgIndicConfigBase::onHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBDlgIndicConfigBase::onOK, this);
}
