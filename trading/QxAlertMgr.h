#pragma once
// The process-wide keeper of alert settings and of the alerts they fired.
// It is created at the end of start-up, saves the alert file "alert_repo.xml"
// in the user data folder at exit, and is destroyed with the application.
//
// Alert settings and alerts themselves are not kept yet: until they are, the
// manager carries the elements of an existing alert file through a run
// unchanged, so a file written by a fuller build loses nothing here.
#include <wx/string.h>

#include <cstdint>
#include <memory>
#include <vector>

class wxXmlDocument;

// An observer of the alert manager, told when alerts are added, when they
// are evaluated again and when one changes.
class QxAlertReactor {
public:
    virtual ~QxAlertReactor() = default;
    virtual void onAlertAdded() = 0;
    virtual void onAlertsEvaluated() = 0;
    virtual void onAlertChanged() = 0;
};

class QxAlertMgr {
public:
    // The manager, created on the first call with an evaluation start one
    // calendar month before now; creating it loads the alert file.
    static QxAlertMgr* get();
    // The manager if it exists, without creating it.
    static QxAlertMgr* existing();
    // Deletes the manager without saving; a later get() creates a new one.
    static void destroy();

    // Writes the alert file (through a temporary file, so a failed write
    // keeps the old one). True when the file was written. An alert file
    // that could not be read was set aside (and the user told) when the
    // manager was created; one that could not even be moved aside is never
    // written over.
    bool save();

    // Observers are told in the order they registered; registering twice
    // keeps one entry, removing an unknown one does nothing.
    void addAlertReactor(QxAlertReactor* reactor);
    void removeAlertReactor(QxAlertReactor* reactor);
    size_t numAlertReactors() const { return m_reactors.size(); }
    // Alerts whose status is 2 (fired, not yet looked at). No alert is kept
    // by this build, so none are waiting.
    unsigned numWaitingAlerts() const { return 0; }

    // Bars before this packed timestamp are never evaluated.
    int64_t evaluationStart() const { return m_evaluationStart; }

    // "alert_repo.xml" in the user data folder.
    static wxString filePath();

private:
    explicit QxAlertMgr(int64_t evaluationStart);
    ~QxAlertMgr();
    QxAlertMgr(const QxAlertMgr&) = delete;
    QxAlertMgr& operator=(const QxAlertMgr&) = delete;

    void load();

    int64_t m_evaluationStart;
    // The alert file as read, whose settings are written back as they came.
    std::unique_ptr<wxXmlDocument> m_loaded;
    bool m_keepOldFile = false;
    std::vector<QxAlertReactor*> m_reactors;
};
