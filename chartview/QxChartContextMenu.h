#pragma once
// What the chart view's context menu offers for one zone: built anew for
// every right click from a few facts about the zone, as a plain list of
// items and the id ranges the view binds to its commands while the menu is
// shown. Nothing here needs a window, so the menu is decided and checked
// without one.
#include <wx/string.h>

#include <vector>

class QxChart;
class wxMenu;

// Ids of the menu's items; an indicator's or a pattern's index in its zone
// is added to the first id of its range.
enum QxChartMenuId : int {
    eMenuConfigureIndicatorSub = 6999,
    eMenuConfigureIndicator = 7000,
    eMenuRemoveIndicatorSub = 7999,
    eMenuRemoveIndicator = 8000,
    eMenuConfigurePatternSub = 8999,
    eMenuConfigurePattern = 9000,
    eMenuRemovePatternSub = 9999,
    eMenuRemovePattern = 10000,
    eMenuRemoveAllIndicators = 10999,
    eMenuRemoveIndicsFromZone = 11001,
    eMenuRemoveAllPatterns = 11002,
    eMenuShowHideVolume = 11003,
    eMenuChartConfiguration = 11004,
    eMenuOpenQuoteEditor = 11005,
};

// One item; a separator has id 0 and no text, a submenu its own items.
struct QxChartMenuItem {
    int id = 0;
    wxString text;
    wxString help;
    std::vector<QxChartMenuItem> submenu;

    bool isSeparator() const { return id == 0; }
};

// The view's commands behind the items.
enum class QxChartMenuCommand {
    eConfigureIndicator,
    eRemoveIndicator,
    eRemoveIndicsFromZone,
    eRemoveAllIndicators,
    eConfigPattern,
    eRemovePattern,
    eRemoveAllPatterns,
    eShowHideVolume,
    eOpenQuoteEditor,
    eChartConfiguration,
};

// Ids first..last go to command while the menu is shown.
struct QxChartMenuBinding {
    QxChartMenuCommand command;
    int first;
    int last;
};

struct QxChartMenu {
    std::vector<QxChartMenuItem> items;
    std::vector<QxChartMenuBinding> bindings;
};

// What the menu of a zone depends on.
struct QxZoneMenuFacts {
    // Display names of the zone's indicators, in zone order.
    std::vector<wxString> indicators;
    // The main or the volume zone: its first indicator is the price or the
    // volume, which the user cannot configure or remove here.
    bool firstIsBuiltIn = false;
    // Display texts of the zone's patterns, in order.
    std::vector<wxString> patterns;
    unsigned numZones = 0;
    bool volumeShown = true;
};

// The facts of zone index of chart (empty facts for a zone it lacks).
QxZoneMenuFacts qxZoneMenuFacts(const QxChart& chart, unsigned index);

// The menu for a zone.
QxChartMenu qxBuildChartMenu(const QxZoneMenuFacts& facts);

// A menu of the items; the caller owns it.
wxMenu* qxCreateMenu(const std::vector<QxChartMenuItem>& items);
