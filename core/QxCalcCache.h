#pragma once
// The process-wide calculation cache behind QxCalculator: for every security
// some calculator is bound to (known by its id within its database: two
// databases open one after the other hand out the same ids), the price history of each period asked for,
// every indicator output computed over it and the data users parked beside
// it. Equal indicators (same name, inputs and parameter values) share one
// computation; nothing is evicted until the hub discards a period or the
// last calculator of the security goes.
#include "app/QxIdleTaskQueue.h"
#include "core/QxObject.h"
#include "core/QxPriceHistory.h"
#include "core/QxSeries.h"
#include "core/QxTime.h"
#include "core/QxValue.h"
#include "core/QxSeriesId.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

class QxIndicator;
class QxSecurity;

// Total orders behind the cache keys: <0, 0 or >0. Invalid series ids come
// before valid ones; NaN values are equal to each other and after all numbers.
int qxCompareIndicators(const QxIndicator* a, const QxIndicator* b);
int qxCompareSeriesIds(const QxSeriesId& a, const QxSeriesId& b);

// The data of one security in one period.
class QxCalcPeriodData {
public:
    QxCalcPeriodData();
    ~QxCalcPeriodData();
    QxCalcPeriodData(const QxCalcPeriodData&) = delete;
    QxCalcPeriodData& operator=(const QxCalcPeriodData&) = delete;

    // A price column, or the output of an indicator (computed on first use,
    // and kept under a copy of what it depends on). The history must be set.
    int getSeries(const QxSeriesId& id, QxSeries& out);

    // Takes ownership of the values (freed with CorvFree); replaced values
    // are freed unless they are the new ones.
    void parkSeries(const void* owner, const QxSeries& series);
    int parkedSeries(const void* owner, QxSeries& out) const;
    void parkArray(const void* owner, const QxArrayT<unsigned>& array) { m_uns32Arrays[owner] = array; }
    void parkArray(const void* owner, const QxArrayT<double>& array) { m_float64Arrays[owner] = array; }
    int parkedArray(const void* owner, QxArrayT<unsigned>& out) const;
    int parkedArray(const void* owner, QxArrayT<double>& out) const;

    // Number of distinct indicators computed so far.
    size_t numIndicators() const { return m_outputs.size(); }

    QxObjectSmartPtr<QxPriceHistory> history;

private:
    struct Outputs {
        std::vector<QxSeries> series;
        std::vector<std::unique_ptr<double[]>> buffers;
    };
    // What an indicator's outputs depend on, copied when they are first
    // computed: its name, its inputs (input indicators as private clones)
    // and its parameter values.  A copy rather than the caller's object, so
    // that later changes to that object cannot move the entry in the map;
    // and far cheaper to make than a clone of the whole indicator, which
    // would cost as much as computing a short average.
    struct Key {
        explicit Key(const QxIndicator* indicator);
        uint32_t name;
        std::vector<QxSeriesId> inputs;
        std::vector<std::pair<uint32_t, QxValue>> params;
    };
    // Orders keys as qxCompareIndicators orders the indicators they were
    // made of; an indicator is looked up without making a key.
    struct KeyLess {
        using is_transparent = void;
        bool operator()(const Key& a, const Key& b) const;
        bool operator()(const QxIndicator* a, const Key& b) const;
        bool operator()(const Key& a, const QxIndicator* b) const;
    };
    bool priceColumn(uint32_t kind, QxSeries& out) const;
    int computeOutputs(QxIndicator* indicator, Outputs& outputs);

    std::map<Key, Outputs, KeyLess> m_outputs;
    std::map<const void*, QxSeries> m_parked;
    std::map<const void*, QxArrayT<unsigned>> m_uns32Arrays;
    std::map<const void*, QxArrayT<double>> m_float64Arrays;
};

// The cache entry of one security, shared by all its calculators.
class QxCalcCacheRepositoryData : public QxIdleEventHandler {
public:
    explicit QxCalcCacheRepositoryData(QxSecurity* security);
    ~QxCalcCacheRepositoryData() override;
    QxCalcCacheRepositoryData(const QxCalcCacheRepositoryData&) = delete;
    QxCalcCacheRepositoryData& operator=(const QxCalcCacheRepositoryData&) = delete;

    // Asks the provider of the security's category for a background update.
    void onIdle(unsigned delayMs, long arg) override;
    void destroyCallData(long arg) override;

    // The period's data; created empty when create is set.
    QxCalcPeriodData* periodData(Qx::QxPeriod period, bool create);
    // Destroys the data of every period of a day or longer (eod), or of
    // every shorter period.
    void discard(bool eod);

    QxObjectSmartPtr<QxSecurity> security;
    std::map<Qx::QxPeriod, std::unique_ptr<QxCalcPeriodData>> periods;
    unsigned uses = 1;
};

namespace QxCalcCache {
// What an entry is found by: the security's id and its database (null for
// a security without a category).
using Key = std::pair<unsigned, const void*>;
Key keyOf(const QxSecurity* security);
// The entry of a security, or null.
QxCalcCacheRepositoryData* find(const Key& key);
// An entry of a security of that id, in whichever database; null when none.
QxCalcCacheRepositoryData* find(unsigned securityId);
// Every entry of securities of that id (one per database that has one).
std::vector<QxCalcCacheRepositoryData*> entriesOf(unsigned securityId);
// Number of securities with an entry.
size_t size();
// One more use of the security's entry, which is created on the first;
// gives the entry's key.
Key addUse(QxSecurity* security);
// One use fewer; the last frees the entry with all the security's data.
void releaseUse(const Key& key);
} // namespace QxCalcCache
