#include "app/QxPluginLoader.h"

#include "core/QxErrorCode.h"
#include "core/platform/wxeStandardPaths.h"

#include <wx/dir.h>
#include <wx/dynlib.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {

wxString canonicalPath(const wxString& path)
{
    wxFileName name(path);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_TILDE);
    return name.GetFullPath();
}

} // namespace

QxPluginLoader::QxPluginLoader() = default;

QxPluginLoader::~QxPluginLoader()
{
    // A plug-in's objects live in its library: they must be unregistered
    // before the code behind their virtual tables goes away.
    exitPlugins();
    while (!m_plugins.empty())
        m_plugins.pop_back(); // unload in reverse load order
}

wxString QxPluginLoader::pluginsFolder()
{
    return wxeStandardPaths().GetPluginsDir();
}

std::vector<QxPluginLoader::LoadResult> QxPluginLoader::loadAll(const wxString& folder)
{
    std::vector<LoadResult> results;
    wxArrayString files;
    {
        wxLogNull quiet; // failures are silent
        if (folder.empty() || !wxDir::Exists(folder))
            return results;
        wxDir::GetAllFiles(folder, &files, "*.trdx", wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN);
    }
    for (const wxString& path : files)
        results.push_back({path, loadPlugin(path)});
    return results;
}

int QxPluginLoader::loadPlugin(const wxString& path)
{
    wxLogNull quiet; // failures are silent
    const wxString canonical = canonicalPath(path);
    for (const Plugin& plugin : m_plugins)
        if (plugin.path == canonical)
            return eNoError;

    auto library = std::make_unique<wxDynamicLibrary>();
    if (!library->Load(canonical, wxDL_NOW | wxDL_VERBATIM | wxDL_QUIET))
        return eFailedToLoadPlugin;
    if (!library->HasSymbol(kPluginEntryName))
        return eNotInvalidPlugin;
    auto entry = reinterpret_cast<QxPluginEntryFn>(library->GetSymbol(kPluginEntryName));
    if (!entry)
        return eNotInvalidPlugin;

    // Entered before the call, so a plug-in that loads is always told to unload.
    m_plugins.push_back({canonical, std::move(library), entry, false});
    entry(QxPluginCommand::eLoad);
    return eNoError;
}

void QxPluginLoader::exitPlugins()
{
    for (Plugin& plugin : m_plugins) {
        if (plugin.exited)
            continue;
        plugin.exited = true;
        plugin.entry(QxPluginCommand::eUnload);
    }
}

std::vector<wxString> QxPluginLoader::loadedPaths() const
{
    std::vector<wxString> paths;
    for (const Plugin& plugin : m_plugins)
        paths.push_back(plugin.path);
    return paths;
}
