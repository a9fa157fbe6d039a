#pragma once
// A window shown beside a running modal dialog (the price editor's split
// details) must take the user's input. Under GTK a modal dialog grabs the
// input of its whole window group, so such a window gets a group of its own.
class wxTopLevelWindow;

// Call once the window exists, before it is shown. Does nothing where the
// toolkit needs nothing.
void qxAcceptInputBesideModal(wxTopLevelWindow* window);
