#include "plugins/quillbar/QxQbDatabase.h"

#include "core/QxErrorCode.h"
#include "plugins/quillbar/QxQbCategory.h"
#include "plugins/quillbar/QxQbDataReader.h"

#include <cstring>

QxQbDatabase* QxQbDatabase::open(const wxString& folder, int* errorOut)
{
    QxObjectSmartPtr<QxQbDatabase> database(new QxQbDatabase);
    database->m_category = new QxQbCategory(database.get());
    const int rc = database->m_category->loadIndexFiles(folder);
    if (errorOut)
        *errorOut = rc;
    if (rc != eNoError) {
        database->m_category = nullptr; // frees the category, then the database with the last reference
        return nullptr;
    }
    database->m_path = folder.utf8_string();
    QxQbDatabase* opened = database.get();
    opened->addRef();
    database = nullptr;
    opened->releaseForHandOut(); // only the category's reference is left
    return opened;
}

QxQbDatabase::~QxQbDatabase() = default;

void QxQbDatabase::teardown()
{
    if (numRefs() == 1 && m_category && m_category->database() == this) {
        QxObjectSmartPtr<QxQbCategory> category;
        category.swap(m_category);
    }
}

QxAtom QxQbDatabase::readerId() const
{
    return QxQbDataReader::readerAtom();
}

int QxQbDatabase::getCategories(std::vector<QxObjectSmartPtr<QxCategory>>& out, const char*)
{
    if (m_category)
        out.emplace_back(m_category.get());
    return eNoError;
}

QxCategory* QxQbDatabase::findCategory(const char* name, const char*)
{
    if (m_category && name && std::strcmp(name, m_category->name()) == 0)
        return m_category.get();
    return nullptr;
}

QxCategory* QxQbDatabase::getCategory(unsigned categoryId)
{
    if (m_category && categoryId == m_category->id())
        return m_category.get();
    return nullptr;
}

QxSecurity* QxQbDatabase::getSecurity(unsigned securityId)
{
    // Ids hold the low 16 bits of the category's number.
    if (!m_category || (securityId >> 16) != (m_category->id() & 0xFFFFu))
        return nullptr;
    return m_category->getSecurity(securityId);
}
