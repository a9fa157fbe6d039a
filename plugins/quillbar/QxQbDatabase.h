#pragma once
// A Quillbar folder opened as a read-only database: exactly one category,
// named after the folder, holding the securities its index files list.
#include "core/QxDatabase.h"

#include <wx/string.h>

#include <string>

class QxQbCategory;

struct QxQbDatabaseData {
    std::string m_path; // UTF-8, as path() hands it out
    QxObjectSmartPtr<QxQbCategory> m_category;
};

class QxQbDatabase : public QxDatabase, protected QxQbDatabaseData {
public:
    // Opens the folder: the database with a count of 0, or null with
    // eRequiredFilesNotFound (66) when the folder holds no index file and
    // eUnknownError (68) when its index files list no security.
    static QxQbDatabase* open(const wxString& folder, int* errorOut);

    QxAtom readerId() const override;
    const char* path() const override { return m_path.c_str(); }
    int getCategories(std::vector<QxObjectSmartPtr<QxCategory>>& out, const char* provider) override;
    QxCategory* findCategory(const char* name, const char* provider) override;
    QxCategory* getCategory(unsigned categoryId) override;
    QxSecurity* getSecurity(unsigned securityId) override;
    bool isReadOnly() const override { return true; }
    QxCategory* createCategory(const char*, const char*) override { return nullptr; }
    int setClientData(const char*, const char*, std::size_t) override { return 0; }
    int reservedOperation(void*, void*) override { return 0; }
    int beginTransaction() override { return 0; }
    int commit(int) override { return 0; }
    int rollback(int) override { return 0; }
    bool inTransaction() const override { return false; }

    QxQbCategory* category() const { return m_category.get(); }

protected:
    // The category refers back to its database: once the category's
    // reference is the only one left, the database lets go of the category
    // so that both can be freed.
    void teardown() override;

private:
    QxQbDatabase() = default;
    ~QxQbDatabase() override;
};
