#include "securities/FBSymbolSelectionDlg.h"

#include "ui/QxDialogLayout.h"

#include <wx/artprov.h>
#include <wx/sizer.h>

FBSymbolSelectionDlg::FBSymbolSelectionDlg(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* head = new wxBoxSizer(wxHORIZONTAL);
    m_infoBitmap = new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(wxART_INFORMATION));
    head->Add(m_infoBitmap, 0, wxALL, 5);
    auto* texts = new wxBoxSizer(wxVERTICAL);
    m_prompt = new wxStaticText(this, wxID_ANY, _("Please select the security."));
    texts->Add(m_prompt, 0, wxALL, 5);
    auto* legend = new wxBoxSizer(wxHORIZONTAL);
    m_legendStart = new wxStaticText(this, wxID_ANY, _("Also note that"));
    legend->Add(m_legendStart, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_googleBitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxSize(16, 16));
    legend->Add(m_googleBitmap, 0, wxALL | wxALIGN_CENTER_VERTICAL, 2);
    m_legendGoogle = new wxStaticText(this, wxID_ANY, _("represents Google and"));
    legend->Add(m_legendGoogle, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_yahooBitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxSize(16, 16));
    legend->Add(m_yahooBitmap, 0, wxALL | wxALIGN_CENTER_VERTICAL, 2);
    m_legendYahoo = new wxStaticText(this, wxID_ANY, _("represents Yahoo!."));
    legend->Add(m_legendYahoo, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    texts->Add(legend, 0, 0, 0);
    head->Add(texts, 1, wxEXPAND, 0);
    top->Add(head, 0, wxEXPAND, 0);

    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    m_categoriesLabel = new wxStaticText(this, wxID_ANY, _("&Categories:"));
    left->Add(m_categoriesLabel, 0, wxALL, 5);
    // Rows are kept in ascending label order by the dialog: the toolkit
    // does not sort a report list on insertion.
    m_categoryList = new wxListView(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL);
    m_categoryList->SetMinSize(wxSize(120, 120)); // the sizer's proportions decide the width
    left->Add(m_categoryList, 1, wxALL | wxEXPAND, 5);
    m_addSecurity = new wxButton(this, wxID_ANY, _("&Add security ..."));
    left->Add(m_addSecurity, 0, wxALL | wxEXPAND, 5);
    lists->Add(left, 1, wxEXPAND, 0);
    auto* right = new wxBoxSizer(wxVERTICAL);
    m_securitiesLabel = new wxStaticText(this, wxID_ANY, _("&Securities of selected categories:"));
    right->Add(m_securitiesLabel, 0, wxALL, 5);
    m_securityList = new QxSecurityListCtrl(this, wxID_ANY);
    m_securityList->SetMinSize(wxSize(240, 120));
    right->Add(m_securityList, 1, wxALL | wxEXPAND, 5);
    lists->Add(right, 2, wxEXPAND, 0);
    top->Add(lists, 1, wxEXPAND, 0);

    auto* buttons = qxStandardButtons(this, {{wxID_OK, &m_ok}, {wxID_CANCEL, &m_cancel}, {wxID_HELP, &m_help}},
                                      wxID_OK);
    top->Add(buttons, 0, wxALL | wxEXPAND, 5);

    SetSizer(top);
    Layout();
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& e) { OnInitDialog(e); });
    m_categoryList->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) { OnCategoryKeyDown(e); });
    m_categoryList->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& e) { OnCategoryDeselected(e); });
    m_categoryList->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, [this](wxListEvent& e) { OnCategoryRightClick(e); });
    m_categoryList->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { OnCategorySelected(e); });
    m_addSecurity->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { OnAddSecurity(e); });
    m_securityList->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) { OnSecurityKeyDown(e); });
    m_securityList->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& e) { OnSecurityActivated(e); });
    m_securityList->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent& e) { OnSecurityContextMenu(e); });
    m_securityList->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) { OnSecuritySize(e); });
    m_help->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { OnHelp(e); });
    m_ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) { OnOK(e); });
}

FBSymbolSelectionDlg::~FBSymbolSelectionDlg() = default;
