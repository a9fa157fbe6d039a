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

#include <wx/filename.h>
#include <wx/intl.h>
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

QxAlertMgr::QxAlertMgr(int64_t evaluationStart) : m_evaluationStart(evaluationStart) { load(); }

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
    switch (qxLoadXmlFile(path, doc, kAlertFileLimits, wxString(), &why)) {
    case QxXmlRead::eRead:
        break;
    case QxXmlRead::eMissing:
        return;
    case QxXmlRead::eDamaged:
        // Kept aside so the file written at exit does not replace it; when
        // it cannot be moved, nothing is written over it.
        m_keptAside = qxKeepDamagedFileAside(path, why);
        m_fileWritable = !m_keptAside.empty();
        return;
    }
    QxDatabase* database = currentDatabase();
    for (const wxXmlNode* child = doc.GetRoot()->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE)
            loadSetting(child, database);
}

void QxAlertMgr::loadSetting(const wxXmlNode* element, QxDatabase* database)
{
    bool unresolved = false;
    QxAlertSettingPtr setting(QxAlertSetting::fromXml(element, &unresolved));
    if (!setting) {
        if (unresolved) // its system may come back: keep the element as it is
            m_unresolved.emplace_back(new wxXmlNode(*element));
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
        const QxAlertList* list = nullptr;
        if (!addSetting(security, setting.get(), lastEvaluation, &list))
            continue;
        QxAlertList& alerts = *findList(security, setting.get());
        for (const wxXmlNode* a = child->GetChildren(); a; a = a->GetNext()) {
            if (a->GetType() != wxXML_ELEMENT_NODE)
                continue;
            const QxAlert alert = QxAlert::fromXml(a);
            if (alert.status >= QxAlert::eMarker || alert.timestamp <= kEarliestAlert)
                continue;
            if (alerts.emplace(alert.timestamp, alert).second)
                notifyAlertAdded(alert, security, setting.get());
        }
    }
    if (kept)
        m_unresolved.push_back(std::move(kept));
}

bool QxAlertMgr::save()
{
    wxXmlDocument doc;
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
            node->AddAttribute("LastEvaluationTime",
                               wxString::Format("%lld", static_cast<long long>(alerts.rbegin()->first)));
            element->AddChild(node);
            for (auto it = alerts.rbegin(); it != alerts.rend(); ++it)
                if (it->first > m_evaluationStart)
                    it->second.toXml(node);
        }
    }
    for (const auto& element : m_unresolved)
        root->AddChild(new wxXmlNode(*element));

    bool written = false;
    if (m_fileWritable) {
        const wxFileName file(filePath());
        if (file.DirExists() || wxFileName::Mkdir(file.GetPath(), 0777, wxPATH_MKDIR_FULL))
            written = qxSaveXmlFile(doc, file.GetFullPath(), 2);
    }
    unwatchAll();
    m_settings.clear();
    m_securities.clear();
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

bool QxAlertMgr::addSetting(QxSecurity* security, QxAlertSetting* setting, int64_t lastEvaluation,
                            const QxAlertList** list)
{
    if (!security || !setting)
        return false;
    QxSecurityPtr securityRef(security);
    QxAlertSettingPtr settingRef(setting);
    auto known = m_securities.find(security);
    if (known != m_securities.end() && known->second.count(setting))
        return false;
    security->updateFromProvider(true);
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
    return true;
}

void QxAlertMgr::removeSetting(QxSecurity* security, QxAlertSetting* setting)
{
    if (!security || !setting)
        return;
    QxSecurityPtr securityRef(security);
    QxAlertSettingPtr settingRef(setting);
    auto s = m_settings.find(setting);
    if (s != m_settings.end()) {
        auto p = s->second.find(security);
        if (p != s->second.end()) {
            QxAlertList& alerts = p->second;
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
        }
    }
    auto known = m_securities.find(security);
    if (known != m_securities.end() && known->second.erase(setting) && known->second.empty()) {
        m_securities.erase(known);
        unwatchPrices(security);
    }
}

void QxAlertMgr::setAlertStatus(QxAlert& record, unsigned newStatus, QxSecurity* security, QxAlertSetting* setting)
{
    if (record.status == newStatus || record.status == QxAlert::eMarker || newStatus == QxAlert::eMarker)
        return;
    QxAlertList* alerts = findList(security, setting);
    if (!alerts)
        return;
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
}

bool QxAlertMgr::removeAlert(int64_t timestamp, QxSecurity* security, QxAlertSetting* setting)
{
    QxAlertList* alerts = findList(security, setting);
    if (!alerts)
        return false;
    auto it = alerts->find(timestamp);
    if (it == alerts->end() || std::next(it) == alerts->end())
        return false;
    const QxAlert alert = it->second;
    alerts->erase(it);
    notifyAlertRemoved(alert, security, setting);
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
    for (; i < n; ++i) {
        if (!setting->isTriggered(calculator, i))
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
