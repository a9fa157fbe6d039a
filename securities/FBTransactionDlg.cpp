#include "securities/FBTransactionDlg.h"

#include "ui/QxDialogLayout.h"

FBTransactionDlg::FBTransactionDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                   const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    m_dateBox = new wxStaticBoxSizer(wxVERTICAL, this, _("Transaction &Date"));
    m_calendar = new wxGenericCalendarCtrl(m_dateBox->GetStaticBox(), wxID_ANY, wxDateTime::Today(),
                                           wxDefaultPosition, wxDefaultSize, wxCAL_SHOW_HOLIDAYS);
    m_dateBox->Add(m_calendar, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    top->Add(m_dateBox, 0, wxALL | wxEXPAND, 5);

    m_grid = new wxFlexGridSizer(0, 2, 0, 0);
    m_grid->AddGrowableCol(1);
    auto label = [this](const wxString& text) {
        auto* l = new wxStaticText(this, wxID_ANY, text);
        m_grid->Add(l, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
        return l;
    };

    m_typeLabel = label(_("&Type:"));
    m_typeRow = new wxBoxSizer(wxHORIZONTAL);
    m_buy = new wxRadioButton(this, wxID_ANY, _("&Buy"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_buy->SetValue(true);
    m_typeRow->Add(m_buy, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, 10);
    m_sell = new wxRadioButton(this, wxID_ANY, _("Se&ll"));
    m_typeRow->Add(m_sell, 0, wxALIGN_CENTER_VERTICAL, 0);
    m_grid->Add(m_typeRow, 1, wxALL | wxEXPAND, 5);

    m_symbolLabel = label(_("&Symbol:"));
    auto* symbolRow = new wxBoxSizer(wxHORIZONTAL);
    m_symbol = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    symbolRow->Add(m_symbol, 1, wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    m_select = new wxButton(this, wxID_ANY, _("&Select"));
    symbolRow->Add(m_select, 0, wxALIGN_CENTER_VERTICAL, 0);
    m_grid->Add(symbolRow, 1, wxALL | wxEXPAND, 5);

    m_quantityLabel = label(_("&Quantity:"));
    m_quantity = new wxTextCtrl(this, wxID_ANY);
    m_grid->Add(m_quantity, 1, wxALL | wxEXPAND, 5);

    m_priceLabel = label(_("&Price:"));
    auto* priceRow = new wxBoxSizer(wxHORIZONTAL);
    m_price = new wxTextCtrl(this, wxID_ANY);
    priceRow->Add(m_price, 1, wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    m_getPrice = new wxButton(this, wxID_ANY, _("&Get Price"));
    priceRow->Add(m_getPrice, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    m_priceHint = new wxStaticText(this, wxID_ANY, _("(Leave blank to fetch automatically)"));
    priceRow->Add(m_priceHint, 0, wxALIGN_CENTER_VERTICAL, 0);
    m_grid->Add(priceRow, 1, wxALL | wxEXPAND, 5);

    m_commissionLabel = label(_("&Commission:"));
    m_commission = new wxTextCtrl(this, wxID_ANY);
    m_grid->Add(m_commission, 1, wxALL | wxEXPAND, 5);
    top->Add(m_grid, 1, wxEXPAND, 0);

    top->Add(qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}}, wxID_OK), 0, wxALL | wxEXPAND, 5);

    SetSizerAndFit(top);
    Centre(wxBOTH);

    m_calendar->Bind(wxEVT_CALENDAR_SEL_CHANGED, [this](wxCalendarEvent& e) { onDateChanged(e); });
    m_select->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onSelect(e); });
    m_getPrice->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onGetPrice(e); });
    m_ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onOK(e); });
}

FBTransactionDlg::~FBTransactionDlg() = default;
