#pragma once
// The process-wide keeper of alert settings and of the alerts they fired.
// Every setting maps to the securities that carry it and each such pair to
// its alert list. Settings are evaluated at idle time whenever a security's
// daily prices change or a setting is added; observers hear of every change.
// The manager is created at the end of start-up, loads "alert_repo.xml" from
// the user data folder, and writes it whenever the user changes something
// (a setting added or removed, an alert read, marked unread or deleted) and
// at exit; a failed write is told once and the state stays in memory. A
// file another Trendoria changed since this one read it is not written over.
//
// Settings and securities the manager cannot resolve in this run (a system
// the store no longer lists or cannot read, a security of another database,
// no database at all) are carried through the run, listed as orphans that
// the user may remove, and written back as they came. A file it cannot read
// is renamed out of the way (the user is told once) and never written over.
#include "app/QxIdleTaskQueue.h"
#include "core/QxDataReactors.h"
#include "core/QxSecurity.h"
#include "core/QxSecurityKey.h"
#include "core/QxUserNotice.h"
#include "core/QxXmlFile.h"
#include "trading/QxAlertSetting.h"

#include <wx/string.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QxDatabase;
class wxXmlDocument;
class wxXmlNode;

using QxAlertSettingPtr = QxObjectSmartPtr<QxAlertSetting>;
using QxSecurityPtr = QxObjectSmartPtr<QxSecurity>;
// The alerts of one pair by timestamp; the latest entry is the marker.
using QxAlertList = std::map<int64_t, QxAlert>;

// A setting of the file that is not evaluated in this run, as the file
// names it, with the reason in a sentence.
struct QxOrphanAlertSetting {
    unsigned id = 0;      // for removeOrphan; stable while the manager lives
    wxString security;    // the security as the file names it
    wxString description; // the rule, as a setting describes itself
    wxString reason;
};

class QxAlertSettingReactor {
public:
    virtual void onAlertSettingAdded(QxSecurity* security, QxAlertSetting* setting) = 0;
    virtual void onAlertSettingRemoved(QxSecurity* security, QxAlertSetting* setting) = 0;

protected:
    ~QxAlertSettingReactor() = default;
};

class QxAlertReactor {
public:
    virtual void onAlertAdded(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting) = 0;
    // alert already carries the new status.
    virtual void onAlertStatusChanged(const QxAlert& alert, unsigned oldStatus, QxSecurity* security,
                                      QxAlertSetting* setting) = 0;
    virtual void onAlertRemoved(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting) = 0;

protected:
    ~QxAlertReactor() = default;
};

class QxAlertMgr : public QxPriceHistoryChangeReactor, public QxIdleEventHandler {
public:
    using SecurityAlerts = std::map<QxSecurityPtr, QxAlertList, QxLessSecurity>;
    using SettingsIndex = std::map<QxAlertSettingPtr, SecurityAlerts, QxLessAlertSetting>;
    using SecuritiesIndex = std::map<QxSecurityPtr, std::set<QxAlertSettingPtr, QxLessAlertSetting>, QxLessSecurity>;

    // Each evaluation task posted while n - 1 wait is due n times this late.
    static constexpr unsigned kEvaluationSpacingMs = 500;

    // The manager, created on the first call with an evaluation start one
    // calendar month before now; creating it loads the alert file.
    static QxAlertMgr* get();
    // The manager if it exists, without creating it.
    static QxAlertMgr* existing();
    // Deletes the manager without saving; a later get() creates a new one.
    static void destroy();

    // False, changing nothing, when the security already has an equal
    // setting. Otherwise the pair gets a list holding the marker at
    // lastEvaluation, the security is asked to update in the background,
    // an evaluation is scheduled, and list (when given) points to the pair's list.
    [[nodiscard]] bool addSetting(QxSecurity* security, QxAlertSetting* setting, int64_t lastEvaluation,
                    const QxAlertList** list = nullptr);
    // Removes the pair and its alerts, telling the reactors of each.
    void removeSetting(QxSecurity* security, QxAlertSetting* setting);
    // The setting the manager holds for settings equal to setting (the one
    // object the reactors are told of); null when none is held.
    QxAlertSetting* heldSetting(const QxAlertSetting* setting) const;
    // The pair's list, or null.
    const QxAlertList* alertsOf(QxSecurity* security, QxAlertSetting* setting) const;
    // Changes one alert's status (not the marker's); record is updated too.
    void setAlertStatus(QxAlert& record, unsigned newStatus, QxSecurity* security, QxAlertSetting* setting);
    // Erases the pair's alert at timestamp (never the marker) and tells the
    // reactors; false when there is none. A deleted alert does not come back
    // when its bar is evaluated again.
    [[nodiscard]] bool removeAlert(int64_t timestamp, QxSecurity* security, QxAlertSetting* setting);

    // The settings of the file not evaluated in this run.
    std::vector<QxOrphanAlertSetting> orphans() const;
    // Forgets an orphan for good (it is not written again); false for an
    // unknown id.
    [[nodiscard]] bool removeOrphan(unsigned id);

    // Changes made while one lives are written once, when the last ends.
    class Changes {
    public:
        Changes();
        ~Changes();
        Changes(const Changes&) = delete;
        Changes& operator=(const Changes&) = delete;
    };

    const SettingsIndex& settingsIndex() const { return m_settings; }
    const SecuritiesIndex& securitiesIndex() const { return m_securities; }

    // A reactor is held once; removing an unknown one does nothing.
    void addAlertSettingReactor(QxAlertSettingReactor* reactor) { if (reactor) m_settingReactors.insert(reactor); }
    void removeAlertSettingReactor(QxAlertSettingReactor* reactor) { m_settingReactors.erase(reactor); }
    void addAlertReactor(QxAlertReactor* reactor) { if (reactor) m_alertReactors.insert(reactor); }
    void removeAlertReactor(QxAlertReactor* reactor) { m_alertReactors.erase(reactor); }
    size_t numAlertReactors() const { return m_alertReactors.size(); }
    size_t numAlertSettingReactors() const { return m_settingReactors.size(); }

    int numNewAlerts() const { return m_newCount; }
    int numUnreadAlerts() const { return m_unreadCount; }
    int numReadAlerts() const { return m_readCount; }
    // Evaluation tasks posted and not yet run.
    int pendingEvaluations() const { return m_pending; }

    // Bars before this packed timestamp are never evaluated; alerts not
    // after it are not saved.
    int64_t evaluationStart() const { return m_evaluationStart; }

    // Writes the alert file (through a temporary file, so a failed write
    // keeps the old one) and empties the manager without telling anyone.
    // False when nothing was written, e.g. for a file that could not be read.
    [[nodiscard]] bool save();
    // Writes the alert file as the manager holds it now; false (told once)
    // when it could not be, or when another Trendoria changed the file
    // since this one read or wrote it.
    [[nodiscard]] bool write();

    // After the program changed its database: the settings and alerts of
    // the old one are let go (the reactors told of each), and what the file
    // holds is resolved again by the securities' keys in database. Nothing
    // is written: the settings stay as they are stored.
    void databaseChanged(QxDatabase* database);

    // "alert_repo.xml" in the user data folder.
    static wxString filePath();
    // Where an unreadable alert file was kept in this run; empty when none was.
    const wxString& keptAsideFile() const { return m_file.keptAside; }

    // Posts one task per setting of the security (setting null) or one for
    // the setting.
    void scheduleEvaluation(QxSecurity* security, QxAlertSetting* setting);
    // Records the alerts of the bars since the pair's last evaluation.
    void evaluate(QxSecurity* security, QxAlertSetting* setting, QxCalculator* calculator);

    void eodPriceHistoryChanged(unsigned securityId) override;
    void intradayPriceHistoryChanged(unsigned) override {}
    void onIdle(unsigned delayMs, long arg) override;
    void destroyCallData(long arg) override;

private:
    explicit QxAlertMgr(int64_t evaluationStart);
    ~QxAlertMgr() override;
    QxAlertMgr(const QxAlertMgr&) = delete;
    QxAlertMgr& operator=(const QxAlertMgr&) = delete;

    void load();
    // The alert file's document as the manager holds it now.
    void buildDocument(wxXmlDocument& doc) const;
    void loadSetting(const wxXmlNode* element, QxDatabase* database);
    // The user changed something: written now, or when the last Changes ends.
    void changed();
    // Keeps element (the setting with the "Security" children not read) as
    // orphans for the reason.
    void keepUnresolved(std::unique_ptr<wxXmlNode> element, const wxString& reason);
    void count(unsigned status, int delta);
    void notifyAlertAdded(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting);
    void notifyAlertRemoved(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting);
    void watchPrices(QxSecurity* security);
    void unwatchPrices(QxSecurity* security);
    void unwatchAll();
    QxAlertList* findList(QxSecurity* security, QxAlertSetting* setting);

    SettingsIndex m_settings;
    SecuritiesIndex m_securities;
    std::set<QxAlertSettingReactor*> m_settingReactors;
    std::set<QxAlertReactor*> m_alertReactors;
    int m_newCount = 0;
    int m_unreadCount = 0;
    int m_readCount = 0;
    int m_pending = 0;
    int64_t m_evaluationStart;
    // Security ids this manager is registered for with the data-change hub.
    std::set<unsigned> m_watched;
    // "AlertSetting" elements of the file that did not resolve in this run,
    // each holding only the "Security" elements that did not, with why.
    struct Unresolved {
        std::unique_ptr<wxXmlNode> element;
        wxString reason;
        std::vector<std::pair<unsigned, wxXmlNode*>> securities; // orphan id, "Security" child
    };
    std::vector<Unresolved> m_unresolved;
    unsigned m_nextOrphanId = 1;
    // Alerts the user deleted whose bars may be evaluated again, by pair.
    std::map<const QxAlertList*, std::set<int64_t>> m_deleted;
    bool m_loading = false;
    int m_changeDepth = 0;
    bool m_changedInBatch = false;
    // The file as this manager last read or wrote it; not writable when an
    // unreadable file could not be moved out of the way.
    QxOwnedFile m_file;
    QxWriteFailureNotice m_writeNotice;
    bool m_toldChangedElsewhere = false;
};
