#include "core/QxCalculator.h"

#include "core/QxCalcCache.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxSecurity.h"
#include "core/QxSeriesId.h"

QxCalculator::QxCalculator(QxSecurity* security, Qx::QxPeriod period) : m_security(security), m_period(period)
{
    addUse();
}

QxCalculator::QxCalculator(QxPriceHistory* history)
    : m_period(history ? history->getPeriod() : Qx::eDaily), m_own(std::make_shared<QxCalcPeriodData>())
{
    m_own->history = history;
}

QxCalculator::QxCalculator(const QxCalculator& other)
    : QxObject(other), m_security(other.m_security), m_period(other.m_period), m_own(other.m_own)
{
    addUse();
}

QxCalculator& QxCalculator::operator=(const QxCalculator& other)
{
    if (this == &other)
        return *this;
    QxObject::operator=(other);
    // The new use is taken before the old one goes, so rebinding to the same
    // security never frees its entry in between.
    QxObjectSmartPtr<QxSecurity> old = m_security;
    const auto oldKey = m_cacheKey;
    m_security = other.m_security;
    m_period = other.m_period;
    m_own = other.m_own;
    addUse();
    if (old)
        QxCalcCache::releaseUse(oldKey);
    return *this;
}

QxCalculator::~QxCalculator()
{
    releaseUse();
}

void QxCalculator::addUse()
{
    if (dataValid())
        m_cacheKey = QxCalcCache::addUse(m_security.get());
}

void QxCalculator::releaseUse()
{
    if (dataValid())
        QxCalcCache::releaseUse(m_cacheKey);
}

int QxCalculator::setCurrentTimeframe(Qx::QxPeriod period)
{
    m_period = period;
    return eNoError;
}

QxPriceHistory* QxCalculator::prices(bool inBackground)
{
    return prices(m_period, inBackground);
}

QxPriceHistory* QxCalculator::prices(Qx::QxPeriod period, bool inBackground)
{
    return load(period, inBackground ? Update::Background : Update::Foreground);
}

QxPriceHistory* QxCalculator::storedPrices(Qx::QxPeriod period)
{
    return load(period, Update::None);
}

QxPriceHistory* QxCalculator::load(Qx::QxPeriod period, Update update)
{
    if (m_own)
        return period == m_period ? m_own->history.get() : nullptr;
    if (!dataValid())
        return nullptr;
    QxCalcCacheRepositoryData* entry = QxCalcCache::find(m_cacheKey);
    if (!entry)
        return nullptr;
    // Data of the period, even without a history, is returned as it is until
    // the period is discarded: a failed load is not retried on every paint.
    if (QxCalcPeriodData* data = entry->periodData(period, false))
        return data->history.get();

    QxObjectSmartPtr<QxPriceHistory> loaded;
    if (period != Qx::eDaily) {
        QxPriceHistory* daily = load(Qx::eDaily, update);
        if (!daily)
            return nullptr;
        loaded.reset(daily->transform(period));
    } else {
        QxSecurity* security = m_security.get();
        int64_t from = 0, to = 0;
        if (update == Update::None) {
            loaded.reset(security->getHistory(Qx::eDaily, from, to));
        } else if (update == Update::Foreground) {
            // A failed or impossible download leaves the stored bars, which
            // are read next either way; the provider tells its own failures.
            (void)security->updateFromProvider(false);
            loaded.reset(security->getHistory(Qx::eDaily, from, to));
        } else {
            loaded.reset(security->getHistory(Qx::eDaily, from, to));
            if (loaded) {
                // The stored bars are shown meanwhile, whatever the download does.
                (void)security->updateFromProvider(true);
            } else {
                // Nothing stored yet: nothing to show while waiting, so
                // download in the foreground (what it brings is read next).
                (void)security->updateFromProvider(false);
                from = to = 0;
                loaded.reset(security->getHistory(Qx::eDaily, from, to));
            }
        }
    }
    if (!loaded)
        return nullptr;

    // The provider calls above may have reached the hub; look again.
    entry = QxCalcCache::find(m_cacheKey);
    if (!entry)
        return nullptr;
    QxCalcPeriodData* data = entry->periodData(period, true);
    if (!data->history)
        data->history = loaded;
    return data->history.get();
}

QxCalcPeriodData* QxCalculator::periodData(bool create) const
{
    if (m_own)
        return m_own.get();
    QxCalcCacheRepositoryData* entry = dataValid() ? QxCalcCache::find(m_cacheKey) : nullptr;
    return entry ? entry->periodData(m_period, create) : nullptr;
}

int QxCalculator::getDataSeries(const QxSeriesId& id, QxSeries& out)
{
    if (m_own) {
        if (!id.isValid() || id.kind() == QxSeriesId::eSeriesConstant)
            return eInvalidSeriesId;
        if (!m_own->history)
            return eFailedToGetHistory;
        return m_own->getSeries(id, out);
    }
    if (!dataValid() || !QxCalcCache::find(m_cacheKey))
        return eInvalidInput;
    prices(m_period, false);
    QxCalcCacheRepositoryData* entry = QxCalcCache::find(m_cacheKey);
    if (!entry)
        return eInvalidInput;
    QxCalcPeriodData* data = entry->periodData(m_period, true);
    if (!id.isValid() || id.kind() == QxSeriesId::eSeriesConstant)
        return eInvalidSeriesId;
    if (!data->history)
        return eFailedToGetHistory;
    return data->getSeries(id, out);
}

void QxCalculator::setDataSeries(const void* owner, const QxSeries& series)
{
    if (QxCalcPeriodData* data = periodData(true))
        data->parkSeries(owner, series);
}

int QxCalculator::getDataSeries(const void* owner, QxSeries& out)
{
    if (!m_own && !(dataValid() && QxCalcCache::find(m_cacheKey)))
        return eInvalidInput;
    QxCalcPeriodData* data = periodData(false);
    return data ? data->parkedSeries(owner, out) : eInvalidSeriesId;
}

void QxCalculator::setUserUns32Array(const void* owner, const QxArrayT<unsigned>& array)
{
    if (QxCalcPeriodData* data = periodData(true))
        data->parkArray(owner, array);
}

void QxCalculator::setUserFloat64Array(const void* owner, const QxArrayT<double>& array)
{
    if (QxCalcPeriodData* data = periodData(true))
        data->parkArray(owner, array);
}

int QxCalculator::getUserUns32Array(const void* owner, QxArrayT<unsigned>& out)
{
    if (!m_own && !(dataValid() && QxCalcCache::find(m_cacheKey)))
        return eInvalidInput;
    QxCalcPeriodData* data = periodData(false);
    return data ? data->parkedArray(owner, out) : eInvalidSeriesId;
}

int QxCalculator::getUserFloat64Array(const void* owner, QxArrayT<double>& out)
{
    if (!m_own && !(dataValid() && QxCalcCache::find(m_cacheKey)))
        return eInvalidInput;
    QxCalcPeriodData* data = periodData(false);
    return data ? data->parkedArray(owner, out) : eInvalidSeriesId;
}

bool QxCalculator::hasCacheForSecurity(unsigned securityId)
{
    return QxCalcCache::find(securityId) != nullptr;
}

// The hub names securities by id alone: what an id's security had of every
// database goes.
void QxCalculator::discardEodCache(unsigned securityId)
{
    for (QxCalcCacheRepositoryData* entry : QxCalcCache::entriesOf(securityId))
        entry->discard(true);
}

void QxCalculator::discardIntradayCache(unsigned securityId)
{
    for (QxCalcCacheRepositoryData* entry : QxCalcCache::entriesOf(securityId))
        entry->discard(false);
}
