#pragma once
// The history database on one SQLite file: categories (each with a table
// listing its securities), one price table per security, client data under
// text keys, a versioned schema and nested transactions.
#include "core/QxDatabase.h"

#include <sqlite3.h>
#include <wx/string.h>

#include <cstddef>
#include <string>
#include <vector>

class TrdCategory;

class TrdDatabase : public QxDatabase {
public:
    // The schema version written into new files and reached by migration.
    static constexpr const char* currentVersion = "3.01";
    // How long a file another program is writing is waited for; still
    // busy after it, open() fails with -SQLITE_BUSY ("in use").
    static constexpr int kBusyTimeoutMs = 3000;

    // Opens (or creates) the file; nonzero codes leave the object closed and
    // unusable. The opened database has a count of 0.
    static TrdDatabase* open(const wxString& path, int* errorOut);

    // QxDatabase
    QxAtom readerId() const override;
    const char* path() const override { return m_pathUtf8.c_str(); }
    int getCategories(std::vector<QxObjectSmartPtr<QxCategory>>& out, const char* provider) override;
    QxCategory* findCategory(const char* name, const char* provider) override;
    QxCategory* getCategory(unsigned categoryId) override;
    QxSecurity* getSecurity(unsigned securityId) override;
    bool isReadOnly() const override { return m_readOnly; }
    QxDatabase* openReader() override;
    QxCategory* createCategory(const char* name, const char* provider) override;
    int setClientData(const char* key, const char* data, std::size_t length) override;
    int reservedOperation(void*, void*) override { return 0; }
    int beginTransaction() override;
    int commit(int token) override;
    int rollback(int token) override;
    bool inTransaction() const override { return !m_transactions.empty(); }

    // beginTransaction that says why it failed: 0 with the token stored, or
    // an error code with the token 0.
    int begin(int* token);
    // Depth of nesting: 0 outside a transaction.
    size_t transactionDepth() const { return m_transactions.size(); }

    // The data stored under key as a new NUL-terminated buffer from
    // CorvMalloc (free it with CorvFree), lengthOut getting its size with
    // the NUL; null when the key is absent or its data empty.
    char* getClientData(const char* key, std::size_t* lengthOut);

    // Inserts a category row; the new category (count 0) or null, the
    // reason being left in lastError().
    TrdCategory* insertCategoryRow(const char* country, const char* assetCode, const char* exchange,
                                   const char* provider);
    // Id of the category with these fields (any provider when provider is
    // null), 0 when there is none.
    unsigned findCategoryId(const char* country, const char* assetCode, const char* exchange,
                            const char* provider);
    int deleteCategoryRow(unsigned categoryId);
    // Result of the last category insert: 0, a QxErrorCode or a negated SQLite code.
    int lastError() const { return m_lastError; }

    // The version number of the text, as the schema compares them: "3.01" is 301.
    static int versionNumber(const char* text);

    sqlite3* connection() const { return m_db; }

private:
    explicit TrdDatabase(const wxString& path);
    ~TrdDatabase() override;

    // openFile's answer for a writable 3.00 file.
    static constexpr int kNeedsMigration = 1000;

    int openFile();
    int createSchema();
    int migrateFrom300();
    void closeConnection();
    // The stored text of key; false when absent or unreadable (*rc then
    // holds the SQLite code of the failure, SQLITE_DONE when simply absent).
    bool readClientData(const char* key, std::string& data, int* rc);

    wxString m_path;
    std::string m_pathUtf8;
    sqlite3* m_db = nullptr;
    bool m_readOnly = false;
    bool m_announced = false; // databaseOpened was sent
    int m_lastError = 0;
    std::vector<int> m_transactions; // tokens, innermost last
};

// Splits a category name "COUNTRY.EXCHANGE.CODE" (or "COUNTRY.CODE") into its
// parts; false when a part is missing.
bool trdSplitCategoryName(const char* name, std::string& country, std::string& exchange, std::string& code);
