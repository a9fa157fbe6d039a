#pragma once
// The one application object of the program: start-up, the current
// database, the plug-ins, the configuration store, frame tracking, the
// idle-task queue's driver and the orderly shutdown.
#include "app/QxIdleTaskQueue.h"
#include "core/QxDatabase.h"
#include "core/QxObject.h"
#include "core/platform/wxConfigEx.h"

#include <wx/app.h>
#include <wx/datetime.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QxIndicator;
class QxPluginLoader;
class QxTopLevelWindow;
class wxFrame;

// The program's top-level frames in the order they were last created or
// activated. Every frame registers when built and leaves from its
// destructor; the most recent of the remaining frames gets the focus when
// another closes.
class QxFrameTracker {
public:
    // Gives frame the next sequence number (registering it); returns the
    // number of live frames.
    unsigned add(wxFrame* frame);
    // Records frame as the active frame and gives it the next sequence
    // number. Null only clears the active frame. A frame that is not live
    // (never registered, or already gone) is ignored, so a late activation
    // event of a dying frame cannot bring it back.
    void setActive(wxFrame* frame);
    wxFrame* active() const { return m_active; }
    // Forgets frame, and clears the active frame when it names it. Whether
    // the frame was live.
    bool remove(wxFrame* frame);
    // The live frame with the highest sequence number, or null.
    wxFrame* mostRecent() const;
    unsigned count() const { return static_cast<unsigned>(m_frames.size()); }
    bool isLive(wxFrame* frame) const { return m_frames.count(frame) != 0; }

private:
    std::map<wxFrame*, uint32_t> m_frames;
    wxFrame* m_active = nullptr;
    uint32_t m_counter = 0;
};

class QxApplication : public wxApp, public QxIdleEventHandler {
public:
    QxApplication();
    ~QxApplication() override;

    // The application object; null when the running wxApp is not a
    // QxApplication (the test programs).
    static QxApplication* getApp();

    wxConfigEx& getConfig() { return m_config; }

    QxDatabase* currentDatabase() { return m_currentDatabase.get(); }
    const QxDatabase* currentDatabase() const { return m_currentDatabase.get(); }
    // eInvalidInputObject for null, eDatabaseAlreadyInUse when a database is
    // set already (the first stays); else keeps a reference to it.
    int setCurrentDatabase(QxDatabase* database);
    // Replaces the current database unconditionally.
    void changeDatabase(QxObjectSmartPtr<QxDatabase> database);

    // "Corvane Trendoria 2014": message-box captions and frame titles.
    const wxString& getAppName() const { return m_appTitle; }
    // The same title, for windows shown with no application object.
    static const wxString& appTitle();

    wxWindow* GetTopWindow() const override;
    // The hidden parent window of dialogs that must block every frame.
    wxWindow* appModalParent() const;

    wxFrame* activeFrame() const { return m_frames.active(); }
    void setActiveFrame(wxFrame* frame);
    // Registers a new frame; returns the number of live frames.
    unsigned newFrameCreated(wxFrame* frame);
    // Called from a frame's destructor: forgets it, focuses the most recent
    // remaining frame at idle time, and ends the program when none remain.
    // Returns the number of live frames left.
    unsigned frameWillBeDeleted(wxFrame* frame);
    unsigned numLiveFrame() const { return m_frames.count(); }

    // The deferred call posted after a frame closed: focuses the most
    // recently created or activated live frame.
    void onIdle(unsigned delayMs, long arg) override;
    void destroyCallData(long arg) override;

    // Loads one plug-in library and calls its trdxMain with 1: 0,
    // eFailedToLoadPlugin or eNotInvalidPlugin.
    int loadPlugin(const wxString& path);
    // Asks the maker's web endpoint for the latest build; silent reports
    // nothing unless a newer build exists.
    void checkForUpdate(bool silent) const;
    // The text of an error code; "UNKNOWN ERROR" outside the table.
    wxString getErrorDesc(int code) const;

    // The indicator registry.
    int addIndicator(QxIndicator* indicator);
    QxIndicator* getIndicator(const QxAtom& name);
    const QxIndicator* getIndicator(const QxAtom& name) const;
    int removeIndicator(const QxAtom& name);
    int getIndicatorGroups(std::vector<QxAtom>& groups) const;
    int getIndicatorNames(const QxAtom& group, std::vector<QxAtom>& names) const;
    // Registers the indicators of the catalogue.
    void addBuiltInIndicators();

    // The global settings record from and to "/global/".
    void readGlobalVars();
    void writeGlobalVars();

    // Called by the hidden window's destructor.
    void topLevelWindowGone(QxTopLevelWindow* window);

    // Start-up helpers, public so they can be exercised on their own.

    // Reads "first_time_launch" (true when absent) and stores false; returns
    // whether this is the first launch.
    static bool markFirstLaunch(wxConfigBase& config);

    enum class UpdateSchedule {
        eFirstRecorded, // no time stored: now written, no check
        eNotDue,        // fewer than 11 days, a future time, or unreadable: nothing written
        eChecked,       // 11 days or more: checked and now written
    };
    // The automatic update check: runs check when the time stored under
    // "/last_update_check/timestamp" is 11 or more whole days before now.
    // The store's current path is kept.
    static UpdateSchedule runUpdateSchedule(wxConfigBase& config, const wxDateTime& now,
                                            const std::function<void()>& check);

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
    void CleanUp() override;
    bool ProcessIdle() override;

private:
    void loadPlugins();
    void showStartupFailure(const wxString& why);
    // Shown at once after start-up; during start-up, kept and shown
    // together once the home window is up.
    void tellUser(const wxString& text);

    QxObjectSmartPtr<QxDatabase> m_currentDatabase;
    std::unique_ptr<QxPluginLoader> m_plugins;
    wxConfigEx m_config;
    wxConfigBase* m_previousConfig = nullptr; // the framework's, made before ours
    QxFrameTracker m_frames;
    QxTopLevelWindow* m_hiddenParent = nullptr;
    wxString m_appTitle;
    bool m_socketsInitialised = false;
    bool m_startupDone = false;
    std::vector<wxString> m_startupNotices;
};

