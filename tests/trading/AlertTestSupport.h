#pragma once
// An in-memory database whose securities have daily bars on the last days
// before today, a recording reactor of the alert manager, and a fixture that
// runs the manager under the running application with the idle queue's clock
// in the test's hand.
#include "TradingFakes.h"

#include "support/FramesTestSupport.h"
#include "support/MemData.h"

#include "app/QxIdleTaskQueue.h"
#include "core/QxCategory.h"
#include "core/QxDatabase.h"
#include "core/QxTime.h"
#include "trading/QxAlertMgr.h"
#include "trading/QxSignal.h"
#include "trading/QxTradingSystem.h"

#include <gtest/gtest.h>

#include <wx/sstream.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace alerttest {

inline QxObjectSmartPtr<QxAlertSetting> priceSetting(unsigned type, double price)
{
    QxObjectSmartPtr<QxAlertSetting> setting(new QxAlertSetting(nullptr, type));
    setting->setPriceOfInterest(price);
    return setting;
}

// A system whose long entry always fires and whose long exit never does.
inline QxObjectSmartPtr<QxTradingSystem> entryOnlySystem(const char* name)
{
    QxObjectSmartPtr<QxTradingSystem> system(new QxTradingSystem);
    system->setType(Qx::eLongOnly);
    auto signal = [](bool holds) {
        QxObjectSmartPtr<QxSignal> s(new QxSignal);
        s->addCondition(tradingtest::makeCondition("Above", tradingtest::closeId(), QxSeriesId::constant(holds ? -1e9 : 1e9)).get());
        return s;
    };
    system->setLongEntrySignal(signal(true).get());
    system->setLongExitSignal(signal(false).get());
    if (name)
        system->setName(QxAtom(name));
    return system;
}


// The securities of an AlertMarket: named by their ticker, they give their
// whole history only and a save replaces it.
using TickerSecurity = TestSupport::MemSecurity;

// One category "US Stocks" of the provider "Yahoo!" (or the one given);
// security ids run from 101.
class AlertMarket : public TestSupport::MemDatabase {
public:
    explicit AlertMarket(std::string provider = "Yahoo!") : m_category(MemDatabase::add("US Stocks", provider))
    {
        lastSecurityId = 100;
    }
    TestSupport::MemCategory* category() const { return m_category; }

    // A security holding history (none when null) under the given ticker
    // and name (the ticker when empty), with the next id.
    TickerSecurity* addSecurity(QxPriceHistory* history, const std::string& ticker, const std::string& name = "")
    {
        return m_category->add(history, {name.empty() ? ticker : name, ticker, nullptr, true, true});
    }
    // A security whose bar i closes at closes[i], on barTime(i, closes.size()).
    TickerSecurity* add(const std::string& ticker, const std::vector<double>& closes)
    {
        QxObjectSmartPtr<QxPriceHistory> history(new QxPriceHistory(Qx::eStock, Qx::eDaily));
        const unsigned n = static_cast<unsigned>(closes.size());
        history->resize(n);
        for (unsigned i = 0; i < n; ++i) {
            history->timestamp()[i] = barTime(i, n);
            history->open()[i] = history->high()[i] = history->low()[i] = history->close()[i] = closes[i];
            history->volume()[i] = 1000;
        }
        TickerSecurity* security = addSecurity(history.get(), ticker);
        m_bars = n;
        return security;
    }
    // Bars lie on the n days before today, at midnight.
    static int64_t barTime(unsigned i, unsigned n)
    {
        const wxDateTime day = wxDateTime::Today() - wxDateSpan::Days(static_cast<int>(n - i));
        return makeTimestamp(day.GetDay(), day.GetMonth() + 1, day.GetYear());
    }
    int64_t barTime(unsigned i) const { return barTime(i, m_bars); }

private:
    TestSupport::MemCategory* m_category;
    unsigned m_bars = 0;
};

struct RecordingReactor : QxAlertReactor, QxAlertSettingReactor {
    void onAlertAdded(const QxAlert&, QxSecurity*, QxAlertSetting*) override { ++added; }
    void onAlertStatusChanged(const QxAlert&, unsigned, QxSecurity*, QxAlertSetting*) override { ++statusChanges; }
    void onAlertRemoved(const QxAlert&, QxSecurity*, QxAlertSetting*) override { ++removed; }
    void onAlertSettingAdded(QxSecurity*, QxAlertSetting*) override { ++settingsAdded; }
    void onAlertSettingRemoved(QxSecurity*, QxAlertSetting*) override { ++settingsRemoved; }
    int added = 0, statusChanges = 0, removed = 0, settingsAdded = 0, settingsRemoved = 0;
};

class AlertMgrTest : public ::testing::Test {
protected:
    AlertMgrTest() : market(new AlertMarket) {}

    void SetUp() override
    {
        QxAlertMgr::destroy();
        std::filesystem::remove(QxAlertMgr::filePath().ToStdString());
        scoped.app().changeDatabase(QxObjectSmartPtr<QxDatabase>(market.get()));
        s_now = 1000000;
        QxIdleTaskQueue::setClock([] { return s_now; });
    }
    void TearDown() override
    {
        if (QxAlertMgr* mgr = QxAlertMgr::existing()) {
            mgr->removeAlertReactor(&reactor);
            mgr->removeAlertSettingReactor(&reactor);
        }
        QxAlertMgr::destroy();
        QxIdleTaskQueue::instance()->clear();
        QxIdleTaskQueue::setClock(nullptr);
    }

    // The manager, made now from the file, with the recording reactor; the
    // idle clock's zero is now.
    QxAlertMgr* startManager()
    {
        QxAlertMgr* mgr = QxAlertMgr::get();
        mgr->addAlertReactor(&reactor);
        mgr->addAlertSettingReactor(&reactor);
        m_zero = s_now;
        return mgr;
    }
    // Moves the idle clock to ms after the manager started and runs what is due.
    void runIdle(int64_t ms)
    {
        s_now = m_zero + ms;
        QxIdleTaskQueue::instance()->dispatch();
    }
    void writeAlertFile(const wxString& text)
    {
        const std::string path = QxAlertMgr::filePath().ToStdString();
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text.utf8_string();
    }

    framestest::ScopedApplication scoped;
    QxObjectSmartPtr<AlertMarket> market;
    RecordingReactor reactor;

private:
    static inline int64_t s_now = 0;
    int64_t m_zero = 0;
};

} // namespace alerttest
