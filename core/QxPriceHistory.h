#pragma once
#include <cstdint>
#include <vector>

#include "core/QxObject.h"
#include "core/QxQuote.h"
#include "core/QxTime.h"

// The bars of one security in one period, kept as parallel columns in time
// order so that indicator functions read the prices as plain arrays.
//
// Which columns are in use depends on the security type:
//   1 (stock)          timestamp, open, high, low, close, volume
//   2, 3 (future, option) the same plus open interest
//   4 (fund)           timestamp, net asset value
// Columns a type does not use stay empty; every used column has as many
// entries as the timestamp column.
class QxPriceHistory : public QxObject {
public:
    QxPriceHistory();
    QxPriceHistory(Qx::QxSecurityType type, Qx::QxPeriod period);
    QxPriceHistory(const QxPriceHistory& other);
    QxPriceHistory& operator=(const QxPriceHistory& other);
    ~QxPriceHistory() override;

    // Sets type and period; the columns are left as they are.
    void init(Qx::QxSecurityType type, Qx::QxPeriod period);
    // Empties every column.
    void clear();

    Qx::QxSecurityType getSecurityType() const { return m_type; }
    Qx::QxPeriod getPeriod() const { return m_period; }
    unsigned numBars() const { return static_cast<unsigned>(m_timestamp.size()); }
    unsigned capacity() const { return static_cast<unsigned>(m_timestamp.capacity()); }

    // First element of each column, valid until the history is next resized;
    // unused columns have no elements (the pointer may be null).
    int64_t* timestamp() { return m_timestamp.data(); }
    const int64_t* timestamp() const { return m_timestamp.data(); }
    double* open() { return m_open.data(); }
    const double* open() const { return m_open.data(); }
    double* high() { return m_high.data(); }
    const double* high() const { return m_high.data(); }
    double* low() { return m_low.data(); }
    const double* low() const { return m_low.data(); }
    double* close() { return m_close.data(); }
    const double* close() const { return m_close.data(); }
    double* volume() { return m_volume.data(); }
    const double* volume() const { return m_volume.data(); }
    double* openInterest() { return m_openInterest.data(); }
    const double* openInterest() const { return m_openInterest.data(); }
    double* nav() { return m_nav.data(); }
    const double* nav() const { return m_nav.data(); }

    // Capacity of at least n bars in the timestamp column and every used
    // column; eInvalidSecurityType (nothing reserved) for a type outside 1-4.
    int reserve(unsigned n);
    // Sets every used column to n bars (new bars are zero), growing the
    // capacity by doubling. With an invalid type only timestamps are resized.
    int resize(unsigned n);

    // A new history (count 0, owned by the caller) equal to this one; null
    // when there are no bars.
    QxPriceHistory* clone() const;

    // Copies the bar at index: type, time and the used columns; the other
    // values of the quote are left alone. eInvalidInput when out of range.
    int getQuote(unsigned index, QxQuote& quote) const;
    int getQuote(int index, QxQuote& quote) const;
    // Copies the first bar at or after time; eDataNotFound when every bar
    // is earlier.
    int getQuote(int64_t time, QxQuote& quote) const;

    // Replaces the bar of the quote's time or inserts the quote at its place
    // in time order; returns the bar's index.
    unsigned insertOrReplaceQuote(const QxQuote& quote);
    // Removes the bar at index from every column; eInvalidInput when out of
    // range.
    int deleteQuote(unsigned index);

    // Bars of a longer period built from this history: null for a shorter
    // period or an empty history; this very history (not a copy, do not
    // delete it separately) for the same period; otherwise a new history
    // owned by the caller.
    QxPriceHistory* transform(Qx::QxPeriod period) const;

    // Adjusts the bars strictly before date for a split of ratio a:b: prices
    // and nav times a/b, volume and open interest times b/a. Nothing changes
    // when a equals b, when no bar lies before date or date lies after the
    // last bar. A ratio with a zero or negative term is refused with
    // eInvalidInput, since it would wipe out or invert the prices.
    int updateForSplit(int64_t date, int a, int b);

private:
    bool usesOhlc() const;
    bool usesOpenInterest() const;
    bool usesNav() const;
    // Lower bound of time in the timestamp column.
    unsigned findIndex(int64_t time) const;

    Qx::QxSecurityType m_type;
    Qx::QxPeriod m_period;
    std::vector<int64_t> m_timestamp;
    std::vector<double> m_open;
    std::vector<double> m_high;
    std::vector<double> m_low;
    std::vector<double> m_close;
    std::vector<double> m_volume;
    std::vector<double> m_openInterest;
    std::vector<double> m_nav;
};
