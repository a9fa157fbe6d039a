#pragma once
// Layout of every top-level frame: the shared menu bar ("&Trendoria",
// "&Data", "&Tools", "&Help") and a one-field status bar. Each frame builds
// its own copy of the menus. Events are connected here by command id; every
// handler passes its event on unless a subclass overrides it.
#include <wx/frame.h>
#include <wx/menu.h>

// Command ids of the shared menu bar; toolbar tools carry the same ids so
// one handler on the frame serves menu and toolbar alike.
enum QxCommonCommandId : int {
    QxID_OPEN_CHART = 5000,       // wxID_OPEN
    QxID_CLOSE_VIEW = 5001,       // wxID_CLOSE
    QxID_NEW_CHART = 5002,        // wxID_NEW
    QxID_SAVE_CHART = 5003,       // wxID_SAVE
    QxID_EXIT = 5006,             // wxID_EXIT
    QxID_HELP = 5009,             // wxID_HELP
    QxID_ABOUT = 5014,            // wxID_ABOUT
    QxID_PREFERENCES = 5022,      // wxID_PREFERENCES
    QxID_NEW_PNF_CHART = 30000,
    QxID_PORTFOLIOS = 30001,
    QxID_ALERTS = 30002,
    QxID_GATEWAY = 30003,
    QxID_QUOTE_EDITOR = 30004,
    QxID_DATABASE_INFO = 30005,
    QxID_CHANGE_DATABASE = 30006,
    QxID_FIND_STOCK_IDEAS = 30007,
    QxID_SYSTEM_TESTER = 30008,
    QxID_TRADING_SYSTEMS = 30009,
    QxID_INDICATORS_HELP = 30010,
    QxID_CHECK_FOR_UPDATE = 30012,
};

class FBCommonFrame : public wxFrame {
public:
    // The frame is always created without a parent and with any id; parent,
    // id and style are accepted for the form's sake and not used.
    FBCommonFrame(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(643, 373),
                  long style = wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    ~FBCommonFrame() override;

protected:
    wxMenuBar* m_menubar;
    wxMenu* m_menuTrendoria;
    wxMenu* m_menuPortfolios;
    wxMenu* m_menuData;
    wxMenu* m_menuTools;
    wxMenu* m_menuHelp;

    wxMenuItem* m_itemNewChart;
    wxMenuItem* m_itemNewPnfChart;
    wxMenuItem* m_itemOpenChart;
    wxMenuItem* m_itemPortfoliosSubmenu;
    wxMenuItem* m_itemPortfolios;
    wxMenuItem* m_itemAlerts;
    wxMenuItem* m_itemGateway;
    wxMenuItem* m_itemPreferences;
    wxMenuItem* m_itemCloseView;
    wxMenuItem* m_itemExit;
    wxMenuItem* m_itemQuoteEditor;
    wxMenuItem* m_itemDatabaseInfo;
    wxMenuItem* m_itemChangeDatabase;
    wxMenuItem* m_itemFindStockIdeas;
    wxMenuItem* m_itemSystemTester;
    wxMenuItem* m_itemTradingSystems;
    wxMenuItem* m_itemHelp;
    wxMenuItem* m_itemIndicatorsHelp;
    wxMenuItem* m_itemCheckForUpdate;
    wxMenuItem* m_itemAbout;

    virtual void OnActivate(wxActivateEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnSize(wxSizeEvent& event) { event.Skip(); }
    virtual void OnNewChart(wxCommandEvent& event) { event.Skip(); }
    virtual void OnNewPnfChart(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOpenChart(wxCommandEvent& event) { event.Skip(); }
    virtual void OnPortfolios(wxCommandEvent& event) { event.Skip(); }
    virtual void OnAlerts(wxCommandEvent& event) { event.Skip(); }
    virtual void OnGateway(wxCommandEvent& event) { event.Skip(); }
    virtual void OnPreferences(wxCommandEvent& event) { event.Skip(); }
    virtual void OnCloseView(wxCommandEvent& event) { event.Skip(); }
    virtual void OnExit(wxCommandEvent& event) { event.Skip(); }
    virtual void OnQuoteEditor(wxCommandEvent& event) { event.Skip(); }
    virtual void OnUpdateQuoteEditor(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void OnDatabaseInfo(wxCommandEvent& event) { event.Skip(); }
    virtual void OnChangeDatabase(wxCommandEvent& event) { event.Skip(); }
    virtual void OnFindStockIdeas(wxCommandEvent& event) { event.Skip(); }
    virtual void OnUpdateFindStockIdeas(wxUpdateUIEvent& event) { event.Skip(); }
    virtual void OnSystemTester(wxCommandEvent& event) { event.Skip(); }
    virtual void OnTradingSystems(wxCommandEvent& event) { event.Skip(); }
    virtual void OnHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void OnIndicatorsHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void OnCheckForUpdate(wxCommandEvent& event) { event.Skip(); }
    virtual void OnAbout(wxCommandEvent& event) { event.Skip(); }

private:
    // The generated wiring: one table drives both connecting and
    // disconnecting, so nothing stays connected to a dying frame.
    void connectEvents(bool connect);
};
