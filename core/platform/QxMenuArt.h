#pragma once
// Bitmaps of menu items. GTK draws its own check and radio marks and shows
// no bitmap beside them, so on GTK those items get none and only normal
// items carry their art.
#include <wx/menuitem.h>
#include <wx/string.h>

// Whether check and radio items of this toolkit show bitmaps.
bool qxCheckItemsShowBitmaps();

// Gives item the bitmap(s) of artId: a normal item one bitmap of client
// "wxART_MENU_C"; a check or radio item, where the toolkit shows them, a
// checked and an unchecked bitmap of the checked and unchecked menu clients.
// An empty art id gives nothing.
void qxSetMenuItemArt(wxMenuItem* item, const wxString& artId);
