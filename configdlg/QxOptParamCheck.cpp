#include "configdlg/QxOptParamCheck.h"

#include <wx/intl.h>

#include <cmath>
#include <cstdint>

wxString qxOptParamName(const TA_OptInputParameterInfo& info)
{
    if (info.displayName && *info.displayName)
        return wxString::FromUTF8(info.displayName);
    return wxString::FromUTF8(info.paramName ? info.paramName : "");
}

namespace {

// A whole number, with blanks around it allowed; false for anything else.
bool readInteger(const wxString& text, long long& out)
{
    wxString s(text);
    s.Trim(true).Trim(false);
    return !s.empty() && s.ToLongLong(&out);
}

} // namespace

bool qxReadRealNumber(const wxString& text, double& out)
{
    wxString s(text);
    s.Trim(true).Trim(false);
    // Only what a person writes as a number: the C reader also takes
    // "nan", "infinity" and "0x1p3", and "nan" passes every limit test.
    size_t i = 0;
    if (i < s.length() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    for (; i < s.length() && wxIsdigit(s[i]); ++i)
        ++digits;
    if (i < s.length() && s[i] == '.')
        for (++i; i < s.length() && wxIsdigit(s[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < s.length() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.length() && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t exponent = 0;
        for (; i < s.length() && wxIsdigit(s[i]); ++i)
            ++exponent;
        if (exponent == 0)
            return false;
    }
    double value = 0;
    if (i != s.length() || !s.ToCDouble(&value) || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

bool qxCheckOptParam(const TA_OptInputParameterInfo& info, const QxOptParamEntry& entry, QxValue& value,
                     wxString& message)
{
    const wxString name = qxOptParamName(info);
    switch (info.type) {
    case TA_OptInput_RealRange: {
        const auto* range = static_cast<const TA_RealRange*>(info.dataSet);
        double v = 0;
        if (!qxReadRealNumber(entry.text, v)) {
            message = wxString::Format(_("Value of '%s' can only be a real number."), name);
            return false;
        }
        if (range && v < range->min) {
            message = wxString::Format(_("Value of '%s' cannot be less than %.2lf"), name, range->min);
            return false;
        }
        if (range && v > range->max) {
            message = wxString::Format(_("Value of '%s' cannot be more than %.2lf"), name, range->max);
            return false;
        }
        value = QxValue(v);
        return true;
    }
    case TA_OptInput_IntegerRange: {
        const auto* range = static_cast<const TA_IntegerRange*>(info.dataSet);
        long long v = 0;
        if (!readInteger(entry.text, v))
            v = entry.spinValue;
        if (range && v < range->min) {
            message = wxString::Format(_("Value of %s cannot be less than %.2lf"), name, double(range->min));
            return false;
        }
        if (range && v > range->max) {
            message = wxString::Format(_("Value of %s cannot be more than %.2lf"), name, double(range->max));
            return false;
        }
        // Without a range the value still has to fit the parameter.
        if (v < INT32_MIN || v > INT32_MAX) {
            message = wxString::Format(_("Value of %s cannot be more than %.2lf"), name,
                                       double(v < 0 ? INT32_MIN : INT32_MAX));
            return false;
        }
        value = QxValue(int32_t(v));
        return true;
    }
    case TA_OptInput_RealList:
    case TA_OptInput_IntegerList: {
        if (entry.selection < 0 || unsigned(entry.selection) >= qxOptParamListSize(info)) {
            message = wxString::Format(_("Invalid value of %s."), name);
            return false;
        }
        value = qxOptParamListValue(info, unsigned(entry.selection));
        return true;
    }
    default:
        value = QxValue(int32_t(0));
        return true;
    }
}

wxString qxOptParamText(const QxValue& value) { return wxString::FromCDouble(value.toDouble(), 2); }

unsigned qxOptParamListSize(const TA_OptInputParameterInfo& info)
{
    if (!info.dataSet)
        return 0;
    if (info.type == TA_OptInput_RealList)
        return static_cast<const TA_RealList*>(info.dataSet)->nbElement;
    if (info.type == TA_OptInput_IntegerList)
        return static_cast<const TA_IntegerList*>(info.dataSet)->nbElement;
    return 0;
}

QxValue qxOptParamListValue(const TA_OptInputParameterInfo& info, unsigned index)
{
    if (index >= qxOptParamListSize(info))
        return QxValue();
    if (info.type == TA_OptInput_RealList)
        return QxValue(double(static_cast<const TA_RealList*>(info.dataSet)->data[index].value));
    return QxValue(int32_t(static_cast<const TA_IntegerList*>(info.dataSet)->data[index].value));
}

wxString qxOptParamListText(const TA_OptInputParameterInfo& info, unsigned index)
{
    if (index >= qxOptParamListSize(info))
        return wxString();
    const char* text = info.type == TA_OptInput_RealList
                           ? static_cast<const TA_RealList*>(info.dataSet)->data[index].string
                           : static_cast<const TA_IntegerList*>(info.dataSet)->data[index].string;
    return wxString::FromUTF8(text ? text : "");
}

int qxOptParamListIndex(const TA_OptInputParameterInfo& info, const QxValue& value)
{
    const bool real = info.type == TA_OptInput_RealList;
    for (unsigned i = 0; i < qxOptParamListSize(info); ++i) {
        const QxValue entry = qxOptParamListValue(info, i);
        if (real ? entry.toDouble() == value.toDouble() : entry.toInt32() == value.toInt32())
            return int(i);
    }
    return -1;
}
