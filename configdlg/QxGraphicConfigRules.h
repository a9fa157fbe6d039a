#pragma once
// The rules behind the indicator's "Graphics" and "Input Series" pages, kept
// apart from the windows: how an input entry's client value names a series,
// which graphic kinds the Add menu offers and how a new graphic's roles are
// bound, which list buttons are enabled, and the text that describes a
// graphic's bindings.
#include "core/QxAtom.h"
#include "core/QxIndicSeriesSelector.h"
#include "core/QxSeriesId.h"

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class QxDrawable;
class QxIndicator;

// The client value of an input entry is the price kind for a price field, or
// 16384 + (source position << 16) + (output << 24) for a source's output, so
// positions and outputs must stay below this.
constexpr unsigned kMaxInputSources = 256;

// The price kinds an input may take, in the order they are listed (open
// interest is not offered).
const std::vector<uint32_t>& inputPriceKinds();
// The client value of output of the source at position; 0 when either does
// not fit its eight bits.
uint32_t inputEntryValue(unsigned position, unsigned output);
// The series a client value names: a price field below 16384, else the
// output of sources[(v >> 16) & 255], or the null id when that source or
// output does not exist.
QxSeriesId inputEntrySeries(uint32_t value, const QxIndicatorList& sources);
// The client value to select for id: its price kind, its source's entry
// (the first position holding that indicator), the close for a null or
// unusable id, and 0 (nothing to select) for open interest, a constant or a
// source not in the list.
uint32_t inputEntryValueOf(const QxSeriesId& id, const QxIndicatorList& sources);

// The number of roles of drawable with a data (indicator-output) kind.
size_t dataRoleCount(const QxDrawable& drawable);
// The registered graphic kinds, in registry order, whose data roles an
// indicator with outputCount outputs can all feed.
std::vector<QxAtom> offeredGraphicKinds(size_t outputCount);
// Binds a new graphic's roles: data roles take indicator's outputs in
// order, wrapping round; constant roles take 0.
void bindNewGraphicRoles(QxDrawable& drawable, QxIndicator* indicator);

struct QxGraphicButtonStates {
    bool modify = false;
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;
};
// What the Modify, Remove, Move Up and Move Down buttons allow with row
// selected (-1: none) of count rows; the last graphic cannot be removed.
QxGraphicButtonStates graphicButtonStates(long selected, size_t count);

// "Data= SMA(30)[Close]" style text of the graphic's bindings: each data
// role's series text, each constant role's value, joined with ", ".
wxString describeGraphic(const QxDrawable& drawable);
