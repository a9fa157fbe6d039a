#include "securities/QxSymbolSelectionDlg.h"

#include "app/QxApplication.h"
#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/sizer.h>

QxSymbolSelectionDlg* QxSymbolSelectionDlg::s_instance = nullptr;

QxSymbolSelectionDlg* QxSymbolSelectionDlg::get(bool singleSelection)
{
    if (!s_instance) {
        QxApplication* app = QxApplication::getApp();
        s_instance = new QxSymbolSelectionDlg(app ? app->appModalParent() : nullptr);
    }
    s_instance->setSingle(singleSelection);
    s_instance->fill();
    return s_instance;
}

void QxSymbolSelectionDlg::destroy()
{
    if (s_instance)
        s_instance->Destroy();
    s_instance = nullptr;
}

QxSymbolSelectionDlg::QxSymbolSelectionDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Select Security"), wxDefaultPosition, wxSize(420, 480),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
    SetSizer(sizer);
    Bind(wxEVT_BUTTON, &QxSymbolSelectionDlg::onOk, this, wxID_OK);
    makeList();
}

void QxSymbolSelectionDlg::makeList()
{
    // The toolkit's list keeps the selection mode it was made with.
    if (m_list)
        m_list->Destroy();
    m_list = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                           m_single ? wxLB_SINGLE : wxLB_EXTENDED);
    GetSizer()->Insert(0, m_list, 1, wxEXPAND | wxALL, 8);
    m_list->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent& e) { onOk(e); });
    Layout();
}

QxSymbolSelectionDlg::~QxSymbolSelectionDlg()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void QxSymbolSelectionDlg::setSingle(bool single)
{
    if (single == m_single)
        return;
    m_single = single;
    makeList();
}

void QxSymbolSelectionDlg::fill()
{
    m_list->Clear();
    m_ids.clear();
    m_selected.clear();
    QxApplication* app = QxApplication::getApp();
    QxDatabase* db = app ? app->currentDatabase() : nullptr;
    if (!db)
        return;
    std::vector<QxObjectSmartPtr<QxCategory>> categories;
    db->getCategories(categories, nullptr);
    wxArrayString items;
    for (const auto& category : categories) {
        std::vector<QxObjectSmartPtr<QxSecurity>> securities;
        category->listSecurities(securities);
        for (const auto& security : securities) {
            items.Add(wxString::FromUTF8(category->name()) + ": " + wxString::FromUTF8(security->ticker()) +
                      "  " + wxString::FromUTF8(security->name()));
            m_ids.push_back(security->id());
        }
    }
    m_list->Append(items);
    if (!m_ids.empty())
        m_list->SetSelection(0);
}

void QxSymbolSelectionDlg::onOk(wxCommandEvent&)
{
    if (confirmSelection())
        EndModal(wxID_OK);
    // nothing chosen: the dialog stays
}

bool QxSymbolSelectionDlg::confirmSelection()
{
    m_selected.clear();
    wxArrayInt rows;
    m_list->GetSelections(rows);
    for (int row : rows)
        if (row >= 0 && size_t(row) < m_ids.size())
            m_selected.push_back(m_ids[size_t(row)]);
    if (m_single && m_selected.size() > 1)
        m_selected.resize(1);
    return !m_selected.empty();
}
