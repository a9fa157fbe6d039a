#include "trading/FBPanelSystemSignal.h"

FBPanelSystemSignal::FBPanelSystemSignal(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                         long style)
    : wxPanel(parent, id, pos, size, style)
{
    m_top = new wxBoxSizer(wxVERTICAL);

    m_sameAs = new wxCheckBox(this, wxID_ANY, _("Same as <>"));
    m_top->Add(m_sameAs, 0, wxALL, 5);
    m_triggered = new wxStaticText(this, wxID_ANY, _("Signal is triggered when:"));
    m_top->Add(m_triggered, 0, wxALL, 5);
    m_any = new wxRadioButton(this, wxID_ANY, _("any of the following condition is true"), wxDefaultPosition,
                              wxDefaultSize, wxRB_GROUP);
    m_top->Add(m_any, 0, wxLEFT | wxRIGHT | wxTOP, 5);
    m_all = new wxRadioButton(this, wxID_ANY, _("all of the following conditions are true"));
    m_all->SetValue(true);
    m_top->Add(m_all, 0, wxALL, 5);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    m_list = new wxListView(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_NO_HEADER);
    body->Add(m_list, 1, wxALL | wxEXPAND, 5);
    auto* commands = new wxBoxSizer(wxVERTICAL);
    m_add = new wxButton(this, wxID_ANY, _("&Add..."));
    commands->Add(m_add, 0, wxALL | wxEXPAND, 5);
    m_modify = new wxButton(this, wxID_ANY, _("&Modify..."));
    m_modify->Enable(false);
    commands->Add(m_modify, 0, wxALL | wxEXPAND, 5);
    m_delete = new wxButton(this, wxID_ANY, _("&Delete"));
    m_delete->Enable(false);
    commands->Add(m_delete, 0, wxALL | wxEXPAND, 5);
    body->Add(commands, 0, wxEXPAND, 5);
    m_top->Add(body, 1, wxEXPAND, 5);

    SetSizer(m_top);
    Layout();

    m_sameAs->Bind(wxEVT_CHECKBOX, &FBPanelSystemSignal::onSameAsToggled, this);
    m_add->Bind(wxEVT_BUTTON, &FBPanelSystemSignal::onAdd, this);
    m_modify->Bind(wxEVT_BUTTON, &FBPanelSystemSignal::onModify, this);
    m_delete->Bind(wxEVT_BUTTON, &FBPanelSystemSignal::onDelete, this);
    m_list->Bind(wxEVT_LIST_KEY_DOWN, &FBPanelSystemSignal::onListKeyDown, this);
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &FBPanelSystemSignal::onListDoubleClick, this);
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, &FBPanelSystemSignal::onListSelectionChanged, this);
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, &FBPanelSystemSignal::onListSelectionChanged, this);
}

FBPanelSystemSignal::~FBPanelSystemSignal()
{
    m_sameAs->Unbind(wxEVT_CHECKBOX, &FBPanelSystemSignal::onSameAsToggled, this);
    m_add->Unbind(wxEVT_BUTTON, &FBPanelSystemSignal::onAdd, this);
    m_modify->Unbind(wxEVT_BUTTON, &FBPanelSystemSignal::onModify, this);
    m_delete->Unbind(wxEVT_BUTTON, &FBPanelSystemSignal::onDelete, this);
    m_list->Unbind(wxEVT_LIST_KEY_DOWN, &FBPanelSystemSignal::onListKeyDown, this);
    m_list->Unbind(wxEVT_LIST_ITEM_ACTIVATED, &FBPanelSystemSignal::onListDoubleClick, this);
    m_list->Unbind(wxEVT_LIST_ITEM_SELECTED, &FBPanelSystemSignal::onListSelectionChanged, this);
    m_list->Unbind(wxEVT_LIST_ITEM_DESELECTED, &FBPanelSystemSignal::onListSelectionChanged, this);
}
