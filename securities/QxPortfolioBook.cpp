#include "securities/QxPortfolioBook.h"

#include "core/QxSecurityKey.h"
#include "core/QxUserNotice.h"
#include "securities/QxPortfolioNames.h"

#include <wx/intl.h>
#include <wx/xml/xml.h>

#include <memory>

namespace {

const char* const kConsolidatedName = "CONSOLIDATED";

template <class Map>
typename Map::mapped_type::element_type* lookUp(const Map& lists, int id)
{
    const auto it = lists.find(id);
    return it == lists.end() ? nullptr : it->second.get();
}

template <class Map>
std::vector<wxString> namesOf(const Map& lists, int except)
{
    std::vector<wxString> names;
    for (const auto& [id, list] : lists)
        if (id != except)
            names.push_back(list->name());
    return names;
}

} // namespace

QxPortfolioBook::QxPortfolioBook() : QxPortfolioBook(qxPortfoliosFilePath(), qxWatchlistsFilePath()) {}

QxPortfolioBook::QxPortfolioBook(const wxString& portfoliosPath, const wxString& watchlistsPath)
    : m_portfoliosPath(portfoliosPath), m_watchlistsPath(watchlistsPath),
      m_consolidated(new QxPortfolio(kConsolidatedName))
{
}

QxPortfolioBook::~QxPortfolioBook() = default;

QxPortfolio* QxPortfolioBook::portfolio(int id) const
{
    return id == kConsolidatedId ? m_consolidated.get() : lookUp(m_portfolios, id);
}

QxWatchlist* QxPortfolioBook::watchlist(int id) const { return lookUp(m_watchlists, id); }

void QxPortfolioBook::load(QxDatabase* database)
{
    m_portfolios.clear();
    m_watchlists.clear();
    m_unlisted.clear();
    m_consolidated = new QxPortfolio(kConsolidatedName);
    m_nextPortfolioId = m_nextWatchlistId = 0;
    m_portfolioFile = m_watchlistFile = QxListFileState();
    m_portfolioWrites = m_watchlistWrites = Writes();
    for (auto& p : qxLoadPortfolios(m_portfoliosPath, database, &m_portfolioFile)) {
        if (p->name().empty()) {
            m_unlisted.push_back(p);
            continue;
        }
        m_portfolios[++m_nextPortfolioId] = p;
    }
    consolidateAll();
    for (auto& w : qxLoadWatchlists(m_watchlistsPath, database, &m_watchlistFile))
        m_watchlists[++m_nextWatchlistId] = w;
}

void QxPortfolioBook::rebind(QxDatabase* database)
{
    // Through the elements the files hold: positions whose security is not
    // in database are kept aside exactly as reading a file keeps them.
    auto again = [database](const auto& list) {
        std::unique_ptr<wxXmlNode> element(list->toXml(nullptr));
        return std::remove_pointer_t<decltype(list.get())>::fromXml(element.get(), database);
    };
    for (auto& [id, p] : m_portfolios)
        p = again(p);
    for (auto& p : m_unlisted)
        p = again(p);
    for (auto& [id, w] : m_watchlists)
        w = again(w);
    consolidateAll();
}

// CONSOLIDATED holds what each portfolio holds as it computes itself: the
// open lots of all of them, matched against nothing, so that its totals are
// the sums of theirs, whatever order the file gives the portfolios in.
void QxPortfolioBook::consolidate(const std::string& key)
{
    QxPortfolio::Positions& consolidated = m_consolidated->positions();
    consolidated.erase(key);
    for (const auto& [id, p] : m_portfolios) {
        const auto it = p->positions().find(key);
        if (it == p->positions().end())
            continue;
        const QxPosition& position = it->second;
        for (size_t i = 0; i < position.transactions().size(); ++i) {
            QxTransaction lot = position.transactions()[i];
            lot.quantity = position.openQuantityOf(i);
            if (lot.quantity == 0)
                continue;
            auto at = consolidated.find(key);
            if (at == consolidated.end())
                at = consolidated.emplace(key, QxPosition::ofOpenLots(position.security(), key)).first;
            at->second.addTransaction(lot);
        }
    }
}

void QxPortfolioBook::consolidateAll()
{
    m_consolidated->positions().clear();
    for (const auto& [id, p] : m_portfolios)
        for (const auto& entry : p->positions())
            if (m_consolidated->positions().count(entry.first) == 0)
                consolidate(entry.first);
}

int QxPortfolioBook::addPortfolio()
{
    std::vector<wxString> names = namesOf(m_portfolios, kConsolidatedId);
    names.push_back(kConsolidatedName);
    const int id = ++m_nextPortfolioId;
    m_portfolios[id] = new QxPortfolio(qxUniqueName(_("Portfolio"), names));
    (void)savePortfolios(); // a failure has been told; the next change writes again
    return id;
}

int QxPortfolioBook::addWatchlist()
{
    const int id = ++m_nextWatchlistId;
    m_watchlists[id] = new QxWatchlist(qxUniqueName(_("Watchlist"), namesOf(m_watchlists, kNoWatchlist)));
    (void)saveWatchlists();
    return id;
}

bool QxPortfolioBook::renamePortfolio(int id, const wxString& name)
{
    QxPortfolio* p = lookUp(m_portfolios, id);
    std::vector<wxString> others = namesOf(m_portfolios, id);
    others.push_back(kConsolidatedName);
    if (!p || !qxMayRename(name, others))
        return false;
    p->setName(name);
    (void)savePortfolios();
    return true;
}

bool QxPortfolioBook::renameWatchlist(int id, const wxString& name)
{
    QxWatchlist* w = lookUp(m_watchlists, id);
    if (!w || !qxMayRename(name, namesOf(m_watchlists, id)))
        return false;
    w->setName(name);
    (void)saveWatchlists();
    return true;
}

bool QxPortfolioBook::removePortfolio(int id)
{
    const auto it = m_portfolios.find(id);
    if (it == m_portfolios.end())
        return false;
    // What the portfolio brought into CONSOLIDATED leaves with it.
    std::vector<std::string> keys;
    for (const auto& entry : it->second->positions())
        keys.push_back(entry.first);
    m_portfolios.erase(it);
    for (const std::string& key : keys)
        consolidate(key);
    (void)savePortfolios();
    return true;
}

bool QxPortfolioBook::removeWatchlist(int id)
{
    if (m_watchlists.erase(id) == 0)
        return false;
    (void)saveWatchlists();
    return true;
}

bool QxPortfolioBook::addTransaction(int id, QxSecurity* security, const QxTransaction& transaction)
{
    QxPortfolio* p = lookUp(m_portfolios, id);
    QxPosition* position = p ? p->getPosition(security, true) : nullptr;
    if (!position)
        return false;
    position->addTransaction(transaction);
    consolidate(position->key());
    (void)savePortfolios();
    return true;
}

bool QxPortfolioBook::removeTransaction(int id, const std::string& key, size_t index)
{
    QxPortfolio* p = lookUp(m_portfolios, id);
    const auto it = p ? p->positions().find(key) : QxPortfolio::Positions::iterator();
    if (!p || it == p->positions().end() || index >= it->second.transactions().size())
        return false;
    it->second.removeTransaction(index);
    consolidate(key);
    (void)savePortfolios();
    return true;
}

bool QxPortfolioBook::setWatchItem(int id, const QxWatchItem& item)
{
    QxWatchlist* w = lookUp(m_watchlists, id);
    if (!w || !item.security)
        return false;
    w->setItem(item);
    (void)saveWatchlists();
    return true;
}

bool QxPortfolioBook::removeWatchItem(int id, const std::string& key)
{
    QxWatchlist* w = lookUp(m_watchlists, id);
    if (!w || !w->removeItem(key))
        return false;
    (void)saveWatchlists();
    return true;
}

bool QxPortfolioBook::write(const wxString& path, const std::string& text, QxListFileState& state, Writes& writes,
                            const wxString& failedMessage)
{
    wxString why;
    writes.last = qxWriteListFile(path, text, state, &why);
    if (writes.last == QxListWrite::eWritten)
        writes.told = QxListWrite::eWritten;
    else if (writes.last != writes.told && writes.last != QxListWrite::eRefused) {
        // Once for each kind of trouble; the user was told of a damaged
        // file that stays in place when it was read.
        writes.told = writes.last;
        if (writes.last == QxListWrite::eFailed)
            qxNotifyUser(wxString::Format(failedMessage, path, why));
        else
            qxNotifyUser(wxString::Format(
                _("\"%s\" was changed by another program (another Trendoria, perhaps) since the Portfolio & "
                  "Watchlist window read it. The changes made in the window are not saved over it, so that "
                  "nothing of the other program's is lost: close the window and open it again to work on the "
                  "file as it is now."),
                path));
    }
    return writes.saved();
}

bool QxPortfolioBook::savePortfolios()
{
    std::vector<const QxPortfolio*> portfolios;
    for (const auto& [id, p] : m_portfolios)
        portfolios.push_back(p.get());
    for (const auto& p : m_unlisted)
        portfolios.push_back(p.get());
    return write(m_portfoliosPath, qxPortfoliosText(portfolios), m_portfolioFile, m_portfolioWrites,
                 _("The portfolios could not be saved to \"%s\": %s.\n\nThey stay as they are in the Portfolio & "
                   "Watchlist window, and are saved with the next change made there."));
}

bool QxPortfolioBook::saveWatchlists()
{
    std::vector<const QxWatchlist*> watchlists;
    for (const auto& [id, w] : m_watchlists)
        watchlists.push_back(w.get());
    return write(m_watchlistsPath, qxWatchlistsText(watchlists), m_watchlistFile, m_watchlistWrites,
                 _("The watchlists could not be saved to \"%s\": %s.\n\nThey stay as they are in the Portfolio & "
                   "Watchlist window, and are saved with the next change made there."));
}

void QxPortfolioBook::retryFailedWrites()
{
    if (m_portfolioWrites.last == QxListWrite::eFailed)
        (void)savePortfolios();
    if (m_watchlistWrites.last == QxListWrite::eFailed)
        (void)saveWatchlists();
}
