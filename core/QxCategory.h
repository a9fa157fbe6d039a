#pragma once
// A category: a list of securities sharing an asset class, exchange, country
// and data provider. Two category objects with equal id and equal database
// denote the same category.
#include "core/QxErrorCode.h"
#include "core/QxObject.h"

#include <cstdint>
#include <vector>

class QxAssetClass;
class QxDatabase;
class QxSecurity;

class QxCategory : public QxObject {
public:
    virtual unsigned id() const = 0;
    virtual const char* name() const = 0;
    virtual QxDatabase* database() const = 0;
    virtual const QxAssetClass* assetClass() const = 0;
    // Name of the bound data provider; empty (or null) when unbound.
    virtual const char* dataProvider() const = 0;
    virtual const char* exchange() const { return nullptr; }
    // Two-letter country code.
    virtual const char* country() const { return nullptr; }

    // Appends a counted reference to each security, in ascending ticker order.
    [[nodiscard]] virtual int listSecurities(std::vector<QxObjectSmartPtr<QxSecurity>>& out) = 0;
    virtual QxSecurity* findSecurity(const char* ticker) = 0;
    virtual QxSecurity* getSecurity(unsigned securityId) = 0;
    // Creates a security and announces it to the database-change reactors; null on failure.
    virtual QxSecurity* addSecurity(const char* ticker, const char* name);
    // Why the last addSecurity returned null: eObjectWithSameNameAlreadyExists
    // when the ticker is there in some letter case (price tables ignore
    // case), eDataOutOfRange when the category's 65,535 ids are used up,
    // another code otherwise; 0 after a success.
    [[nodiscard]] virtual int lastAddError() const { return eNotImplemented; }

    [[nodiscard]] virtual int setUpdateTimestamp(int64_t timestamp);
    // Packed timestamp of the last update; the largest value when unknown.
    virtual int64_t updateTimestamp() const;
    [[nodiscard]] virtual int deleteCategory();

protected:
    QxCategory() = default;
};

inline QxSecurity* QxCategory::addSecurity(const char*, const char*) { return nullptr; }
inline int QxCategory::setUpdateTimestamp(int64_t) { return 0; }
inline int64_t QxCategory::updateTimestamp() const { return INT64_MAX; }
inline int QxCategory::deleteCategory() { return eNotImplemented; }
