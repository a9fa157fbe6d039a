#include "core/QxSecurityKey.h"

#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"

#include <functional>

namespace {

void appendText(std::string& out, const char* text)
{
    if (text)
        out += text;
}

template <class T>
int compareIdentity(const T* a, const T* b)
{
    // std::less gives a total order even over unrelated pointers.
    if (std::less<const T*>()(a, b))
        return -1;
    return std::less<const T*>()(b, a) ? 1 : 0;
}

int compareIds(unsigned a, unsigned b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

std::string makeSecurityKey(const QxSecurity* security)
{
    std::string key;
    if (!security)
        return key;
    const QxCategory* category = security->category();
    if (category)
        appendText(key, category->dataProvider());
    key += '|';
    if (category)
        appendText(key, category->name());
    key += '|';
    appendText(key, security->ticker());
    return key;
}

QxSecurity* findSecurityByKey(QxDatabase* database, const std::string& key)
{
    if (!database)
        return nullptr;
    const std::string::size_type first = key.find('|');
    if (first == std::string::npos)
        return nullptr;
    const std::string::size_type second = key.find('|', first + 1);
    if (second == std::string::npos)
        return nullptr;
    const std::string provider = key.substr(0, first);
    const std::string categoryName = key.substr(first + 1, second - first - 1);
    const std::string ticker = key.substr(second + 1);

    // Held only for the lookup: a security keeps its own category alive.
    QxObjectSmartPtr<QxCategory> category(database->findCategory(categoryName.c_str(), provider.c_str()));
    if (!category)
        return nullptr;
    return category->findSecurity(ticker.c_str());
}

int compareDataObjects(const QxCategory* a, const QxCategory* b)
{
    if (a == b)
        return 0;
    if (!a || !b)
        return a ? 1 : -1;
    if (int byId = compareIds(a->id(), b->id()))
        return byId;
    return compareIdentity<QxDatabase>(a->database(), b->database());
}

int compareSecurities(const QxSecurity* a, const QxSecurity* b)
{
    if (a == b)
        return 0;
    if (!a || !b)
        return a ? 1 : -1;
    if (int byId = compareIds(a->id(), b->id()))
        return byId;
    return compareDataObjects(a->category(), b->category());
}

bool lessSecurity(const QxSecurity* a, const QxSecurity* b)
{
    return compareSecurities(a, b) < 0;
}
