#include "trading/QxIdeaScan.h"

#include <wx/intl.h>

#include <algorithm>

int describeSignalMask(unsigned mask, wxString& text)
{
    // Each name has a catalogue entry of its own with and without the
    // separator, so translations may treat the continued form differently.
    struct Name {
        unsigned bit;
        const char* alone;
        const char* continued;
        bool buying;
    };
    static const Name names[] = {
        {1, wxTRANSLATE("Long Entry"), wxTRANSLATE(", Long Entry"), true},
        {2, wxTRANSLATE("Long Exit"), wxTRANSLATE(", Long Exit"), false},
        {4, wxTRANSLATE("Short Entry"), wxTRANSLATE(", Short Entry"), false},
        {8, wxTRANSLATE("Short Exit"), wxTRANSLATE(", Short Exit"), true},
    };
    bool buying = false;
    bool selling = false;
    for (const Name& name : names) {
        if (!(mask & name.bit))
            continue;
        text += wxGetTranslation(text.empty() ? name.alone : name.continued);
        (name.buying ? buying : selling) = true;
    }
    if (buying && selling)
        return eIdeaMixed;
    return selling ? eIdeaSelling : eIdeaBuying;
}

QxBarRange ideaScanBarRange(const int64_t* ts, size_t count, int64_t from, int64_t till)
{
    QxBarRange range;
    // A reversed range covers nothing rather than a stray bar near till.
    if (!ts || count == 0 || from > till)
        return range;
    const int64_t* end = ts + count;
    const size_t s = static_cast<size_t>(std::lower_bound(ts, end, from) - ts);
    if (s >= count)
        return range;
    const size_t e = static_cast<size_t>(std::lower_bound(ts, end, till) - ts) + 1;
    if (s >= e)
        return range;
    range.begin = s;
    range.end = std::min(e, count);
    return range;
}
