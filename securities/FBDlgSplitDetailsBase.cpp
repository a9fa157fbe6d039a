#include "securities/FBDlgSplitDetailsBase.h"

#include "ui/QxDialogLayout.h"

#include <wx/artprov.h>

FBDlgSplitDetailsBase::FBDlgSplitDetailsBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                             const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    m_listLabel = new wxStaticText(this, wxID_ANY, _("Detected &splits:"));
    top->Add(m_listLabel, 0, wxLEFT | wxRIGHT | wxTOP, 5);

    auto* middle = new wxBoxSizer(wxHORIZONTAL);
    m_list = new wxListView(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_NO_SORT_HEADER);
    middle->Add(m_list, 1, wxALL | wxEXPAND, 5);
    auto* commands = new wxBoxSizer(wxVERTICAL);
    auto addButton = [&](wxWindowID buttonId, const wxString& label, bool enabled) {
        auto* button = new wxButton(this, buttonId, label);
        button->Enable(enabled);
        commands->Add(button, 0, wxALL | wxEXPAND, 3);
        return button;
    };
    m_add = addButton(wxID_ANY, _("&Add ..."), true);
    m_modify = addButton(wxID_ANY, _("&Modify"), false);
    m_delete = addButton(wxID_ANY, _("&Delete"), false);
    m_apply = addButton(wxID_ANY, _("A&pply"), false);
    m_applyAll = addButton(wxID_ANY, _("Apply A&ll"), true);
    m_help = addButton(wxID_ANY, _("&Help"), true);
    m_close = addButton(wxID_CANCEL, _("Close"), true);
    middle->Add(commands, 0, wxTOP | wxRIGHT, 2);
    top->Add(middle, 1, wxEXPAND, 0);

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    m_icon = new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap("QxART_bulb", wxART_OTHER, wxSize(32, 32)));
    bottom->Add(m_icon, 0, wxALL, 5);
    m_caution = new wxStaticText(this, wxID_ANY,
                                 _("Trendoria attempted to detect possible splits.\nTrendoria might have missed some "
                                   "and/or might have wrongly\ndetected some false splits.\nAn inspection of these "
                                   "values are advised before they are used."));
    bottom->Add(m_caution, 1, wxALL, 5);
    top->Add(bottom, 0, wxEXPAND, 0);

    SetSizer(top);
    qxSizeAtLeast(this, size);
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& e) { onInitDialog(e); });
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& e) { onListItemDeselected(e); });
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { onListItemSelected(e); });
    m_add->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onAdd(e); });
    m_modify->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onModify(e); });
    m_delete->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onDelete(e); });
    m_apply->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onApply(e); });
    m_applyAll->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onApplyAll(e); });
    m_help->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onHelp(e); });
    m_close->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { onClose(e); });
}

FBDlgSplitDetailsBase::~FBDlgSplitDetailsBase() = default;
