#pragma once
// Security keys name a security across runs, independently of database ids:
// provider name, category name and ticker joined by "|". The ordering
// functions give the key order of the containers of securities.
#include <string>

class QxCategory;
class QxDatabase;
class QxSecurity;

// "provider|category|ticker"; a category without provider gives "|category|ticker".
std::string makeSecurityKey(const QxSecurity* security);
// The security the key names in the database, or null. The ticker is all the
// text after the second "|" and may itself hold "|".
QxSecurity* findSecurityByKey(QxDatabase* database, const std::string& key);

// Three-way comparisons (-1, 0, 1): by id, then by owner (database of a
// category, category of a security) as object identities.
int compareDataObjects(const QxCategory* a, const QxCategory* b);
int compareSecurities(const QxSecurity* a, const QxSecurity* b);
bool lessSecurity(const QxSecurity* a, const QxSecurity* b);

// Orders smart or raw pointers to securities by lessSecurity.
struct QxLessSecurity {
    using is_transparent = void; // maps keyed by counted references are searched with plain pointers
    template <class P, class Q>
    bool operator()(const P& a, const Q& b) const { return lessSecurity(&*a, &*b); }
};
