#pragma once
// A tagged number: an indicator or drawable parameter. Its one-line text
// form ("14L" for an integer, "2.000000D" for a double) is what the XML files
// store.
#include <wx/string.h>

#include <cstdint>

class QxValue {
public:
    enum Type : uint32_t {
        eInt32 = 0,
        eUns32 = 1,
        eInt64 = 2,
        eUns64 = 3,
        eFloat32 = 4,
        eFloat64 = 5,
    };

    // int32 0.
    QxValue() : m_type(eInt32) { m_u.u64 = 0; }
    QxValue(int32_t v) : m_type(eInt32) { m_u.u64 = 0; m_u.i32 = v; }
    QxValue(uint32_t v) : m_type(eUns32) { m_u.u64 = 0; m_u.u32 = v; }
    QxValue(int64_t v) : m_type(eInt64) { m_u.i64 = v; }
    QxValue(uint64_t v) : m_type(eUns64) { m_u.u64 = v; }
    QxValue(float v) : m_type(eFloat32) { m_u.u64 = 0; m_u.f32 = v; }
    QxValue(double v) : m_type(eFloat64) { m_u.f64 = v; }

    // A value with any type number (also one outside the table) and the raw
    // eight bytes of its number.
    static QxValue fromRaw(uint32_t type, uint64_t bits);

    uint32_t type() const { return m_type; }
    uint64_t rawBits() const { return m_u.u64; }
    bool isKnownType() const { return m_type <= eFloat64; }

    // Equal only when both types are equal and known and the numbers are
    // equal; values of different types never are (int32 5 differs from 5.0).
    bool operator==(const QxValue& other) const;
    bool operator!=(const QxValue& other) const { return !(*this == other); }

    // Integer types give their low bits; float and double are truncated
    // toward zero (saturating at the ends of the range, NaN giving 0); an
    // unknown type gives 0.
    int32_t toInt32() const;
    uint32_t toUns32() const;
    int64_t toInt64() const;
    uint64_t toUns64() const;
    float toFloat() const;
    double toDouble() const;

    // This value as the requested type; an unknown type number gives int32 0.
    QxValue convert(uint32_t type) const;

    // "%lfD" for float and double, "%dL" of toInt32() for every other type.
    // Written the same in every locale.
    wxString toString() const;
    // Reads the text form: a number, then "L"/"l" for an int32 (rounded to
    // the nearest integer, halves away from zero) or anything else for a
    // double. Text that does not start with a number is refused (false) and
    // out is left as it was.
    static bool fromString(const wxString& text, QxValue& out);

private:
    uint32_t m_type;
    union {
        int32_t i32;
        uint32_t u32;
        int64_t i64;
        uint64_t u64;
        float f32;
        double f64;
    } m_u;
};
