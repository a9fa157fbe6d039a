#include "securities/FBDlgPriceHistoryBase.h"

#include "ui/QxDialogLayout.h"

FBDlgPriceHistoryBase::FBDlgPriceHistoryBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                             const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_list = new WndHistListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_NO_SORT_HEADER | wxVSCROLL);
    top->Add(m_list, 1, wxALL | wxEXPAND, 5);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_add = new wxButton(this, wxID_ADD, _("&Add ..."));
    row->Add(m_add, 0, wxALL, 3);
    m_modify = new wxButton(this, wxID_ANY, _("&Modify ..."));
    m_modify->Disable();
    row->Add(m_modify, 0, wxALL, 3);
    m_delete = new wxButton(this, wxID_REMOVE, _("&Delete"));
    m_delete->Disable();
    row->Add(m_delete, 0, wxALL, 3);
    row->AddSpacer(15);
    m_detectSplits = new wxButton(this, wxID_ANY, _("Detect S&plits ..."));
    row->Add(m_detectSplits, 0, wxALL, 3);
    m_split = new wxButton(this, wxID_ANY, _("&Split ..."));
    row->Add(m_split, 0, wxALL, 3);
    row->AddStretchSpacer(1);
    row->Add(qxStandardButtons(this, {{wxID_SAVE, &m_save}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                               qxNoDefaultButton),
             0, wxALIGN_CENTER_VERTICAL, 0);
    top->Add(row, 0, wxALL | wxEXPAND, 2);

    SetSizer(top);
    qxSizeAtLeast(this, size);
    Centre(wxBOTH);

    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) { onClose(e); });
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& e) { onInitDialog(e); });
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& e) { onListItemDeselected(e); });
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { onListItemSelected(e); });
    m_add->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onAdd(e); });
    m_modify->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onModify(e); });
    m_delete->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onDelete(e); });
    m_detectSplits->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onDetectSplits(e); });
    m_split->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onSplit(e); });
    m_cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onCancel(e); });
    m_help->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onHelp(e); });
    m_save->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onSave(e); });
}

FBDlgPriceHistoryBase::~FBDlgPriceHistoryBase() = default;
