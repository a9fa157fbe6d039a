#include "chartview/QxPatternRegistry.h"

#include "chartview/QxZigZagPattern.h"

QxPatternRegistry& QxPatternRegistry::instance()
{
    static QxPatternRegistry registry;
    return registry;
}

QxPatternRegistry::QxPatternRegistry()
{
    addObj(new QxZigZagPattern());
}
