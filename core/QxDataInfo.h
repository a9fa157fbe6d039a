#pragma once
// Descriptions of one indicator parameter (QxParamInfo) and of one data role
// of a drawable or colour scheme (QxDataInfo).
#include "core/QxAtom.h"
#include "core/QxValue.h"

#include <wx/string.h>

#include <cstdint>

struct QxParamInfo {
    QxParamInfo() = default;
    QxParamInfo(const QxAtom& name_, const wxString& text_, const QxValue& value_)
        : name(name_), text(text_), value(value_)
    {
    }

    // The value as an indicator's display name shows it: "%d" for int32,
    // two decimals for double, nothing for other types.
    wxString displayText() const;

    QxAtom name;     // for TA-Lib functions the display name ("Time Period")
    wxString text;   // shown to the user
    QxValue value;   // the default in a default list, the current value otherwise
};

struct QxDataInfo {
    QxDataInfo() = default;
    QxDataInfo(const QxAtom& name_, const wxString& text_, uint32_t kind_)
        : name(name_), text(text_), kind(kind_)
    {
    }

    QxAtom name;       // the role name, such as "DATA"
    wxString text;     // the role's description
    uint32_t kind = 0; // the QxSeriesId kind the role takes
};
