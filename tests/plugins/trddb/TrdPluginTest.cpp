// The real trddb.trdx: its one export, registration of its reader and the
// databases opened through it.
#include "support/TestSupport.h"
#include "plugins/trddb/TrdTestSupport.h"

#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPluginEntry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace TrdTest;

namespace {

QxPluginEntryFn loadEntry()
{
    const std::string lib = TestSupport::binDir() + "/trddb.trdx";
    void* handle = dlopen(lib.c_str(), RTLD_NOW | RTLD_LOCAL);
    EXPECT_TRUE(handle) << dlerror();
    if (!handle)
        return nullptr;
    // Nothing but the entry is exported.
    EXPECT_EQ(dlsym(handle, "_ZN11TrdDatabase4openERK8wxStringPi"), nullptr);
    return reinterpret_cast<QxPluginEntryFn>(dlsym(handle, kPluginEntryName));
}

QxDataReader* registeredReader()
{
    return QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
}

// Whether SQLite is initialised: configuration is only accepted while it is not.
bool sqliteInitialized()
{
    return sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 1) == SQLITE_MISUSE;
}

} // namespace

TEST(TrdPlugin, EntryRegistersOneReaderAndOpensDatabases)
{
    QxPluginEntryFn entry = loadEntry();
    ASSERT_TRUE(entry);
    const QxAtom id("com.Corvane.Trendoria.trddb");

    EXPECT_TRUE(entry(2)) << "unloading before loading does nothing";
    EXPECT_FALSE(registeredReader());
    EXPECT_TRUE(entry(7));
    EXPECT_FALSE(registeredReader());

    EXPECT_TRUE(entry(1));
    QxDataReader* first = registeredReader();
    ASSERT_TRUE(first);
    EXPECT_TRUE(entry(1));
    QxDataReader* reader = registeredReader();
    ASSERT_TRUE(reader);
    const auto names = QxDataReaderRepository::instance()->getObjNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), id), 1);
    EXPECT_EQ(reader->id(), id);
    EXPECT_EQ(reader->displayName(), "Trendoria History Database");
    EXPECT_EQ(reader->locationKind(), 1);
    EXPECT_FALSE(reader->hasOptions());

    // A new file through the reader, then the errors it reports.
    const std::string path = newDatabasePath();
    int rc = -1;
    QxObjectSmartPtr<QxDatabase> db(reader->openDatabase(wxString::FromUTF8(path.c_str()), "ignored", &rc));
    ASSERT_TRUE(db);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(db->readerId(), id);
    QxObjectSmartPtr<QxCategory> cat(db->createCategory("US.NYSE.STOCK", "Google"));
    ASSERT_TRUE(cat);
    QxObjectSmartPtr<QxSecurity> ibm(cat->addSecurity("IBM", "IBM"));
    ASSERT_TRUE(ibm);
    QxObjectSmartPtr<QxPriceHistory> h(makeHistory(Qx::eStock, 0, 30));
    EXPECT_EQ(ibm->saveHistory(h.get()), 0);

    const std::string old = newDatabasePath("old.trddb");
    {
        QxObjectSmartPtr<QxDatabase> oldDb(reader->openDatabase(wxString::FromUTF8(old.c_str()), "", nullptr));
        ASSERT_TRUE(oldDb);
        ASSERT_EQ(oldDb->setClientData("VERSION", "2.50", 4), 0);
    }
    rc = -1;
    QxObjectSmartPtr<QxDatabase> refused(reader->openDatabase(wxString::FromUTF8(old.c_str()), "", &rc));
    EXPECT_FALSE(refused);
    EXPECT_EQ(rc, eDbIncompatible);
    const std::string text = newDatabasePath("notes.trddb");
    writeFile(text, "not a database at all\n");
    QxObjectSmartPtr<QxDatabase> foreign(reader->openDatabase(wxString::FromUTF8(text.c_str()), "", &rc));
    EXPECT_FALSE(foreign);
    EXPECT_EQ(rc, eFailedToOpenDatabase);
    EXPECT_EQ(fileBytes(text), "not a database at all\n");

    // Unloading while a database is open keeps SQLite up until it closes.
    EXPECT_TRUE(entry(2));
    EXPECT_FALSE(registeredReader());
    EXPECT_TRUE(sqliteInitialized());
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> back(ibm->getHistory(Qx::eDaily, from, to));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->numBars(), 30u);
    back = nullptr;
    ibm = nullptr;
    cat = nullptr;
    db = nullptr;
    EXPECT_FALSE(sqliteInitialized()) << "shut down once the last database closed";
    EXPECT_TRUE(entry(2));

    const std::string schema = sqliteShell(path, ".schema");
    EXPECT_NE(schema.find("CREATE TABLE security_category("), std::string::npos) << schema;
    EXPECT_NE(schema.find("CREATE TABLE client_data("), std::string::npos);
    EXPECT_NE(schema.find("CREATE TABLE [security_list_for_Google:STOCK_NYSE_US]("), std::string::npos);
    EXPECT_NE(schema.find("CREATE TABLE [price_hist_of_Google:IBM.STOCK.NYSE.US]("), std::string::npos);
}
