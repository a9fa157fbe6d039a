#pragma once
// The bar-period choice of the idea-finder and tester dialogs: five entries,
// Daily to Yearly, each standing for a period in seconds.
#include "core/QxTime.h"

#include <wx/choice.h>

class QxPeriodicityChoice : public wxChoice {
public:
    using wxChoice::wxChoice;

    // Appends "Daily", "Weekly", "Monthly", "Quarterly" and "Yearly".
    void fillPeriodChoice();
    // Selects the entry of seconds; Daily for a period not offered.
    void setPeriodChoice(int32_t seconds);
    // The period of the selected entry; Daily when nothing is selected.
    Qx::QxPeriod getPeriodFromChoice() const;

    // The mapping itself, without a control.
    static Qx::QxPeriod periodAtIndex(int index);
    static int indexOfPeriod(int32_t seconds);
};
