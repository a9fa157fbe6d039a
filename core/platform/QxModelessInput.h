#pragma once
// A window shown beside a running modal dialog (the price editor's split
// details, the help viewer) must take the user's input, and must leave the
// modal dialog taking it too. Under GTK a modal dialog grabs the input of its
// whole window group; and the framework, while a modal dialog runs, puts
// every window realized meanwhile into that same group and gives it a grab
// of its own, which stays when the window is hidden and so holds every other
// window of the group. Such a window therefore gets a group of its own.
class wxTopLevelWindow;

// Call once the window has been shown (it is realized here when it is not
// yet). Moves the window into a group of its own, which drops any grab it
// holds in its former group; calling it again for a window already in a
// group of its own changes nothing. Does nothing where the toolkit needs
// nothing.
void qxAcceptInputBesideModal(wxTopLevelWindow* window);

// Whether the window is in a window group of its own (always true where the
// toolkit has no window groups).
bool qxHasOwnInputGroup(const wxTopLevelWindow* window);
