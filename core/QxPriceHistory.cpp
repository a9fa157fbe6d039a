#include "core/QxPriceHistory.h"

#include <algorithm>

#include "core/QxErrorCode.h"

namespace {

constexpr int64_t kDayDivisor = 1000000000LL; // packed YYYYMMDD hhmmss mmm -> YYYYMMDD

bool isValidType(Qx::QxSecurityType type)
{
    const int t = static_cast<int>(type);
    return t >= 1 && t <= 4;
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int64_t dayNumber(int64_t packed)
{
    const int64_t date = packed / kDayDivisor;
    return daysFromCivil(date / 10000, date / 100 % 100, date % 100);
}

// Whole days from first to last plus one, the span the size estimate of a
// transformation works from. The time of day is compared so that a span
// that falls short of a whole day does not count it.
int64_t spanDays(int64_t first, int64_t last)
{
    int64_t days = dayNumber(last) - dayNumber(first);
    if (last % kDayDivisor < first % kDayDivisor)
        --days;
    return days + 1;
}

// Identity of the period a group key stands for. Weekly keys keep the time
// of day of the bar they were made from; bars of one week stamped at
// different times must still fall into one group, so only the date counts.
int64_t groupOf(int64_t key, Qx::QxPeriod period)
{
    return period == Qx::QxPeriod::eWeekly ? key / kDayDivisor : key;
}

} // namespace

QxPriceHistory::QxPriceHistory()
    : m_type(static_cast<Qx::QxSecurityType>(0))
    , m_period(static_cast<Qx::QxPeriod>(0))
{
}

QxPriceHistory::QxPriceHistory(Qx::QxSecurityType type, Qx::QxPeriod period)
    : m_type(type)
    , m_period(period)
{
}

QxPriceHistory::QxPriceHistory(const QxPriceHistory& other)
    : QxObject(other)
    , m_type(other.m_type)
    , m_period(other.m_period)
    , m_timestamp(other.m_timestamp)
    , m_open(other.m_open)
    , m_high(other.m_high)
    , m_low(other.m_low)
    , m_close(other.m_close)
    , m_volume(other.m_volume)
    , m_openInterest(other.m_openInterest)
    , m_nav(other.m_nav)
{
}

QxPriceHistory& QxPriceHistory::operator=(const QxPriceHistory& other)
{
    if (this != &other) {
        QxObject::operator=(other);
        m_type = other.m_type;
        m_period = other.m_period;
        m_timestamp = other.m_timestamp;
        m_open = other.m_open;
        m_high = other.m_high;
        m_low = other.m_low;
        m_close = other.m_close;
        m_volume = other.m_volume;
        m_openInterest = other.m_openInterest;
        m_nav = other.m_nav;
    }
    return *this;
}

QxPriceHistory::~QxPriceHistory() = default;

bool QxPriceHistory::usesOhlc() const
{
    const int t = static_cast<int>(m_type);
    return t >= 1 && t <= 3;
}

bool QxPriceHistory::usesOpenInterest() const
{
    const int t = static_cast<int>(m_type);
    return t == 2 || t == 3;
}

bool QxPriceHistory::usesNav() const { return static_cast<int>(m_type) == 4; }

void QxPriceHistory::init(Qx::QxSecurityType type, Qx::QxPeriod period)
{
    m_type = type;
    m_period = period;
    // Keep the column invariant when the type of a filled history changes,
    // so that no column is read past its end: columns the new type uses get
    // zero bars, the others are emptied. An empty history is not affected.
    const size_t n = m_timestamp.size();
    auto fit = [n](std::vector<double>& column, bool used) {
        if (used)
            column.resize(n);
        else
            column.clear();
    };
    fit(m_open, usesOhlc());
    fit(m_high, usesOhlc());
    fit(m_low, usesOhlc());
    fit(m_close, usesOhlc());
    fit(m_volume, usesOhlc());
    fit(m_openInterest, usesOpenInterest());
    fit(m_nav, usesNav());
}

void QxPriceHistory::clear()
{
    m_timestamp.clear();
    m_open.clear();
    m_high.clear();
    m_low.clear();
    m_close.clear();
    m_volume.clear();
    m_openInterest.clear();
    m_nav.clear();
}

int QxPriceHistory::reserve(unsigned n)
{
    if (!isValidType(m_type))
        return eInvalidSecurityType;
    m_timestamp.reserve(n);
    if (usesOhlc()) {
        m_open.reserve(n);
        m_high.reserve(n);
        m_low.reserve(n);
        m_close.reserve(n);
        m_volume.reserve(n);
    }
    if (usesOpenInterest())
        m_openInterest.reserve(n);
    if (usesNav())
        m_nav.reserve(n);
    return 0;
}

int QxPriceHistory::resize(unsigned n)
{
    const size_t current = m_timestamp.capacity();
    size_t wanted = current;
    if (current == 0) {
        wanted = n;
    } else {
        while (wanted < n)
            wanted *= 2;
    }
    if (wanted > current)
        reserve(static_cast<unsigned>(std::min<size_t>(wanted, UINT32_MAX)));

    m_timestamp.resize(n);
    if (usesOhlc()) {
        m_open.resize(n);
        m_high.resize(n);
        m_low.resize(n);
        m_close.resize(n);
        m_volume.resize(n);
    }
    if (usesOpenInterest())
        m_openInterest.resize(n);
    if (usesNav())
        m_nav.resize(n);
    return 0;
}

QxPriceHistory* QxPriceHistory::clone() const
{
    if (m_timestamp.empty())
        return nullptr;
    return new QxPriceHistory(*this);
}

int QxPriceHistory::getQuote(unsigned index, QxQuote& quote) const
{
    if (index >= m_timestamp.size())
        return eInvalidInput;
    quote.securityType = m_type;
    quote.time = m_timestamp[index];
    if (usesOhlc()) {
        quote.open = m_open[index];
        quote.high = m_high[index];
        quote.low = m_low[index];
        quote.close = m_close[index];
        quote.volume = m_volume[index];
    }
    if (usesOpenInterest())
        quote.openInterest = m_openInterest[index];
    if (usesNav())
        quote.nav = m_nav[index];
    return 0;
}

int QxPriceHistory::getQuote(int index, QxQuote& quote) const
{
    if (index < 0)
        return eInvalidInput;
    return getQuote(static_cast<unsigned>(index), quote);
}

int QxPriceHistory::getQuote(int64_t time, QxQuote& quote) const
{
    const unsigned index = findIndex(time);
    if (index >= m_timestamp.size())
        return eDataNotFound;
    return getQuote(index, quote);
}

unsigned QxPriceHistory::findIndex(int64_t time) const
{
    return static_cast<unsigned>(
        std::lower_bound(m_timestamp.begin(), m_timestamp.end(), time) - m_timestamp.begin());
}

unsigned QxPriceHistory::insertOrReplaceQuote(const QxQuote& quote)
{
    const unsigned index = findIndex(quote.time);
    const bool replace = index < m_timestamp.size() && m_timestamp[index] == quote.time;
    auto put = [index, replace](auto& column, auto value) {
        if (replace)
            column[index] = value;
        else
            column.insert(column.begin() + index, value);
    };
    put(m_timestamp, quote.time);
    if (usesOhlc()) {
        put(m_open, quote.open);
        put(m_high, quote.high);
        put(m_low, quote.low);
        put(m_close, quote.close);
        put(m_volume, quote.volume);
    }
    if (usesOpenInterest())
        put(m_openInterest, quote.openInterest);
    if (usesNav())
        put(m_nav, quote.nav);
    return index;
}

int QxPriceHistory::deleteQuote(unsigned index)
{
    if (index >= m_timestamp.size())
        return eInvalidInput;
    auto erase = [index](auto& column) { column.erase(column.begin() + index); };
    erase(m_timestamp);
    if (usesOhlc()) {
        erase(m_open);
        erase(m_high);
        erase(m_low);
        erase(m_close);
        erase(m_volume);
    }
    if (usesOpenInterest())
        erase(m_openInterest);
    if (usesNav())
        erase(m_nav);
    return 0;
}

QxPriceHistory* QxPriceHistory::transform(Qx::QxPeriod period) const
{
    const long long target = static_cast<long long>(period);
    const long long own = static_cast<long long>(m_period);
    if (target < own || m_timestamp.empty())
        return nullptr;
    if (target == own)
        return const_cast<QxPriceHistory*>(this);

    const size_t n = m_timestamp.size();
    int64_t estimate = 0;
    const int64_t days = spanDays(m_timestamp.front(), m_timestamp.back());
    switch (period) {
    case Qx::QxPeriod::eWeekly: estimate = days / 7; break;
    case Qx::QxPeriod::eMonthly: estimate = days / 30; break;
    case Qx::QxPeriod::eQuarterly: estimate = days / 90; break;
    case Qx::QxPeriod::eYearly: estimate = days / 365; break;
    default: estimate = static_cast<int64_t>(n); break;
    }
    // Never more groups than bars, whatever the timestamps claim; the
    // columns still grow should the estimate fall short.
    estimate = std::clamp<int64_t>(estimate + 2, 1, static_cast<int64_t>(n));

    auto* result = new QxPriceHistory(m_type, period);
    result->reserve(static_cast<unsigned>(estimate));

    const bool ohlc = usesOhlc();
    const bool oi = usesOpenInterest();
    const bool nav = usesNav();

    int64_t key = QxUtils::alignDate(m_timestamp[0], period);
    size_t first = 0;
    while (first < n) {
        const int64_t group = groupOf(key, period);
        size_t end = first + 1;
        int64_t nextKey = 0;
        for (; end < n; ++end) {
            nextKey = QxUtils::alignDate(m_timestamp[end], period);
            if (groupOf(nextKey, period) != group)
                break;
        }
        const size_t last = end - 1;

        result->m_timestamp.push_back(key);
        if (ohlc) {
            double high = m_high[first];
            double low = m_low[first];
            double volume = 0.0;
            for (size_t i = first; i <= last; ++i) {
                high = std::max(high, m_high[i]);
                low = std::min(low, m_low[i]);
                volume += m_volume[i];
            }
            result->m_open.push_back(m_open[first]);
            result->m_high.push_back(high);
            result->m_low.push_back(low);
            result->m_close.push_back(m_close[last]);
            result->m_volume.push_back(volume);
        }
        // Open interest is a level (contracts outstanding at the close), not
        // a flow: the period's value is the one at its last bar, like the
        // close. Summing it would multiply it by the number of bars.
        if (oi)
            result->m_openInterest.push_back(m_openInterest[last]);
        if (nav)
            result->m_nav.push_back(m_nav[last]);

        first = end;
        key = nextKey;
    }
    return result;
}

int QxPriceHistory::updateForSplit(int64_t date, int a, int b)
{
    if (a == b)
        return 0;
    if (a <= 0 || b <= 0)
        return eInvalidInput;
    if (m_timestamp.empty() || date > m_timestamp.back() || m_timestamp.front() >= date)
        return 0;

    const double fa = a;
    const double fb = b;
    const bool ohlc = usesOhlc();
    const bool oi = usesOpenInterest();
    const bool nav = usesNav();
    for (size_t i = 0; i < m_timestamp.size() && m_timestamp[i] < date; ++i) {
        if (ohlc) {
            m_open[i] = fa * m_open[i] / fb;
            m_high[i] = fa * m_high[i] / fb;
            m_low[i] = fa * m_low[i] / fb;
            m_close[i] = fa * m_close[i] / fb;
            m_volume[i] = fb * m_volume[i] / fa;
        }
        if (oi)
            m_openInterest[i] = fb * m_openInterest[i] / fa;
        if (nav)
            m_nav[i] = fa * m_nav[i] / fb;
    }
    return 0;
}
