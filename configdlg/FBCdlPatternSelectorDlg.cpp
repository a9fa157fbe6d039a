#include "configdlg/FBCdlPatternSelectorDlg.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBCdlPatternSelectorDlg::FBCdlPatternSelectorDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                                 const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    m_prompt = new wxStaticText(this, wxID_ANY, _("Please select which candlestick pattern you want to detect."));
    top->Add(m_prompt, 0, wxALL, 5);

    m_patterns = new wxCheckListBox(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                                    wxLB_EXTENDED | wxLB_SORT);
    top->Add(m_patterns, 1, wxALL | wxEXPAND, 5);

    auto* hintRow = new wxBoxSizer(wxHORIZONTAL);
    m_bulb = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
    hintRow->Add(m_bulb, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_hint = new wxStaticText(this, wxID_ANY,
                              _("You can select multiple patterns but selecting too many may clutter chart."));
    hintRow->Add(m_hint, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(hintRow, 0, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &FBCdlPatternSelectorDlg::onInitDialog, this);
    m_ok->Bind(wxEVT_BUTTON, &FBCdlPatternSelectorDlg::onOK, this);
    m_help->Bind(wxEVT_BUTTON, &FBCdlPatternSelectorDlg::onHelp, this);
}

FBCdlPatternSelectorDlg::~FBCdlPatternSelectorDlg()
{
    Unbind(wxEVT_INIT_DIALOG, &FBCdlPatternSelectorDlg::onInitDialog, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBCdlPatternSelectorDlg::onOK, this);
    m_help->Unbind(wxEVT_BUTTON, &FBCdlPatternSelectorDlg::onHelp, this);
}
