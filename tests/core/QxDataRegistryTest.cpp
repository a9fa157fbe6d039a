// Reader and provider registries: keys, replacement, ownership, windup.
#include "support/FakeDataObjects.h"

#include "core/QxDataProviderRepository.h"
#include "core/QxDataReaderRepository.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FakeProvider : public QxDataProvider {
public:
    FakeProvider(const char* name, std::string* log) : m_name(name), m_log(log) {}
    QxAtom name() const override { return m_name; }
    void populateDatabase(QxDatabase*) override {}
    const wxBitmap* icon() const override { return nullptr; }
    void update(QxSecurity*, bool) override {}
    void windup() override
    {
        *m_log += m_name.string().ToStdString() + ";";
        if (m_unregisterOnWindup)
            QxDataProviderRepository::instance()->delObj(this);
    }
    bool m_unregisterOnWindup = false;

private:
    QxAtom m_name;
    std::string* m_log;
};

// A reader that unregisters itself when it goes, as a plug-in object might.
class SelfRemovingReader : public FakeReader {
public:
    using FakeReader::FakeReader;
    ~SelfRemovingReader() override { QxDataReaderRepository::instance()->delObj(this); }
};

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        QxDataReaderRepository::destroy();
        QxDataProviderRepository::destroy();
    }
};

// What a database or category that overrides only the required operations
// reports: read-only, no writes, no transactions, an unknown update time.
TEST(DataInterfaces, OptionalOperationsHaveSafeDefaults)
{
    QxObjectSmartPtr<FakeDatabase> db(new FakeDatabase);
    QxDatabase* base = db.get();
    EXPECT_TRUE(base->isReadOnly());
    EXPECT_EQ(base->createCategory("US.NYSE.STOCK", "Google"), nullptr);
    EXPECT_EQ(base->setClientData("k", "v", 1), eNoError);
    EXPECT_EQ(base->reservedOperation(nullptr, nullptr), 0);
    const int token = base->beginTransaction();
    EXPECT_FALSE(base->inTransaction());
    EXPECT_EQ(base->commit(token), eNoError);
    EXPECT_EQ(base->rollback(token), eNoError);

    QxCategory* category = db->add(1, "US.NYSE.STOCK", "");
    EXPECT_EQ(category->updateTimestamp(), INT64_C(9223372036854775807));
    EXPECT_EQ(category->setUpdateTimestamp(20140307000000000), eNoError);
    EXPECT_EQ(category->deleteCategory(), eNotImplemented);
    EXPECT_EQ(category->addSecurity("IBM", "IBM"), nullptr);
    EXPECT_EQ(category->exchange(), nullptr);
    EXPECT_EQ(category->country(), nullptr);
}

TEST_F(RegistryTest, ReaderRegistrationReplacesAndReleases)
{
    auto* repo = QxDataReaderRepository::instance();
    EXPECT_EQ(repo->addObj(nullptr), eInvalidObject);
    EXPECT_EQ(repo->delObj(nullptr), eInvalidObject);

    bool firstGone = false, secondGone = false;
    QxObjectSmartPtr<FakeReader> first(new FakeReader("test.reg.same", &firstGone));
    auto* second = new FakeReader("test.reg.same", &secondGone);

    EXPECT_EQ(repo->addObj(first.get()), eNoError);
    EXPECT_EQ(first->numRefs(), 2);
    EXPECT_EQ(repo->getObj(QxAtom("test.reg.same")), first.get());

    // Adding the object already registered keeps it alive.
    EXPECT_EQ(repo->addObj(first.get()), eNoError);
    EXPECT_EQ(first->numRefs(), 2);

    EXPECT_EQ(repo->addObj(second), eNoError);
    EXPECT_EQ(repo->getObj(QxAtom("test.reg.same")), second);
    EXPECT_EQ(first->numRefs(), 1) << "the replaced reader is released";
    ASSERT_EQ(repo->getObjNames().size(), 1u);
    EXPECT_EQ(repo->getObjNames()[0], QxAtom("test.reg.same"));

    // A reader that was never registered changes nothing.
    QxObjectSmartPtr<FakeReader> stranger(new FakeReader("test.reg.stranger"));
    EXPECT_EQ(repo->delObj(stranger.get()), eNoError);
    EXPECT_EQ(repo->getObjNames().size(), 1u);

    // Unregistering goes by the key: the replaced reader takes its
    // replacement out with it.
    EXPECT_EQ(repo->delObj(first.get()), eNoError);
    EXPECT_TRUE(secondGone) << "the registry held the only reference";
    EXPECT_EQ(repo->getObj(QxAtom("test.reg.same")), nullptr);
    EXPECT_TRUE(repo->getObjNames().empty());
    EXPECT_FALSE(firstGone);
}

TEST_F(RegistryTest, NullAtomNeverFindsAnObject)
{
    auto* repo = QxDataReaderRepository::instance();
    EXPECT_EQ(repo->addObj(new FakeReader("")), eNoError);
    EXPECT_EQ(repo->getObj(QxAtom()), nullptr);
    EXPECT_EQ(repo->getObj(QxAtom("test.reg.absent")), nullptr);
}

TEST_F(RegistryTest, NamesAreListedInOrderOfFirstInterning)
{
    // Interned b before a: atom order, not alphabetical order.
    const QxAtom b("test.reg.order.b"), a("test.reg.order.a");
    auto* repo = QxDataReaderRepository::instance();
    repo->addObj(new FakeReader("test.reg.order.a"));
    repo->addObj(new FakeReader("test.reg.order.b"));
    const std::vector<QxAtom> names = repo->getObjNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], b);
    EXPECT_EQ(names[1], a);
}

TEST_F(RegistryTest, DestroyReleasesEverythingAndStartsAfresh)
{
    bool gone = false;
    QxDataReaderRepository::instance()->addObj(new FakeReader("test.reg.destroy", &gone));
    // Its destructor calls back into the registry while it is being emptied.
    QxDataReaderRepository::instance()->addObj(new SelfRemovingReader("test.reg.selfremove"));
    QxDataReaderRepository::destroy();
    EXPECT_TRUE(gone);
    EXPECT_TRUE(QxDataReaderRepository::instance()->getObjNames().empty());
}

TEST_F(RegistryTest, ReplacedObjectThatUnregistersItselfLeavesReplacement)
{
    auto* repo = QxDataReaderRepository::instance();
    repo->addObj(new SelfRemovingReader("test.reg.selfreplace"));
    auto* replacement = new FakeReader("test.reg.selfreplace");
    repo->addObj(replacement);
    EXPECT_EQ(repo->getObj(QxAtom("test.reg.selfreplace")), replacement);
}

TEST_F(RegistryTest, ProvidersAreWoundUpInKeyOrder)
{
    std::string log;
    const QxAtom first("test.prov.first"), second("test.prov.second"), third("test.prov.third");
    auto* repo = QxDataProviderRepository::instance();
    EXPECT_EQ(repo->addObj(nullptr), eInvalidObject);
    auto* p3 = new FakeProvider("test.prov.third", &log);
    auto* p1 = new FakeProvider("test.prov.first", &log);
    auto* p2 = new FakeProvider("test.prov.second", &log);
    repo->addObj(p3);
    repo->addObj(p1);
    repo->addObj(p2);
    p1->m_unregisterOnWindup = true; // must not disturb the walk

    repo->windupAll();
    EXPECT_EQ(log, "test.prov.first;test.prov.second;test.prov.third;");
    EXPECT_EQ(repo->getObj(first), nullptr);
    EXPECT_EQ(repo->getObj(second), p2);
    EXPECT_EQ(repo->getObj(third), p3);
}

} // namespace
