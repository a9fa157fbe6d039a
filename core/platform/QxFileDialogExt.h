#pragma once
// GTK file dialogs return the typed name as it is, without the extension of
// the chosen filter, so a chart saved as "ibm" could not be found again by
// the "*.trdc" filter. These helpers add the filter's extension.
#include <wx/string.h>

#include <functional>

class wxFileDialog;

// The extension (without the dot) of the first pattern of filter number
// filterIndex of a wildcard such as "Chart (*.trdc)|*.trdc"; empty when the
// filter has no single extension ("*", "*.*", out of range).
wxString qxWildcardExtension(const wxString& wildcard, int filterIndex);

// path with "." + ext appended when its file name has no extension; paths
// that have one, an empty path and an empty ext come back unchanged.
wxString qxPathWithExtension(const wxString& path, const wxString& ext);

// The path chosen in a save dialog, with the extension of its current
// filter added when the typed name has none.
wxString qxChosenSavePath(const wxFileDialog& dialog);
// The same for a path the dialog gave.
wxString qxChosenSavePath(const wxString& path, const wxFileDialog& dialog);

// Shows dialog modally and gives the chosen path (for a save dialog with
// the extension of its current filter added when the typed name has none);
// empty when the user cancels. A save dialog that asks before overwriting
// asks too when the name with its extension added is a file already; No
// shows the dialog again with that name.
wxString qxChooseFile(wxFileDialog& dialog);

// GTK's file chooser reports no path unless it was really shown and used, so
// tests answer file dialogs here instead: while a responder is set,
// qxChooseFile asks it instead of showing the dialog (empty means cancel).
// Null goes back to showing.
void qxSetFileChooserResponder(std::function<wxString(wxFileDialog&)> responder);

class wxDirDialog;

// Shows a folder dialog modally and gives the chosen folder, empty when the
// user cancels; a responder set with qxSetFolderChooserResponder answers in
// its place, as for file dialogs.
wxString qxChooseFolder(wxDirDialog& dialog);
void qxSetFolderChooserResponder(std::function<wxString(wxDirDialog&)> responder);
