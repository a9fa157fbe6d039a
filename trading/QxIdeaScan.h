#pragma once
// The parts of an idea-finding scan that need no window or thread: which
// bars of a history a date range covers, and how a signal mask is shown.
#include <wx/string.h>

#include <cstddef>
#include <cstdint>

// Kinds of a result row; each is both its icon index and its colour index.
enum QxIdeaKind { eIdeaBuying = 0, eIdeaSelling = 1, eIdeaMixed = 2 };

// Appends to text the names of the signals of mask (1 long entry, 2 long
// exit, 4 short entry, 8 short exit), separated by ", ", and returns the
// kind: buying for long entries and short exits, selling for long exits and
// short entries, mixed for both; buying for an empty mask.
int describeSignalMask(unsigned mask, wxString& text);

// Bars [begin, end) of a history with ascending timestamps ts that a scan
// from..till evaluates: from the first bar at or after from up to and
// including the first bar at or after till (the last bar when none is).
struct QxBarRange {
    size_t begin = 0;
    size_t end = 0;
    bool empty() const { return begin >= end; }
};
QxBarRange ideaScanBarRange(const int64_t* ts, size_t count, int64_t from, int64_t till);
