#include "core/platform/QxFileDialogExt.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
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
    return qxPathWithExtension(dialog.GetPath(),
                               qxWildcardExtension(dialog.GetWildcard(), dialog.GetFilterIndex()));
}

wxString qxChooseFile(wxFileDialog& dialog)
{
    wxString path;
    if (g_responder)
        path = g_responder(dialog);
    else if (dialog.ShowModal() == wxID_OK)
        path = dialog.GetPath();
    if (dialog.HasFlag(wxFD_SAVE))
        path = qxPathWithExtension(path, qxWildcardExtension(dialog.GetWildcard(), dialog.GetFilterIndex()));
    return path;
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
