#include "core/QxAssetClass.h"

#include <wx/intl.h>

namespace {

struct AssetClassRow {
    const char* code;
    const char* name;
    Qx::QxSecurityType type;
};

const AssetClassRow g_assetClasses[] = {
    {"EQ", wxTRANSLATE("Equity"), Qx::eStock},
    {"STOCK", wxTRANSLATE("Stock"), Qx::eStock},
    {"INDEX", wxTRANSLATE("Index"), Qx::eStock},
    {"EQFU", wxTRANSLATE("Stock Future"), Qx::eFuture},
    {"EQCA", wxTRANSLATE("Equity Option Call American"), Qx::eOption},
    {"EQCE", wxTRANSLATE("Equity Option Call European"), Qx::eOption},
    {"EQPA", wxTRANSLATE("Equity Option Put American"), Qx::eOption},
    {"EQPE", wxTRANSLATE("Equity Option Put European"), Qx::eOption},
    {"MF", wxTRANSLATE("Mutual Fund"), Qx::eFund},
    {"ETF", wxTRANSLATE("Exchange Traded Fund"), Qx::eStock},
    {"CMDT", wxTRANSLATE("Commodity"), Qx::eStock},
    {"COFU", wxTRANSLATE("Commodity Future"), Qx::eFuture},
    {"COCA", wxTRANSLATE("Commodity Option Call American"), Qx::eOption},
    {"COCE", wxTRANSLATE("Commodity Option Call European"), Qx::eOption},
    {"COPA", wxTRANSLATE("Commodity Option Put American"), Qx::eOption},
    {"COPE", wxTRANSLATE("Commodity Option Put European"), Qx::eOption},
    {"FUCA", wxTRANSLATE("Equity Future Call American"), Qx::eOption},
    {"FUCE", wxTRANSLATE("Equity Future Call European"), Qx::eOption},
    {"FUPA", wxTRANSLATE("Equity Future Put American"), Qx::eOption},
    {"FUPE", wxTRANSLATE("Equity Future Put European"), Qx::eOption},
    {"CFCA", wxTRANSLATE("Commodity Future Call American"), Qx::eOption},
    {"CFCE", wxTRANSLATE("Commodity Future Call European"), Qx::eOption},
    {"CFPA", wxTRANSLATE("Commodity Future Put American"), Qx::eOption},
    {"CFPE", wxTRANSLATE("Commodity Future Put European"), Qx::eOption},
    {"SPOT", wxTRANSLATE("Spot traded"), Qx::eStock},
    {"FUTR", wxTRANSLATE("Future"), Qx::eFuture},
    {"OPTN", wxTRANSLATE("Option"), Qx::eOption},
    {"FUND", wxTRANSLATE("Fund"), Qx::eFund},
};

} // namespace

QxAssetClassTable::Data& QxAssetClassTable::data()
{
    // Kept until exit; built here so the names are translated exactly once.
    static Data* d = [] {
        auto* built = new Data;
        for (const AssetClassRow& row : g_assetClasses) {
            const wxString code(row.code);
            built->byCode.emplace(code, QxAssetClass(row.code, wxGetTranslation(row.name), row.type));
            built->codes.push_back(code);
        }
        return built;
    }();
    return *d;
}

QxAssetClassTable::QxAssetClassTable() : m_data(data()) {}

const QxAssetClass& QxAssetClassTable::getAssestClassFromCode(const wxString& code) const
{
    auto it = m_data.byCode.find(code);
    if (it == m_data.byCode.end())
        it = m_data.byCode.find("STOCK");
    return it->second;
}

unsigned QxAssetClassTable::numAssetClass() const
{
    return static_cast<unsigned>(m_data.codes.size());
}

const QxAssetClass& QxAssetClassTable::assetClassAt(unsigned index) const
{
    if (index >= m_data.codes.size())
        index = 0;
    return m_data.byCode.find(m_data.codes[index])->second;
}
