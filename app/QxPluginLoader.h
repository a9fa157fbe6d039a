#pragma once
// Loads the plug-ins ("*.trdx" shared libraries exporting trdxMain) and keeps
// them loaded until it is destroyed. The application owns one loader: it
// scans the plug-ins folder at start-up, calls exitPlugins in OnExit and
// destroys the loader (unloading the libraries) last.
#include "core/QxPluginEntry.h"

#include <wx/string.h>

#include <memory>
#include <vector>

class wxDynamicLibrary;

class QxPluginLoader {
public:
    struct LoadResult {
        wxString path;
        int code; // QxErrorCode: 0, eFailedToLoadPlugin or eNotInvalidPlugin
    };

    QxPluginLoader();
    // Tells plug-ins not yet told (command 2), then unloads every library.
    ~QxPluginLoader();
    QxPluginLoader(const QxPluginLoader&) = delete;
    QxPluginLoader& operator=(const QxPluginLoader&) = delete;

    // Where the application looks for plug-ins.
    static wxString pluginsFolder();

    // Loads every "*.trdx" below folder (subfolders and hidden entries
    // included), in the order listed; a failure does not stop the scan.
    // A missing or empty folder loads nothing.
    std::vector<LoadResult> loadAll(const wxString& folder);

    // Loads one library with immediate binding and calls its trdxMain with 1.
    // 0; eFailedToLoadPlugin when the library does not load; eNotInvalidPlugin
    // when it has no trdxMain. A library already loaded is not entered twice.
    int loadPlugin(const wxString& path);

    // Calls every loaded plug-in's trdxMain with 2, in load order, once.
    void exitPlugins();

    std::size_t numLoaded() const { return m_plugins.size(); }
    std::vector<wxString> loadedPaths() const;

private:
    struct Plugin {
        wxString path;
        std::unique_ptr<wxDynamicLibrary> library;
        QxPluginEntryFn entry = nullptr;
        bool exited = false;
    };

    std::vector<Plugin> m_plugins;
};
