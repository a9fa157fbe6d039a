#include "securities/FBDlgSplitBase.h"

#include "ui/QxDialogLayout.h"

FBDlgSplitBase::FBDlgSplitBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                               const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* hintRow = new wxBoxSizer(wxHORIZONTAL);
    m_icon = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxSize(32, 32));
    hintRow->Add(m_icon, 0, wxALL, 5);
    m_hint = new wxStaticText(this, wxID_ANY, _("Select split-ratio and the date\r\nwhen split came into effect."));
    hintRow->Add(m_hint, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(hintRow, 0, wxEXPAND, 0);

    auto* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);
    m_dateLabel = new wxStaticText(this, wxID_ANY, _("Split &Date:"));
    grid->Add(m_dateLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_date = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                  wxDP_DROPDOWN | wxDP_SHOWCENTURY, wxDefaultValidator, "datectrl");
    grid->Add(m_date, 0, wxALL | wxEXPAND, 5);
    m_oldSharesLabel = new wxStaticText(this, wxID_ANY, _("&Old number of shares:"));
    grid->Add(m_oldSharesLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_oldShares = new wxTextCtrl(this, wxID_ANY);
    grid->Add(m_oldShares, 0, wxALL | wxEXPAND, 5);
    m_newSharesLabel = new wxStaticText(this, wxID_ANY, _("&New number of shares:"));
    grid->Add(m_newSharesLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_newShares = new wxTextCtrl(this, wxID_ANY);
    grid->Add(m_newShares, 0, wxALL | wxEXPAND, 5);
    top->Add(grid, 1, wxEXPAND, 0);

    top->Add(qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}}, wxID_OK), 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    qxSizeAtLeast(this, size);
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& e) { onInitDialog(e); });
}

FBDlgSplitBase::~FBDlgSplitBase() = default;
