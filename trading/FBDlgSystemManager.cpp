#include "trading/FBDlgSystemManager.h"

#include "ui/QxDialogLayout.h"

#include <wx/sizer.h>

FBDlgSystemManager::FBDlgSystemManager(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                       const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* header = new wxBoxSizer(wxHORIZONTAL);
    m_bitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
    header->Add(m_bitmap, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_message = new wxStaticText(this, wxID_ANY, _("You can create, modify, delete trading systems in easy way."));
    header->Add(m_message, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(header, 0, wxEXPAND, 5);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    // Rows are kept in name order by the code that inserts them: the GTK
    // list does not sort itself.
    m_list = new wxListView(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
    body->Add(m_list, 1, wxALL | wxEXPAND, 5);
    auto* commands = new wxBoxSizer(wxVERTICAL);
    m_new = new wxButton(this, wxID_ANY, _("&New..."));
    commands->Add(m_new, 0, wxALL | wxEXPAND, 5);
    m_edit = new wxButton(this, wxID_ANY, _("&Edit..."));
    m_edit->Enable(false);
    commands->Add(m_edit, 0, wxALL | wxEXPAND, 5);
    m_copy = new wxButton(this, wxID_ANY, _("&Copy..."));
    m_copy->Enable(false);
    commands->Add(m_copy, 0, wxALL | wxEXPAND, 5);
    m_delete = new wxButton(this, wxID_ANY, _("&Delete"));
    m_delete->Enable(false);
    commands->Add(m_delete, 0, wxALL | wxEXPAND, 5);
    body->Add(commands, 0, wxEXPAND, 5);
    top->Add(body, 1, wxEXPAND, 5);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      qxNoDefaultButton);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    m_list->Bind(wxEVT_LIST_KEY_DOWN, &FBDlgSystemManager::onListKeyDown, this);
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &FBDlgSystemManager::onListDoubleClick, this);
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, &FBDlgSystemManager::onListSelectionChanged, this);
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, &FBDlgSystemManager::onListSelectionChanged, this);
    m_new->Bind(wxEVT_BUTTON, &FBDlgSystemManager::onNew, this);
    m_edit->Bind(wxEVT_BUTTON, &FBDlgSystemManager::onEdit, this);
    m_copy->Bind(wxEVT_BUTTON, &FBDlgSystemManager::onCopy, this);
    m_delete->Bind(wxEVT_BUTTON, &FBDlgSystemManager::onDelete, this);
    m_help->Bind(wxEVT_BUTTON, &FBDlgSystemManager::onHelp, this);
    m_ok->Bind(wxEVT_BUTTON, &FBDlgSystemManager::onOk, this);
}

FBDlgSystemManager::~FBDlgSystemManager()
{
    m_list->Unbind(wxEVT_LIST_KEY_DOWN, &FBDlgSystemManager::onListKeyDown, this);
    m_list->Unbind(wxEVT_LIST_ITEM_ACTIVATED, &FBDlgSystemManager::onListDoubleClick, this);
    m_list->Unbind(wxEVT_LIST_ITEM_SELECTED, &FBDlgSystemManager::onListSelectionChanged, this);
    m_list->Unbind(wxEVT_LIST_ITEM_DESELECTED, &FBDlgSystemManager::onListSelectionChanged, this);
    m_new->Unbind(wxEVT_BUTTON, &FBDlgSystemManager::onNew, this);
    m_edit->Unbind(wxEVT_BUTTON, &FBDlgSystemManager::onEdit, this);
    m_copy->Unbind(wxEVT_BUTTON, &FBDlgSystemManager::onCopy, this);
    m_delete->Unbind(wxEVT_BUTTON, &FBDlgSystemManager::onDelete, this);
    m_help->Unbind(wxEVT_BUTTON, &FBDlgSystemManager::onHelp, this);
    m_ok->Unbind(wxEVT_BUTTON, &FBDlgSystemManager::onOk, this);
}
