#pragma once
// The portfolio manager's panel. It owns the portfolios and watchlists
// (read from their files when it is built, written when it is destroyed),
// lists them on the left with "CONSOLIDATED", the sum of all portfolios,
// always last, and shows one details tree at a time on the right: a tree
// per portfolio or watchlist, made on first show and kept. Values follow
// price downloads through one daily calculator per shown security.
//
// For the commands of the toolbars (added later on top of this): the model
// is reached through portfolios() and watchlists() by list id; after a
// change, refreshPosition() or fillWatchlistTree() puts it on screen and
// updatePortfolioRow() recomputes a list row.
#include "app/QxIdleTaskQueue.h"
#include "chartview/QxCursorMgrMixin.h"
#include "core/QxCalculator.h"
#include "core/QxDataReactors.h"
#include "core/QxSecurityKey.h"
#include "securities/FBPortfolioMgrPanel.h"
#include "securities/QxPortfolioFiles.h"
#include "securities/QxPortfolioValues.h"
#include "securities/QxProviderImages.h"
#include "trading/QxAlertMgr.h"
#include "trading/QxAlertMgrFrame.h"

#include <wx/imaglist.h>
#include <wx/treelist.h>

#include <map>
#include <memory>
#include <vector>

class QxPortfolioView : public FBPortfolioMgrPanel,
                        public QxCursorMgrMixin<QxPortfolioView>,
                        public QxIdleEventHandler,
                        public QxPriceHistoryChangeReactor,
                        public QxAlertSettingReactor,
                        public QxAlertReactor {
public:
    using PortfolioMap = std::map<int, QxObjectSmartPtr<QxPortfolio>>;
    using WatchlistMap = std::map<int, QxObjectSmartPtr<QxWatchlist>>;
    using TreeMap = std::map<int, wxTreeListCtrl*>;

    enum IdleCall { eFitColumns = 0, eKeepPortfolioSelection = 1, eKeepWatchlistSelection = 2 };
    static constexpr int kConsolidatedId = 0;

    explicit QxPortfolioView(wxWindow* parent);
    ~QxPortfolioView() override;

    const PortfolioMap& portfolios() const { return m_portfolios; }
    const WatchlistMap& watchlists() const { return m_watchlists; }
    QxPortfolio* portfolio(int id) const;
    QxWatchlist* watchlist(int id) const;
    int currentPortfolioId() const { return m_currentPortfolio; }
    int currentWatchlistId() const { return m_currentWatchlist; }
    bool watchlistMode() const { return m_watchMode; }

    wxListCtrl* portfolioList() const { return m_portfolioList; }
    wxListCtrl* watchlistList() const { return m_watchlistList; }
    wxToolBar* detailsToolBar() const { return m_detailsTools; }
    // The tree of a portfolio or watchlist, made (and filled) when absent.
    wxTreeListCtrl* portfolioTree(int id);
    wxTreeListCtrl* watchlistTree(int id);
    // The tree of that id if it was made, else null.
    wxTreeListCtrl* existingPortfolioTree(int id) const;
    wxTreeListCtrl* existingWatchlistTree(int id) const;
    // The tree the details area holds.
    wxTreeListCtrl* shownTree() const;
    // Sorts a tree by a column as a click on its header does.
    static void sortTree(wxTreeListCtrl* tree, unsigned column, bool ascending);
    // Puts the tree into the details area (sorted as the tree of its kind
    // shown before it).
    void showDetailsTree(wxTreeListCtrl* tree, bool watchMode);

    // Shows the portfolio or watchlist of a list row and makes it current.
    void showPortfolioRow(long row);
    void showWatchlistRow(long row);

    // The list row of an id, -1 when none.
    long portfolioRow(int id) const;
    long watchlistRow(int id) const;
    // Recomputes the Investment, Value and %Gain of a portfolio list row.
    void updatePortfolioRow(long row);
    // Sorts the portfolio list by its sort column ("CONSOLIDATED" last), or
    // the watchlist list by its own.
    void sortPortfolioList();
    void sortWatchlistList();
    // Remakes the row of the position in the tree (none when nothing of it
    // is open) with a child row per open lot.
    void refreshPosition(wxTreeListCtrl* tree, const QxPosition& position);
    void fillPortfolioTree(wxTreeListCtrl* tree, const QxPortfolio& portfolio);
    void fillWatchlistTree(wxTreeListCtrl* tree, const QxWatchlist& watchlist);
    // The security of the selected row of the shown tree, or null.
    QxSecurity* selectedSecurity() const;
    // Opens a daily candle chart of the selected security.
    void openChartOfSelection();

    // The daily calculator of a security (made and watched for new prices
    // when absent) and the closes it gives.
    QxCalculator* calculatorOf(QxSecurity* security);
    QxCloses closesOf(QxSecurity* security);
    size_t numCalculators() const { return m_calculators.size(); }

    // Column fitting of both lists and both shown trees.
    void fitColumns();
    // The gap between the left column and the details area, in panel
    // coordinates.
    wxRect sashRect() const;
    bool sashDragging() const { return m_sashDragging; }

    void onIdle(unsigned delayMs, long arg) override;
    void destroyCallData(long) override {}
    void eodPriceHistoryChanged(unsigned securityId) override;
    void intradayPriceHistoryChanged(unsigned) override {}
    // The alert panel of the lower right follows these once its commands
    // are built; until then the view only stays registered.
    void onAlertSettingAdded(QxSecurity*, QxAlertSetting*) override {}
    void onAlertSettingRemoved(QxSecurity*, QxAlertSetting*) override {}
    void onAlertAdded(const QxAlert&, QxSecurity*, QxAlertSetting*) override {}
    void onAlertStatusChanged(const QxAlert&, unsigned, QxSecurity*, QxAlertSetting*) override {}
    void onAlertRemoved(const QxAlert&, QxSecurity*, QxAlertSetting*) override {}

protected:
    void onMouseLeave(wxMouseEvent& event) override;
    void onLeftDown(wxMouseEvent& event) override;
    void onLeftUp(wxMouseEvent& event) override;
    void onMouseMotion(wxMouseEvent& event) override;
    void onPortfolioKillFocus(wxFocusEvent& event) override;
    void onPortfolioColClick(wxListEvent& event) override;
    void onPortfolioDeselected(wxListEvent& event) override;
    void onPortfolioSelected(wxListEvent& event) override;
    void onPortfolioSetFocus(wxFocusEvent& event) override;
    void onPortfolioListSize(wxSizeEvent& event) override;
    void onWatchlistKillFocus(wxFocusEvent& event) override;
    void onWatchlistColClick(wxListEvent& event) override;
    void onWatchlistDeselected(wxListEvent& event) override;
    void onWatchlistSelected(wxListEvent& event) override;
    void onWatchlistSetFocus(wxFocusEvent& event) override;
    void onWatchlistListSize(wxSizeEvent& event) override;
    void onAlertListSize(wxSizeEvent& event) override;
    // The tools' commands come next; until then they say so.
    void onAddPortfolio(wxCommandEvent&) override { notYet(_("Adding portfolios")); }
    void onRemovePortfolio(wxCommandEvent&) override { notYet(_("Removing portfolios")); }
    void onRenamePortfolio(wxCommandEvent&) override { notYet(_("Renaming portfolios")); }
    void onAddWatchlist(wxCommandEvent&) override { notYet(_("Adding watchlists")); }
    void onRemoveWatchlist(wxCommandEvent&) override { notYet(_("Removing watchlists")); }
    void onRenameWatchlist(wxCommandEvent&) override { notYet(_("Renaming watchlists")); }
    void onAddTransaction(wxCommandEvent&) override { notYet(_("Adding transactions and watch items")); }
    void onRemoveTransaction(wxCommandEvent&) override { notYet(_("Removing transactions and watch items")); }
    void onSetNewAlert(wxCommandEvent&) override { notYet(_("Setting alerts from the portfolio manager")); }
    void onQuickAlertMenu(wxCommandEvent&) override { notYet(_("Setting alerts from the portfolio manager")); }
    void onManageAlerts(wxCommandEvent&) override { QxAlertMgrFrame::showFrame(); }
    void onRemoveAlertSetting(wxCommandEvent&) override { notYet(_("Removing alert settings here")); }
    // Labels are not edited before renaming is built.
    void onPortfolioBeginLabelEdit(wxListEvent& event) override { event.Veto(); }
    void onWatchlistEndLabelEdit(wxListEvent& event) override { event.Veto(); }

private:
    struct ListSort {
        int column = 0;
        bool ascending = true;
    };

    void loadPortfolios();
    void loadWatchlists();
    void save();
    wxTreeListCtrl* makeTree(bool watchTree);
    void onTreeSorted(wxTreeListEvent& event);
    void onTreeActivated(wxTreeListEvent& event);
    void onTreeSize(wxSizeEvent& event);
    // The position row or watch row of a security in a tree, or an invalid item.
    wxTreeListItem findTopRow(wxTreeListCtrl* tree, const std::string& key) const;
    void updatePositionValues(wxTreeListCtrl* tree, wxTreeListItem row);
    void updateWatchValues(wxTreeListCtrl* tree, wxTreeListItem row);
    int rowImage(QxSecurity* security) const;
    // Parks a list's selected row (shown chosen but unselected) and brings
    // both parked rows back.
    void parkSelection(wxListCtrl* list, long& parked);
    void restoreParked();
    void activateList(bool watchMode);
    void setDetailsMode(bool watchMode);
    void moveSash(int x);
    void notYet(const wxString& what);

    int m_nextPortfolioId = 0;
    int m_nextWatchlistId = 0;
    int m_currentPortfolio = kConsolidatedId;
    int m_currentWatchlist = -1;
    PortfolioMap m_portfolios;
    WatchlistMap m_watchlists;
    TreeMap m_portfolioTrees;
    TreeMap m_watchlistTrees;
    std::map<QxObjectSmartPtr<QxSecurity>, QxObjectSmartPtr<QxCalculator>, QxLessSecurity> m_calculators;
    wxTreeListCtrl* m_shownPortfolioTree = nullptr;
    wxTreeListCtrl* m_shownWatchlistTree = nullptr;
    bool m_watchMode = false;
    long m_parkedPortfolioRow = -1;
    long m_parkedWatchlistRow = -1;
    ListSort m_portfolioSort;
    ListSort m_watchlistSort;
    bool m_sashDragging = false;
    std::unique_ptr<QxPortfolioDetailsItemComparator> m_portfolioComparator;
    std::unique_ptr<QxWatchlistDetailsItemComparator> m_watchlistComparator;
    wxImageList m_images{16, 16, true};
    QxProviderImages m_providerImages;

    // Portfolios of the file without a name: not listed, but written back.
    std::vector<QxObjectSmartPtr<QxPortfolio>> m_unlisted;
    QxListFileState m_portfolioFile;
    QxListFileState m_watchlistFile;
    bool m_parking = false;
    bool m_fitting = false;
    bool m_sortingTrees = false;
};
