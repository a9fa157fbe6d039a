#include "securities/QxPortfolioBook.h"

#include "core/QxSecurityKey.h"
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
    return id;
}

int QxPortfolioBook::addWatchlist()
{
    const int id = ++m_nextWatchlistId;
    m_watchlists[id] = new QxWatchlist(qxUniqueName(_("Watchlist"), namesOf(m_watchlists, kNoWatchlist)));
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
    return true;
}

bool QxPortfolioBook::renameWatchlist(int id, const wxString& name)
{
    QxWatchlist* w = lookUp(m_watchlists, id);
    if (!w || !qxMayRename(name, namesOf(m_watchlists, id)))
        return false;
    w->setName(name);
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
    return true;
}

bool QxPortfolioBook::removeWatchlist(int id) { return m_watchlists.erase(id) > 0; }

bool QxPortfolioBook::addTransaction(int id, QxSecurity* security, const QxTransaction& transaction)
{
    QxPortfolio* p = lookUp(m_portfolios, id);
    QxPosition* position = p ? p->getPosition(security, true) : nullptr;
    if (!position)
        return false;
    position->addTransaction(transaction);
    consolidate(position->key());
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
    return true;
}

bool QxPortfolioBook::setWatchItem(int id, const QxWatchItem& item)
{
    QxWatchlist* w = lookUp(m_watchlists, id);
    if (!w || !item.security)
        return false;
    w->setItem(item);
    return true;
}

bool QxPortfolioBook::removeWatchItem(int id, const std::string& key)
{
    QxWatchlist* w = lookUp(m_watchlists, id);
    return w && w->removeItem(key);
}

bool QxPortfolioBook::savePortfolios()
{
    std::vector<const QxPortfolio*> portfolios;
    for (const auto& [id, p] : m_portfolios)
        portfolios.push_back(p.get());
    for (const auto& p : m_unlisted)
        portfolios.push_back(p.get());
    return qxSavePortfolios(m_portfoliosPath, portfolios, m_portfolioFile);
}

bool QxPortfolioBook::saveWatchlists()
{
    std::vector<const QxWatchlist*> watchlists;
    for (const auto& [id, w] : m_watchlists)
        watchlists.push_back(w.get());
    return qxSaveWatchlists(m_watchlistsPath, watchlists, m_watchlistFile);
}
