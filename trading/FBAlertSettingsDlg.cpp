#include "trading/FBAlertSettingsDlg.h"

#include "ui/QxDialogLayout.h"

namespace {

const wxEventTypeTag<wxMouseEvent> kLinkMouseEvents[] = {wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP,
                                        wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP};

} // namespace

FBAlertSettingsDlg::FBAlertSettingsDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                       const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    m_headerRow = new wxBoxSizer(wxHORIZONTAL);
    m_header = new wxStaticText(this, wxID_ANY, _("Add a new alert-setting for "));
    m_headerRow->Add(m_header, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_securityLink = new wxHyperlinkCtrl(this, wxID_ANY, _("Choose Symbol."), wxEmptyString);
    m_headerRow->Add(m_securityLink, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(m_headerRow, 0, wxEXPAND, 5);

    m_priceOption = new wxRadioButton(this, wxID_ANY, _("&Price alert"), wxDefaultPosition, wxDefaultSize,
                                      wxRB_GROUP);
    top->Add(m_priceOption, 0, wxALL, 5);
    auto* priceRow = new wxBoxSizer(wxHORIZONTAL);
    m_priceLabel = new wxStaticText(this, wxID_ANY, _("     When closing price goes "));
    priceRow->Add(m_priceLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    const wxString directions[] = {_("above"), _("below")};
    m_direction = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 2, directions);
    m_direction->SetSelection(0);
    priceRow->Add(m_direction, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_price = new wxTextCtrl(this, wxID_ANY, "0.0");
    priceRow->Add(m_price, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(priceRow, 0, wxEXPAND, 5);

    m_systemOption = new wxRadioButton(this, wxID_ANY, _("&Trading system based alert"));
    top->Add(m_systemOption, 0, wxALL, 5);
    auto* systemRow = new wxBoxSizer(wxHORIZONTAL);
    m_systemLabel = new wxStaticText(this, wxID_ANY, _("     When trading system"));
    systemRow->Add(m_systemLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_system = new wxChoice(this, wxID_ANY);
    systemRow->Add(m_system, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(systemRow, 0, wxEXPAND, 5);
    auto* signalRow = new wxBoxSizer(wxHORIZONTAL);
    m_generatesLabel = new wxStaticText(this, wxID_ANY, _("       generates "));
    signalRow->Add(m_generatesLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    const wxString signals[] = {_("long entry"), _("long exit"), _("short entry"), _("short exit")};
    m_signal = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 4, signals);
    m_signal->SetSelection(0);
    signalRow->Add(m_signal, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_signalLabel = new wxStaticText(this, wxID_ANY, _("signal."));
    signalRow->Add(m_signalLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(signalRow, 0, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    top->Fit(this);
    Centre(wxBOTH);

    m_securityLink->Bind(wxEVT_HYPERLINK, &FBAlertSettingsDlg::onLinkClick, this);
    for (const auto& type : kLinkMouseEvents)
        m_securityLink->Bind(type, &FBAlertSettingsDlg::onLinkMouse, this);
    m_priceOption->Bind(wxEVT_RADIOBUTTON, &FBAlertSettingsDlg::onPriceOption, this);
    m_systemOption->Bind(wxEVT_RADIOBUTTON, &FBAlertSettingsDlg::onSystemOption, this);
    m_ok->Bind(wxEVT_BUTTON, &FBAlertSettingsDlg::onOk, this);
}

FBAlertSettingsDlg::~FBAlertSettingsDlg()
{
    m_securityLink->Unbind(wxEVT_HYPERLINK, &FBAlertSettingsDlg::onLinkClick, this);
    for (const auto& type : kLinkMouseEvents)
        m_securityLink->Unbind(type, &FBAlertSettingsDlg::onLinkMouse, this);
    m_priceOption->Unbind(wxEVT_RADIOBUTTON, &FBAlertSettingsDlg::onPriceOption, this);
    m_systemOption->Unbind(wxEVT_RADIOBUTTON, &FBAlertSettingsDlg::onSystemOption, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBAlertSettingsDlg::onOk, this);
}
