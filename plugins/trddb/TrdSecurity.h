#pragma once
// A security of the history database: one row of its category's list table
// and one price table holding a daily bar per row, keyed by the packed
// timestamp.
#include "core/QxObject.h"
#include "core/QxSecurity.h"

#include <sqlite3.h>

#include <string>

class TrdCategory;
class TrdStatement;

class TrdSecurity : public QxSecurity {
public:
    // Reads the row of securityRowId from the category's list table; without
    // a row the security has id 0 and exists() is false.
    TrdSecurity(TrdCategory* category, unsigned securityRowId);
    TrdSecurity(TrdCategory* category, unsigned securityRowId, const std::string& ticker, const std::string& name,
                int64_t expiryDate, double strikePrice);
    ~TrdSecurity() override;
    TrdSecurity(const TrdSecurity&) = delete;
    TrdSecurity& operator=(const TrdSecurity&) = delete;
    // A security (count 0) from the current row of a statement that selected
    // the category's securityColumns().
    static TrdSecurity* fromRow(TrdCategory* category, const TrdStatement& row);

    // QxSecurity
    unsigned id() const override { return m_id; }
    QxCategory* category() const override;
    const char* ticker() const override { return m_ticker.c_str(); }
    const char* name() const override { return m_name.c_str(); }
    QxPriceHistory* getHistory(Qx::QxPeriod period, int64_t& from, int64_t& to) override;
    int lastQuote(int64_t& since, QxQuote& quote) override;
    int saveHistory(QxPriceHistory* history) override;
    int updateFromProvider(bool inBackground) override;
    int deleteHistory(int64_t& from, int64_t& to) override;
    int deleteSecurity() override;

    int createPriceTable();
    bool exists() const { return m_id != 0; }
    unsigned rowId() const { return m_id & 0xFFFF; }
    int64_t expiryDate() const { return m_expiryDate; }
    double strikePrice() const { return m_strikePrice; }
    // Unquoted name of the price table.
    std::string priceTableName() const;

private:
    void setIdentity(unsigned securityRowId);
    // "open, high, low, close, volume" and the like: the price columns of the type.
    const char* priceColumns() const;
    // The prepared selection of the bars between two bound timestamps, kept
    // for the object's next reads; null while there is no price table.
    sqlite3_stmt* historyStatement();

    QxObjectSmartPtr<TrdCategory> m_category;
    unsigned m_id = 0;
    std::string m_ticker;
    std::string m_name;
    int64_t m_expiryDate = 0;
    double m_strikePrice = 0;
    std::string m_priceTable; // quoted
    sqlite3_stmt* m_selectHistory = nullptr;
};
