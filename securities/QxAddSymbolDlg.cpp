#include "securities/QxAddSymbolDlg.h"

#include "app/QxApplication.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxSecurity.h"
#include "core/QxUtils.h"
#include "securities/QxAddCategoryDlg.h"
#include "securities/QxObjectAsClientData.h"
#include "ui/QxMessages.h"


#include <vector>

QxAddSymbolDlg::QxAddSymbolDlg(wxWindow* parent) : FBAddSymbolDlg(parent)
{
    QxApplication* app = QxApplication::getApp();
    m_database = app ? app->currentDatabase() : nullptr;
    if (m_database) {
        std::vector<QxObjectSmartPtr<QxCategory>> categories;
        // A database that cannot list its categories offers none.
        (void)m_database->getCategories(categories, nullptr);
        for (const auto& category : categories)
            appendCategory(category.get());
    }
    m_registered = QxDataChangeReactorMgr::instance()->addDatabaseChangeReactor(this);
}

QxAddSymbolDlg::~QxAddSymbolDlg()
{
    if (m_registered)
        QxDataChangeReactorMgr::instance()->remDatabaseChangeReactor(this);
}

wxString QxAddSymbolDlg::categoryLabel(const QxCategory* category)
{
    const wxString name = wxString::FromUTF8(category->name());
    const char* provider = category->dataProvider();
    if (!provider || !*provider)
        return name;
    return wxString::FromUTF8(provider) + ":" + name;
}

int QxAddSymbolDlg::appendCategory(QxCategory* category)
{
    return m_category->Append(categoryLabel(category), new QxObjectAsClientData(category));
}

int QxAddSymbolDlg::findItem(const QxCategory* category) const
{
    for (unsigned i = 0; i < m_category->GetCount(); ++i) {
        auto* data = static_cast<QxObjectAsClientData*>(m_category->GetClientObject(i));
        const QxCategory* item = data ? data->as<QxCategory>() : nullptr;
        if (item && item->id() == category->id() && item->database() == category->database())
            return static_cast<int>(i);
    }
    return wxNOT_FOUND;
}

QxCategory* QxAddSymbolDlg::selectedCategory() const
{
    const int selection = m_category->GetSelection();
    if (selection == wxNOT_FOUND)
        return nullptr;
    auto* data = static_cast<QxObjectAsClientData*>(m_category->GetClientObject(static_cast<unsigned>(selection)));
    return data ? data->as<QxCategory>() : nullptr;
}

void QxAddSymbolDlg::categoryAdded(QxCategory* category)
{
    // The hub reports every open database; only this dialog's own counts.
    if (!category || !m_database || category->database() != m_database.get())
        return;
    int item = findItem(category);
    if (item == wxNOT_FOUND)
        item = appendCategory(category);
    m_category->SetSelection(item);
}

void QxAddSymbolDlg::onAddCategory(wxCommandEvent&)
{
    QxAddCategoryDlg dialog(this);
    dialog.ShowModal(); // what it creates arrives through categoryAdded
}

void QxAddSymbolDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/managing_symbols.htm#add_security"); }

void QxAddSymbolDlg::refuse(wxWindow* field, const wxString& text)
{
    qxShowError(text, nullptr);
    if (field)
        field->SetFocus();
}

void QxAddSymbolDlg::onOK(wxCommandEvent&)
{
    QxCategory* category = selectedCategory();
    if (!category) {
        refuse(m_category, _("Please select a category where you want to add security."));
        return;
    }
    const wxString symbol = m_symbol->GetValue();
    if (symbol.empty()) {
        refuse(m_symbol, _("Please provider symbol of security."));
        return;
    }
    if (symbol.find_first_of(" \t") != wxString::npos) {
        refuse(m_symbol, _("Symbol of security must not contain any space or tab character."));
        return;
    }
    const wxString name = m_name->GetValue();
    if (name.empty()) {
        refuse(m_name, _("Please provider name of security."));
        return;
    }
    // As typed: no trimming, no change of case.
    QxObjectSmartPtr<QxSecurity> added(category->addSecurity(symbol.utf8_str(), name.utf8_str()));
    if (!added) {
        refuse(m_symbol, _("The security could not be added to the database."));
        return;
    }
    EndModal(kAdded);
}
