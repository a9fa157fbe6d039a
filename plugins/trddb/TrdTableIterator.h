#pragma once
// Walkers over the rows of the history database: category ids, and the
// securities of one category in ticker order.
#include "core/QxObject.h"
#include "plugins/trddb/TrdStatement.h"

#include <vector>

class TrdCategory;
class TrdDatabase;
class TrdSecurity;

class TrdTableIterator : public QxObject {
public:
    virtual unsigned count() const = 0;
    virtual unsigned currentId() const = 0;
    virtual void next() = 0;
    virtual bool atEnd() const = 0;
};

// The category ids, read at construction (all, or those of one provider).
class TrdCategoryIterator : public TrdTableIterator {
public:
    TrdCategoryIterator(TrdDatabase* database, const char* provider);

    unsigned count() const override { return unsigned(m_ids.size()); }
    unsigned currentId() const override { return m_index < m_ids.size() ? m_ids[m_index] : 0; }
    void next() override
    {
        if (m_index < m_ids.size())
            ++m_index;
    }
    bool atEnd() const override { return m_index >= m_ids.size(); }

private:
    QxObjectSmartPtr<TrdDatabase> m_database;
    std::vector<unsigned> m_ids;
    size_t m_index = 0;
};

struct TrdSecurityIteratorData {
    TrdStatement statement;
    bool atEnd = true;
};

// The securities of a category ordered by ticker, optionally filtered by
// regular expressions over ticker and name.
class TrdSecurityIterator : public TrdTableIterator, private TrdSecurityIteratorData {
public:
    TrdSecurityIterator(TrdCategory* category, const char* tickerPattern, const char* namePattern);

    unsigned count() const override { return 0; } // not tracked
    unsigned currentId() const override;
    void next() override;
    bool atEnd() const override { return TrdSecurityIteratorData::atEnd; }
    // The security of the current row (count 0), null at the end.
    TrdSecurity* currentSecurity() const;

private:
    QxObjectSmartPtr<TrdCategory> m_category;
};

// Makes the REGEXP operator of the security search available on a connection.
int trdRegisterRegexp(sqlite3* db);
