#include "core/platform/QxFileDialogExt.h"

#include "ui/QxMessages.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/tokenzr.h>

wxString qxWildcardExtension(const wxString& wildcard, int filterIndex)
{
    if (filterIndex < 0)
        return wxString();
    const wxArrayString parts = wxSplit(wildcard, '|', '\0');
    // A wildcard without '|' is a bare pattern list: filter 0.
    wxString patterns;
    if (parts.size() == 1 && filterIndex == 0)
        patterns = parts[0];
    else if (static_cast<size_t>(filterIndex) * 2 + 1 < parts.size())
        patterns = parts[static_cast<size_t>(filterIndex) * 2 + 1];
    else
        return wxString();
    const wxString first = patterns.BeforeFirst(';').Strip(wxString::both);
    if (!first.StartsWith("*."))
        return wxString();
    const wxString ext = first.Mid(2);
    if (ext.empty() || ext.find_first_of("*?.") != wxString::npos)
        return wxString();
    return ext;
}

wxString qxPathWithExtension(const wxString& path, const wxString& ext)
{
    if (path.empty() || ext.empty())
        return path;
    const wxFileName name(path);
    if (name.GetName().empty() || name.HasExt())
        return path;
    return path + "." + ext;
}

namespace {
std::function<wxString(wxFileDialog&)> g_responder;
}

wxString qxChosenSavePath(const wxFileDialog& dialog)
{
    return qxChosenSavePath(dialog.GetPath(), dialog);
}

wxString qxChosenSavePath(const wxString& path, const wxFileDialog& dialog)
{
    return qxPathWithExtension(path, qxWildcardExtension(dialog.GetWildcard(), dialog.GetFilterIndex()));
}

wxString qxChooseFile(wxFileDialog& dialog)
{
    while (true) {
        wxString chosen;
        if (g_responder)
            chosen = g_responder(dialog);
        else if (dialog.ShowModal() == wxID_OK)
            chosen = dialog.GetPath();
        if (chosen.empty() || !dialog.HasFlag(wxFD_SAVE))
            return chosen;
        const wxString path = qxChosenSavePath(chosen, dialog);
        // The dialog asked about the name it was given; a name that only
        // now gets its extension is asked about here.
        if (path == chosen || !dialog.HasFlag(wxFD_OVERWRITE_PROMPT) || !wxFileName::Exists(path))
            return path;
        const wxString question =
            wxString::Format(_("A file named \"%s\" already exists.\nDo you want to replace it?"),
                             wxFileName(path).GetFullName());
        QxMessage ask(QxMessageKind::Question, question, dialog.GetParent(), QxMessageButtons::YesNo);
        ask.noDefault = true;
        if (qxTell(ask) == QxAnswer::Yes)
            return path;
        // Back to the dialog, with the whole name in it to change.
        dialog.SetPath(path);
    }
}

void qxSetFileChooserResponder(std::function<wxString(wxFileDialog&)> responder)
{
    g_responder = std::move(responder);
}

namespace {
std::function<wxString(wxDirDialog&)> g_folderResponder;
}

wxString qxChooseFolder(wxDirDialog& dialog)
{
    if (g_folderResponder)
        return g_folderResponder(dialog);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

void qxSetFolderChooserResponder(std::function<wxString(wxDirDialog&)> responder)
{
    g_folderResponder = std::move(responder);
}
