#pragma once
// The base of every top-level window: the shared menu bar and status bar of
// FBCommonFrame, an AUI docking manager, helpers that dock the standard
// toolbars, registration with the application, and the one implementation
// of every program-wide command.
#include "app/FBCommonFrame.h"

#include "core/QxObject.h"

#include <wx/aui/aui.h>

class QxChartGeneralToolbar;
class QxDatabase;
class QxPortfolioToolbar;
class QxProToolsToolbar;
class QxSecurity;

class QxCommonFrame : public FBCommonFrame {
public:
    // Asks for one security with the selection dialog; null when the user
    // cancelled or the id names no security of the current database.
    static QxObjectSmartPtr<QxSecurity> chooseSecurity();

    // Top-level frames; parent, id and style are not used.
    QxCommonFrame(wxWindow* parent, wxWindowID id, const wxString& title,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  long style = wxDEFAULT_FRAME_STYLE);
    // Child (document) frames: title "Trendoria", default position, 643 by 373.
    QxCommonFrame();
    ~QxCommonFrame() override;

    wxAuiManager& auiManager() { return *m_mgr; }

    // Creates the general chart toolbar (with Save when asked), realises it
    // and docks it as "Chart_general"; the caller sets the rest of the pane
    // and updates the manager.
    void addChartToolbarPane(wxAuiPaneInfo& pane, bool withSaveTool);
    // The same for the tools toolbar, docked as "Pro Tools".
    void addProToolsPane(wxAuiPaneInfo& pane);
    // Both, the chart toolbar without its save tool, docked on the right as
    // the manager frames show them.
    void addToolPanesRight();

    QxChartGeneralToolbar* chartGeneralToolbar() const { return m_chartGeneralToolbar; }
    QxPortfolioToolbar* portfolioToolbar() const { return m_portfolioToolbar; }
    QxProToolsToolbar* proToolsToolbar() const { return m_proToolsToolbar; }

    // The enabling rules of the shared commands, decided without a window.
    // Quote Editor: a database is open and it is not read-only.
    static bool quoteEditorEnabled(const QxDatabase* current);
    // Find Stock Ideas: no idea-finding scan thread exists.
    static bool findStockIdeasEnabled();

    // Makes database the program's: the frames showing securities of the
    // old one close (each asking first where a change would be lost), the
    // portfolio and alert managers are built again over the new one from
    // their stored keys, and the last finding is forgotten. False, with the
    // old database kept, when the user kept a frame open. The new database
    // takes over once the closed frames are gone.
    static bool replaceDatabase(QxObjectSmartPtr<QxDatabase> database);

    // Asked of every frame before Exit ends the program: false keeps it
    // running (the frame has work the user chose not to lose).
    virtual bool mayEndProgram() { return true; }

protected:
    void OnActivate(wxActivateEvent& event) override;
    void OnClose(wxCloseEvent& event) override;
    void OnNewChart(wxCommandEvent& event) override;
    void OnNewPnfChart(wxCommandEvent& event) override;
    void OnOpenChart(wxCommandEvent& event) override;
    void OnPortfolios(wxCommandEvent& event) override;
    void OnAlerts(wxCommandEvent& event) override;
    void OnGateway(wxCommandEvent& event) override;
    void OnPreferences(wxCommandEvent& event) override;
    void OnCloseView(wxCommandEvent& event) override;
    void OnExit(wxCommandEvent& event) override;
    void OnQuoteEditor(wxCommandEvent& event) override;
    void OnUpdateQuoteEditor(wxUpdateUIEvent& event) override;
    void OnDatabaseInfo(wxCommandEvent& event) override;
    void OnChangeDatabase(wxCommandEvent& event) override;
    void OnFindStockIdeas(wxCommandEvent& event) override;
    void OnUpdateFindStockIdeas(wxUpdateUIEvent& event) override;
    void OnSystemTester(wxCommandEvent& event) override;
    void OnTradingSystems(wxCommandEvent& event) override;
    void OnHelp(wxCommandEvent& event) override;
    void OnIndicatorsHelp(wxCommandEvent& event) override;
    void OnCheckForUpdate(wxCommandEvent& event) override;
    void OnAbout(wxCommandEvent& event) override;

    wxAuiManager* m_mgr = nullptr;
    QxChartGeneralToolbar* m_chartGeneralToolbar = nullptr;
    QxPortfolioToolbar* m_portfolioToolbar = nullptr; // the home frame's
    QxProToolsToolbar* m_proToolsToolbar = nullptr;

private:
    void initCommon();
};
