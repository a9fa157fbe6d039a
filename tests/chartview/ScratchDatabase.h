#pragma once
// A running application over a new history database of the real plug-in,
// with one category, for a suite of chart-window tests: one application and
// database for the suite, since ending an application winds the registries
// up.
#include "support/FramesTestSupport.h"
#include "core/QxCategory.h"
#include "core/QxDataReader.h"
#include "core/QxPriceHistory.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

struct ScratchDatabase {
    // Opens the database in a new folder named after hint and makes it the
    // application's; fails the test when it cannot.
    void open(const char* hint)
    {
        scoped = new framestest::ScopedApplication;
        QxDataReader* reader = TestSupport::historyReader();
        ASSERT_NE(reader, nullptr) << "trddb.trdx did not load";
        const std::string dir = TestSupport::makeTempDir(hint);
        int error = 0;
        database = reader->openDatabase(wxString::FromUTF8((dir + "/hist.trddb").c_str()), "", &error);
        ASSERT_NE(database.get(), nullptr) << "error " << error;
        category = database->createCategory("USA.NYSE.EQ", "");
        ASSERT_NE(category.get(), nullptr);
    }
    // A new security of the category with the history (taken over; none
    // for null); its id, 0 when it could not be made.
    unsigned add(const char* ticker, const char* name, QxPriceHistory* history)
    {
        QxObjectSmartPtr<QxPriceHistory> held(history);
        QxObjectSmartPtr<QxSecurity> security(category ? category->addSecurity(ticker, name) : nullptr);
        if (!security || (held && security->saveHistory(held.get()) != eNoError))
            return 0;
        return security->id();
    }
    // Makes the database the application's, once the securities are in.
    void publish() { scoped->app().changeDatabase(database); }
    void close()
    {
        QxSymbolSelectionDlg::destroy();
        if (scoped)
            scoped->app().changeDatabase(nullptr);
        category = nullptr;
        database = nullptr;
        delete scoped;
        scoped = nullptr;
    }

    framestest::ScopedApplication* scoped = nullptr;
    QxObjectSmartPtr<QxDatabase> database;
    QxObjectSmartPtr<QxCategory> category;
};
