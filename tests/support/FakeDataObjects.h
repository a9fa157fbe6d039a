#pragma once
// In-memory stand-ins for the data interfaces, for tests of code that only
// walks them (keys, ordering, registries) and of the interfaces' own
// defaults: they override only what the interfaces require, and the test
// chooses every id. The database owns its categories and each category its
// securities; back pointers are plain.
#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxDataProvider.h"
#include "core/QxDataReader.h"
#include "core/QxSecurity.h"
#include "MemData.h" // also read from the fuzz targets, which see only the source root

#include <cstring>
#include <string>
#include <vector>

class FakeSecurity : public QxSecurity {
public:
    FakeSecurity(unsigned id, QxCategory* category, std::string ticker)
        : m_id(id), m_category(category), m_ticker(std::move(ticker)) {}
    unsigned id() const override { return m_id; }
    QxCategory* category() const override { return m_category; }
    const char* ticker() const override { return m_ticker.c_str(); }
    const char* name() const override { return m_ticker.c_str(); }
    QxPriceHistory* getHistory(Qx::QxPeriod, int64_t&, int64_t&) override { return nullptr; }
    int lastQuote(int64_t&, QxQuote&) override { return eDataNotFound; }
    int saveHistory(QxPriceHistory*) override { return eNotImplemented; }
    int updateFromProvider(bool) override { return eInvalidOperation; }
    int deleteHistory(int64_t&, int64_t&) override { return eNotImplemented; }
    int deleteSecurity() override { return eNotImplemented; }

private:
    unsigned m_id;
    QxCategory* m_category;
    std::string m_ticker;
};

class FakeCategory : public QxCategory {
public:
    FakeCategory(unsigned id, QxDatabase* database, std::string name, std::string provider)
        : m_id(id), m_database(database), m_name(std::move(name)), m_provider(std::move(provider)) {}
    unsigned id() const override { return m_id; }
    const char* name() const override { return m_name.c_str(); }
    QxDatabase* database() const override { return m_database; }
    const QxAssetClass* assetClass() const override { return nullptr; }
    const char* dataProvider() const override { return m_provider.c_str(); }
    int listSecurities(std::vector<QxObjectSmartPtr<QxSecurity>>& out) override
    {
        for (auto& s : m_securities)
            out.emplace_back(s.get());
        return eNoError;
    }
    QxSecurity* findSecurity(const char* ticker) override
    {
        for (auto& s : m_securities)
            if (std::strcmp(s->ticker(), ticker) == 0)
                return s.get();
        return nullptr;
    }
    QxSecurity* getSecurity(unsigned securityId) override
    {
        for (auto& s : m_securities)
            if (s->id() == securityId)
                return s.get();
        return nullptr;
    }
    FakeSecurity* add(unsigned id, const std::string& ticker)
    {
        m_securities.emplace_back(new FakeSecurity(id, this, ticker));
        return m_securities.back().get();
    }

private:
    unsigned m_id;
    QxDatabase* m_database;
    std::string m_name;
    std::string m_provider;
    std::vector<QxObjectSmartPtr<FakeSecurity>> m_securities;
};

class FakeDatabase : public TestSupport::CategoryOwner<FakeCategory> {
public:
    QxAtom readerId() const override { return QxAtom("test.fake.reader"); }
    const char* path() const override { return "memory"; }
    FakeCategory* add(unsigned id, const std::string& name, const std::string& provider)
    {
        m_categories.emplace_back(new FakeCategory(id, this, name, provider));
        return m_categories.back().get();
    }
};

// Reader and provider that note their own destruction.
class FakeReader : public QxDataReader {
public:
    FakeReader(const char* id, bool* destroyed = nullptr) : m_id(id), m_destroyed(destroyed) {}
    ~FakeReader() override
    {
        if (m_destroyed)
            *m_destroyed = true;
    }
    QxAtom id() const override { return m_id; }
    wxString displayName() const override { return "Fake"; }
    int locationKind() const override { return 1; }
    wxString browseLocation(wxWindow*) override { return wxString(); }
    bool hasOptions() const override { return false; }
    int showOptions(wxWindow*, wxString&) override { return 0; }
    QxDatabase* openDatabase(const wxString&, const wxString&, int* errorOut) override
    {
        if (errorOut)
            *errorOut = eFailedToOpenDatabase;
        return nullptr;
    }

private:
    QxAtom m_id;
    bool* m_destroyed;
};
