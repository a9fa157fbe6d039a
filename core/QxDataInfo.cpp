#include "core/QxDataInfo.h"

wxString QxParamInfo::displayText() const
{
    switch (value.type()) {
    case QxValue::eInt32:
        return wxString::Format("%d", value.toInt32());
    case QxValue::eFloat64:
        // The same text whatever the locale, like the rest of the name.
        return wxString::FromCDouble(value.toDouble(), 2);
    default:
        return wxString();
    }
}
