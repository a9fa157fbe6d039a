#pragma once
// The handle through which charts, conditions, alerts and scans read one
// security's data: its price history in a period, price fields and
// indicator outputs as series, and data parked beside them. All data lives
// in the process-wide calculation cache, one entry per security (of its
// database), shared by
// every calculator of the security and freed with the last of them.
#include "core/QxObject.h"
#include "core/QxSeries.h"
#include "core/QxTime.h"

#include <memory>
#include <utility>

class QxCalcPeriodData;
class QxPriceHistory;
class QxSecurity;
class QxSeriesId;

class QxCalculator : public QxObject {
public:
    explicit QxCalculator(QxSecurity* security = nullptr, Qx::QxPeriod period = Qx::eDaily);
    // A calculator over a history of its own, outside the shared cache: it
    // reaches no security, provider or cache entry, so a worker thread may
    // use it while the GUI thread works with the cache. Copies share the
    // history and what is computed over it.
    explicit QxCalculator(QxPriceHistory* history);
    QxCalculator(const QxCalculator& other);
    QxCalculator& operator=(const QxCalculator& other);
    ~QxCalculator() override;

    QxSecurity* getSecurity() const { return m_security.get(); }
    Qx::QxPeriod currentTimeframe() const { return m_period; }
    int setCurrentTimeframe(Qx::QxPeriod period);

    // The history of the security in the period, loaded (and, for longer
    // periods, derived from the daily history) on first use and kept by the
    // cache; null when there is none. In the foreground the security is
    // first brought up to date from its provider; in the background the
    // stored history is returned and the update runs behind it. The pointer
    // holds until the period's data is discarded.
    QxPriceHistory* prices(Qx::QxPeriod period, bool inBackground);
    QxPriceHistory* prices(bool inBackground);
    // The same from what is stored alone: the provider is not asked, so it
    // never waits on the network. For work that hears of new bars through
    // the hub when they arrive.
    QxPriceHistory* storedPrices(Qx::QxPeriod period);

    // The series of a price field or an indicator output in the current
    // period, computed once per distinct indicator. eInvalidInput without a
    // cache entry, eFailedToGetHistory when the period has no prices,
    // eInvalidSeriesId for an id that names no computable series.
    int getDataSeries(const QxSeriesId& id, QxSeries& out);

    // Parks a series under owner in the current period. The cache owns the
    // values from now on: they must come from CorvMalloc.
    void setDataSeries(const void* owner, const QxSeries& series);
    // eInvalidInput without a cache entry, eInvalidSeriesId when nothing is parked.
    int getDataSeries(const void* owner, QxSeries& out);
    void setUserUns32Array(const void* owner, const QxArrayT<unsigned>& array);
    void setUserFloat64Array(const void* owner, const QxArrayT<double>& array);
    int getUserUns32Array(const void* owner, QxArrayT<unsigned>& out);
    int getUserFloat64Array(const void* owner, QxArrayT<double>& out);

    static bool hasCacheForSecurity(unsigned securityId);
    // Drops the data of every period of a day or longer (end-of-day data and
    // all derived from it).
    static void discardEodCache(unsigned securityId);
    // Drops the data of every period shorter than a day.
    static void discardIntradayCache(unsigned securityId);

private:
    enum class Update { Foreground, Background, None };
    QxPriceHistory* load(Qx::QxPeriod period, Update update);
    bool dataValid() const { return m_security.get() != nullptr; }
    void addUse();
    void releaseUse();
    // The current period's data (created when asked): the own context's,
    // or the cache entry's; null without either.
    QxCalcPeriodData* periodData(bool create) const;

    QxObjectSmartPtr<QxSecurity> m_security;
    // The security's entry in the cache: its id and database, as taken
    // when the calculator was bound to it.
    std::pair<unsigned, const void*> m_cacheKey{0, nullptr};
    Qx::QxPeriod m_period;
    std::shared_ptr<QxCalcPeriodData> m_own;
};
