#include "core/QxCalcCache.h"

#include "core/QxCalculator.h"
#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxErrorCode.h"
#include "core/QxIndicator.h"
#include "core/QxSecurity.h"
#include "core/QxSeriesId.h"
#include "core/platform/CorvAlloc.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

template <class T>
int compareNumbers(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// NaN would break the strict ordering a map relies on: place it after every
// number and equal to itself.
int compareDoubles(double a, double b)
{
    const bool na = std::isnan(a), nb = std::isnan(b);
    if (na || nb)
        return na == nb ? 0 : (na ? 1 : -1);
    return compareNumbers(a, b);
}

int compareValues(const QxValue& a, const QxValue& b)
{
    if (int c = compareNumbers(a.type(), b.type()))
        return c;
    switch (a.type()) {
    case QxValue::eInt32:
        return compareNumbers(a.toInt32(), b.toInt32());
    case QxValue::eUns32:
        return compareNumbers(a.toUns32(), b.toUns32());
    case QxValue::eInt64:
        return compareNumbers(a.toInt64(), b.toInt64());
    case QxValue::eUns64:
        return compareNumbers(a.toUns64(), b.toUns64());
    case QxValue::eFloat32:
    case QxValue::eFloat64:
        return compareDoubles(a.toDouble(), b.toDouble());
    default:
        return compareNumbers(a.rawBits(), b.rawBits());
    }
}

using Repository = std::map<QxCalcCache::Key, std::unique_ptr<QxCalcCacheRepositoryData>>;

// Lives for the whole run; left to the end of the process rather than
// destroyed among other statics, since entries hold objects of plug-ins.
Repository& repository()
{
    static Repository* s_repository = new Repository;
    return *s_repository;
}

} // namespace

int qxCompareSeriesIds(const QxSeriesId& a, const QxSeriesId& b)
{
    const bool va = a.isValid(), vb = b.isValid();
    if (!va || !vb)
        return va == vb ? 0 : (va ? 1 : -1);
    if (int c = compareNumbers(a.kind(), b.kind()))
        return c;
    if (a.kind() == QxSeriesId::eSeriesConstant)
        return compareDoubles(a.value(), b.value());
    if (a.kind() == QxSeriesId::eSeriesIndicator) {
        if (int c = qxCompareIndicators(a.indicator(), b.indicator()))
            return c;
        return compareNumbers(a.outputIndex(), b.outputIndex());
    }
    return 0;
}

namespace {

// The parts of an indicator the cache orders by, read from the indicator
// itself or from a key copied from one.
struct IndicatorParts {
    const QxIndicator* p;
    uint32_t name() const { return p->getName().id(); }
    size_t numInputs() const { return p->inputInfos().size(); }
    const QxSeriesId& input(unsigned i) const { return p->getInputSeries(i); }
    size_t numParams() const { return p->paramInfos().size(); }
    uint32_t paramName(size_t i) const { return p->paramInfos()[i].name.id(); }
    const QxValue& paramValue(size_t i) const { return p->paramInfos()[i].value; }
};

template <class Key>
struct KeyParts {
    const Key& k;
    uint32_t name() const { return k.name; }
    size_t numInputs() const { return k.inputs.size(); }
    const QxSeriesId& input(unsigned i) const { return i < k.inputs.size() ? k.inputs[i] : QxSeriesId::null(); }
    size_t numParams() const { return k.params.size(); }
    uint32_t paramName(size_t i) const { return k.params[i].first; }
    const QxValue& paramValue(size_t i) const { return k.params[i].second; }
};

template <class A, class B>
int compareParts(const A& a, const B& b)
{
    if (int c = compareNumbers(a.name(), b.name()))
        return c;
    // Equal names have equal inputs; the larger count keeps the order
    // symmetric should they not.
    const size_t inputs = std::max(a.numInputs(), b.numInputs());
    for (unsigned i = 0; i < inputs; ++i)
        if (int c = qxCompareSeriesIds(a.input(i), b.input(i)))
            return c;
    if (int c = compareNumbers(a.numParams(), b.numParams()))
        return c;
    for (size_t i = 0; i < a.numParams(); ++i) {
        if (int c = compareNumbers(a.paramName(i), b.paramName(i)))
            return c;
        if (int c = compareValues(a.paramValue(i), b.paramValue(i)))
            return c;
    }
    return 0;
}

} // namespace

int qxCompareIndicators(const QxIndicator* a, const QxIndicator* b)
{
    if (a == b)
        return 0;
    if (!a || !b)
        return a ? 1 : -1;
    return compareParts(IndicatorParts{a}, IndicatorParts{b});
}

QxCalcPeriodData::Key::Key(const QxIndicator* indicator) : name(indicator->getName().id())
{
    const size_t n = indicator->inputInfos().size();
    inputs.reserve(n);
    for (unsigned i = 0; i < n; ++i) {
        const QxSeriesId& id = indicator->getInputSeries(i);
        if (id.kind() == QxSeriesId::eSeriesIndicator && id.indicator()) {
            QxObjectSmartPtr<QxIndicator> clone(
                id.indicator()->clone(QxIndicator::eCloneParams | QxIndicator::eCloneInputs));
            inputs.emplace_back(clone.get(), id.outputIndex());
        } else {
            inputs.push_back(id);
        }
    }
    const std::vector<QxParamInfo>& infos = indicator->paramInfos();
    params.reserve(infos.size());
    for (const QxParamInfo& info : infos)
        params.emplace_back(info.name.id(), info.value);
}

bool QxCalcPeriodData::KeyLess::operator()(const Key& a, const Key& b) const
{
    return compareParts(KeyParts<Key>{a}, KeyParts<Key>{b}) < 0;
}

bool QxCalcPeriodData::KeyLess::operator()(const QxIndicator* a, const Key& b) const
{
    return compareParts(IndicatorParts{a}, KeyParts<Key>{b}) < 0;
}

bool QxCalcPeriodData::KeyLess::operator()(const Key& a, const QxIndicator* b) const
{
    return compareParts(KeyParts<Key>{a}, IndicatorParts{b}) < 0;
}

// --- one period -----------------------------------------------------------

QxCalcPeriodData::QxCalcPeriodData() = default;

QxCalcPeriodData::~QxCalcPeriodData()
{
    for (auto& entry : m_parked)
        CorvFree(entry.second.values);
    // The outputs free their buffers and the keys release their clones; the
    // history goes last, with the member.
    m_outputs.clear();
}

bool QxCalcPeriodData::priceColumn(uint32_t kind, QxSeries& out) const
{
    QxPriceHistory* h = history.get();
    double* column = nullptr;
    switch (kind) {
    case QxSeriesId::eSeriesOpen:
        column = h->open();
        break;
    case QxSeriesId::eSeriesHigh:
        column = h->high();
        break;
    case QxSeriesId::eSeriesLow:
        column = h->low();
        break;
    case QxSeriesId::eSeriesClose:
        column = h->close();
        break;
    case QxSeriesId::eSeriesVolume:
        column = h->volume();
        break;
    case QxSeriesId::eSeriesOpenInterest:
        column = h->openInterest();
        break;
    default:
        return false;
    }
    const int32_t n = static_cast<int32_t>(h->numBars());
    // A column the security type does not use has no values.
    out = QxSeries(0, n - 1, 0, n > 0 ? column : nullptr);
    return true;
}

int QxCalcPeriodData::getSeries(const QxSeriesId& id, QxSeries& out)
{
    if (!history)
        return eFailedToGetHistory;
    if (id.kind() < QxSeriesId::eSeriesIndicator)
        return priceColumn(id.kind(), out) ? eNoError : eInvalidSeriesId;
    QxIndicator* indicator = id.indicator();
    if (!indicator)
        return eInvalidSeriesId;

    auto it = m_outputs.find(static_cast<const QxIndicator*>(indicator));
    if (it == m_outputs.end()) {
        it = m_outputs.emplace(Key(indicator), Outputs()).first;
        const int rc = computeOutputs(indicator, it->second);
        if (rc != eNoError) {
            m_outputs.erase(it);
            return rc;
        }
    }
    const Outputs& outputs = it->second;
    if (id.outputIndex() >= outputs.series.size())
        return eInvalidSeriesId;
    out = outputs.series[id.outputIndex()];
    return eNoError;
}

int QxCalcPeriodData::computeOutputs(QxIndicator* indicator, Outputs& outputs)
{
    const int32_t n = static_cast<int32_t>(history->numBars());
    const int32_t last = n - 1;

    const std::vector<uint32_t>& kinds = indicator->inputInfos();
    std::vector<QxSeries> inputs(kinds.size());
    for (unsigned i = 0; i < kinds.size(); ++i) {
        switch (kinds[i]) {
        case QxSeriesId::eSeriesOpen:
        case QxSeriesId::eSeriesHigh:
        case QxSeriesId::eSeriesLow:
        case QxSeriesId::eSeriesVolume:
        case QxSeriesId::eSeriesOpenInterest:
            priceColumn(kinds[i], inputs[i]);
            break;
        case QxSeriesId::eSeriesIndicator: {
            const QxSeriesId& id = indicator->getInputSeries(i);
            if (id.isValid()) {
                // Another indicator's output: found, or computed first. On
                // failure the input stays empty.
                inputs[i] = QxSeries(-1, 0, 0, nullptr);
                getSeries(id, inputs[i]);
            } else {
                priceColumn(QxSeriesId::eSeriesClose, inputs[i]);
            }
            break;
        }
        default:
            priceColumn(QxSeriesId::eSeriesClose, inputs[i]);
            break;
        }
    }

    const size_t numOutputs = indicator->outputInfos().size();
    outputs.series.clear();
    outputs.buffers.clear();
    for (size_t k = 0; k < numOutputs; ++k) {
        std::unique_ptr<double[]> buffer;
        if (n > 0) {
            buffer.reset(new (std::nothrow) double[n]);
            if (!buffer)
                return eUnknownError;
        }
        outputs.series.emplace_back(0, last, 0, buffer.get());
        outputs.buffers.push_back(std::move(buffer));
    }
    if (indicator->compute(inputs, outputs.series) != eNoError) {
        // The arrays hold nothing computed: hand out empty outputs rather
        // than uninitialised values.
        for (QxSeries& s : outputs.series) {
            s.first = 0;
            s.last = -1;
        }
    }
    return eNoError;
}

void QxCalcPeriodData::parkSeries(const void* owner, const QxSeries& series)
{
    auto it = m_parked.find(owner);
    if (it == m_parked.end()) {
        m_parked.emplace(owner, series);
        return;
    }
    if (it->second.values != series.values)
        CorvFree(it->second.values);
    it->second = series;
}

int QxCalcPeriodData::parkedSeries(const void* owner, QxSeries& out) const
{
    auto it = m_parked.find(owner);
    if (it == m_parked.end())
        return eInvalidSeriesId;
    out = it->second;
    return eNoError;
}

int QxCalcPeriodData::parkedArray(const void* owner, QxArrayT<unsigned>& out) const
{
    auto it = m_uns32Arrays.find(owner);
    if (it == m_uns32Arrays.end())
        return eInvalidSeriesId;
    out = it->second;
    return eNoError;
}

int QxCalcPeriodData::parkedArray(const void* owner, QxArrayT<double>& out) const
{
    auto it = m_float64Arrays.find(owner);
    if (it == m_float64Arrays.end())
        return eInvalidSeriesId;
    out = it->second;
    return eNoError;
}

// --- one security ---------------------------------------------------------

QxCalcCacheRepositoryData::QxCalcCacheRepositoryData(QxSecurity* security_) : security(security_) {}

QxCalcCacheRepositoryData::~QxCalcCacheRepositoryData()
{
    withdrawIdleCalls();
    periods.clear();
}

void QxCalcCacheRepositoryData::onIdle(unsigned, long)
{
    if (QxDataProvider* provider = QxDataProviderRepository::instance()->providerOf(security.get()))
        provider->update(security.get(), true);
}

void QxCalcCacheRepositoryData::destroyCallData(long) {}

QxCalcPeriodData* QxCalcCacheRepositoryData::periodData(Qx::QxPeriod period, bool create)
{
    auto it = periods.find(period);
    if (it != periods.end())
        return it->second.get();
    if (!create)
        return nullptr;
    return periods.emplace(period, std::make_unique<QxCalcPeriodData>()).first->second.get();
}

void QxCalcCacheRepositoryData::discard(bool eod)
{
    // Taken out of the map before they are destroyed, so that destructors
    // that call back into the cache find it consistent.
    std::vector<std::unique_ptr<QxCalcPeriodData>> doomed;
    for (auto it = periods.begin(); it != periods.end();) {
        if ((it->first >= Qx::eDaily) == eod) {
            doomed.push_back(std::move(it->second));
            it = periods.erase(it);
        } else {
            ++it;
        }
    }
}

// --- the repository -------------------------------------------------------

namespace QxCalcCache {

Key keyOf(const QxSecurity* security)
{
    const QxCategory* category = security->category();
    return Key(security->id(), category ? static_cast<const void*>(category->database()) : nullptr);
}

QxCalcCacheRepositoryData* find(const Key& key)
{
    Repository& repo = repository();
    auto it = repo.find(key);
    return it == repo.end() ? nullptr : it->second.get();
}

QxCalcCacheRepositoryData* find(unsigned securityId)
{
    Repository& repo = repository();
    auto it = repo.lower_bound(Key(securityId, nullptr));
    return it == repo.end() || it->first.first != securityId ? nullptr : it->second.get();
}

std::vector<QxCalcCacheRepositoryData*> entriesOf(unsigned securityId)
{
    std::vector<QxCalcCacheRepositoryData*> out;
    Repository& repo = repository();
    for (auto it = repo.lower_bound(Key(securityId, nullptr)); it != repo.end() && it->first.first == securityId; ++it)
        out.push_back(it->second.get());
    return out;
}

size_t size()
{
    return repository().size();
}

Key addUse(QxSecurity* security)
{
    if (!security)
        return Key();
    const Key key = keyOf(security);
    Repository& repo = repository();
    auto it = repo.find(key);
    if (it != repo.end()) {
        ++it->second->uses;
        return key;
    }
    // Price changes announced through the hub must reach the cache from
    // the moment it holds anything.
    QxDataChangeReactorMgr::setCacheDiscarders(&QxCalculator::discardEodCache, &QxCalculator::discardIntradayCache);
    repo.emplace(key, std::make_unique<QxCalcCacheRepositoryData>(security));
    return key;
}

void releaseUse(const Key& key)
{
    Repository& repo = repository();
    auto it = repo.find(key);
    if (it == repo.end())
        return;
    if (--it->second->uses > 0)
        return;
    std::unique_ptr<QxCalcCacheRepositoryData> doomed = std::move(it->second);
    repo.erase(it);
}

} // namespace QxCalcCache
