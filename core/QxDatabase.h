#pragma once
// A history database: categories of securities with their price histories.
// Objects handed out come with a count of 0; keep them in a QxObjectSmartPtr.
// Numeric results are QxErrorCode values (0 success); the SQLite database
// also returns negated SQLite result codes.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <cstddef>
#include <vector>

class QxCategory;
class QxSecurity;

class QxDatabase : public QxObject {
public:
    // Id of the reader that opened the database.
    virtual QxAtom readerId() const = 0;
    // The location, as a narrow string owned by the database.
    virtual const char* path() const = 0;
    // Appends the categories (all when provider is null, else those bound to it).
    [[nodiscard]] virtual int getCategories(std::vector<QxObjectSmartPtr<QxCategory>>& out, const char* provider) = 0;
    // The category of that name and provider (any provider when null), or null.
    virtual QxCategory* findCategory(const char* name, const char* provider) = 0;
    virtual QxCategory* getCategory(unsigned categoryId) = 0;
    // The security of that id, or null.
    virtual QxSecurity* getSecurity(unsigned securityId) = 0;

    virtual bool isReadOnly() const { return true; }

    // A second handle on the same storage that only reads, for one other
    // thread to own: it is announced to no one, and it and every object it
    // hands out are used on that thread alone. It sees what is committed,
    // not the changes of this handle's open transaction. Null when the
    // storage offers none; reading then stays with this handle's thread.
    // The handle comes with a count of 0.
    virtual QxDatabase* openReader() { return nullptr; }
    // Creates a category and announces it to the database-change reactors; null on failure.
    virtual QxCategory* createCategory(const char* name, const char* provider);
    // Stores length bytes of data under key.
    [[nodiscard]] virtual int setClientData(const char* key, const char* data, std::size_t length);
    // Reserved; every database returns 0.
    [[nodiscard]] virtual int reservedOperation(void* first, void* second);

    // Transactions nest: only the outermost pair reaches the storage. The token
    // of beginTransaction is handed to commit or rollback.
    [[nodiscard]] virtual int beginTransaction() { return 0; }
    [[nodiscard]] virtual int commit(int token);
    [[nodiscard]] virtual int rollback(int token);
    virtual bool inTransaction() const { return false; }

protected:
    QxDatabase() = default;
};

inline QxCategory* QxDatabase::createCategory(const char*, const char*) { return nullptr; }
inline int QxDatabase::setClientData(const char*, const char*, std::size_t) { return 0; }
inline int QxDatabase::reservedOperation(void*, void*) { return 0; }
inline int QxDatabase::commit(int) { return 0; }
inline int QxDatabase::rollback(int) { return 0; }
