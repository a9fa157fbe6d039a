#include "trading/QxSeriesChoiceItems.h"

#include "core/QxIndicator.h"
#include "trading/QxCondition.h"
#include "trading/QxSeriesText.h"
#include "trading/QxSignal.h"

#include <wx/intl.h>

#include <cmath>

namespace {

const uint32_t kPriceFields[] = {QxSeriesId::eSeriesOpen, QxSeriesId::eSeriesHigh, QxSeriesId::eSeriesLow,
                                 QxSeriesId::eSeriesClose, QxSeriesId::eSeriesVolume};
const double kPresetConstants[] = {0, 5, 10, 15, 20, 25, 30, 40, 50, 70, 80, 100, 150, 200};

QxIndicator* indicatorAt(const QxIndicatorList& indicators, size_t position)
{
    return position < indicators.size() ? indicators[position].get() : nullptr;
}

bool readsIndicator(const QxSeriesId& id)
{
    return id.kind() == QxSeriesId::eSeriesIndicator && id.isValid();
}

} // namespace

QxSeriesItem QxSeriesItem::priceField(uint32_t seriesKind)
{
    QxSeriesItem item(ePriceField);
    item.m_priceKind = seriesKind;
    priceFieldName(seriesKind, item.m_text);
    return item;
}

QxSeriesItem QxSeriesItem::indicatorOutput(const QxIndicatorList& indicators, size_t position, uint32_t output)
{
    QxSeriesItem item(eIndicatorOutput);
    item.m_indicator = position;
    item.m_output = output;
    indicatorSeriesText(indicatorAt(indicators, position), output, item.m_text);
    return item;
}

QxSeriesItem QxSeriesItem::constant(double value)
{
    QxSeriesItem item(eConstant);
    item.m_value = value;
    item.m_text = wxString::FromDouble(value);
    return item;
}

QxSeriesItem QxSeriesItem::otherValue()
{
    QxSeriesItem item(eOtherValue);
    item.m_text = _("Other fixed value");
    return item;
}

QxSeriesItem QxSeriesItem::addIndicator()
{
    QxSeriesItem item(eAddIndicator);
    item.m_text = _("Add indicator");
    return item;
}

QxSeriesId QxSeriesItem::seriesId(const QxIndicatorList& indicators) const
{
    switch (m_kind) {
    case ePriceField:
        return QxSeriesId(m_priceKind);
    case eIndicatorOutput:
        if (QxIndicator* indicator = indicatorAt(indicators, m_indicator))
            return QxSeriesId(indicator, m_output);
        return QxSeriesId::null();
    case eConstant:
        return QxSeriesId::constant(m_value);
    default:
        return QxSeriesId::null();
    }
}

size_t addIndicator(QxIndicatorList& indicators, QxIndicator* indicator, bool* added)
{
    if (added)
        *added = false;
    if (!indicator)
        return indicators.size();
    for (size_t i = 0; i < indicators.size(); ++i) {
        if (indicators[i]->isEquivalent(indicator))
            return i;
    }
    indicators.emplace_back(indicator);
    if (added)
        *added = true;
    return indicators.size() - 1;
}

void collectIndicators(const QxSignal* signal, QxIndicatorList& indicators)
{
    if (!signal)
        return;
    for (unsigned i = 0; i < signal->getNumConditions(); ++i) {
        const QxCondition* condition = signal->getConditionAt(i);
        if (!condition)
            continue;
        if (readsIndicator(condition->getFirstSeries()))
            addIndicator(indicators, condition->getFirstSeries().indicator());
        if (readsIndicator(condition->getSecondSeries()))
            addIndicator(indicators, condition->getSecondSeries().indicator());
    }
}

QxSeriesItems seriesItems(const QxIndicatorList& indicators, bool secondList)
{
    QxSeriesItems items;
    for (uint32_t kind : kPriceFields)
        items.push_back(QxSeriesItem::priceField(kind));
    for (size_t i = 0; i < indicators.size(); ++i) {
        const QxSeriesItems outputs = outputItems(indicators, i);
        items.insert(items.end(), outputs.begin(), outputs.end());
    }
    if (secondList) {
        for (double value : kPresetConstants)
            items.push_back(QxSeriesItem::constant(value));
        items.push_back(QxSeriesItem::otherValue());
    }
    items.push_back(QxSeriesItem::addIndicator());
    return items;
}

QxSeriesItems outputItems(const QxIndicatorList& indicators, size_t position)
{
    QxSeriesItems items;
    if (QxIndicator* indicator = indicatorAt(indicators, position))
        for (uint32_t output = 0; output < indicator->outputInfos().size(); ++output)
            items.push_back(QxSeriesItem::indicatorOutput(indicators, position, output));
    return items;
}

size_t outputInsertPosition(const QxSeriesItems& items)
{
    size_t position = 0;
    while (position < items.size() && items[position].kind() == QxSeriesItem::ePriceField)
        ++position;
    while (position < items.size() && items[position].kind() == QxSeriesItem::eIndicatorOutput)
        ++position;
    return position;
}

size_t constantInsertPosition(const QxSeriesItems& items)
{
    size_t position = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const QxSeriesItem::Kind kind = items[i].kind();
        if (kind == QxSeriesItem::ePriceField || kind == QxSeriesItem::eIndicatorOutput ||
            kind == QxSeriesItem::eConstant)
            position = i + 1;
    }
    return position;
}

int findConstant(const QxSeriesItems& items, double value)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].kind() == QxSeriesItem::eConstant && items[i].value() == value)
            return static_cast<int>(i);
    return -1;
}

int findSeries(const QxSeriesItems& items, const QxSeriesId& id, const QxIndicatorList& indicators)
{
    if (id.kind() == QxSeriesId::eSeriesConstant)
        return findConstant(items, id.value());
    for (size_t i = 0; i < items.size(); ++i) {
        const QxSeriesItem& item = items[i];
        if (id.kind() < QxSeriesId::eSeriesIndicator) {
            if (item.kind() == QxSeriesItem::ePriceField && item.priceKind() == id.kind())
                return static_cast<int>(i);
        } else if (id.kind() == QxSeriesId::eSeriesIndicator && id.indicator()) {
            QxIndicator* listed = indicatorAt(indicators, item.indicator());
            if (item.kind() == QxSeriesItem::eIndicatorOutput && item.output() == id.outputIndex() && listed &&
                listed->isEquivalent(id.indicator()))
                return static_cast<int>(i);
        }
    }
    return -1;
}

bool parseFixedValue(const wxString& text, double& value)
{
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    double parsed = 0.0;
    // The C form first, as the lists write numbers; then the user's own.
    if (!trimmed.ToCDouble(&parsed) && !trimmed.ToDouble(&parsed))
        return false;
    if (!std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
