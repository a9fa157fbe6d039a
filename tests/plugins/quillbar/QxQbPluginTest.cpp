// The real quillbar.trdx: its one export, registration of its reader, and a
// real folder opened through it.
#include "support/TestSupport.h"

#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPluginEntry.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

QxDataReader* registeredReader()
{
    return QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.quillbar"));
}

} // namespace

TEST(QbPlugin, EntryRegistersTheReaderWhichOpensFolders)
{
    const std::string lib = TestSupport::binDir() + "/quillbar.trdx";
    void* handle = dlopen(lib.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_TRUE(handle) << dlerror();
    auto entry = reinterpret_cast<QxPluginEntryFn>(dlsym(handle, kPluginEntryName));
    ASSERT_TRUE(entry);
    // Nothing but the entry is exported.
    EXPECT_EQ(dlsym(handle, "_ZN12QxQbDatabase4openERK8wxStringPi"), nullptr);

    EXPECT_TRUE(entry(2)) << "unloading before loading does nothing";
    EXPECT_TRUE(entry(7));
    EXPECT_FALSE(registeredReader());
    EXPECT_TRUE(entry(1));
    EXPECT_TRUE(entry(1)) << "a second load replaces the reader";
    QxDataReader* reader = registeredReader();
    ASSERT_TRUE(reader);
    const auto names = QxDataReaderRepository::instance()->getObjNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), reader->id()), 1);
    EXPECT_EQ(reader->displayName(), "Quillbar Format");
    EXPECT_EQ(reader->locationKind(), 2);
    EXPECT_FALSE(reader->hasOptions());
    wxString options = "kept";
    EXPECT_EQ(reader->showOptions(nullptr, options), 0);
    EXPECT_EQ(options, "kept");

    int error = -1;
    QxObjectSmartPtr<QxDatabase> db(
        reader->openDatabase(wxString::FromUTF8(TestSupport::fixturePath("quillbar/odd-cases").c_str()), "", &error));
    ASSERT_TRUE(db);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(db->readerId(), reader->id());
    QxObjectSmartPtr<QxCategory> category(db->findCategory("odd-cases", nullptr));
    ASSERT_TRUE(category);
    QxObjectSmartPtr<QxSecurity> nikkei(category->findSecurity(".N225"));
    ASSERT_TRUE(nikkei);
    int64_t from = 0, to = 0;
    QxObjectSmartPtr<QxPriceHistory> bars(nikkei->getHistory(Qx::eDaily, from, to));
    ASSERT_TRUE(bars);
    EXPECT_EQ(bars->numBars(), 2u);
    EXPECT_EQ(bars->timestamp()[1], 19820105000000000LL);

    error = -1;
    EXPECT_FALSE(QxObjectSmartPtr<QxDatabase>(
        reader->openDatabase(wxString::FromUTF8(TestSupport::makeTempDir("qbempty").c_str()), "", &error)));
    EXPECT_EQ(error, eRequiredFilesNotFound);

    // Unloading while a database is open: the database keeps working.
    EXPECT_TRUE(entry(2));
    EXPECT_FALSE(registeredReader());
    bars = nikkei->getHistory(Qx::eDaily, from, to);
    EXPECT_TRUE(bars);
    bars = nullptr;
    nikkei = nullptr;
    category = nullptr;
    db = nullptr;
}
