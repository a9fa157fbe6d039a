#pragma once
// The portfolio manager's panel. Its book holds the portfolios and
// watchlists with CONSOLIDATED; the panel lists them on the left
// (CONSOLIDATED always last) and shows one details tree at a time on the
// right: a tree per portfolio or watchlist, made on first show and kept.
// Values follow price downloads through one daily calculator per shown
// security; the alert panel below the tree lists the chosen security's
// alert settings.
//
// The toolbars' commands change the book by list id; refreshPosition() or
// fillWatchlistTree() then puts the change on screen and
// updatePortfolioRow() recomputes a list row. Tree rows name their
// position or watch item by its security key.
#include "app/QxIdleTaskQueue.h"
#include "chartview/QxCursorMgrMixin.h"
#include "core/QxCalculator.h"
#include "core/QxDataReactors.h"
#include "core/QxSecurityKey.h"
#include "securities/FBPortfolioMgrPanel.h"
#include "securities/QxPortfolioAlerts.h"
#include "securities/QxPortfolioBook.h"
#include "securities/QxPortfolioValues.h"
#include "securities/QxProviderImages.h"
#include "trading/QxAlertMgrFrame.h"

#include <wx/imaglist.h>
#include <wx/treelist.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QxPortfolioView : public FBPortfolioMgrPanel,
                        public QxCursorMgrMixin<QxPortfolioView>,
                        public QxIdleEventHandler,
                        public QxPriceHistoryChangeReactor {
public:
    using TreeMap = std::map<int, wxTreeListCtrl*>;

    enum IdleCall {
        eFitColumns = 0,
        eKeepPortfolioSelection = 1,
        eKeepWatchlistSelection = 2,
        eEditPortfolioLabel = 3,
        eEditWatchlistLabel = 4,
        // Widens the columns whose texts no longer fit (new values or
        // names), leaving the others as they are.
        eKeepReadable = 5,
    };
    static constexpr int kConsolidatedId = QxPortfolioBook::kConsolidatedId;

    explicit QxPortfolioView(wxWindow* parent);
    ~QxPortfolioView() override;

    const QxPortfolioBook& book() const { return m_book; }
    QxPortfolio* portfolio(int id) const { return m_book.portfolio(id); }
    QxWatchlist* watchlist(int id) const { return m_book.watchlist(id); }
    int currentPortfolioId() const { return m_currentPortfolio; }
    int currentWatchlistId() const { return m_currentWatchlist; }
    bool watchlistMode() const { return m_watchMode; }

    wxListCtrl* portfolioList() const { return m_portfolioList; }
    wxListCtrl* watchlistList() const { return m_watchlistList; }
    wxToolBar* detailsToolBar() const { return m_detailsTools; }
    wxToolBar* portfolioToolBar() const { return m_portfolioTools; }
    wxToolBar* watchlistToolBar() const { return m_watchlistTools; }
    wxToolBar* alertToolBar() const { return m_alertTools; }
    wxListCtrl* alertList() const { return m_alertList; }
    wxStaticText* alertsLabel() const { return m_alertsLabel; }
    QxPortfolioAlerts& alerts() { return *m_alerts; }

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

    // Shows the portfolio or watchlist of an id and makes it current.
    void showPortfolio(int id);
    void showWatchlist(int id);

    // The list row of an id, -1 when none.
    long portfolioRow(int id) const;
    long watchlistRow(int id) const;
    // Recomputes the Investment, Value and %Gain of a portfolio list row.
    void updatePortfolioRow(long row);
    // Sorts the portfolio list by its sort column ("CONSOLIDATED" last), or
    // the watchlist list by its own.
    void sortPortfolioList();
    void sortWatchlistList();
    // Remakes the row of the position of key of a portfolio in its tree with
    // a child row per transaction: every one that was entered, sales and
    // closed lots too; CONSOLIDATED's row (none when nothing is open) has
    // one per open lot.
    void refreshPosition(int portfolioId, const std::string& key);
    void fillPortfolioTree(int portfolioId);
    void fillWatchlistTree(int watchlistId);
    // The security of the selected row of the shown tree, or null.
    QxSecurity* selectedSecurity() const;
    // Opens a daily candle chart of the selected security.
    void openChartOfSelection();

    // The daily calculator of a security (made and watched for new prices
    // when absent) and the closes it gives.
    QxCalculator* calculatorOf(QxSecurity* security);
    QxCloses closesOf(QxSecurity* security);
    size_t numCalculators() const { return m_calculators.size(); }

    // Column fitting of both lists and both shown trees: every column gets
    // what its header and texts need, and the width left over is shared out.
    // With onlyWhenCut, only controls with a column narrower than it needs
    // are fitted again.
    void fitColumns(bool onlyWhenCut = false);
    // What the left column needs for its tools and the portfolio list's
    // columns; it has that width until the user moves the sash.
    int leftColumnWidth() const;
    // The size at which every tool and every header and text of the lists
    // and of the shown portfolio tree shows whole.
    wxSize fittingSize() const;
    // The gap between the left column and the details area, in panel
    // coordinates.
    wxRect sashRect() const;
    // Draws the sash into the gap: a line with a grip of dots.
    void paintSash(wxDC& dc) const;
    bool sashDragging() const { return m_sashDragging; }

    void onIdle(unsigned delayMs, long arg) override;
    void destroyCallData(long) override {}
    void eodPriceHistoryChanged(unsigned securityId) override;
    void intradayPriceHistoryChanged(unsigned) override {}

    // ---- the commands of the toolbars, as the tools run them
    void addPortfolio();
    // The selected portfolio goes, and with it its transactions from
    // CONSOLIDATED; the next row becomes current.
    void removePortfolio();
    void renamePortfolio();
    void addWatchlist();
    void removeWatchlist();
    void renameWatchlist();
    // Asks for a transaction (a watch item in watchlist mode) and adds it.
    void addTransactionOrItem();
    // Adds a transaction to the current portfolio (and so to CONSOLIDATED).
    void addTransaction(QxSecurity* security, const QxTransaction& transaction);
    // Sets the current watchlist's item of the security.
    void setWatchItem(QxSecurity* security, int64_t time, double price);
    // Removes the selected transaction (any of them: lots are matched
    // again), or the selected watch item.
    void removeTransactionOrItem();
    // Whether a tool's command has something to act on now.
    bool toolEnabled(int toolId) const;

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
    void onAddPortfolio(wxCommandEvent&) override { addPortfolio(); }
    void onRemovePortfolio(wxCommandEvent&) override { removePortfolio(); }
    void onRemovePortfolioUpdate(wxUpdateUIEvent& event) override { event.Enable(toolEnabled(ID_REMOVE_PORTFOLIO)); }
    void onRenamePortfolio(wxCommandEvent&) override { renamePortfolio(); }
    void onRenamePortfolioUpdate(wxUpdateUIEvent& event) override { event.Enable(toolEnabled(ID_RENAME_PORTFOLIO)); }
    void onPortfolioBeginLabelEdit(wxListEvent& event) override;
    void onPortfolioEndLabelEdit(wxListEvent& event) override;
    void onAddWatchlist(wxCommandEvent&) override { addWatchlist(); }
    void onRemoveWatchlist(wxCommandEvent&) override { removeWatchlist(); }
    void onRemoveWatchlistUpdate(wxUpdateUIEvent& event) override { event.Enable(toolEnabled(ID_REMOVE_WATCHLIST)); }
    void onRenameWatchlist(wxCommandEvent&) override { renameWatchlist(); }
    void onRenameWatchlistUpdate(wxUpdateUIEvent& event) override { event.Enable(toolEnabled(ID_RENAME_WATCHLIST)); }
    void onWatchlistEndLabelEdit(wxListEvent& event) override;
    void onAddTransaction(wxCommandEvent&) override { addTransactionOrItem(); }
    void onAddTransactionUpdate(wxUpdateUIEvent& event) override { event.Enable(toolEnabled(ID_ADD_TRANSACTION)); }
    void onRemoveTransaction(wxCommandEvent&) override { removeTransactionOrItem(); }
    void onRemoveTransactionUpdate(wxUpdateUIEvent& event) override
    {
        event.Enable(toolEnabled(ID_REMOVE_TRANSACTION));
    }
    void onSetNewAlert(wxCommandEvent&) override { QxPortfolioAlerts::setNewAlert(this, selectedSecurity()); }
    void onSetNewAlertUpdate(wxUpdateUIEvent& event) override { event.Enable(toolEnabled(ID_SET_NEW_ALERT)); }
    void onManageAlerts(wxCommandEvent&) override { QxAlertMgrFrame::showFrame(); }
    void onQuickAlertMenu(wxCommandEvent&) override { m_alerts->popUpQuickMenu(this, selectedSecurity()); }
    void onRemoveAlertSetting(wxCommandEvent&) override { m_alerts->removeSelected(); }
    void onRemoveAlertSettingUpdate(wxUpdateUIEvent& event) override
    {
        event.Enable(toolEnabled(ID_REMOVE_ALERT_SETTING));
    }

private:
    struct ListSort {
        int column = 0;
        bool ascending = true;
    };

    void loadLists();
    wxTreeListCtrl* makeTree(bool watchTree);
    void onTreeSorted(wxTreeListEvent& event);
    void onTreeActivated(wxTreeListEvent& event);
    void onTreeSize(wxSizeEvent& event);
    void onTreeSelectionChanged(wxTreeListEvent& event);
    // The portfolio (watchlist) id a tree shows; -1 when it is none of them.
    int portfolioIdOf(const wxTreeListCtrl* tree) const;
    int watchlistIdOf(const wxTreeListCtrl* tree) const;
    // The position row or watch row of a security key in a tree, or an
    // invalid item.
    wxTreeListItem findTopRow(wxTreeListCtrl* tree, const std::string& key) const;
    // The position of a position row, the item of a watch row, or null.
    const QxPosition* positionOf(wxTreeListCtrl* tree, wxTreeListItem row) const;
    const QxWatchItem* watchItemOf(wxTreeListCtrl* tree, wxTreeListItem row) const;
    void updatePositionValues(wxTreeListCtrl* tree, wxTreeListItem row);
    void updateWatchValues(wxTreeListCtrl* tree, wxTreeListItem row);
    int rowImage(QxSecurity* security) const;
    // Shows the row of the current id of one list, or of both, as chosen,
    // and no other.
    void showChosen(wxListCtrl* list);
    void showChosen();
    void onListFocus(bool gained, bool watchList);
    // Gives a list the focus and shows its current portfolio (watchlist).
    void activateList(bool watchMode);
    void setDetailsMode(bool watchMode);
    void moveSash(int x);
    void fitLeftColumn();
    // Posts one eKeepReadable call.
    void keepReadable();
    // The security key and transaction index of the selected lot row of the
    // shown portfolio tree; false when no lot row is selected.
    bool selectedLot(std::string* key, size_t* index) const;
    // Destroys the tree of a removed portfolio or watchlist.
    void dropTree(TreeMap& trees, wxTreeListCtrl*& shown, int id);

    QxPortfolioBook m_book;
    int m_currentPortfolio = kConsolidatedId;
    int m_currentWatchlist = QxPortfolioBook::kNoWatchlist;
    TreeMap m_portfolioTrees;
    TreeMap m_watchlistTrees;
    std::map<QxObjectSmartPtr<QxSecurity>, QxObjectSmartPtr<QxCalculator>, QxLessSecurity> m_calculators;
    wxTreeListCtrl* m_shownPortfolioTree = nullptr;
    wxTreeListCtrl* m_shownWatchlistTree = nullptr;
    bool m_watchMode = false;
    // Whether one of the lists has the focus.
    bool m_listFocused = false;
    ListSort m_portfolioSort;
    ListSort m_watchlistSort;
    bool m_sashDragging = false;
    std::unique_ptr<QxPortfolioDetailsItemComparator> m_portfolioComparator;
    std::unique_ptr<QxWatchlistDetailsItemComparator> m_watchlistComparator;
    wxImageList m_images{16, 16, true};
    QxProviderImages m_providerImages;
    std::unique_ptr<QxPortfolioAlerts> m_alerts;
    // Set while the view itself changes the lists' selections.
    bool m_choosing = false;
    bool m_fitting = false;
    bool m_readablePosted = false;
    // Whether the user has moved the sash: the left column keeps that width.
    bool m_sashMoved = false;
    bool m_sortingTrees = false;
};
