#include "securities/QxAddCategoryDlg.h"

#include "app/QxApplication.h"
#include "core/QxCategory.h"
#include "core/QxCountryInfoTable.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxUtils.h"
#include "securities/QxObjectAsClientData.h"
#include "ui/QxMessages.h"


#include <cstdint>

QxAddCategoryDlg::QxAddCategoryDlg(wxWindow* parent) : FBAddCategoryDlg(parent)
{
    // Real countries only: "NO COUNTRY" is not offered.
    for (unsigned row = 0; row < QxCountryInfoTable::getNumCountry(); ++row)
        m_country->Append(QxCountryInfoTable::getCountryInfoAt(row).name,
                          reinterpret_cast<void*>(static_cast<intptr_t>(row)));
    QxDataProviderRepository* providers = QxDataProviderRepository::instance();
    for (const QxAtom& name : providers->getObjNames())
        m_provider->Append(name.string(), new QxObjectAsClientData(providers->getObj(name)));
    if (m_provider->GetCount() > 0)
        m_provider->SetSelection(0);
}

wxString QxAddCategoryDlg::categoryName(const wxString& countryCode, const wxString& exchange, bool stock)
{
    return countryCode + "." + exchange + (stock ? ".STOCK" : ".INDEX");
}

bool QxAddCategoryDlg::isAlphabetic(const wxString& text)
{
    for (const wxUniChar c : text)
        if (!wxIsalpha(c))
            return false;
    return true;
}

void QxAddCategoryDlg::onHelp(wxCommandEvent&) { QxUtils::showHelp("topics/managing_symbols.htm#add_category"); }

void QxAddCategoryDlg::refuse(wxWindow* field, const wxString& text)
{
    qxShowError(text, nullptr);
    if (field)
        field->SetFocus();
}

void QxAddCategoryDlg::onOK(wxCommandEvent&)
{
    const int country = m_country->GetSelection();
    if (country == wxNOT_FOUND) {
        refuse(m_country, _("Please select country."));
        return;
    }
    const wxString exchange = m_exchange->GetValue();
    if (exchange.empty()) {
        refuse(m_exchange, _("Please provide short name of exchange."));
        return;
    }
    const int provider = m_provider->GetSelection();
    if (provider == wxNOT_FOUND) {
        refuse(m_provider, _("Please select the data provider for which you want to add security."));
        return;
    }
    if (!isAlphabetic(exchange)) {
        refuse(m_exchange, _("Exchange name should contain only alphabets."));
        return;
    }
    if (!m_stock->GetValue() && !m_index->GetValue()) {
        refuse(m_stock, _("Please select type."));
        return;
    }
    const auto row = static_cast<unsigned>(reinterpret_cast<intptr_t>(m_country->GetClientData(country)));
    const wxString name = categoryName(QxCountryInfoTable::getCountryInfoAt(row).code, exchange, m_stock->GetValue());
    const wxString providerName = m_provider->GetString(static_cast<unsigned>(provider));

    QxApplication* app = QxApplication::getApp();
    QxObjectSmartPtr<QxDatabase> database(app ? app->currentDatabase() : nullptr);
    QxObjectSmartPtr<QxCategory> created(database ? database->createCategory(name.utf8_str(), providerName.utf8_str())
                                                   : nullptr);
    if (!created) {
        refuse(nullptr, _("The category could not be added to the database."));
        return;
    }
    EndModal(kAdded);
}
