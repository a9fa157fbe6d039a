#include "trading/QxAlertMgr.h"

#include "app/QxApplication.h"
#include "core/QxCalculator.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxPriceHistory.h"
#include "core/QxTime.h"
#include "core/QxXmlFile.h"
#include "core/platform/wxeStandardPaths.h"
#include "trading/QxTradingSystemMgr.h"

#include <wx/filename.h>
#include <wx/mstream.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>

namespace {

QxAlertMgr* g_alertMgr = nullptr;

const char* const kRootName = "AlertSettings";
// Alerts on or before 1 January 1900 are not alerts of ours.
constexpr int64_t kEarliestAlert = 19000101000000000LL;

// The alert file is shallow: settings, their securities, their alerts.
// Anything deeper or larger was not written by the program.
const QxXmlLimits kAlertFileLimits = {64u << 20, 32};

// One deferred evaluation: the calculator holds the security's prices in
// the cache until the task has run or is dropped.
struct QxAlertEvalTask {
    QxSecurityPtr security;
    QxObjectSmartPtr<QxCalculator> calculator;
    QxAlertSettingPtr setting;
};

QxDatabase* currentDatabase()
{
    QxApplication* app = QxApplication::getApp();
    return app ? app->currentDatabase() : nullptr;
}

// An element with the name and attributes of element and no children.
wxXmlNode* shallowCopy(const wxXmlNode* element)
{
    auto* copy = new wxXmlNode(wxXML_ELEMENT_NODE, element->GetName());
    for (const wxXmlAttribute* a = element->GetAttributes(); a; a = a->GetNext())
        copy->AddAttribute(a->GetName(), a->GetValue());
    return copy;
}

int64_t startOfDay(int64_t ts)
{
    const QxSplitTime t = splitTimestamp(ts);
    return makeTimestamp(t.day, t.month, t.year);
}

} // namespace

QxAlertMgr* QxAlertMgr::get()
{
    if (!g_alertMgr)
        g_alertMgr = new QxAlertMgr(subtractDateSpan(timestampNow(), wxDateSpan(0, 1, 0, 0)));
    return g_alertMgr;
}

QxAlertMgr* QxAlertMgr::existing() { return g_alertMgr; }

void QxAlertMgr::destroy()
{
    delete g_alertMgr;
    g_alertMgr = nullptr;
}

QxAlertMgr::QxAlertMgr(int64_t evaluationStart)
    : m_evaluationStart(evaluationStart), m_writeNotice(_("The alert settings"))
{
    m_loading = true;
    load();
    m_loading = false;
}

QxAlertMgr::~QxAlertMgr()
{
    withdrawIdleCalls(); // the tasks hold references that must be released
    unwatchAll();
}

wxString QxAlertMgr::filePath()
{
    return wxFileName(wxeStandardPaths().GetUserDataDir(), "alert_repo", "xml").GetFullPath();
}

// ---- loading and saving

void QxAlertMgr::load()
{
    const wxString path = filePath();
    wxXmlDocument doc;
    wxString why;
    // The bytes before the parse: should another program write in between,
    // the next write here finds the file changed and leaves it alone.
    m_file.present = qxReadWholeFile(path, kAlertFileLimits.maxBytes, &m_file.content);
    switch (qxLoadXmlFile(path, doc, kAlertFileLimits, wxString(), &why)) {
    case QxXmlRead::eRead:
        break;
    case QxXmlRead::eMissing:
        m_file.present = false;
        return;
    case QxXmlRead::eDamaged:
        // Kept aside so that the next write does not replace it; when it
        // cannot be moved, nothing is written over it.
        m_file.keptAside = qxKeepDamagedFileAside(path, why);
        m_file.writable = !m_file.keptAside.empty();
        m_file.present = false;
        m_file.content.clear();
        return;
    }
    QxDatabase* database = currentDatabase();
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE)
            loadSetting(child, database);
}

void QxAlertMgr::keepUnresolved(std::unique_ptr<wxXmlNode> element, const wxString& reason)
{
    Unresolved kept;
    kept.reason = reason;
    for (wxXmlNode* child = element->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE)
            kept.securities.emplace_back(m_nextOrphanId++, child);
    kept.element = std::move(element);
    m_unresolved.push_back(std::move(kept));
}

void QxAlertMgr::loadSetting(const wxXmlNode* element, QxDatabase* database)
{
    bool unresolved = false;
    QxAlertSettingPtr setting(QxAlertSetting::fromXml(element, &unresolved));
    if (!setting) {
        if (unresolved) { // its system may come back: keep the element as it is
            const wxString name = element->GetAttribute("TradingSystem");
            QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(true);
            keepUnresolved(std::make_unique<wxXmlNode>(*element),
                           store->hasSystem(QxAtom(name))
                               ? wxString::Format(_("Not evaluated: the trading system \"%s\" could not be read."),
                                                  name)
                               : wxString::Format(_("Not evaluated: there is no trading system \"%s\" any more."),
                                                  name));
        }
        return;
    }
    std::unique_ptr<wxXmlNode> kept;
    for (const wxXmlNode* child = element->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        const wxString name = child->GetAttribute("Name");
        wxLongLong_t lastEvaluation = 0;
        if (name.empty() || !child->GetAttribute("LastEvaluationTime").ToLongLong(&lastEvaluation) ||
            lastEvaluation == 0)
            continue;
        QxSecurity* security = database ? findSecurityByKey(database, name.utf8_string()) : nullptr;
        if (!security) { // another database's security, or no database now
            if (!kept)
                kept.reset(shallowCopy(element));
            kept->AddChild(new wxXmlNode(*child));
            continue;
        }
        QxSecurityPtr held(security);
        if (!addSetting(security, setting.get(), lastEvaluation))
            continue;
        QxAlertSetting* canonical = heldSetting(setting.get());
        QxAlertList& alerts = *findList(security, canonical);
        for (const wxXmlNode* a = child->GetChildren(); a; a = a->GetNext()) {
            if (a->GetType() != wxXML_ELEMENT_NODE)
                continue;
            const QxAlert alert = QxAlert::fromXml(a);
            if (alert.timestamp <= kEarliestAlert)
                continue;
            if (alert.status == QxAlert::eDeleted) {
                m_deleted[&alerts].insert(alert.timestamp);
                continue;
            }
            if (alert.status >= QxAlert::eMarker)
                continue;
            if (alerts.emplace(alert.timestamp, alert).second)
                notifyAlertAdded(alert, security, canonical);
        }
    }
    if (kept)
        keepUnresolved(std::move(kept), database ? _("Not evaluated: the security is not in the current database.")
                                                 : _("Not evaluated: no database is open."));
}

std::vector<QxOrphanAlertSetting> QxAlertMgr::orphans() const
{
    std::vector<QxOrphanAlertSetting> out;
    for (const Unresolved& kept : m_unresolved) {
        const wxString description = QxAlertSetting::describeStored(kept.element.get());
        for (const auto& [id, child] : kept.securities)
            out.push_back({id, child->GetAttribute("Name"), description, kept.reason});
    }
    return out;
}

bool QxAlertMgr::removeOrphan(unsigned id)
{
    for (auto kept = m_unresolved.begin(); kept != m_unresolved.end(); ++kept) {
        auto& securities = kept->securities;
        const auto it = std::find_if(securities.begin(), securities.end(),
                                     [id](const auto& entry) { return entry.first == id; });
        if (it == securities.end())
            continue;
        kept->element->RemoveChild(it->second);
        delete it->second;
        securities.erase(it);
        if (securities.empty())
            m_unresolved.erase(kept);
        changed();
        return true;
    }
    return false;
}

QxAlertMgr::Changes::Changes()
{
    if (QxAlertMgr* mgr = existing())
        ++mgr->m_changeDepth;
}

QxAlertMgr::Changes::~Changes()
{
    QxAlertMgr* mgr = existing();
    if (!mgr || mgr->m_changeDepth == 0)
        return;
    if (--mgr->m_changeDepth == 0 && mgr->m_changedInBatch) {
        mgr->m_changedInBatch = false;
        (void)mgr->write(); // a failure is told by write, and the next change writes again
    }
}

void QxAlertMgr::changed()
{
    if (m_loading)
        return;
    if (m_changeDepth > 0)
        m_changedInBatch = true;
    else
        (void)write(); // a failure is told by write, and the next change writes again
}

void QxAlertMgr::databaseChanged(QxDatabase* database)
{
    // The settings as the file holds them, by their securities' keys; every
    // pair of the old database goes as a removal would (the reactors drop
    // its rows, the counts follow), then the keys are resolved again.
    wxXmlDocument doc;
    buildDocument(doc);
    m_loading = true;
    std::vector<std::pair<QxSecurityPtr, QxAlertSettingPtr>> pairs;
    for (const auto& [setting, securities] : m_settings)
        for (const auto& [security, alerts] : securities)
            pairs.emplace_back(security, setting);
    for (const auto& [security, setting] : pairs)
        removeSetting(security.get(), setting.get());
    unwatchAll();
    m_securities.clear();
    m_deleted.clear();
    m_unresolved.clear();
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE)
            loadSetting(child, database);
    m_loading = false;
}

void QxAlertMgr::buildDocument(wxXmlDocument& doc) const
{
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, kRootName);
    doc.SetRoot(root);
    for (const auto& [setting, securities] : m_settings) {
        if (securities.empty())
            continue;
        wxXmlNode* element = setting->toXml(root);
        if (!element)
            continue;
        for (const auto& [security, alerts] : securities) {
            if (alerts.empty())
                continue;
            auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "Security");
            node->AddAttribute("Name", wxString::FromUTF8(makeSecurityKey(security.get())));
            const int64_t marker = alerts.rbegin()->first;
            node->AddAttribute("LastEvaluationTime", wxString::Format("%lld", static_cast<long long>(marker)));
            element->AddChild(node);
            for (auto it = alerts.rbegin(); it != alerts.rend(); ++it)
                if (it->first > m_evaluationStart)
                    it->second.toXml(node);
            // Deleted alerts of bars the next evaluation looks at again.
            const auto deleted = m_deleted.find(&alerts);
            if (deleted != m_deleted.end())
                for (int64_t ts : deleted->second)
                    if (ts >= startOfDay(marker))
                        QxAlert{ts, QxAlert::eDeleted}.toXml(node);
        }
    }
    for (const Unresolved& kept : m_unresolved)
        root->AddChild(new wxXmlNode(*kept.element));
}

bool QxAlertMgr::write()
{
    wxXmlDocument doc;
    buildDocument(doc);
    wxMemoryOutputStream out;
    doc.Save(out, 2);
    std::string text(out.GetLength(), '\0');
    out.CopyTo(text.data(), text.size());
    const wxString path = filePath();
    wxString why;
    switch (qxWriteOwnedFile(path, text, kAlertFileLimits.maxBytes, m_file, &why)) {
    case QxOwnedWrite::eWritten:
        return m_writeNotice.report(true, path, why);
    case QxOwnedWrite::eFailed:
        return m_writeNotice.report(false, path, why);
    case QxOwnedWrite::eChangedElsewhere:
        if (!m_toldChangedElsewhere)
            qxNotifyUser(wxString::Format(
                _("\"%s\" was changed by another program (another Trendoria, perhaps) since this one read "
                  "it. The alert changes made here are not saved over it, so that nothing of the other "
                  "program's is lost: start Trendoria again to work with the alerts as they are now."),
                path));
        m_toldChangedElsewhere = true;
        return false;
    case QxOwnedWrite::eRefused:
        break; // the user was told when the file could not be read
    }
    return false;
}

bool QxAlertMgr::save()
{
    const bool written = write();
    unwatchAll();
    m_settings.clear();
    m_securities.clear();
    m_deleted.clear();
    return written;
}

// ---- settings and alerts

QxAlertList* QxAlertMgr::findList(QxSecurity* security, QxAlertSetting* setting)
{
    auto s = m_settings.find(setting);
    if (s == m_settings.end())
        return nullptr;
    auto p = s->second.find(security);
    return p == s->second.end() ? nullptr : &p->second;
}

const QxAlertList* QxAlertMgr::alertsOf(QxSecurity* security, QxAlertSetting* setting) const
{
    return const_cast<QxAlertMgr*>(this)->findList(security, setting);
}

QxAlertSetting* QxAlertMgr::heldSetting(const QxAlertSetting* setting) const
{
    if (!setting)
        return nullptr;
    const auto held = m_settings.find(setting);
    return held == m_settings.end() ? nullptr : held->first.get();
}

bool QxAlertMgr::addSetting(QxSecurity* security, QxAlertSetting* setting, int64_t lastEvaluation,
                            const QxAlertList** list)
{
    if (!security || !setting)
        return false;
    QxSecurityPtr securityRef(security);
    QxAlertSettingPtr given(setting);
    // Equal settings of several securities are one object, so that every
    // window finds each security's rows under the same setting.
    if (QxAlertSetting* held = heldSetting(setting))
        setting = held;
    QxAlertSettingPtr settingRef(setting);
    auto known = m_securities.find(security);
    if (known != m_securities.end() && known->second.count(setting))
        return false;
    // Evaluated on the stored bars until (or unless) new ones arrive.
    (void)security->updateFromProvider(true);
    watchPrices(security);
    m_securities[securityRef].insert(settingRef);
    QxAlertList& alerts = m_settings[settingRef][securityRef];
    alerts.emplace(lastEvaluation, QxAlert{lastEvaluation, QxAlert::eMarker});
    for (QxAlertSettingReactor* reactor : std::vector<QxAlertSettingReactor*>(m_settingReactors.begin(), m_settingReactors.end()))
        if (m_settingReactors.count(reactor))
            reactor->onAlertSettingAdded(security, setting);
    if (list)
        *list = findList(security, setting);
    scheduleEvaluation(security, setting);
    changed();
    return true;
}

void QxAlertMgr::removeSetting(QxSecurity* security, QxAlertSetting* setting)
{
    if (!security || !setting)
        return;
    QxSecurityPtr securityRef(security);
    QxAlertSettingPtr given(setting);
    if (QxAlertSetting* held = heldSetting(setting))
        setting = held;
    QxAlertSettingPtr settingRef(setting);
    bool removed = false;
    auto s = m_settings.find(setting);
    if (s != m_settings.end()) {
        auto p = s->second.find(security);
        if (p != s->second.end()) {
            QxAlertList& alerts = p->second;
            m_deleted.erase(&alerts);
            while (alerts.size() > 1) {
                const QxAlert alert = alerts.begin()->second;
                alerts.erase(alerts.begin());
                notifyAlertRemoved(alert, security, setting);
            }
            alerts.clear();
            for (QxAlertSettingReactor* reactor :
                 std::vector<QxAlertSettingReactor*>(m_settingReactors.begin(), m_settingReactors.end()))
                if (m_settingReactors.count(reactor))
                    reactor->onAlertSettingRemoved(security, setting);
            // A reactor may have changed the index: look the pair up again.
            s = m_settings.find(setting);
            if (s != m_settings.end()) {
                s->second.erase(security);
                if (s->second.empty())
                    m_settings.erase(s);
            }
            removed = true;
        }
    }
    auto known = m_securities.find(security);
    if (known != m_securities.end() && known->second.erase(setting) && known->second.empty()) {
        m_securities.erase(known);
        unwatchPrices(security);
    }
    if (removed)
        changed();
}

void QxAlertMgr::setAlertStatus(QxAlert& record, unsigned newStatus, QxSecurity* security, QxAlertSetting* setting)
{
    if (record.status == newStatus || record.status >= QxAlert::eMarker || newStatus >= QxAlert::eMarker)
        return;
    QxAlertList* alerts = findList(security, setting);
    if (!alerts)
        return;
    setting = heldSetting(setting);
    auto it = alerts->find(record.timestamp);
    if (it == alerts->end() || std::next(it) == alerts->end()) // absent, or the marker
        return;
    const unsigned oldStatus = it->second.status;
    count(oldStatus, -1);
    it->second.status = newStatus;
    record.status = newStatus;
    count(newStatus, +1);
    const QxAlert alert = it->second;
    for (QxAlertReactor* reactor : std::vector<QxAlertReactor*>(m_alertReactors.begin(), m_alertReactors.end()))
        if (m_alertReactors.count(reactor))
            reactor->onAlertStatusChanged(alert, oldStatus, security, setting);
    changed();
}

bool QxAlertMgr::removeAlert(int64_t timestamp, QxSecurity* security, QxAlertSetting* setting)
{
    QxAlertList* alerts = findList(security, setting);
    if (!alerts)
        return false;
    setting = heldSetting(setting);
    auto it = alerts->find(timestamp);
    if (it == alerts->end() || std::next(it) == alerts->end())
        return false;
    const QxAlert alert = it->second;
    alerts->erase(it);
    // Its bar may be looked at again (the marker's day is): it stays gone.
    m_deleted[alerts].insert(timestamp);
    notifyAlertRemoved(alert, security, setting);
    changed();
    return true;
}

void QxAlertMgr::count(unsigned status, int delta)
{
    if (status == QxAlert::eNew)
        m_newCount += delta;
    else if (status == QxAlert::eRead)
        m_readCount += delta;
    else
        m_unreadCount += delta;
}

void QxAlertMgr::notifyAlertAdded(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting)
{
    count(alert.status, +1);
    for (QxAlertReactor* reactor : std::vector<QxAlertReactor*>(m_alertReactors.begin(), m_alertReactors.end()))
        if (m_alertReactors.count(reactor))
            reactor->onAlertAdded(alert, security, setting);
}

void QxAlertMgr::notifyAlertRemoved(const QxAlert& alert, QxSecurity* security, QxAlertSetting* setting)
{
    count(alert.status, -1);
    for (QxAlertReactor* reactor : std::vector<QxAlertReactor*>(m_alertReactors.begin(), m_alertReactors.end()))
        if (m_alertReactors.count(reactor))
            reactor->onAlertRemoved(alert, security, setting);
}

// ---- watching prices

void QxAlertMgr::watchPrices(QxSecurity* security)
{
    const unsigned id = security->id();
    if (m_watched.count(id))
        return;
    // The hub refuses while it is delivering; the next added setting retries.
    if (QxDataChangeReactorMgr::instance()->addPriceHistoryChangeReactor(id, this))
        m_watched.insert(id);
}

void QxAlertMgr::unwatchPrices(QxSecurity* security)
{
    const unsigned id = security->id();
    for (const auto& entry : m_securities)
        if (entry.first->id() == id)
            return; // another security of that id still carries settings
    if (!m_watched.erase(id))
        return;
    if (QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::existing())
        hub->remPriceHistoryChangeReactor(id, this);
}

void QxAlertMgr::unwatchAll()
{
    // At exit the hub may be gone already; it is never created again here.
    if (QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::existing())
        for (unsigned id : m_watched)
            hub->remPriceHistoryChangeReactor(id, this);
    m_watched.clear();
}

void QxAlertMgr::eodPriceHistoryChanged(unsigned securityId)
{
    QxDatabase* database = currentDatabase();
    if (QxSecurity* security = database ? database->getSecurity(securityId) : nullptr) {
        QxSecurityPtr held(security);
        scheduleEvaluation(security, nullptr);
    }
}

// ---- evaluation

void QxAlertMgr::scheduleEvaluation(QxSecurity* security, QxAlertSetting* setting)
{
    if (!security)
        return;
    if (!setting) {
        auto known = m_securities.find(security);
        if (known == m_securities.end())
            return;
        for (const QxAlertSettingPtr& each : std::vector<QxAlertSettingPtr>(known->second.begin(), known->second.end()))
            scheduleEvaluation(security, each.get());
        return;
    }
    ++m_pending;
    auto* task = new QxAlertEvalTask{QxSecurityPtr(security),
                                     QxObjectSmartPtr<QxCalculator>(new QxCalculator(security, Qx::eDaily)),
                                     QxAlertSettingPtr(setting)};
    QxIdleTaskQueue::instance()->post(this, kEvaluationSpacingMs * static_cast<unsigned>(m_pending),
                                      reinterpret_cast<long>(task));
}

void QxAlertMgr::onIdle(unsigned, long arg)
{
    std::unique_ptr<QxAlertEvalTask> task(reinterpret_cast<QxAlertEvalTask*>(arg));
    if (!task)
        return;
    evaluate(task->security.get(), task->setting.get(), task->calculator.get());
    --m_pending;
}

void QxAlertMgr::destroyCallData(long arg) { delete reinterpret_cast<QxAlertEvalTask*>(arg); }

void QxAlertMgr::evaluate(QxSecurity* security, QxAlertSetting* setting, QxCalculator* calculator)
{
    QxAlertList* alerts = findList(security, setting);
    if (!alerts || alerts->empty() || !calculator)
        return;
    setting = heldSetting(setting);
    const int64_t markerTime = alerts->rbegin()->first;
    const int64_t start = std::max(startOfDay(markerTime), m_evaluationStart);
    // What is stored: new bars the provider still brings reach the hub when
    // they arrive, which schedules this again. Nothing here waits for them.
    QxPriceHistory* history = calculator->storedPrices(Qx::eDaily);
    alerts = findList(security, setting);
    if (!history || history->numBars() == 0 || !alerts || alerts->empty())
        return;
    const int64_t* times = history->timestamp();
    const unsigned n = history->numBars();
    unsigned i = static_cast<unsigned>(std::lower_bound(times, times + n, start) - times);
    if (i >= n)
        return; // nothing new: the marker keeps its time
    if (alerts->size() > 1 && std::prev(alerts->end(), 2)->first == times[i])
        ++i; // the latest alert already stands for that bar
    alerts->erase(std::prev(alerts->end()));
    const auto deletedEntry = m_deleted.find(alerts);
    std::set<int64_t> deleted;
    if (deletedEntry != m_deleted.end()) {
        // Only bars from the next evaluation's day on are looked at again.
        deleted.swap(deletedEntry->second);
        m_deleted.erase(deletedEntry);
    }
    const int64_t nextStart = startOfDay(timestampNow());
    for (int64_t ts : deleted)
        if (ts >= nextStart)
            m_deleted[alerts].insert(ts);
    for (; i < n; ++i) {
        if (deleted.count(times[i]) || !setting->isTriggered(calculator, i))
            continue;
        const QxAlert alert{times[i], QxAlert::eNew};
        if (alerts->emplace(alert.timestamp, alert).second)
            notifyAlertAdded(alert, security, setting);
    }
    // While bars are still coming the marker stays just after the last one
    // evaluated, so that the bars that arrive later, older than now, are
    // evaluated too.
    QxDataProvider* provider = QxDataProviderRepository::instance()->providerOf(security);
    const int64_t marker = provider && provider->isUpdating(security) ? times[n - 1] + 1 : timestampNow();
    alerts->emplace(marker, QxAlert{marker, QxAlert::eMarker});
}
