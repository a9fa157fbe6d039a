#pragma once
// The one category of a Quillbar folder: named after the folder, listing
// the securities of its index files in the order of their symbols' numbers.
#include "core/QxAssetClass.h"
#include "core/QxCategory.h"
#include "plugins/quillbar/QxQbFormats.h"
#include "plugins/quillbar/QxQbSecurity.h"

#include <wx/string.h>

#include <map>
#include <set>
#include <string>

class QxQbDatabase;

struct QxQbCategoryData {
    QxObjectSmartPtr<QxQbDatabase> m_database;
    std::string m_folder; // in the file system's encoding; set once opening succeeded
    std::string m_name;   // UTF-8
    unsigned m_id = 0;    // the name's number in the symbol table
    // The folder's own numbers of its symbols, from 1 in order of first use
    // (the empty symbol is 0): each folder has the 16 bits of a security id's
    // low half to itself, whatever other folders were opened before.
    std::map<std::string, unsigned> m_symbolNumbers;
    // Symbols of the index files beyond the 65,535 a folder can number.
    std::set<std::string> m_notListed;
    // Keyed by the low 16 bits of the security id. Each security object is
    // made from its record when handed out: objects kept here would hold the
    // category they are kept by, and neither could ever be freed.
    std::map<unsigned, QxQbSecurityData> m_securities;
};

class QxQbCategory : public QxCategory, protected QxQbCategoryData {
public:
    explicit QxQbCategory(QxQbDatabase* database);
    ~QxQbCategory() override;

    unsigned id() const override { return m_id; }
    const char* name() const override { return m_name.c_str(); }
    QxDatabase* database() const override;
    // No asset class is known: an empty record, never null.
    const QxAssetClass* assetClass() const override { return &m_assetClass; }
    const char* dataProvider() const override { return nullptr; }
    const char* exchange() const override { return nullptr; }
    const char* country() const override { return nullptr; }
    int listSecurities(std::vector<QxObjectSmartPtr<QxSecurity>>& out) override;
    QxSecurity* findSecurity(const char* ticker) override;
    QxSecurity* getSecurity(unsigned securityId) override;
    QxSecurity* addSecurity(const char*, const char*) override { return nullptr; }
    int setUpdateTimestamp(int64_t) override { return 0; }
    int64_t updateTimestamp() const override { return INT64_MAX; }
    int deleteCategory() override { return eNotImplemented; }

    // Fills the category from the index files of folder: 0, 66 when the
    // folder holds none of MASTER, EMASTER and XMASTER, 68 when they list no
    // security. Symbols beyond the 65,535 a folder can number are left out,
    // and the user is told how many.
    int loadIndexFiles(const wxString& folder);

    // The largest number a symbol of one folder can have: the low half of
    // a security id.
    static constexpr unsigned kMaxSymbols = 0xFFFFu;
    // How many symbols of the index files were left out for that ceiling.
    std::size_t numNotListed() const { return m_notListed.size(); }

    const std::string& folder() const { return m_folder; }
    std::size_t numSecurities() const { return m_securities.size(); }

private:
    using Parser = int (*)(const uint8_t*, std::size_t, std::vector<QxQb::IndexRecord>&);
    // Reads one index file and enters its securities; 0, or 68 when the
    // file cannot be read or its header is short.
    int parseIndexFile(const std::string& path, Parser parser, std::size_t maxBytes);
    // Enters a security, replacing one of the same symbol.
    void addRecord(const QxQb::IndexRecord& record);
    // The folder's number of symbol, given it now when it has none; false
    // when the folder's numbers are used up.
    bool symbolNumber(const std::string& symbol, unsigned* number);
    QxQbSecurity* makeSecurity(const QxQbSecurityData& data);

    QxAssetClass m_assetClass;
};
