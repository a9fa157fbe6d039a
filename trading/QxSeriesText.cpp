#include "trading/QxSeriesText.h"

#include "core/QxIndicator.h"
#include "core/QxSeriesId.h"

#include <wx/intl.h>

bool priceFieldName(uint32_t kind, wxString& text)
{
    switch (kind) {
    case QxSeriesId::eSeriesOpen:
        text = _("Open");
        return true;
    case QxSeriesId::eSeriesHigh:
        text = _("High");
        return true;
    case QxSeriesId::eSeriesLow:
        text = _("Low");
        return true;
    case QxSeriesId::eSeriesClose:
        text = _("Close");
        return true;
    case QxSeriesId::eSeriesVolume:
        text = _("Volume");
        return true;
    case QxSeriesId::eSeriesOpenInterest:
        text = _("Open Interest");
        return true;
    default:
        return false;
    }
}

bool indicatorSeriesText(QxIndicator* indicator, uint32_t outputIndex, wxString& text)
{
    if (!indicator)
        return false;
    wxString result = indicator->getDisplayName();
    const std::vector<QxAtom>& outputs = indicator->outputInfos();
    if (outputs.size() > 1 && outputIndex < outputs.size())
        result << "." << outputs[outputIndex].string();
    text = result;
    return true;
}

bool seriesIdText(const QxSeriesId& id, wxString& text)
{
    switch (id.kind()) {
    case QxSeriesId::eSeriesConstant:
        text = wxString::FromDouble(id.value());
        return true;
    case QxSeriesId::eSeriesIndicator: {
        // Our own reference: naming the indicator may run code that drops
        // the caller's last one.
        QxObjectSmartPtr<QxIndicator> indicator(id.indicator());
        return indicatorSeriesText(indicator.get(), id.outputIndex(), text);
    }
    default:
        return priceFieldName(id.kind(), text);
    }
}
