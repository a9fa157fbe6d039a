#pragma once
// The user's portfolios and watchlists as the portfolio manager keeps them,
// decided without a window: each under a list id, CONSOLIDATED (id 0) made
// from the open lots of all the portfolios (its totals are their sums), and
// the two files. Every change goes through the
// commands below, which keep CONSOLIDATED in step and write the file they
// changed at once. A write that fails is told to the user once, with the
// file and the reason; the state stays here and the next change writes
// again. A file that another program changed since it was read here is
// never written over: the user is told, and the changes made here stay in
// memory only.
//
// Securities are held by their keys: rebind() resolves every position and
// watch item again, from those keys, against another database.
#include "core/QxObject.h"
#include "securities/QxPortfolioFiles.h"

#include <wx/string.h>

#include <map>
#include <string>
#include <vector>

class QxDatabase;

class QxPortfolioBook {
public:
    using PortfolioMap = std::map<int, QxObjectSmartPtr<QxPortfolio>>;
    using WatchlistMap = std::map<int, QxObjectSmartPtr<QxWatchlist>>;
    static constexpr int kConsolidatedId = 0;
    static constexpr int kNoWatchlist = -1;

    // The two files of the user data folder, or the files at the paths given.
    QxPortfolioBook();
    QxPortfolioBook(const wxString& portfoliosPath, const wxString& watchlistsPath);
    ~QxPortfolioBook();
    QxPortfolioBook(const QxPortfolioBook&) = delete;
    QxPortfolioBook& operator=(const QxPortfolioBook&) = delete;

    // Reads both files, securities resolved against database; what was held
    // before goes. Ids are given in file order, from 1.
    void load(QxDatabase* database);
    // Resolves every position and watch item again from its key against
    // database; what does not resolve there is kept, as when a file is read.
    void rebind(QxDatabase* database);

    // The listed portfolios (CONSOLIDATED not among them) and watchlists.
    const PortfolioMap& portfolios() const { return m_portfolios; }
    const WatchlistMap& watchlists() const { return m_watchlists; }
    // By id, null when none; id 0 is CONSOLIDATED.
    QxPortfolio* portfolio(int id) const;
    QxWatchlist* watchlist(int id) const;
    const QxPortfolio& consolidated() const { return *m_consolidated; }

    // ---- commands; each returns whether it changed anything
    // A new empty portfolio or watchlist named "Portfolio1", "Portfolio2",
    // ... (the first free name); its id.
    int addPortfolio();
    int addWatchlist();
    // Refused (false) for CONSOLIDATED, for a blank name and for the name
    // of another portfolio (watchlist) regardless of case.
    bool renamePortfolio(int id, const wxString& name);
    bool renameWatchlist(int id, const wxString& name);
    bool removePortfolio(int id);
    bool removeWatchlist(int id);
    // Adds to the position of the security in a portfolio (not CONSOLIDATED).
    bool addTransaction(int id, QxSecurity* security, const QxTransaction& transaction);
    // Removes the transaction at index of the position of key.
    bool removeTransaction(int id, const std::string& key, size_t index);
    // Sets (or replaces) the security's item of a watchlist.
    bool setWatchItem(int id, const QxWatchItem& item);
    bool removeWatchItem(int id, const std::string& key);

    // What reading and the last write of each file left.
    const QxListFileState& portfolioFile() const { return m_portfolioFile; }
    const QxListFileState& watchlistFile() const { return m_watchlistFile; }
    const wxString& portfoliosPath() const { return m_portfoliosPath; }
    const wxString& watchlistsPath() const { return m_watchlistsPath; }

    // Writes the file now; false when it could not be written (the user
    // has been told). The commands call these themselves.
    [[nodiscard]] bool savePortfolios();
    [[nodiscard]] bool saveWatchlists();
    // Whether the file holds every change made here.
    bool portfoliosSaved() const { return m_portfolioWrites.saved(); }
    bool watchlistsSaved() const { return m_watchlistWrites.saved(); }
    // Tries once more the writes that failed (not those refused because
    // another program changed the file); for the last moment of the window.
    void retryFailedWrites();

private:
    // How the writes of one file went: the last result, and the result the
    // user was last told of (cleared by a success).
    struct Writes {
        QxListWrite last = QxListWrite::eWritten;
        QxListWrite told = QxListWrite::eWritten;
        bool saved() const { return last == QxListWrite::eWritten; }
    };
    [[nodiscard]] bool write(const wxString& path, const std::string& text, QxListFileState& state, Writes& writes,
               const wxString& failedMessage);

    // Makes CONSOLIDATED's position of key (or all of them) anew.
    void consolidate(const std::string& key);
    void consolidateAll();

    wxString m_portfoliosPath;
    wxString m_watchlistsPath;
    PortfolioMap m_portfolios;
    WatchlistMap m_watchlists;
    QxObjectSmartPtr<QxPortfolio> m_consolidated;
    // Portfolios of the file without a name: not listed, but written back.
    std::vector<QxObjectSmartPtr<QxPortfolio>> m_unlisted;
    int m_nextPortfolioId = 0;
    int m_nextWatchlistId = 0;
    QxListFileState m_portfolioFile;
    QxListFileState m_watchlistFile;
    Writes m_portfolioWrites;
    Writes m_watchlistWrites;
};
