#pragma once
// A view of one computed series over the bars of a price history, as the
// calculator hands it out, and the shared arrays that users park in the
// calculator's cache.
#include <boost/smart_ptr/shared_array.hpp>

#include <cstddef>
#include <cstdint>

struct QxSeries {
    QxSeries() = default;
    QxSeries(int32_t first_, int32_t last_, int32_t base_, double* values_)
        : first(first_), last(last_), base(base_), values(values_)
    {
    }

    // Address of the value of bar i (stored value number i - base). Without
    // values the address must not be read.
    double* at(int32_t i) const { return values + (static_cast<std::ptrdiff_t>(i) - base); }
    // No values, or no valid bar (first after last, or first -1).
    bool empty() const { return !values || first < 0 || first > last; }

    int32_t first = -1; // first bar index holding a valid value; -1 when empty
    int32_t last = 0;   // last bar index holding a valid value
    int32_t base = 0;   // bar index whose value is stored first
    double* values = nullptr; // not owned
};

// An array whose elements are shared by every copy and freed with the last;
// the counts are thread-safe.
template <class T>
class QxArrayT {
public:
    QxArrayT() = default;
    // n value-initialised elements.
    explicit QxArrayT(std::size_t n) : m_data(n ? new T[n]() : nullptr), m_size(m_data ? n : 0) {}

    T* data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    bool isNull() const { return !m_data; }
    T& operator[](std::size_t i) const { return m_data[i]; }
    // Number of copies sharing the elements (0 for a null array).
    long useCount() const { return m_data.use_count(); }

private:
    boost::shared_array<T> m_data;
    std::size_t m_size = 0;
};
