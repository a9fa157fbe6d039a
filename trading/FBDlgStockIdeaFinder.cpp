#include "trading/FBDlgStockIdeaFinder.h"

#include "ui/QxDialogLayout.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

FBDlgStockIdeaFinder::FBDlgStockIdeaFinder(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* main = new wxBoxSizer(wxVERTICAL);

    auto* intro = new wxBoxSizer(wxHORIZONTAL);
    m_bitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
    intro->Add(m_bitmap, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    intro->Add(new wxStaticText(this, wxID_ANY,
                                _("Stock Idea Finder helps you find securities that meet the buy/sell criteria "
                                  "defined in a trading system.")),
               1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    main->Add(intro, 0, wxEXPAND, 5);

    auto* systemRow = new wxBoxSizer(wxHORIZONTAL);
    auto* systemBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Using trading &system:"));
    m_textSystem = new wxTextCtrl(systemBox->GetStaticBox(), wxID_ANY, wxEmptyString, wxDefaultPosition,
                                  wxDefaultSize, wxTE_READONLY);
    systemBox->Add(m_textSystem, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_btnSelectSystem = new wxButton(systemBox->GetStaticBox(), wxID_ANY, _("Select S&ystem..."));
    systemBox->Add(m_btnSelectSystem, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    systemRow->Add(systemBox, 1, wxALL | wxEXPAND, 5);
    systemRow->Add(new wxStaticText(this, wxID_ANY, _("and")), 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    auto* periodBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Data &periodicity:"));
    m_choicePeriodicity = new QxPeriodicityChoice(periodBox->GetStaticBox(), wxID_ANY);
    m_choicePeriodicity->fillPeriodChoice();
    m_choicePeriodicity->SetSelection(0);
    periodBox->Add(m_choicePeriodicity, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    systemRow->Add(periodBox, 0, wxALL | wxEXPAND, 5);
    main->Add(systemRow, 0, wxEXPAND, 5);

    auto* signalRow = new wxBoxSizer(wxHORIZONTAL);
    auto* lookBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("L&ook for:"));
    wxWindow* lookParent = lookBox->GetStaticBox();
    m_checkLongEntry = new wxCheckBox(lookParent, wxID_ANY, _("Long &entry"));
    m_checkLongExit = new wxCheckBox(lookParent, wxID_ANY, _("Long e&xit"));
    m_checkShortEntry = new wxCheckBox(lookParent, wxID_ANY, _("Sho&rt entry"));
    m_checkShortExit = new wxCheckBox(lookParent, wxID_ANY, _("Short ex&it"));
    for (wxCheckBox* box : {m_checkLongEntry, m_checkLongExit, m_checkShortEntry, m_checkShortExit})
        lookBox->Add(box, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    signalRow->Add(lookBox, 0, wxALL | wxEXPAND, 5);
    auto* duringBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("&During:"));
    wxWindow* duringParent = duringBox->GetStaticBox();
    m_dateFrom = new wxDatePickerCtrl(duringParent, wxID_ANY);
    duringBox->Add(m_dateFrom, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    duringBox->Add(new wxStaticText(duringParent, wxID_ANY, _("&to")), 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_dateTill = new wxDatePickerCtrl(duringParent, wxID_ANY);
    duringBox->Add(m_dateTill, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    signalRow->Add(duringBox, 1, wxALL | wxEXPAND, 5);
    main->Add(signalRow, 0, wxEXPAND, 5);

    auto* listBox = new wxStaticBoxSizer(wxVERTICAL, this, _("In t&his list of symbols:"));
    wxWindow* listParent = listBox->GetStaticBox();
    m_listSymbols = new wxListCtrl(listParent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   wxLC_REPORT | wxLC_SORT_ASCENDING | wxLC_NO_SORT_HEADER);
    listBox->Add(m_listSymbols, 1, wxALL | wxEXPAND, 5);
    auto* listButtons = new wxBoxSizer(wxHORIZONTAL);
    m_btnAddSymbols = new wxButton(listParent, wxID_ANY, _("Add Sy&mbols..."));
    m_btnAddFromLast = new wxButton(listParent, wxID_ANY, _("Add Symbols From Last &Finding"));
    m_btnRemoveSymbols = new wxButton(listParent, wxID_ANY, _("&Remove Symbol(s)"));
    m_btnRemoveSymbols->Enable(false);
    for (wxButton* button : {m_btnAddSymbols, m_btnAddFromLast, m_btnRemoveSymbols})
        listButtons->Add(button, 0, wxALL, 5);
    listBox->Add(listButtons, 0, wxEXPAND, 5);
    main->Add(listBox, 1, wxALL | wxEXPAND, 5);

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    m_btnSave = new wxButton(this, wxID_ANY, _("Sa&ve..."));
    m_btnLoad = new wxButton(this, wxID_ANY, _("&Load..."));
    bottom->Add(m_btnSave, 0, wxALL, 5);
    bottom->Add(m_btnLoad, 0, wxALL, 5);
    bottom->AddStretchSpacer(1);
    auto* standard = qxStandardButtons(
        this, {{wxID_OK, &m_btnOk}, {wxID_CANCEL, &m_btnCancel}, {wxID_HELP, &m_btnHelp}}, qxNoDefaultButton);
    bottom->Add(standard, 0, wxALL, 5);
    main->Add(bottom, 0, wxEXPAND, 5);

    SetSizer(main);
    Layout();
    Centre(wxBOTH);
    connectEvents(true);
}

FBDlgStockIdeaFinder::~FBDlgStockIdeaFinder() { connectEvents(false); }

void FBDlgStockIdeaFinder::connectEvents(bool connect)
{
    auto wire = [connect](wxEvtHandler* source, auto type, auto method, FBDlgStockIdeaFinder* self) {
        if (connect)
            source->Bind(type, method, self);
        else
            source->Unbind(type, method, self);
    };
    wire(m_btnSelectSystem, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onSelectSystem, this);
    wire(m_listSymbols, wxEVT_LIST_ITEM_SELECTED, &FBDlgStockIdeaFinder::onListSelectionChanged, this);
    wire(m_listSymbols, wxEVT_LIST_ITEM_DESELECTED, &FBDlgStockIdeaFinder::onListSelectionChanged, this);
    wire(m_listSymbols, wxEVT_LIST_KEY_DOWN, &FBDlgStockIdeaFinder::onListKeyDown, this);
    wire(m_btnAddSymbols, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onAddSymbols, this);
    wire(m_btnAddFromLast, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onAddFromLastFinding, this);
    wire(m_btnRemoveSymbols, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onRemoveSymbols, this);
    wire(m_btnSave, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onSave, this);
    wire(m_btnLoad, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onLoad, this);
    wire(m_btnCancel, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onCancel, this);
    wire(m_btnHelp, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onHelp, this);
    wire(m_btnOk, wxEVT_BUTTON, &FBDlgStockIdeaFinder::onOk, this);
}
