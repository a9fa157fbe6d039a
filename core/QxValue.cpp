#include "core/QxValue.h"

#include <wx/strconv.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Truncation toward zero that never overflows: NaN gives 0, values beyond
// the range give its ends.
template <class Int>
Int truncSaturated(double v)
{
    if (std::isnan(v))
        return 0;
    const double t = std::trunc(v);
    // The limits as doubles: the maximum rounds up to 2^N, which is already
    // out of range.
    const double lo = static_cast<double>(std::numeric_limits<Int>::min());
    const double hi = static_cast<double>(std::numeric_limits<Int>::max());
    if (t < lo)
        return std::numeric_limits<Int>::min();
    if (t >= hi)
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(t);
}

// Floating numbers to unsigned types: negative numbers wrap as the signed
// integer they truncate to (as -1 does for the integer types).
template <class Uns>
Uns truncToUnsigned(double v)
{
    if (v < 0)
        return static_cast<Uns>(truncSaturated<int64_t>(v));
    return truncSaturated<Uns>(v);
}

} // namespace

QxValue QxValue::fromRaw(uint32_t type, uint64_t bits)
{
    QxValue v;
    v.m_type = type;
    v.m_u.u64 = bits;
    return v;
}

bool QxValue::operator==(const QxValue& other) const
{
    if (m_type != other.m_type)
        return false;
    switch (m_type) {
    case eInt32:
    case eUns32:
        return m_u.u32 == other.m_u.u32;
    case eInt64:
    case eUns64:
        return m_u.u64 == other.m_u.u64;
    case eFloat32:
        return m_u.f32 == other.m_u.f32;
    case eFloat64:
        return m_u.f64 == other.m_u.f64;
    default:
        return false;
    }
}

int32_t QxValue::toInt32() const
{
    switch (m_type) {
    case eInt32:
    case eUns32:
    case eInt64:
    case eUns64:
        return static_cast<int32_t>(static_cast<uint32_t>(m_u.u64 & 0xFFFFFFFFu));
    case eFloat32:
        return truncSaturated<int32_t>(m_u.f32);
    case eFloat64:
        return truncSaturated<int32_t>(m_u.f64);
    default:
        return 0;
    }
}

uint32_t QxValue::toUns32() const
{
    switch (m_type) {
    case eInt32:
    case eUns32:
    case eInt64:
    case eUns64:
        return static_cast<uint32_t>(m_u.u64 & 0xFFFFFFFFu);
    case eFloat32:
        return truncToUnsigned<uint32_t>(m_u.f32);
    case eFloat64:
        return truncToUnsigned<uint32_t>(m_u.f64);
    default:
        return 0;
    }
}

int64_t QxValue::toInt64() const
{
    switch (m_type) {
    case eInt32:
        return m_u.i32;
    case eUns32:
        return m_u.u32;
    case eInt64:
    case eUns64:
        return m_u.i64;
    case eFloat32:
        return truncSaturated<int64_t>(m_u.f32);
    case eFloat64:
        return truncSaturated<int64_t>(m_u.f64);
    default:
        return 0;
    }
}

uint64_t QxValue::toUns64() const
{
    switch (m_type) {
    case eInt32:
        return static_cast<uint64_t>(static_cast<int64_t>(m_u.i32));
    case eUns32:
        return m_u.u32;
    case eInt64:
    case eUns64:
        return m_u.u64;
    case eFloat32:
        return truncToUnsigned<uint64_t>(m_u.f32);
    case eFloat64:
        return truncToUnsigned<uint64_t>(m_u.f64);
    default:
        return 0;
    }
}

double QxValue::toDouble() const
{
    switch (m_type) {
    case eInt32:
        return m_u.i32;
    case eUns32:
        return m_u.u32;
    case eInt64:
        return static_cast<double>(m_u.i64);
    case eUns64:
        return static_cast<double>(m_u.u64);
    case eFloat32:
        return m_u.f32;
    case eFloat64:
        return m_u.f64;
    default:
        return 0.0;
    }
}

float QxValue::toFloat() const
{
    switch (m_type) {
    case eInt32:
        return static_cast<float>(m_u.i32);
    case eUns32:
        return static_cast<float>(m_u.u32);
    case eInt64:
        return static_cast<float>(m_u.i64);
    case eUns64:
        return static_cast<float>(m_u.u64);
    case eFloat32:
        return m_u.f32;
    case eFloat64:
        return static_cast<float>(m_u.f64);
    default:
        return 0.0f;
    }
}

QxValue QxValue::convert(uint32_t type) const
{
    if (type == m_type && isKnownType())
        return *this;
    switch (type) {
    case eInt32:
        return QxValue(toInt32());
    case eUns32:
        return QxValue(toUns32());
    case eInt64:
        return QxValue(toInt64());
    case eUns64:
        return QxValue(toUns64());
    case eFloat32:
        return QxValue(toFloat());
    case eFloat64:
        return QxValue(toDouble());
    default:
        return QxValue();
    }
}

wxString QxValue::toString() const
{
    if (m_type == eFloat32 || m_type == eFloat64)
        return wxString::FromCDouble(toDouble(), 6) + "D";
    return wxString::Format("%dL", toInt32());
}

bool QxValue::fromString(const wxString& text, QxValue& out)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const char* p = utf8.data();
    const char* end = p + utf8.length();
    while (p < end && std::strchr(" \t\r\n\f\v", *p))
        ++p;
    // from_chars reads the number in the C locale whatever the program's
    // locale; it takes no plus sign, so that is skipped here.
    const char* num = p;
    if (num < end && *num == '+' && num + 1 < end && *(num + 1) != '-')
        ++num;
    double number = 0.0;
    const auto res = std::from_chars(num, end, number);
    // No number at all, or one no double can hold.
    if (res.ec != std::errc())
        return false;
    const char letter = res.ptr < end ? *res.ptr : '\0';
    if (letter == 'L' || letter == 'l') {
        const double r = std::round(number); // halves away from zero
        out = QxValue(truncSaturated<int32_t>(r));
    } else {
        out = QxValue(number);
    }
    return true;
}
