#include "chartview/QxPatternRegistry.h"

#include "chartview/QxCandlestickPattern.h"
#include "chartview/QxPricePattern.h"
#include "chartview/QxZigZagPattern.h"

QxPatternRegistry& QxPatternRegistry::instance()
{
    static QxPatternRegistry registry;
    return registry;
}

QxPatternRegistry::QxPatternRegistry()
{
    addObj(new QxZigZagPattern());
    addObj(new QxDoubleTop());
    addObj(new QxHeadAndShoulder());
    addObj(new QxCandlestickPattern());
}
