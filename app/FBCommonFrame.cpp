#include "app/FBCommonFrame.h"

#include <wx/artprov.h>

namespace {

// One command item of the shared menu bar. Label, accelerator and help are
// untranslated here; the builder translates them.
struct MenuEntry {
    int id;
    const char* label;
    const char* accel; // empty: none
    const char* help;
    const char* art;   // empty: no bitmap
};

wxMenuItem* addItem(wxMenu* menu, const MenuEntry& e)
{
    wxString label = wxGetTranslation(e.label);
    if (*e.accel)
        label << '\t' << e.accel;
    auto* item = new wxMenuItem(menu, e.id, label, *e.help ? wxGetTranslation(e.help) : wxString(),
                                wxITEM_NORMAL);
    if (*e.art)
        item->SetBitmap(wxArtProvider::GetBitmap(e.art, wxART_MENU));
    menu->Append(item);
    return item;
}

} // namespace

FBCommonFrame::FBCommonFrame(wxWindow*, wxWindowID, const wxString& title, const wxPoint& pos,
                             const wxSize& size, long)
    : wxFrame(nullptr, wxID_ANY, title, pos, size, wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL)
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);
    // A text wider than the frame ends in "..." (the whole text as its tip),
    // not at the frame's edge.
    CreateStatusBar(1, wxSTB_SIZEGRIP | wxSTB_ELLIPSIZE_END | wxSTB_SHOW_TIPS);

    m_menubar = new wxMenuBar(0);

    m_menuTrendoria = new wxMenu();
    m_itemNewChart = addItem(m_menuTrendoria, {QxID_NEW_CHART, "&New Chart...", "Ctrl+N",
                                               "You can create a new chart.", "QxART_new_chart"});
    m_itemNewPnfChart = addItem(m_menuTrendoria, {QxID_NEW_PNF_CHART, "New Point and &Figure Chart...",
                                                  "Ctrl+Shift+N", "", "QxART_new_pnf_chart"});
    m_itemOpenChart = addItem(m_menuTrendoria, {QxID_OPEN_CHART, "&Open Saved Chart...", "Ctrl+O",
                                                "Open a previously saved chart.", "QxART_open"});
    m_menuTrendoria->AppendSeparator();
    m_menuPortfolios = new wxMenu();
    m_itemPortfolios = addItem(m_menuPortfolios, {QxID_PORTFOLIOS, "Port&folios and Watchlists...",
                                                  "Ctrl+Shift+P", "", "QxART_portfolio"});
    m_itemAlerts = addItem(m_menuPortfolios,
                           {QxID_ALERTS, "Manage &Alerts...", "Ctrl+Shift+A", "", "QxART_alert"});
    m_itemPortfoliosSubmenu = new wxMenuItem(m_menuTrendoria, wxID_ANY, _("&Portfolios and Watchlists"),
                                             wxEmptyString, wxITEM_NORMAL, m_menuPortfolios);
    m_menuTrendoria->Append(m_itemPortfoliosSubmenu);
    m_menuTrendoria->AppendSeparator();
    m_itemGateway = addItem(m_menuTrendoria,
                            {QxID_GATEWAY, "Goto &gateway", "Ctrl+G", "Brings gateway in front.", ""});
    m_menuTrendoria->AppendSeparator();
    m_itemPreferences = addItem(m_menuTrendoria, {QxID_PREFERENCES, "&Preferences ...", "Ctrl+K",
                                                  "Opens preference dialog", "QxART_preference"});
    m_menuTrendoria->AppendSeparator();
    m_itemCloseView =
        addItem(m_menuTrendoria, {QxID_CLOSE_VIEW, "&Close", "Alt+F4", "Closes the active view.", ""});
    m_itemExit = addItem(m_menuTrendoria, {QxID_EXIT, "E&xit", "Ctrl+Q", "Exit Trendoria", ""});
    m_menubar->Append(m_menuTrendoria, _("&Trendoria"));

    m_menuData = new wxMenu();
    m_itemQuoteEditor = addItem(m_menuData, {QxID_QUOTE_EDITOR, "&Quote Editor...", "", "", ""});
    m_menuData->AppendSeparator();
    m_itemDatabaseInfo = addItem(m_menuData, {QxID_DATABASE_INFO, "Database &Info ...", "",
                                              "View details about database", ""});
    m_itemChangeDatabase = addItem(m_menuData, {QxID_CHANGE_DATABASE, "&Change Database ...", "",
                                                "Change price history database.", "QxART_database"});
    m_menubar->Append(m_menuData, _("&Data"));

    m_menuTools = new wxMenu();
    m_itemFindStockIdeas =
        addItem(m_menuTools, {QxID_FIND_STOCK_IDEAS, "&Find Stock Ideas...", "Ctrl+F",
                              "Find stocks ideas based on a trading system.", "QxART_stock_idea"});
    m_menuTools->AppendSeparator();
    m_itemSystemTester = addItem(m_menuTools, {QxID_SYSTEM_TESTER, "&Simple System Tester...", "Ctrl+T",
                                               "Test trading system on past data.", "QxART_system_tester"});
    m_menuTools->AppendSeparator();
    m_itemTradingSystems =
        addItem(m_menuTools, {QxID_TRADING_SYSTEMS, "&Manage Trading Systems...", "Ctrl+Shift+M",
                              "Edit, create, and delete trading systems.", "QxART_manage_systems"});
    m_menubar->Append(m_menuTools, _("&Tools"));

    m_menuHelp = new wxMenu();
    m_itemHelp = addItem(m_menuHelp, {QxID_HELP, "Corvane Trendoria &Help", "F1",
                                      "Opens Trendoria mannual", "QxART_help"});
    m_itemIndicatorsHelp = addItem(m_menuHelp, {QxID_INDICATORS_HELP, "Trendoria Indicators help", "",
                                                "Opens help document of indicators", "QxART_indic_help"});
    m_menuHelp->AppendSeparator();
    m_itemCheckForUpdate = addItem(m_menuHelp, {QxID_CHECK_FOR_UPDATE, "Check for &Update ...", "",
                                                "Check for latest available update", ""});
    m_menuHelp->AppendSeparator();
    m_itemAbout = addItem(m_menuHelp,
                          {QxID_ABOUT, "&About Corvane Trendoria ...", "", "Opens About Box", ""});
    m_itemAbout->SetBitmap(wxNullBitmap);
    m_menubar->Append(m_menuHelp, _("&Help"));

    SetMenuBar(m_menubar);
    connectEvents(true);
}

FBCommonFrame::~FBCommonFrame() { connectEvents(false); }

void FBCommonFrame::connectEvents(bool connect)
{
    auto wire = [this, connect](auto type, auto method, int id) {
        if (connect)
            Bind(type, method, this, id);
        else
            Unbind(type, method, this, id);
    };
    wire(wxEVT_ACTIVATE, &FBCommonFrame::OnActivate, wxID_ANY);
    wire(wxEVT_CLOSE_WINDOW, &FBCommonFrame::OnClose, wxID_ANY);
    wire(wxEVT_SIZE, &FBCommonFrame::OnSize, wxID_ANY);
    wire(wxEVT_MENU, &FBCommonFrame::OnNewChart, QxID_NEW_CHART);
    wire(wxEVT_MENU, &FBCommonFrame::OnNewPnfChart, QxID_NEW_PNF_CHART);
    wire(wxEVT_MENU, &FBCommonFrame::OnOpenChart, QxID_OPEN_CHART);
    wire(wxEVT_MENU, &FBCommonFrame::OnPortfolios, QxID_PORTFOLIOS);
    wire(wxEVT_MENU, &FBCommonFrame::OnAlerts, QxID_ALERTS);
    wire(wxEVT_MENU, &FBCommonFrame::OnGateway, QxID_GATEWAY);
    wire(wxEVT_MENU, &FBCommonFrame::OnPreferences, QxID_PREFERENCES);
    wire(wxEVT_MENU, &FBCommonFrame::OnCloseView, QxID_CLOSE_VIEW);
    wire(wxEVT_MENU, &FBCommonFrame::OnExit, QxID_EXIT);
    wire(wxEVT_MENU, &FBCommonFrame::OnQuoteEditor, QxID_QUOTE_EDITOR);
    wire(wxEVT_UPDATE_UI, &FBCommonFrame::OnUpdateQuoteEditor, QxID_QUOTE_EDITOR);
    wire(wxEVT_MENU, &FBCommonFrame::OnDatabaseInfo, QxID_DATABASE_INFO);
    wire(wxEVT_MENU, &FBCommonFrame::OnChangeDatabase, QxID_CHANGE_DATABASE);
    wire(wxEVT_MENU, &FBCommonFrame::OnFindStockIdeas, QxID_FIND_STOCK_IDEAS);
    wire(wxEVT_UPDATE_UI, &FBCommonFrame::OnUpdateFindStockIdeas, QxID_FIND_STOCK_IDEAS);
    wire(wxEVT_MENU, &FBCommonFrame::OnSystemTester, QxID_SYSTEM_TESTER);
    wire(wxEVT_MENU, &FBCommonFrame::OnTradingSystems, QxID_TRADING_SYSTEMS);
    wire(wxEVT_MENU, &FBCommonFrame::OnHelp, QxID_HELP);
    wire(wxEVT_MENU, &FBCommonFrame::OnIndicatorsHelp, QxID_INDICATORS_HELP);
    wire(wxEVT_MENU, &FBCommonFrame::OnCheckForUpdate, QxID_CHECK_FOR_UPDATE);
    wire(wxEVT_MENU, &FBCommonFrame::OnAbout, QxID_ABOUT);
}
