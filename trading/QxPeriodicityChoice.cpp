#include "trading/QxPeriodicityChoice.h"

#include <wx/intl.h>

namespace {

constexpr Qx::QxPeriod kPeriods[] = {Qx::eDaily, Qx::eWeekly, Qx::eMonthly, Qx::eQuarterly,
                                     Qx::eYearly};
constexpr int kCount = static_cast<int>(sizeof(kPeriods) / sizeof(kPeriods[0]));

} // namespace

void QxPeriodicityChoice::fillPeriodChoice()
{
    Append(_("Daily"));
    Append(_("Weekly"));
    Append(_("Monthly"));
    Append(_("Quarterly"));
    Append(_("Yearly"));
}

void QxPeriodicityChoice::setPeriodChoice(int32_t seconds)
{
    const int index = indexOfPeriod(seconds);
    if (index < static_cast<int>(GetCount()))
        SetSelection(index);
}

Qx::QxPeriod QxPeriodicityChoice::getPeriodFromChoice() const
{
    return periodAtIndex(GetSelection());
}

Qx::QxPeriod QxPeriodicityChoice::periodAtIndex(int index)
{
    return index >= 0 && index < kCount ? kPeriods[index] : Qx::eDaily;
}

int QxPeriodicityChoice::indexOfPeriod(int32_t seconds)
{
    for (int i = 0; i < kCount; ++i)
        if (kPeriods[i] == seconds)
            return i;
    return 0;
}
