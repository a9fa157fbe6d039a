// The plug-in loader over scratch plug-in folders: result codes, scanning
// past failures, subfolders and hidden folders, and the exit protocol.
#include "app/QxPluginLoader.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxSecurity.h"
#include "core/QxSecurityKey.h"
#include "core/QxErrorCode.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

const char* const kTestReaderId = "com.Corvane.Trendoria.test-plugin";

std::string builtPlugin(const char* name)
{
    return std::string(TRENDORIA_TEST_PLUGIN_DIR) + "/" + name + ".trdx";
}

void place(const std::string& from, const fs::path& to)
{
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

// trdxTestCalls of the good plug-in while it is loaded.
int goodPluginCalls(const fs::path& path, int command)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return -100;
    auto calls = reinterpret_cast<int (*)(int)>(dlsym(handle, "trdxTestCalls"));
    const int result = calls ? calls(command) : -200;
    dlclose(handle);
    return result;
}

class PluginLoader : public ::testing::Test {
protected:
    void TearDown() override
    {
        QxDataReaderRepository::destroy();
        QxDataChangeReactorMgr::destroy();
    }
};

TEST_F(PluginLoader, ScanReportsEachFailureAndLoadsTheRest)
{
    const fs::path dir = TestSupport::makeTempDir("plugins");
    {
        std::ofstream(dir / "broken.trdx") << "this is not a shared library\n";
    }
    std::ofstream(dir / "empty.trdx").close();
    place(builtPlugin("no_entry_plugin"), dir / "sub" / "no_entry.trdx");
    place(builtPlugin("unresolved_plugin"), dir / "unresolved.trdx");
    const fs::path good = dir / ".hidden" / "deeper" / "good.trdx";
    place(builtPlugin("good_plugin"), good);
    // Not plug-ins by name.
    place(builtPlugin("good_plugin"), dir / "good.trdx.bak");
    std::ofstream(dir / "readme.txt") << "x";

    auto loader = std::make_unique<QxPluginLoader>();
    std::map<std::string, int> codes;
    for (const auto& result : loader->loadAll(dir.string()))
        codes[fs::path(result.path.ToStdString()).filename().string()] = result.code;

    const std::map<std::string, int> expected = {
        {"broken.trdx", eFailedToLoadPlugin},
        {"empty.trdx", eFailedToLoadPlugin},
        {"unresolved.trdx", eFailedToLoadPlugin}, // immediate binding refuses it
        {"no_entry.trdx", eNotInvalidPlugin},
        {"good.trdx", eNoError},
    };
    EXPECT_EQ(codes, expected);
    ASSERT_EQ(loader->numLoaded(), 1u);
    EXPECT_EQ(loader->loadedPaths()[0], wxString(fs::canonical(good).string()));

    // The plug-in registered its reader on command 1, exactly once.
    EXPECT_NE(QxDataReaderRepository::instance()->getObj(QxAtom(kTestReaderId)), nullptr);
    EXPECT_EQ(goodPluginCalls(good, 1), 1);
    EXPECT_EQ(goodPluginCalls(good, 2), 0);

    // Loading it again enters nothing and does not call it again.
    EXPECT_EQ(loader->loadPlugin(good.string()), eNoError);
    EXPECT_EQ(loader->numLoaded(), 1u);
    EXPECT_EQ(goodPluginCalls(good, 1), 1);

    loader->exitPlugins();
    loader->exitPlugins();
    EXPECT_EQ(goodPluginCalls(good, 2), 1);
    EXPECT_EQ(QxDataReaderRepository::instance()->getObj(QxAtom(kTestReaderId)), nullptr);

    loader.reset();
    EXPECT_EQ(goodPluginCalls(good, 1), -100) << "the library is unloaded with the loader";
}

TEST_F(PluginLoader, DestroyingWithoutExitStillUnregistersFirst)
{
    const fs::path dir = TestSupport::makeTempDir("plugins");
    const fs::path good = dir / "good.trdx";
    place(builtPlugin("good_plugin"), good);
    {
        QxPluginLoader loader;
        EXPECT_EQ(loader.loadPlugin(good.string()), eNoError);
        EXPECT_NE(QxDataReaderRepository::instance()->getObj(QxAtom(kTestReaderId)), nullptr);
    }
    // Had the library gone with its reader still registered, the registry
    // would now hold an object whose code is unloaded.
    EXPECT_EQ(QxDataReaderRepository::instance()->getObj(QxAtom(kTestReaderId)), nullptr);
}

// The shipped history database, loaded the way the program loads it and
// used only through the data interfaces and the hub.
TEST_F(PluginLoader, HistoryDatabasePluginWorksThroughTheInterfaces)
{
    const std::string built = TestSupport::binDir() + "/trddb.trdx";
    if (!fs::exists(built))
        GTEST_SKIP() << "the history database plug-in is not part of this build";
    const fs::path dir = TestSupport::makeTempDir("trddb-plugins");
    place(built, dir / "trddb.trdx");
    QxPluginLoader loader;
    const auto results = loader.loadAll(dir.string());
    ASSERT_EQ(results.size(), 1u);
    ASSERT_EQ(results[0].code, eNoError);

    QxDataReader* reader = QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb"));
    ASSERT_NE(reader, nullptr);

    struct Log : QxDatabaseReactor, QxDatabaseChangeReactor {
        void databaseOpened(QxDatabase*) override { text += "opened;"; }
        void databaseWillBeClosed(QxDatabase*) override { text += "closing;"; }
        void securityAdded(QxSecurity* s) override { text += std::string("added ") + s->ticker() + ";"; }
        std::string text;
    } log;
    auto* hub = QxDataChangeReactorMgr::instance();
    hub->addDatabaseReactor(&log);
    hub->addDatabaseChangeReactor(&log);
    {
        int error = -1;
        const wxString file = wxString((dir / "hist.trddb").string());
        QxObjectSmartPtr<QxDatabase> db(reader->openDatabase(file, wxString(), &error));
        ASSERT_TRUE(db) << "error " << error;
        EXPECT_EQ(db->readerId(), reader->id());
        EXPECT_FALSE(db->isReadOnly());

        QxObjectSmartPtr<QxCategory> category(db->createCategory("US.NYSE.STOCK", "Google"));
        ASSERT_TRUE(category);
        for (const char* ticker : {"O'NEIL", "A|B"}) {
            SCOPED_TRACE(ticker);
            QxObjectSmartPtr<QxSecurity> added(category->addSecurity(ticker, "name"));
            ASSERT_TRUE(added);
            const std::string key = makeSecurityKey(added.get());
            EXPECT_EQ(key, std::string("Google|US.NYSE.STOCK|") + ticker);
            QxObjectSmartPtr<QxSecurity> found(findSecurityByKey(db.get(), key));
            ASSERT_TRUE(found);
            EXPECT_EQ(compareSecurities(found.get(), added.get()), 0) << "two objects of one security";
        }
        EXPECT_EQ(findSecurityByKey(db.get(), "|US.NYSE.STOCK|A|B"), nullptr) << "another provider's category";
    }
    hub->remDatabaseReactor(&log);
    hub->remDatabaseChangeReactor(&log);
    EXPECT_EQ(log.text, "opened;added O'NEIL;added A|B;closing;");

    loader.exitPlugins();
    EXPECT_EQ(QxDataReaderRepository::instance()->getObj(QxAtom("com.Corvane.Trendoria.trddb")), nullptr);
}

TEST_F(PluginLoader, MissingOrEmptyFolderLoadsNothing)
{
    QxPluginLoader loader;
    EXPECT_TRUE(loader.loadAll(TestSupport::makeTempDir("empty-plugins")).empty());
    EXPECT_TRUE(loader.loadAll(TestSupport::makeTempDir("gone") + "/does-not-exist").empty());
    EXPECT_TRUE(loader.loadAll("").empty());
    EXPECT_EQ(loader.loadPlugin("/does/not/exist.trdx"), eFailedToLoadPlugin);
    EXPECT_EQ(loader.numLoaded(), 0u);
}

TEST_F(PluginLoader, PluginsFolderIsTheExecutablesFolder)
{
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(QxPluginLoader::pluginsFolder(), wxString(exe.parent_path().string()));
}

} // namespace
