#pragma once
// A category of the history database: one row of security_category and one
// table listing its securities, named after the category's provider, asset
// class, exchange and country.
#include "core/QxCategory.h"
#include "core/QxObject.h"
#include "core/QxTime.h"
#include "core/QxAssetClass.h"

#include <sqlite3.h>

#include <string>
#include <vector>

class TrdDatabase;
class TrdSecurity;

class TrdCategory : public QxCategory {
public:
    // Reads the row of the id; a category without a row has empty texts and
    // exists() false.
    TrdCategory(unsigned categoryId, TrdDatabase* database);
    ~TrdCategory() override;

    // Unquoted name of the security-list table of a category with these fields.
    static std::string listTableName(const std::string& provider, const std::string& assetCode,
                                     const std::string& exchange, const std::string& country);

    // QxCategory
    unsigned id() const override { return m_id; }
    const char* name() const override { return m_name.c_str(); }
    QxDatabase* database() const override;
    const QxAssetClass* assetClass() const override { return &m_assetClass; }
    const char* dataProvider() const override { return m_provider.c_str(); }
    const char* exchange() const override { return m_exchange.c_str(); }
    const char* country() const override { return m_country.c_str(); }
    int listSecurities(std::vector<QxObjectSmartPtr<QxSecurity>>& out) override;
    QxSecurity* findSecurity(const char* ticker) override;
    QxSecurity* getSecurity(unsigned securityId) override;
    QxSecurity* addSecurity(const char* ticker, const char* name) override;
    int lastAddError() const override { return m_lastAddError; }
    int setUpdateTimestamp(int64_t timestamp) override;
    int64_t updateTimestamp() const override;
    int deleteCategory() override;

    // Securities whose ticker (and name) match the regular expressions (a
    // null or empty pattern matches everything), in ticker order.
    int searchSecurities(const char* tickerPattern, const char* namePattern,
                         std::vector<QxObjectSmartPtr<QxSecurity>>& out);
    int createSecurityTable();
    // securityId: the row id (low 16 bits of a system security id).
    int deleteSecurityRow(unsigned securityId);

    bool exists() const { return m_exists; }
    TrdDatabase* trdDatabase() const { return m_database.get(); }
    sqlite3* connection() const;
    Qx::QxSecurityType securityType() const { return m_securityType; }
    const std::string& assetCode() const { return m_assetCode; }
    // The security-list table, quoted for statements.
    const std::string& listTable() const { return m_listTable; }
    // "security_id,ticker,security_name" and the columns of the type.
    std::string securityColumns() const;

private:
    unsigned m_id;
    QxObjectSmartPtr<TrdDatabase> m_database;
    bool m_exists = false;
    std::string m_listTable;
    bool m_tableEnsured = false;
    int m_lastAddError = 0;
    QxAssetClass m_assetClass;
    Qx::QxSecurityType m_securityType;
    std::string m_name;
    std::string m_assetCode;
    std::string m_country;
    std::string m_exchange;
    std::string m_provider;
    sqlite3_stmt* m_insert = nullptr;
};
