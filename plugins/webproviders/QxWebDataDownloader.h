#pragma once
// The machinery both web price-download plug-ins share: registration, the
// symbol-index files that become categories of the history database, and
// foreground and background updates of one security with a bounded pool of
// download threads whose completions are handled on the GUI thread.
// A plug-in derives one provider from it and supplies the two protocol
// operations, buildQueryUrl and parseResponse.
#include "core/QxAtom.h"
#include "core/QxDataProvider.h"
#include "core/QxDataReactors.h"
#include "core/QxObject.h"
#include "core/QxSecurityKey.h"
#include "core/platform/QxDownloadThread.h"
#include "core/platform/QxHttpClient.h"

#include <wx/bitmap.h>
#include <wx/event.h>
#include <wx/filename.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

class QxCategory;
class QxPriceHistory;
class QxSecurity;

// Symbol -> description, in byte-wise order of the symbols.
using QxSymbolMap = std::map<std::string, std::string>;

// What tells the two providers apart besides their protocol.
struct QxWebProviderInfo {
    const char* providerName;  // "Google", "Yahoo!"
    const char* userFolder;    // below the user data folder: "tickpull"
    const char* indexFolder;   // below that: "google_index"
    const char* shippedFolder; // below "data" of the program folder: "tickpuller"
    const char* artId;         // "QxART_google"
};

// Where a provider keeps its files; empty members take the standard paths.
struct QxWebProviderPaths {
    wxString userDataDir;
    wxString programDir;
};

// A download thread working for one security.
class QxWebDownloadThread : public QxDownloadThread {
public:
    QxWebDownloadThread(wxEvtHandler* sink, int id, const std::string& url, QxSecurity* security,
                        const QxHttpOptions& options);
    ~QxWebDownloadThread() override;
    QxSecurity* security() const { return m_security.get(); }

private:
    QxObjectSmartPtr<QxSecurity> m_security;
};

class QxWebDataDownloader : public QxDataProvider,
                            public QxDatabaseChangeReactor,
                            public QxDatabaseReactor {
public:
    // Receives the download threads' completions. Threads hand them over
    // from their own thread; they are kept here and handled on the GUI
    // thread, either when the wake-up event arrives there or when the
    // provider drains them itself (waiting for a download, winding up).
    class DownloadThreadEvtHandler : public wxEvtHandler {
    public:
        explicit DownloadThreadEvtHandler(QxWebDataDownloader* owner);
        ~DownloadThreadEvtHandler() override;
        void QueueEvent(wxEvent* event) override;
        // The oldest completion not yet handled, or null.
        std::unique_ptr<QxDownloadEvent> takeCompletion();

    private:
        void onWake(wxThreadEvent& event);

        QxWebDataDownloader* m_owner;
        std::mutex m_lock;
        std::deque<std::unique_ptr<QxDownloadEvent>> m_completions;
    };

    ~QxWebDataDownloader() override;

    // QxDataProvider
    QxAtom name() const override { return m_name; }
    void populateDatabase(QxDatabase* database) override;
    const wxBitmap* icon() const override;
    void update(QxSecurity* security, bool inBackground) override;
    void windup() override;

    // QxDatabaseChangeReactor
    void categoryWillBeDeleted(QxCategory* category) override;
    void securityAdded(QxSecurity* security) override;
    void securityWillBeDeleted(QxSecurity* security) override;

    // QxDatabaseReactor
    void databaseOpened(QxDatabase* database) override;
    void databaseWillBeClosed(QxDatabase* database) override;

    // The protocol: the request for the bars after lastBarTime (empty when
    // there is nothing to ask for), and storing the bars of a response.
    virtual std::string buildQueryUrl(QxSecurity* security, int64_t lastBarTime) = 0;
    virtual void parseResponse(QxSecurity* security, const char* text, std::size_t length) = 0;

    // Registers with the provider repository and the change hub (once);
    // unregisters from both.
    void registerProvider();
    void unregisterProvider();

    // Whether the category is bound to this provider.
    bool ownsCategory(const QxCategory* category) const;

    const wxFileName& indexFolder() const { return m_indexFolder; }
    const wxFileName& shippedFolder() const { return m_shippedFolder; }
    // The index file of a category name; invalid when the name cannot be a
    // plain file name (it would reach outside the index folder).
    wxFileName indexFile(const char* categoryName) const;

    // Transfer limits of every download, foreground and background.
    void setHttpOptions(const QxHttpOptions& options) { m_httpOptions = options; }
    const QxHttpOptions& httpOptions() const { return m_httpOptions; }
    // How long windup lets running downloads finish before aborting them.
    void setWindupGraceMs(long ms) { m_windupGraceMs = ms; }

    // Downloads running at once at most: the number of processors (no limit
    // when the system does not say).
    static unsigned maxRunningDownloads();
    std::size_t numRunningDownloads() const { return m_threads.size(); }
    std::size_t numQueuedDownloads() const { return m_queue.size(); }
    bool isDownloading(QxSecurity* security) const;
    // Downloading now or queued to.
    bool isUpdating(QxSecurity* security) const override;

    // Handles every completion that has arrived; GUI thread only.
    void drainCompletions();

    // Symbol-index files.
    static void readSymbolIndexFile(const wxString& path, QxSymbolMap& map);
    static bool writeSymbolIndexFile(const wxString& path, const QxSymbolMap& map);
    static void mergeSymbolIndexFiles(const wxString& shippedPath, const wxString& userPath);
    // The pattern of index file names: country, exchange and asset class.
    static const char* indexFilePattern() { return "??.*.*.txt"; }

    // Sorts bars by time and keeps the first bar of each time: services
    // answer newest first, and stored histories must be ascending.
    static void sortBarsAscending(QxPriceHistory& history);
    // Today's local date at 00:00:00 as a packed timestamp.
    static int64_t todayTimestamp();
    // The time of the security's last stored daily bar, 0 when none.
    static int64_t lastBarTime(QxSecurity* security);

protected:
    QxWebDataDownloader(const QxWebProviderInfo& info, const QxWebProviderPaths& paths);

    // The request of a download thread; a plug-in may name its own thread class.
    virtual QxWebDownloadThread* createDownloadThread(int id, const std::string& url, QxSecurity* security);
    // Stores the bars of a response. A refusal is told, once until a store
    // succeeds again, so that a database refusing every write does not
    // bring a message for each security.
    void storeHistory(QxSecurity* security, QxPriceHistory* history);

private:
    struct Request {
        QxObjectSmartPtr<QxSecurity> security;
        int64_t lastBarTime;
    };

    void seedIndexFolder();
    void startOrQueueDownload(QxSecurity* security, int64_t lastBarTime);
    bool startDownload(QxSecurity* security, int64_t lastBarTime);
    void startQueuedDownloads();
    void onDownloadComplete(QxDownloadEvent& event);
    void abortRunningDownloads();
    // Waits for every thread and deletes it, dropping what it brought.
    void joinAll();

    friend class DownloadThreadEvtHandler;

    QxWebProviderInfo m_info;
    QxAtom m_name;
    DownloadThreadEvtHandler m_handler;
    wxFileName m_indexFolder;
    wxFileName m_shippedFolder;
    std::set<std::string> m_dirtyCategories;
    // Security -> id of its running thread.
    std::map<QxObjectSmartPtr<QxSecurity>, int, QxLessSecurity> m_inProgress;
    std::map<int, QxWebDownloadThread*> m_threads;
    std::deque<Request> m_queue;
    bool m_stop = false;
    int m_nextThreadId = 6000;
    int m_updateDepth = 0;
    bool m_draining = false;
    bool m_registered = false;
    bool m_changeReactorRegistered = false;
    long m_windupGraceMs = 500;
    bool m_storeFailing = false;
    QxHttpOptions m_httpOptions;
    mutable wxBitmap m_icon;
    mutable bool m_iconLoaded = false;
};

// The body of a plug-in's trdxMain: the one provider is created on the
// first call whatever the command; 1 registers it, 2 unregisters and drops it.
template <class Provider>
bool runWebProviderEntry(int command, Provider*& provider)
{
    if (!provider) {
        provider = new Provider;
        provider->addRef(); // the plug-in's own reference
    }
    if (command == 1) {
        provider->registerProvider();
    } else if (command == 2) {
        provider->unregisterProvider();
        Provider* old = provider;
        provider = nullptr;
        old->release();
    }
    return true;
}
