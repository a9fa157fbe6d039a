// Opening the database to start with, and the data selector dialog.
#include "app/QxCab.h"
#include "app/QxDataSelectorDlg.h"
#include "app/QxPluginLoader.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxUserNotice.h"
#include "core/platform/wxConfigEx.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The real history-database plug-in, loaded once for the whole program.
QxDataReader* historyReader()
{
    static QxPluginLoader* loader = [] {
        auto* l = new QxPluginLoader;
        l->loadPlugin(TestSupport::binDir() + "/trddb.trdx");
        return l;
    }();
    (void)loader;
    return QxDataReaderRepository::instance()->getObj(QxAtom(QxDataSelectorDlg::kDefaultReaderId));
}

struct Fixture {
    Fixture()
        : dir(TestSupport::makeTempDir("selector")), data(dir + "/data"), config(dir + "/settings.ini")
    {
    }
    QxObjectSmartPtr<QxDatabase> load(wxString* why = nullptr)
    {
        return QxDataSelectorDlg::loadDefaultDataSource(config, data, why);
    }
    std::string dir, data;
    wxConfigEx config;
};

void writeGarbage(const std::string& path)
{
    std::ofstream(path, std::ios::binary) << "garbage, not a database" << std::string(2048, '\x01');
}

std::string pathOf(const QxObjectSmartPtr<QxDatabase>& db)
{
    return db && db->path() ? fs::weakly_canonical(db->path()).string() : std::string("(none)");
}

} // namespace

TEST(DataSelector, AFirstStartCreatesTheDefaultFileAndStoresNothing)
{
    ASSERT_NE(historyReader(), nullptr) << "trddb.trdx did not load";
    Fixture f;
    QxObjectSmartPtr<QxDatabase> db = f.load();
    ASSERT_TRUE(db);
    EXPECT_EQ(pathOf(db), f.data + "/hist.trddb");
    EXPECT_EQ(db->readerId(), QxAtom(QxDataSelectorDlg::kDefaultReaderId));
    EXPECT_FALSE(f.config.HasGroup("/app"));
}

TEST(DataSelector, TheStoredChoiceIsOpenedWhenItCanBe)
{
    ASSERT_NE(historyReader(), nullptr);
    Fixture f;
    const std::string chosen = f.dir + "/mine.trddb";
    {
        int error = 0;
        QxObjectSmartPtr<QxDatabase> created(historyReader()->openDatabase(chosen, wxString(), &error));
        ASSERT_TRUE(created) << error;
    }
    f.config.Write("/app/db/default_data_path", wxString(chosen));
    f.config.Write("/app/db/default_data_provider", QxDataSelectorDlg::kDefaultReaderId);
    EXPECT_EQ(pathOf(f.load()), chosen);

    // A stored choice whose reader is not registered, or whose file is gone,
    // damaged or no file falls back to the program's own file, and the user
    // is told which file, why, and what is used instead.
    struct Case {
        const char* name;
        std::string path;
        const char* reader;
        bool damage;
        const char* reason;
    };
    const std::string folder = TestSupport::makeTempDir("not-a-file");
    const Case cases[] = {
        {"unknown reader", chosen, "com.example.nothing", false, "is not available"},
        {"missing file", f.dir + "/gone.trddb", QxDataSelectorDlg::kDefaultReaderId, false, "no longer exists"},
        {"damaged file", f.dir + "/damaged.trddb", QxDataSelectorDlg::kDefaultReaderId, true,
         "damaged or is not a database"},
        {"a folder", folder, QxDataSelectorDlg::kDefaultReaderId, false, "damaged or is not a database"},
    };
    std::vector<wxString> told;
    qxSetUserNoticeSink([&](const wxString& text) { told.push_back(text); });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.damage)
            writeGarbage(c.path);
        f.config.Write("/app/db/default_data_path", wxString(c.path));
        f.config.Write("/app/db/default_data_provider", c.reader);
        told.clear();
        EXPECT_EQ(pathOf(f.load()), f.data + "/hist.trddb");
        ASSERT_EQ(told.size(), 1u);
        EXPECT_TRUE(told[0].Contains(wxString(c.path))) << told[0];
        EXPECT_TRUE(told[0].Contains(c.reason)) << told[0];
        EXPECT_TRUE(told[0].Contains(wxString(f.data + "/hist.trddb\" is used instead"))) << told[0];
        EXPECT_EQ(f.config.Read("/app/db/default_data_path", wxString()), wxString(c.path));
        if (c.damage) {
            EXPECT_EQ(fs::file_size(c.path), 23u + 2048u) << "the damaged file was touched";
        }
    }
    qxSetUserNoticeSink(nullptr);
}

// A database another program holds is never replaced by a fresh one: the
// start-up stops and says it is in use.
TEST(DataSelector, ABusyDatabaseIsInUseNeverAFallback)
{
    ASSERT_NE(historyReader(), nullptr);
    Fixture f;
    ASSERT_TRUE(f.load());
    const std::string own = f.data + "/hist.trddb";
    const std::string chosen = f.dir + "/mine.trddb";
    {
        int error = 0;
        QxObjectSmartPtr<QxDatabase> created(historyReader()->openDatabase(chosen, wxString(), &error));
        ASSERT_TRUE(created) << error;
    }
    for (const std::string& held : {own, chosen}) {
        SCOPED_TRACE(held);
        f.config.Write("/app/db/default_data_path", held == chosen ? wxString(chosen) : wxString());
        f.config.Write("/app/db/default_data_provider", QxDataSelectorDlg::kDefaultReaderId);
        sqlite3* writer = nullptr;
        ASSERT_EQ(sqlite3_open(held.c_str(), &writer), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        wxString why;
        EXPECT_FALSE(f.load(&why));
        EXPECT_TRUE(why.Contains("in use")) << why;
        EXPECT_TRUE(why.Contains(wxString(held))) << why;
        sqlite3_close(writer);
    }
    EXPECT_FALSE(fs::exists(f.data + "/hist1.trddb")) << "a fresh database was made";
}

TEST(DataSelector, DamagedDefaultFilesAreStepsToTheNextNumber)
{
    ASSERT_NE(historyReader(), nullptr);
    Fixture f;
    fs::create_directories(f.data);
    writeGarbage(f.data + "/hist.trddb");
    EXPECT_EQ(pathOf(f.load()), f.data + "/hist1.trddb");
    writeGarbage(f.data + "/hist1.trddb");
    EXPECT_EQ(pathOf(f.load()), f.data + "/hist2.trddb");
    EXPECT_EQ(fs::file_size(f.data + "/hist.trddb"), 23u + 2048u);
}

TEST(DataSelector, NoDatabasePossibleSaysWhy)
{
    ASSERT_NE(historyReader(), nullptr);
    Fixture f;
    // A file where the data folder belongs.
    std::ofstream(f.data) << "in the way";
    wxString why;
    EXPECT_FALSE(f.load(&why));
    EXPECT_TRUE(why.Contains("could not be created")) << why;

    // Without the history-database reader there is no default at all.
    Fixture g;
    QxObjectSmartPtr<QxDataReader> reader(historyReader());
    QxDataReaderRepository::instance()->delObj(reader.get());
    EXPECT_FALSE(g.load(&why));
    EXPECT_TRUE(why.Contains(QxDataSelectorDlg::kDefaultReaderId)) << why;
    EXPECT_FALSE(fs::exists(g.data)) << "nothing is created without a reader";
    QxDataReaderRepository::instance()->addObj(reader.get());
}

namespace {

// The dialog with its controls reachable and its messages recorded.
class TestSelectorDlg : public QxDataSelectorDlg {
public:
    TestSelectorDlg(wxConfigBase& store, const QxDatabase* open)
        : QxDataSelectorDlg(nullptr), m_store(store), m_open(open)
    {
    }
    void init()
    {
        wxInitDialogEvent ev(GetId());
        ProcessWindowEvent(ev);
    }
    void click(wxButton* button)
    {
        wxCommandEvent ev(wxEVT_BUTTON, button->GetId());
        ev.SetEventObject(button);
        button->ProcessWindowEvent(ev);
    }
    void chooseFormat(int index)
    {
        m_format->SetSelection(index);
        wxCommandEvent ev(wxEVT_CHOICE, m_format->GetId());
        ev.SetEventObject(m_format);
        ev.SetInt(index);
        m_format->ProcessWindowEvent(ev);
    }
    using FBDataSelectorDlg::m_browse;
    using FBDataSelectorDlg::m_details;
    using FBDataSelectorDlg::m_format;
    using FBDataSelectorDlg::m_location;
    using FBDataSelectorDlg::m_ok;
    std::vector<wxString> messages;

protected:
    int showMessage(const wxString& text, long) override
    {
        messages.push_back(text);
        return wxNO;
    }
    const QxDatabase* openDatabaseOfProgram() const override { return m_open; }
    wxConfigBase& config() const override { return m_store; }

private:
    wxConfigBase& m_store;
    const QxDatabase* m_open;
};

int formatIndex(wxChoice* choice, const wxString& display)
{
    for (unsigned i = 0; i < choice->GetCount(); ++i)
        if (choice->GetString(i) == display)
            return static_cast<int>(i);
    return wxNOT_FOUND;
}

} // namespace

TEST(DataSelectorDialog, OkOpensTheChosenDatabaseAndStoresTheChoice)
{
    QxDataReader* reader = historyReader();
    ASSERT_NE(reader, nullptr);
    Fixture f;
    QxObjectSmartPtr<QxDatabase> open = f.load();
    ASSERT_TRUE(open);

    auto* dlg = new TestSelectorDlg(f.config, open.get());
    dlg->init();
    const int index = formatIndex(dlg->m_format, reader->displayName());
    ASSERT_NE(index, wxNOT_FOUND);
    EXPECT_FALSE(dlg->m_ok->IsEnabled()) << "OK without a format";
    EXPECT_FALSE(dlg->m_browse->IsEnabled());
    dlg->chooseFormat(index);
    EXPECT_TRUE(dlg->m_browse->IsEnabled());
    EXPECT_FALSE(dlg->m_ok->IsEnabled()) << "OK without a location";
    EXPECT_FALSE(dlg->m_details->IsEnabled()) << "the reader has no options";

    // The database the program has open already is refused.
    dlg->m_location->ChangeValue(open->path());
    dlg->m_ok->Enable();
    dlg->click(dlg->m_ok);
    ASSERT_EQ(dlg->messages.size(), 1u);
    EXPECT_EQ(dlg->messages[0], "Selected database is already in use.");
    EXPECT_FALSE(dlg->database());

    // A damaged file is reported with its error and nothing is stored.
    const std::string damaged = f.dir + "/damaged.trddb";
    writeGarbage(damaged);
    dlg->m_location->ChangeValue(damaged);
    dlg->click(dlg->m_ok);
    ASSERT_EQ(dlg->messages.size(), 2u);
    EXPECT_TRUE(dlg->messages[1].StartsWith("There was an error while trying to open database:\n"))
        << dlg->messages[1];
    EXPECT_FALSE(dlg->database());
    EXPECT_FALSE(f.config.HasEntry("/app/db/default_data_path"));

    // A new file in a folder that does not exist yet is created and stored.
    // (Showing the dialog initialises it again, so the location is typed in then.)
    const std::string chosen = f.dir + "/new/folder/chosen.trddb";
    dlg->CallAfter([dlg, chosen] {
        dlg->m_location->ChangeValue(chosen);
        dlg->click(dlg->m_ok);
    });
    EXPECT_EQ(dlg->ShowModal(), wxID_OK);
    ASSERT_TRUE(dlg->database());
    EXPECT_EQ(pathOf(dlg->database()), chosen);
    EXPECT_EQ(f.config.Read("/app/db/default_data_path", wxString()), wxString(chosen));
    EXPECT_EQ(f.config.Read("/app/db/default_data_provider", wxString()),
              wxString(QxDataSelectorDlg::kDefaultReaderId));

    // Choosing the same format again keeps the location.
    dlg->chooseFormat(index);
    EXPECT_EQ(dlg->m_location->GetValue(), wxString(chosen));
    dlg->Destroy();
}
