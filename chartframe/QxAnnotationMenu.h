#pragma once
// The "&Annotations" menu of chart frames and the table-driven menu builder
// it uses.
#include <wx/menu.h>
#include <wx/string.h>

// One menu item of a table; a table ends with the record whose id is 0.
struct QxMenuItemRecord {
    int id;
    const char* label;
    const char* help;
    int kind;        // -1 separator, 0 normal, 1 check
    const char* art; // empty: no bitmap
};

// Appends the records of table to menu, in order, up to the one with id 0.
// Labels and help texts are translated; bitmaps come from the art provider.
void appendMenuItems(wxMenu* menu, const QxMenuItemRecord* table);

// A new menu (owned by the caller) of the annotation tools as check items;
// with withAdvancedTools the pitchfork, regression channel, Fibonacci
// retracement and snap-to-price items follow.
wxMenu* createAnnotationMenu(bool withAdvancedTools);
