#include "securities/FBDlgQuoteBase.h"

#include "ui/QxDialogLayout.h"

FBDlgQuoteBase::FBDlgQuoteBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                               const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_grid = new wxFlexGridSizer(0, 2, 0, 0);
    m_grid->AddGrowableCol(1);
    m_grid->SetFlexibleDirection(wxBOTH);

    m_dateLabel = new wxStaticText(this, wxID_ANY, _("&Date:"));
    m_grid->Add(m_dateLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_date = new wxDatePickerCtrl(this, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                  wxDP_DROPDOWN | wxDP_SHOWCENTURY, wxDefaultValidator, "datectrl");
    m_grid->Add(m_date, 0, wxALL | wxEXPAND, 5);
    m_open = addField(_("&Open:"), m_openLabel);
    m_high = addField(_("&High:"), m_highLabel);
    m_low = addField(_("&Low:"), m_lowLabel);
    m_close = addField(_("&Close:"), m_closeLabel);
    m_volume = addField(_("&Volume:"), m_volumeLabel);
    m_openInterest = addField(_("Open &Interest:"), m_openInterestLabel);
    m_nav = addField(_("&Nav:"), m_navLabel);
    top->Add(m_grid, 1, wxEXPAND, 0);

    top->Add(qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}}, wxID_OK), 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    qxSizeAtLeast(this, size);
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& e) { onInitDialog(e); });
}

FBDlgQuoteBase::~FBDlgQuoteBase() = default;

wxTextCtrl* FBDlgQuoteBase::addField(const wxString& label, wxStaticText*& labelOut)
{
    labelOut = new wxStaticText(this, wxID_ANY, label);
    m_grid->Add(labelOut, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    auto* field = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_RIGHT);
    m_grid->Add(field, 0, wxALL | wxEXPAND, 5);
    return field;
}
