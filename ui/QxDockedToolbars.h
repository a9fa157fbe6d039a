#pragma once
// The toolbars of a frame are built lying; the toolkit turns one docked at a
// side upright at the first idle time, each turn a full relayout and a
// synchronous repaint of the frame. A frame turns its new toolbars before its
// first layout instead, and the layout is the same at once.
class wxAuiManager;

// Turns upright every toolbar of the manager docked at the left or right and
// gives its pane the upright size; the others stay as they are. Only for
// toolbars still lying, as they are when built.
void turnSideToolbarsUpright(wxAuiManager& manager);
