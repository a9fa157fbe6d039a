#include "app/QxApplication.h"

#include "app/QxDataSelectorDlg.h"
#include "app/QxGlobalVars.h"
#include "app/QxStartupDlg.h"
#include "app/QxUpdateCheck.h"
#include "core/ArtProvider.h"
#include "core/QxUtils.h"
#include "app/QxGatewayFrame.h"
#include "app/QxIdleTaskQueue.h"
#include "app/QxIndicatorRegistry.h"
#include "chart/QxColorSchemeRegistry.h"
#include "chart/QxDrawableRegistry.h"
#include "app/QxPluginLoader.h"
#include "app/QxTopLevelWindow.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDataReaderRepository.h"
#include "core/QxErrorCode.h"
#include "core/QxUserNotice.h"
#include "core/platform/CorvAlloc.h"
#include "securities/QxSymbolSelectionDlg.h"
#include "trading/QxAlertMgr.h"
#include "trading/QxConditionFactory.h"
#include "trading/QxIdeaFindingThread.h"
#include "trading/QxTradingSystemMgr.h"
#include "ui/QxMessages.h"

#include <wx/busyinfo.h>
#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/socket.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>

namespace {


// Automatic update checks are at least this many whole days apart.
const int kUpdateCheckIntervalDays = 11;

// Test hook: TRENDORIA_SPLASH_HOLD_MS=n keeps the start-up dialog on the
// screen for n more milliseconds, so that an automated test can take its
// picture. Unset (always, outside tests) it costs nothing.
// Windows of this toolkit paint from the event loop only, and start-up runs
// before the loop: without a turn of it the start-up dialog would stay blank
// until it is hidden again. Runs the loop until the dialog has painted (or
// for at most a second).
void paintNow(wxWindow& window)
{
    bool painted = false;
    auto onPaint = [&painted](wxPaintEvent& event) {
        painted = true;
        event.Skip();
    };
    window.Bind(wxEVT_PAINT, onPaint);
    const wxLongLong_t end = wxGetLocalTimeMillis().GetValue() + 1000;
    while (!painted && wxGetLocalTimeMillis().GetValue() < end) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    window.Unbind(wxEVT_PAINT, onPaint);
    wxTheApp->Yield(true); // and its labels, which paint after it
}

void holdStartupDialogForTests()
{
    const char* hold = std::getenv("TRENDORIA_SPLASH_HOLD_MS");
    if (!hold)
        return;
    const long ms = std::strtol(hold, nullptr, 10);
    const wxLongLong_t end = wxGetLocalTimeMillis().GetValue() + ms;
    while (wxGetLocalTimeMillis().GetValue() < end) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// QxFrameTracker

unsigned QxFrameTracker::add(wxFrame* frame)
{
    if (frame)
        m_frames[frame] = ++m_counter;
    return count();
}

void QxFrameTracker::setActive(wxFrame* frame)
{
    if (!frame) {
        m_active = nullptr;
        return;
    }
    auto it = m_frames.find(frame);
    if (it == m_frames.end())
        return;
    m_active = frame;
    it->second = ++m_counter;
}

bool QxFrameTracker::remove(wxFrame* frame)
{
    if (m_active == frame)
        m_active = nullptr;
    return m_frames.erase(frame) != 0;
}

wxFrame* QxFrameTracker::mostRecent() const
{
    wxFrame* best = nullptr;
    uint32_t bestNumber = 0;
    for (const auto& entry : m_frames) {
        if (!best || entry.second > bestNumber) {
            best = entry.first;
            bestNumber = entry.second;
        }
    }
    return best;
}

// ---------------------------------------------------------------------------
// QxApplication

const wxString& QxApplication::appTitle() { return qxProgramTitle(); }

QxApplication::QxApplication() : m_appTitle(qxProgramTitle())
{
    // Only windows that ask for idle events get them; the application's own
    // idle processing still runs.
    wxIdleEvent::SetMode(wxIDLE_PROCESS_SPECIFIED);
    // Framework assertions are silent in the program.
    wxSetAssertHandler(nullptr);
    // Everything that asks the framework for its configuration gets ours;
    // one made before (on demand) comes back when we go, so that the
    // framework still deletes it.
    m_previousConfig = wxConfigBase::Set(&m_config);
}

QxApplication::~QxApplication()
{
    QxSymbolSelectionDlg::destroy(); // it holds the database's categories
    m_currentDatabase = nullptr;
    QxGlobalVars::get().defaultTemplate = nullptr;
    QxIdleTaskQueue::destroy();
    QxDrawableRegistry::destroy();
    QxColorSchemeRegistry::destroy();
    QxDataReaderRepository::destroy();
    QxDataProviderRepository::destroy();
    QxDataChangeReactorMgr::destroy();
    QxAlertMgr::destroy();
    QxConditionFactory::destroy();
    QxTradingSystemMgr::destroy();
    m_plugins.reset(); // unloads the libraries
    QxIndicatorRegistry::destroy();
    wxTranslations::Set(nullptr); // deletes the translations object
    if (wxConfigBase::Get(false) == &m_config)
        wxConfigBase::Set(m_previousConfig);
    m_previousConfig = nullptr;
}

QxApplication* QxApplication::getApp() { return dynamic_cast<QxApplication*>(wxTheApp); }

int QxApplication::setCurrentDatabase(QxDatabase* database)
{
    if (!database)
        return eInvalidInputObject;
    if (m_currentDatabase)
        return eDatabaseAlreadyInUse;
    m_currentDatabase = database;
    return eNoError;
}

void QxApplication::changeDatabase(QxObjectSmartPtr<QxDatabase> database)
{
    m_currentDatabase = std::move(database);
}

wxWindow* QxApplication::GetTopWindow() const { return m_topWindow; }

wxWindow* QxApplication::appModalParent() const { return m_hiddenParent; }

void QxApplication::setActiveFrame(wxFrame* frame) { m_frames.setActive(frame); }

unsigned QxApplication::newFrameCreated(wxFrame* frame) { return m_frames.add(frame); }

unsigned QxApplication::frameWillBeDeleted(wxFrame* frame)
{
    const bool wasLive = m_frames.remove(frame);
    const unsigned left = m_frames.count();
    if (left > 0) {
        // Deferred, so the focus moves after the closing frame is gone.
        QxIdleTaskQueue::instance()->post(this, 0, 0);
        return left;
    }
    if (wasLive && m_hiddenParent && m_topWindow == m_hiddenParent)
        m_hiddenParent->Destroy(); // the program ends with its top window
    return 0;
}

void QxApplication::onIdle(unsigned, long)
{
    if (wxFrame* frame = m_frames.mostRecent())
        frame->SetFocus();
}

void QxApplication::destroyCallData(long) {}

void QxApplication::topLevelWindowGone(QxTopLevelWindow* window)
{
    if (m_topWindow == window)
        m_topWindow = nullptr;
    if (m_hiddenParent == window)
        m_hiddenParent = nullptr;
}

int QxApplication::loadPlugin(const wxString& path)
{
    if (!m_plugins)
        m_plugins = std::make_unique<QxPluginLoader>();
    return m_plugins->loadPlugin(path);
}

void QxApplication::loadPlugins()
{
    if (!m_plugins)
        m_plugins = std::make_unique<QxPluginLoader>();
    m_plugins->loadAll(QxPluginLoader::pluginsFolder()); // failures are skipped silently
}

wxString QxApplication::getErrorDesc(int code) const { return qxErrorDesc(code); }

int QxApplication::addIndicator(QxIndicator* indicator)
{
    return QxIndicatorRegistry::instance()->addIndicator(indicator);
}

QxIndicator* QxApplication::getIndicator(const QxAtom& name)
{
    return QxIndicatorRegistry::instance()->getIndicator(name);
}

const QxIndicator* QxApplication::getIndicator(const QxAtom& name) const
{
    return static_cast<const QxIndicatorRegistry*>(QxIndicatorRegistry::instance())->getIndicator(name);
}

int QxApplication::removeIndicator(const QxAtom& name)
{
    return QxIndicatorRegistry::instance()->removeIndicator(name);
}

int QxApplication::getIndicatorGroups(std::vector<QxAtom>& groups) const
{
    return QxIndicatorRegistry::instance()->getIndicatorGroups(groups);
}

int QxApplication::getIndicatorNames(const QxAtom& group, std::vector<QxAtom>& names) const
{
    return QxIndicatorRegistry::instance()->getIndicatorNames(group, names);
}

void QxApplication::addBuiltInIndicators() { QxIndicatorRegistry::instance()->addBuiltInIndicators(); }

void QxApplication::checkForUpdate(bool silent) const { QxUpdateCheck::run(silent); }

void QxApplication::readGlobalVars() { QxGlobalVars::get().readGlobal(m_config); }

void QxApplication::writeGlobalVars() { QxGlobalVars::get().writeGlobal(m_config); }

bool QxApplication::markFirstLaunch(wxConfigBase& config)
{
    const bool first = config.ReadBool("/first_time_launch", true);
    if (first)
        config.Write("/first_time_launch", false);
    return first;
}

QxApplication::UpdateSchedule QxApplication::runUpdateSchedule(wxConfigBase& config,
                                                               const wxDateTime& now,
                                                               const std::function<void()>& check)
{
    QxConfigPathGuard keepPath(config);
    config.SetPath("/last_update_check");
    const wxString stamp = now.FormatISOCombined('T');
    if (!config.HasEntry("timestamp")) {
        config.Write("timestamp", stamp);
        return UpdateSchedule::eFirstRecorded;
    }
    const wxDateTime last = readConfigDateTime(config, "timestamp", now);
    // An empty or unreadable value, and a time in the future, wait for a
    // value that makes sense; they are not overwritten.
    if (!last.IsValid() || last > now || (now - last).GetDays() < kUpdateCheckIntervalDays)
        return UpdateSchedule::eNotDue;
    if (check)
        check();
    config.Write("timestamp", stamp);
    return UpdateSchedule::eChecked;
}

bool QxApplication::OnInit()
{
    if (!wxApp::OnInit())
        return false;
    CorvKeepFreedMemory();
    wxArtProvider::Push(new ArtProvider);
    SetVendorName("Corvane");
    SetAppName("Trendoria");

    QxStartupDlg startup(nullptr);
    if (markFirstLaunch(m_config))
        startup.setStatus(_("Trendoria is preparing for first time launch ..."));
    startup.Show();
    startup.Update();
    paintNow(startup);
    holdStartupDialogForTests();

    SetExitOnFrameDelete(true);
    // What start-up finds wrong is told once the home window is up.
    qxSetUserNoticeSink([this](const wxString& text) { tellUser(text); });
    m_socketsInitialised = wxSocketBase::Initialize();
    loadPlugins();

    {
        wxBusyCursor busy;
        wxString why;
        m_currentDatabase = QxDataSelectorDlg::loadDefaultDataSource(&why);
        if (!m_currentDatabase) {
            startup.Hide();
            // Nothing of this run is kept: the next start is still a first one.
            m_config.DisableAutoSave();
            showStartupFailure(why);
            return false;
        }
    }

    runUpdateSchedule(m_config, wxDateTime::Now(), [this] { checkForUpdate(true); });
    addBuiltInIndicators();
    readGlobalVars();

    m_hiddenParent = new QxTopLevelWindow(nullptr, wxID_ANY, wxString(), wxPoint(-1000, -100),
                                          wxDefaultSize, wxDEFAULT_FRAME_STYLE, "frame");
    SetTopWindow(m_hiddenParent);

    startup.Hide();
    if (!QxGatewayFrame::instance())
        new QxGatewayFrame();
    QxAlertMgr::get();
    CallAfter([this] {
        m_startupDone = true;
        std::vector<wxString> notices;
        notices.swap(m_startupNotices);
        if (!notices.empty()) {
            wxString text;
            for (const wxString& notice : notices)
                text << (text.empty() ? "" : "\n\n") << notice;
            qxShowWarning(text, QxGatewayFrame::instance());
        }
    });
    return true;
}

void QxApplication::tellUser(const wxString& text)
{
    std::fprintf(stderr, "%s\n", static_cast<const char*>(text.utf8_str()));
    if (m_startupDone)
        qxShowWarning(text, m_frames.mostRecent());
    else
        m_startupNotices.push_back(text);
}

void QxApplication::showStartupFailure(const wxString& why)
{
    wxString text = _("Trendoria cannot start: no price history database could be opened.");
    if (!why.empty())
        text << "\n\n" << why;
    std::fprintf(stderr, "%s\n", static_cast<const char*>(text.utf8_str()));
    qxShowError(text, nullptr);
}

int QxApplication::OnRun() { return wxApp::OnRun(); }

int QxApplication::OnExit()
{
    // Saves its preferences and lets go of the database's categories while
    // the plug-in that made them is still loaded.
    QxSymbolSelectionDlg::destroy();
    // A scan's worker must not outlive the application object it posts to.
    QxIdeaFindingThread::stopAllAndWait();
    QxDataProviderRepository::instance()->windupAll();
    // The stores tell their own failures; at exit there is no next try.
    (void)QxAlertMgr::get()->save();
    if (QxTradingSystemMgr* store = QxTradingSystemMgr::getInstance(false))
        (void)store->save();
    QxIdleTaskQueue::instance()->clear();
    if (m_plugins)
        m_plugins->exitPlugins();
    writeGlobalVars();
    m_config.Flush();
    QxUtils::closeHelp(); // help viewers are not frames of ours: they go with the program
    qxSetUserNoticeSink(nullptr);
    return wxApp::OnExit();
}

void QxApplication::CleanUp()
{
    if (m_socketsInitialised && wxSocketBase::IsInitialized())
        wxSocketBase::Shutdown();
    m_socketsInitialised = false;
    // The framework deletes its current configuration; ours is a member.
    if (wxConfigBase::Get(false) == &m_config)
        wxConfigBase::Set(m_previousConfig);
    m_previousConfig = nullptr;
    wxApp::CleanUp();
}

bool QxApplication::ProcessIdle()
{
    const bool frameworkWantsMore = wxApp::ProcessIdle();
    QxIdleTaskQueue* queue = QxIdleTaskQueue::instance();
    if (queue->isEmpty())
        return frameworkWantsMore;
    queue->dispatch();
    return frameworkWantsMore || !queue->isEmpty();
}
