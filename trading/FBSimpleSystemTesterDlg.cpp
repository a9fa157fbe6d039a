#include "trading/FBSimpleSystemTesterDlg.h"

#include "trading/QxPeriodicityChoice.h"
#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

FBSimpleSystemTesterDlg::FBSimpleSystemTesterDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                                 const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);
    const auto box = [this, top](const wxString& label) {
        auto* sizer = new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, label), wxHORIZONTAL);
        top->Add(sizer, 0, wxALL | wxEXPAND, 5);
        return sizer;
    };
    const int centred = wxALL | wxALIGN_CENTER_VERTICAL;

    wxStaticBoxSizer* system = box(_("Test System:"));
    m_systemName = new wxTextCtrl(system->GetStaticBox(), wxID_ANY, wxEmptyString, wxDefaultPosition,
                                  wxSize(220, -1), wxTE_READONLY);
    system->Add(m_systemName, 1, centred, 5);
    m_selectSystem = new wxButton(system->GetStaticBox(), wxID_ANY, _("Select S&ystem..."));
    system->Add(m_selectSystem, 0, centred, 5);

    wxStaticBoxSizer* security = box(_("For Security:"));
    m_securityName = new wxTextCtrl(security->GetStaticBox(), wxID_ANY, wxEmptyString, wxDefaultPosition,
                                    wxSize(220, -1), wxTE_READONLY);
    security->Add(m_securityName, 1, centred, 5);
    m_selectSymbol = new wxButton(security->GetStaticBox(), wxID_ANY, _("Select &Symbol..."));
    security->Add(m_selectSymbol, 0, centred, 5);

    wxStaticBoxSizer* stops = box(_("Using stops:"));
    wxWindow* stopsBox = stops->GetStaticBox();
    stops->Add(new wxStaticText(stopsBox, wxID_ANY, _("Stop &Loss:")), 0, centred, 5);
    m_stopLoss = new wxTextCtrl(stopsBox, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(70, -1));
    stops->Add(m_stopLoss, 0, centred, 5);
    stops->Add(new wxStaticText(stopsBox, wxID_ANY, "%"), 0, centred, 5);
    stops->AddSpacer(10);
    stops->Add(new wxStaticText(stopsBox, wxID_ANY, _("Stop Profit &Erosion:")), 0, centred, 5);
    m_stopErosion = new wxTextCtrl(stopsBox, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(70, -1));
    stops->Add(m_stopErosion, 0, centred, 5);
    stops->Add(new wxStaticText(stopsBox, wxID_ANY, "%"), 0, centred, 5);

    wxStaticBoxSizer* dates = box(_("During &dates:"));
    m_startDate = new wxDatePickerCtrl(dates->GetStaticBox(), wxID_ANY, wxDefaultDateTime, wxDefaultPosition,
                                       wxDefaultSize, wxDP_DEFAULT | wxDP_SHOWCENTURY);
    dates->Add(m_startDate, 1, centred, 5);
    dates->Add(new wxStaticText(dates->GetStaticBox(), wxID_ANY, _("to")), 0, centred, 5);
    m_endDate = new wxDatePickerCtrl(dates->GetStaticBox(), wxID_ANY, wxDefaultDateTime, wxDefaultPosition,
                                     wxDefaultSize, wxDP_DEFAULT | wxDP_SHOWCENTURY);
    dates->Add(m_endDate, 1, centred, 5);

    wxStaticBoxSizer* period = box(_("Using data &periodicity:"));
    m_period = new QxPeriodicityChoice(period->GetStaticBox(), wxID_ANY);
    m_period->fillPeriodChoice();
    m_period->SetSelection(0);
    period->Add(m_period, 1, centred, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      wxID_OK);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    top->Fit(this);
    Centre(wxBOTH);

    m_selectSystem->Bind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onSelectSystem, this);
    m_selectSymbol->Bind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onSelectSymbol, this);
    m_help->Bind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onOk, this);
}

FBSimpleSystemTesterDlg::~FBSimpleSystemTesterDlg()
{
    m_selectSystem->Unbind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onSelectSystem, this);
    m_selectSymbol->Unbind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onSelectSymbol, this);
    m_help->Unbind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBSimpleSystemTesterDlg::onOk, this);
}
