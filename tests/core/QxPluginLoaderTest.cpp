// The plug-in loader over scratch plug-in folders: result codes, scanning
// past failures, subfolders and hidden folders, and the exit protocol.
#include "app/QxPluginLoader.h"
#include "core/QxDataReaderRepository.h"
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
    void TearDown() override { QxDataReaderRepository::destroy(); }
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
