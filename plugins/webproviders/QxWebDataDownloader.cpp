#include "plugins/webproviders/QxWebDataDownloader.h"

#include "core/QxCategory.h"
#include "core/QxDataChangeReactorMgr.h"
#include "core/QxDataProviderRepository.h"
#include "core/QxDatabase.h"
#include "core/QxErrorCode.h"
#include "core/QxPriceHistory.h"
#include "core/QxQuote.h"
#include "core/QxSecurity.h"
#include "core/QxTime.h"
#include "core/QxUserNotice.h"
#include "core/platform/wxeStandardPaths.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/thread.h>
#include <wx/utils.h>
#include <wx/wfstream.h>

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <numeric>
#include <vector>

namespace {

wxDEFINE_EVENT(QX_EVT_DOWNLOAD_WAKE, wxThreadEvent);

// Increments a counter for the lifetime of a call.
class DepthGuard {
public:
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }

private:
    int& m_depth;
};

// The folder of the library this code lives in. The plug-ins sit beside the
// executable, so this is the program folder, also when a test executable
// elsewhere loads them.
wxString ownModuleFolder()
{
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&ownModuleFolder), &info) && info.dli_fname && *info.dli_fname)
        return wxFileName(wxString::FromUTF8(info.dli_fname)).GetPath();
    return wxString();
}

bool isPrintable(unsigned char c) { return c >= 0x20 && c != 0x7F; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSymbolChar(char c)
{
    return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The text of one index line, or empty when the ticker cannot be written
// as a symbol (it would split into several). Line breaks and tabs in the
// name would start new lines or columns, so they become blanks.
std::string indexLine(const char* ticker, const char* name)
{
    const std::string symbol = ticker ? ticker : "";
    if (symbol.empty())
        return std::string();
    for (char c : symbol)
        if (isBlank(c) || !isPrintable(static_cast<unsigned char>(c)))
            return std::string();
    std::string description = name ? name : "";
    for (char& c : description)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return symbol + "\t" + description;
}

wxString utf8(const char* s) { return wxString::FromUTF8(s ? s : ""); }

} // namespace

// ---------------------------------------------------------------------------

QxWebDownloadThread::QxWebDownloadThread(wxEvtHandler* sink, int id, const std::string& url,
                                         QxSecurity* security, const QxHttpOptions& options)
    : QxDownloadThread(sink, id, url, options), m_security(security)
{
}

QxWebDownloadThread::~QxWebDownloadThread() = default;

// ---------------------------------------------------------------------------

QxWebDataDownloader::DownloadThreadEvtHandler::DownloadThreadEvtHandler(QxWebDataDownloader* owner)
    : m_owner(owner)
{
    Bind(QX_EVT_DOWNLOAD_WAKE, &DownloadThreadEvtHandler::onWake, this);
}

QxWebDataDownloader::DownloadThreadEvtHandler::~DownloadThreadEvtHandler()
{
    Unbind(QX_EVT_DOWNLOAD_WAKE, &DownloadThreadEvtHandler::onWake, this);
}

void QxWebDataDownloader::DownloadThreadEvtHandler::QueueEvent(wxEvent* event)
{
    if (event && event->GetEventType() == QX_EVT_DOWNLOAD_COMPLETE) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_completions.emplace_back(static_cast<QxDownloadEvent*>(event));
        }
        // The GUI thread picks the completion up when this arrives, unless
        // the provider drained it already.
        wxEvtHandler::QueueEvent(new wxThreadEvent(QX_EVT_DOWNLOAD_WAKE));
        return;
    }
    wxEvtHandler::QueueEvent(event);
}

std::unique_ptr<QxDownloadEvent> QxWebDataDownloader::DownloadThreadEvtHandler::takeCompletion()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_completions.empty())
        return nullptr;
    std::unique_ptr<QxDownloadEvent> event = std::move(m_completions.front());
    m_completions.pop_front();
    return event;
}

void QxWebDataDownloader::DownloadThreadEvtHandler::onWake(wxThreadEvent&)
{
    m_owner->drainCompletions();
}

// ---------------------------------------------------------------------------

QxWebDataDownloader::QxWebDataDownloader(const QxWebProviderInfo& info, const QxWebProviderPaths& paths)
    : m_info(info), m_name(info.providerName), m_handler(this)
{
    m_httpOptions.connectTimeoutMs = 10000;
    m_httpOptions.totalTimeoutMs = 45000;

    wxeStandardPaths standardPaths;
    const wxString userData = paths.userDataDir.empty() ? standardPaths.GetUserDataDir() : paths.userDataDir;
    wxString program = paths.programDir;
    if (program.empty())
        program = ownModuleFolder();
    if (program.empty())
        program = wxFileName(standardPaths.GetExecutablePath()).GetPath();

    m_indexFolder.AssignDir(userData);
    m_indexFolder.AppendDir(m_info.userFolder);
    m_indexFolder.AppendDir(m_info.indexFolder);
    m_shippedFolder.AssignDir(program);
    m_shippedFolder.AppendDir("data");
    m_shippedFolder.AppendDir(m_info.shippedFolder);
    {
        wxLogNull quiet; // a folder that cannot be made only means no index files
        m_indexFolder.Mkdir(0777, wxPATH_MKDIR_FULL);
        m_shippedFolder.Mkdir(0777, wxPATH_MKDIR_FULL);
    }
    seedIndexFolder();
}

QxWebDataDownloader::~QxWebDataDownloader()
{
    if (m_registered) {
        QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::instance();
        if (m_changeReactorRegistered)
            hub->remDatabaseChangeReactor(this);
        hub->remDatabaseReactor(this);
    }
    // Threads post into m_handler: none may outlive it.
    abortRunningDownloads();
    joinAll();
    m_queue.clear();
}

void QxWebDataDownloader::seedIndexFolder()
{
    wxLogNull quiet;
    const wxString shippedDir = m_shippedFolder.GetPath();
    if (!wxDir::Exists(shippedDir))
        return;
    wxDir dir(shippedDir);
    if (!dir.IsOpened())
        return;
    wxString fileName;
    for (bool more = dir.GetFirst(&fileName, indexFilePattern(), wxDIR_FILES); more; more = dir.GetNext(&fileName)) {
        const wxFileName shipped(shippedDir, fileName);
        const wxFileName user(m_indexFolder.GetPath(), fileName);
        if (!user.FileExists()) {
            wxCopyFile(shipped.GetFullPath(), user.GetFullPath(), true);
        } else if (shipped.GetModificationTime().IsLaterThan(user.GetModificationTime())) {
            mergeSymbolIndexFiles(shipped.GetFullPath(), user.GetFullPath());
        }
    }
}

// ---------------------------------------------------------------------------
// Registration

void QxWebDataDownloader::registerProvider()
{
    if (m_registered)
        return;
    QxDataProviderRepository::instance()->addObj(this);
    QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::instance();
    m_changeReactorRegistered = hub->addDatabaseChangeReactor(this);
    hub->addDatabaseReactor(this);
    m_registered = true;
}

void QxWebDataDownloader::unregisterProvider()
{
    if (!m_registered)
        return;
    m_registered = false;
    QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::instance();
    if (m_changeReactorRegistered)
        hub->remDatabaseChangeReactor(this);
    m_changeReactorRegistered = false;
    hub->remDatabaseReactor(this);
    // Keeps this object alive through the repository's release.
    QxObjectSmartPtr<QxWebDataDownloader> self(this);
    QxDataProviderRepository::instance()->delObj(this);
}

bool QxWebDataDownloader::ownsCategory(const QxCategory* category) const
{
    if (!category)
        return false;
    const char* provider = category->dataProvider();
    return provider && *provider && utf8(provider) == m_name.string();
}

const wxBitmap* QxWebDataDownloader::icon() const
{
    // Loaded on first use: the art provider needs the GUI toolkit, which a
    // provider working without a display never asks for.
    if (!m_iconLoaded) {
        m_iconLoaded = true;
        if (wxTheApp && wxTheApp->IsGUI())
            m_icon = wxArtProvider::GetBitmap(m_info.artId, wxART_OTHER, wxSize(16, 16));
    }
    return &m_icon;
}

// ---------------------------------------------------------------------------
// Symbol-index files

wxFileName QxWebDataDownloader::indexFile(const char* categoryName) const
{
    const std::string name = categoryName ? categoryName : "";
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return wxFileName();
    return wxFileName(m_indexFolder.GetPath(), utf8(name.c_str()) + ".txt");
}

void QxWebDataDownloader::readSymbolIndexFile(const wxString& path, QxSymbolMap& map)
{
    wxLogNull quiet;
    wxFile file;
    if (!wxFileName::FileExists(path) || !file.Open(path, wxFile::read))
        return;
    const wxFileOffset size = file.Length();
    if (size <= 0 || size >= (wxFileOffset(1) << 32))
        return;
    std::string text(static_cast<std::size_t>(size), '\0');
    if (file.Read(&text[0], text.size()) != static_cast<ssize_t>(text.size()))
        return;

    const std::size_t n = text.size();
    std::size_t pos = 0;
    while (pos < n) {
        while (pos < n && !isPrintable(static_cast<unsigned char>(text[pos])))
            ++pos;
        if (pos >= n)
            break;
        std::size_t lineEnd = text.find('\n', pos);
        if (lineEnd == std::string::npos)
            lineEnd = text.find('\r', pos);
        if (lineEnd == std::string::npos)
            lineEnd = n;
        std::size_t contentEnd = lineEnd;
        if (contentEnd > pos && text[contentEnd - 1] == '\r')
            --contentEnd;

        std::size_t symbolEnd = pos;
        while (symbolEnd < contentEnd && !isBlank(text[symbolEnd]))
            ++symbolEnd;
        std::size_t descStart = symbolEnd;
        while (descStart < contentEnd && isBlank(text[descStart]))
            ++descStart;
        std::size_t descEnd = contentEnd;
        while (descEnd > descStart && isBlank(text[descEnd - 1]))
            --descEnd;

        const std::string symbol = text.substr(pos, symbolEnd - pos);
        // A symbol counts when some letter, digit or "_" appears in it.
        if (!symbol.empty() && std::any_of(symbol.begin(), symbol.end(), isSymbolChar))
            map[symbol] = text.substr(descStart, descEnd - descStart);

        if (lineEnd >= n)
            break;
        pos = lineEnd + 1;
    }
}

bool QxWebDataDownloader::writeSymbolIndexFile(const wxString& path, const QxSymbolMap& map)
{
    std::string text;
    for (const auto& entry : map) {
        const std::string line = indexLine(entry.first.c_str(), entry.second.c_str());
        if (!line.empty())
            text += line + "\n";
    }
    wxLogNull quiet;
    wxTempFile file;
    if (!file.Open(path))
        return false;
    if (!text.empty() && !file.Write(text.data(), text.size()))
        return false;
    return file.Commit();
}

void QxWebDataDownloader::mergeSymbolIndexFiles(const wxString& shippedPath, const wxString& userPath)
{
    QxSymbolMap map;
    readSymbolIndexFile(shippedPath, map);
    readSymbolIndexFile(userPath, map);
    writeSymbolIndexFile(userPath, map);
}

// ---------------------------------------------------------------------------
// Categories

void QxWebDataDownloader::populateDatabase(QxDatabase* database)
{
    if (!database)
        return;
    wxArrayString files;
    {
        wxLogNull quiet;
        if (wxDir::Exists(m_indexFolder.GetPath()))
            wxDir::GetAllFiles(m_indexFolder.GetPath(), &files, indexFilePattern(), wxDIR_FILES);
    }
    if (files.empty())
        return;
    files.Sort();

    // The securities added here come from the files: they must not be
    // appended to them again.
    QxDataChangeReactorMgr* hub = QxDataChangeReactorMgr::instance();
    const bool reRegister = m_changeReactorRegistered && hub->remDatabaseChangeReactor(this);
    if (reRegister)
        m_changeReactorRegistered = false;

    const std::string provider = m_name.string().utf8_string();
    // What a file held that its category could not take, told once at the end.
    wxString refused;
    const int token = database->beginTransaction();
    for (const wxString& path : files) {
        const wxFileName file(path);
        const std::string categoryName = file.GetName().utf8_string();
        QxObjectSmartPtr<QxCategory> category(database->findCategory(categoryName.c_str(), provider.c_str()));
        if (category) {
            const int64_t fileTime = timestampFromDateTime(file.GetModificationTime());
            if (category->updateTimestamp() > fileTime)
                continue;
        } else {
            category = database->createCategory(categoryName.c_str(), provider.c_str());
            if (!category)
                continue;
        }
        QxSymbolMap map;
        readSymbolIndexFile(path, map);
        std::vector<std::string> caseTwins;
        size_t notAdded = 0;
        bool full = false;
        for (auto entry = map.begin(); entry != map.end(); ++entry) {
            if (full) {
                // No id is left: what is not there already is not added.
                QxObjectSmartPtr<QxSecurity> there(category->findSecurity(entry->first.c_str()));
                notAdded += there ? 0 : 1;
                continue;
            }
            QxObjectSmartPtr<QxSecurity> added(category->addSecurity(entry->first.c_str(), entry->second.c_str()));
            if (added || category->lastAddError() != eObjectWithSameNameAlreadyExists) {
                if (!added && category->lastAddError() == eDataOutOfRange) {
                    full = true;
                    ++notAdded;
                }
                continue;
            }
            // Already there is the common case (the file is read again);
            // the same letters in another case is a ticker lost.
            QxObjectSmartPtr<QxSecurity> same(category->findSecurity(entry->first.c_str()));
            if (!same)
                caseTwins.push_back(entry->first);
        }
        if (notAdded > 0)
            refused << wxString::Format(_("\"%s\": the category holds the 65,535 securities its ids allow; %zu "
                                          "securities of the file were not added."),
                                        path, notAdded)
                    << "\n";
        if (!caseTwins.empty()) {
            wxString list;
            for (size_t i = 0; i < caseTwins.size() && i < 10; ++i)
                list << (i ? ", " : "") << wxString::FromUTF8(caseTwins[i].c_str());
            if (caseTwins.size() > 10)
                list << ", ...";
            refused << wxString::Format(_("\"%s\": %zu tickers were not added because they differ from another "
                                          "only in letter case: %s"),
                                        path, caseTwins.size(), list)
                    << "\n";
        }
        // Not stored, it only makes the next start read the index again.
        (void)category->setUpdateTimestamp(timestampNow());
    }
    if (const int code = database->commit(token))
        qxNotifyUser(wxString::Format(_("The securities of the symbol-index files could not be stored: %s"),
                                      qxErrorDesc(code)));
    if (!refused.empty())
        qxNotifyUser(_("Some securities of the symbol-index files were not added:") + "\n" + refused);

    if (reRegister)
        m_changeReactorRegistered = hub->addDatabaseChangeReactor(this);
}

void QxWebDataDownloader::storeHistory(QxSecurity* security, QxPriceHistory* history)
{
    const int code = security->saveHistory(history);
    if (code == 0) {
        m_storeFailing = false;
        return;
    }
    if (!m_storeFailing)
        qxNotifyUser(wxString::Format(_("The downloaded prices of \"%s\" could not be stored: %s"),
                                      wxString::FromUTF8(security->ticker()), qxErrorDesc(code)));
    m_storeFailing = true;
}

void QxWebDataDownloader::databaseOpened(QxDatabase* database)
{
    if (database && !database->isReadOnly())
        populateDatabase(database);
}

void QxWebDataDownloader::databaseWillBeClosed(QxDatabase* database)
{
    if (!database)
        return;
    const std::string provider = m_name.string().utf8_string();
    for (const std::string& name : m_dirtyCategories) {
        QxObjectSmartPtr<QxCategory> category(database->findCategory(name.c_str(), provider.c_str()));
        const wxFileName file = indexFile(name.c_str());
        if (!category || !file.IsOk())
            continue;
        std::vector<QxObjectSmartPtr<QxSecurity>> securities;
        // An index file is written only from a full list: a failed one
        // would empty it.
        if (category->listSecurities(securities) != 0)
            continue;
        std::string text;
        for (const auto& security : securities) {
            const std::string line = indexLine(security->ticker(), security->name());
            if (!line.empty())
                text += line + "\n";
        }
        wxLogNull quiet;
        wxTempFile out;
        if (out.Open(file.GetFullPath()) && (text.empty() || out.Write(text.data(), text.size())))
            out.Commit();
        // Not stored, it only makes the next start read the index again.
        (void)category->setUpdateTimestamp(timestampNow());
    }
}

void QxWebDataDownloader::categoryWillBeDeleted(QxCategory* category)
{
    // Another provider's category of the same name leaves this file alone.
    if (!ownsCategory(category))
        return;
    const wxFileName file = indexFile(category->name());
    if (!file.IsOk())
        return;
    m_dirtyCategories.erase(category->name());
    wxLogNull quiet;
    if (file.FileExists())
        wxRemoveFile(file.GetFullPath());
}

void QxWebDataDownloader::securityAdded(QxSecurity* security)
{
    QxCategory* category = security ? security->category() : nullptr;
    if (!ownsCategory(category))
        return;
    const wxFileName file = indexFile(category->name());
    const std::string line = indexLine(security->ticker(), security->name());
    if (!file.IsOk() || line.empty())
        return;
    wxLogNull quiet;
    wxFFile out(file.GetFullPath(), "a+");
    if (!out.IsOpened())
        return;
    out.SeekEnd();
    out.Write(("\n" + line).data(), line.size() + 1);
}

void QxWebDataDownloader::securityWillBeDeleted(QxSecurity* security)
{
    QxCategory* category = security ? security->category() : nullptr;
    if (ownsCategory(category) && category->name())
        m_dirtyCategories.insert(category->name());
}

// ---------------------------------------------------------------------------
// Downloads

unsigned QxWebDataDownloader::maxRunningDownloads()
{
    // -1 (unknown) compares as the largest unsigned: no limit.
    return static_cast<unsigned>(wxThread::GetCPUCount());
}

bool QxWebDataDownloader::isDownloading(QxSecurity* security) const
{
    return security && m_inProgress.count(QxObjectSmartPtr<QxSecurity>(security)) != 0;
}

bool QxWebDataDownloader::isUpdating(QxSecurity* security) const
{
    if (!security)
        return false;
    if (isDownloading(security))
        return true;
    const QxLessSecurity less;
    return std::any_of(m_queue.begin(), m_queue.end(), [&](const Request& r) {
        return !less(r.security.get(), security) && !less(security, r.security.get());
    });
}

int64_t QxWebDataDownloader::todayTimestamp() { return timestampFromDateTime(wxDateTime::Today()); }

int64_t QxWebDataDownloader::lastBarTime(QxSecurity* security)
{
    QxQuote quote;
    int64_t since = 0;
    if (!security || security->lastQuote(since, quote) != 0)
        return 0;
    return quote.time;
}

void QxWebDataDownloader::update(QxSecurity* security, bool inBackground)
{
    if (!security || m_updateDepth > 0)
        return;
    DepthGuard guard(m_updateDepth);
    QxObjectSmartPtr<QxSecurity> hold(security);

    if (isDownloading(security)) {
        if (inBackground)
            return;
        // The running download brings the bars: wait for it and handle its
        // completion, so they are stored when this returns. Its transfer
        // ends within the timeouts.
        while (isDownloading(security)) {
            drainCompletions();
            if (isDownloading(security))
                wxMilliSleep(5);
        }
        return;
    }

    const int64_t last = lastBarTime(security);
    if (last >= todayTimestamp())
        return;
    if (inBackground) {
        if (!m_stop)
            startOrQueueDownload(security, last);
        return;
    }

    const std::string url = buildQueryUrl(security, last);
    if (url.empty())
        return;
    std::string body;
    const QxHttpResponse response = QxHttpClient::get(url, body, m_httpOptions);
    // An error page or an empty answer holds no bars.
    if (response.ok() && !body.empty())
        parseResponse(security, body.c_str(), body.size());
}

void QxWebDataDownloader::startOrQueueDownload(QxSecurity* security, int64_t lastBarTime)
{
    if (m_threads.size() < maxRunningDownloads())
        startDownload(security, lastBarTime);
    else
        m_queue.push_back(Request{QxObjectSmartPtr<QxSecurity>(security), lastBarTime});
}

QxWebDownloadThread* QxWebDataDownloader::createDownloadThread(int id, const std::string& url,
                                                               QxSecurity* security)
{
    return new QxWebDownloadThread(&m_handler, id, url, security, m_httpOptions);
}

bool QxWebDataDownloader::startDownload(QxSecurity* security, int64_t lastBarTime)
{
    const std::string url = buildQueryUrl(security, lastBarTime);
    if (url.empty())
        return false;
    const int id = m_nextThreadId++;
    QxWebDownloadThread* thread = createDownloadThread(id, url, security);
    m_threads[id] = thread;
    m_inProgress[QxObjectSmartPtr<QxSecurity>(security)] = id;
    if (!thread->start()) {
        m_threads.erase(id);
        m_inProgress.erase(QxObjectSmartPtr<QxSecurity>(security));
        delete thread;
        return false;
    }
    return true;
}

void QxWebDataDownloader::startQueuedDownloads()
{
    const int64_t today = todayTimestamp();
    while (!m_stop && !m_queue.empty() && m_threads.size() < maxRunningDownloads()) {
        Request request = std::move(m_queue.front());
        m_queue.pop_front();
        QxSecurity* security = request.security.get();
        // A security asked for twice is downloaded once at a time; the last
        // bar is read again since an earlier download may have stored it.
        if (isDownloading(security))
            continue;
        const int64_t last = lastBarTime(security);
        if (last >= today)
            continue;
        startDownload(security, last);
    }
}

void QxWebDataDownloader::onDownloadComplete(QxDownloadEvent& event)
{
    auto it = m_threads.find(event.downloadId());
    if (it == m_threads.end())
        return;
    QxWebDownloadThread* thread = it->second;
    m_threads.erase(it);
    QxObjectSmartPtr<QxSecurity> security(thread->security());
    auto running = m_inProgress.find(security);
    if (running != m_inProgress.end() && running->second == event.downloadId())
        m_inProgress.erase(running);
    // The thread posted this as its last act, so this returns at once.
    thread->Wait();
    delete thread;

    // The maps are consistent again before anything else runs: the next
    // queued download starts, and storing the bars may reach observers
    // that ask this provider for more.
    startQueuedDownloads();
    if (event.succeeded() && !event.body().empty() && security)
        parseResponse(security.get(), event.body().c_str(), event.body().size());
}

void QxWebDataDownloader::drainCompletions()
{
    while (std::unique_ptr<QxDownloadEvent> event = m_handler.takeCompletion())
        onDownloadComplete(*event);
}

void QxWebDataDownloader::abortRunningDownloads()
{
    for (auto& entry : m_threads)
        entry.second->abort();
}

void QxWebDataDownloader::joinAll()
{
    std::map<int, QxWebDownloadThread*> threads;
    threads.swap(m_threads);
    m_inProgress.clear();
    for (auto& entry : threads) {
        entry.second->Wait();
        delete entry.second;
    }
    while (m_handler.takeCompletion()) {
    }
}

void QxWebDataDownloader::windup()
{
    using Clock = std::chrono::steady_clock;
    m_stop = true;
    m_queue.clear();

    // Downloads about to finish may still store their bars; the rest are
    // aborted and end within about a second.
    const auto graceEnd = Clock::now() + std::chrono::milliseconds(m_windupGraceMs);
    bool aborted = false;
    while (!m_threads.empty()) {
        drainCompletions();
        if (m_threads.empty())
            break;
        if (!aborted && Clock::now() >= graceEnd) {
            abortRunningDownloads();
            aborted = true;
        }
        wxMilliSleep(10);
    }
}

// ---------------------------------------------------------------------------

void QxWebDataDownloader::sortBarsAscending(QxPriceHistory& history)
{
    const unsigned n = history.numBars();
    if (n < 2)
        return;
    const int64_t* time = history.timestamp();
    std::vector<unsigned> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [time](unsigned a, unsigned b) { return time[a] < time[b]; });
    bool changed = false;
    std::vector<unsigned> keep;
    keep.reserve(n);
    for (unsigned k = 0; k < n; ++k) {
        if (!keep.empty() && time[order[k]] == time[keep.back()]) {
            changed = true;
            continue;
        }
        if (order[k] != k)
            changed = true;
        keep.push_back(order[k]);
    }
    if (!changed)
        return;

    QxPriceHistory sorted(history.getSecurityType(), history.getPeriod());
    sorted.resize(static_cast<unsigned>(keep.size()));
    auto copyColumn = [&](const double* from, double* to) {
        if (!from || !to)
            return;
        for (std::size_t k = 0; k < keep.size(); ++k)
            to[k] = from[keep[k]];
    };
    for (std::size_t k = 0; k < keep.size(); ++k)
        sorted.timestamp()[k] = time[keep[k]];
    copyColumn(history.open(), sorted.open());
    copyColumn(history.high(), sorted.high());
    copyColumn(history.low(), sorted.low());
    copyColumn(history.close(), sorted.close());
    copyColumn(history.volume(), sorted.volume());
    copyColumn(history.openInterest(), sorted.openInterest());
    copyColumn(history.nav(), sorted.nav());
    history = sorted;
}
