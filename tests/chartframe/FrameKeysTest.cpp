// The chart frame's shortcuts typed on the real display, on a US, a German
// and a French keyboard; the zoom presets at the zoom limit; and the keys
// staying with the chart when dialogs, menus and pickers close.
#include "chart/QxChart.h"
#include "chartframe/QxChartGeneralToolbar.h"
#include "chartframe/QxChartOperationsToolbar.h"
#include "chartframe/QxChartOptionsToolbar.h"
#include "chartframe/QxChartPeriodicityToolbar.h"
#include "chartframe/QxGraphicPropsToolbar.h"
#include "chartframe/QxPatternRecognitionToolbar.h"
#include "chartframe/QxProToolsToolbar.h"
#include "chartframe/QxZoomHorzToolbar.h"
#include "support/ChartUnderHands.h"

#include "chartframe/QxAnnotToolBar.h"
#include "support/TestSupport.h"

#include <wx/clrpicker.h>
#include <wx/ffile.h>
#include <wx/menu.h>
#include <wx/regex.h>

#include <dlfcn.h>

#include <cstdlib>
#include <map>

using namespace TestSupport;

namespace {

class FrameKeysTest : public ChartUnderHands {
protected:
    wxSize frameSize() const override { return wxSize(1000, 650); }

    // Commands the frame receives from now on; with swallow they do not run.
    void record(bool swallow)
    {
        m_frame->Bind(wxEVT_MENU, [this, swallow](wxCommandEvent& e) {
            m_seen.push_back(e.GetId());
            if (!swallow)
                e.Skip();
        });
    }
    std::vector<int> typed(const std::string& chord)
    {
        m_seen.clear();
        EXPECT_TRUE(pressKeys({chord})) << chord;
        return m_seen;
    }
    // Moves the chart to its first bar, so that the arrow key to the right
    // shows whether the keys reach it.
    bool keysReachTheChart()
    {
        m_view->scrollHorzTo(0);
        pumpEvents(50);
        if (m_view->getFirstVisibleBar() != 0)
            return false;
        return pressKeys({"Right"}) && first() == 1;
    }
    std::vector<int> m_seen;
};

// The keyboard's name of a shortcut as menus and tooltips write it:
// "Ctrl+Shift+9" is "ctrl+shift+9", "Ctrl++" is "ctrl+plus".
std::string chordOf(const wxString& shortcut)
{
    std::string chord;
    wxString rest = shortcut;
    for (;;) {
        const int plus = rest.Find('+');
        if (plus <= 0 || size_t(plus) == rest.length() - 1)
            break;
        chord += rest.Left(size_t(plus)).Lower().utf8_string() + "+";
        rest = rest.Mid(size_t(plus) + 1);
    }
    if (rest == "+")
        return chord + "plus";
    if (rest == "-")
        return chord + "minus";
    return chord + (rest.length() == 1 ? rest.Lower() : rest).utf8_string();
}

// The chord as a user types it on a layout. A French keyboard's number row
// types "&", "e acute" and so on, its digits need Shift: Ctrl with the "1"
// key is typed as Ctrl with "&" there, while Ctrl+Shift+1 stays as it is.
std::string onLayout(const std::string& layout, const std::string& chord)
{
    static const char* const azertyRow[] = {"agrave", "ampersand", "eacute", "quotedbl", "apostrophe",
                                            "parenleft", "minus", "egrave", "underscore", "ccedilla"};
    const char last = chord.back();
    const bool digit = last >= '0' && last <= '9' && (chord.size() == 1 || chord[chord.size() - 2] == '+');
    if (layout != "fr" || !digit || chord.find("shift+") != std::string::npos)
        return chord;
    return chord.substr(0, chord.size() - 1) + azertyRow[last - '0'];
}

} // namespace

// Every tool whose tooltip names a shortcut runs its command when that
// shortcut is typed, whatever the keyboard.
TEST_F(FrameKeysTest, TooltipShortcutsRunTheirToolsOnEveryLayout)
{
    std::vector<std::pair<int, std::string>> shortcuts;
    for (wxAuiToolBar* toolbar : std::initializer_list<wxAuiToolBar*>{
             m_frame->chartGeneralToolbar(), m_frame->periodicityToolbar(), m_frame->optionsToolbar(),
             m_frame->zoomToolbar(), m_frame->operationsToolbar(), m_frame->patternToolbar(),
             m_frame->proToolsToolbar()}) {
        for (size_t i = 0; i < toolbar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* tool = toolbar->FindToolByIndex(int(i));
            const wxString tip = tool->GetShortHelp();
            // The period in force is not chosen again: its radio item sends nothing.
            if (tool->GetKind() == wxITEM_RADIO && (tool->GetState() & wxAUI_BUTTON_STATE_CHECKED))
                continue;
            if (tip.Contains("\n"))
                shortcuts.emplace_back(tool->GetId(), chordOf(tip.AfterLast('\n')));
        }
    }
    ASSERT_GE(shortcuts.size(), 20u);
    record(true);
    for (const char* layout : {"us", "de", "fr"}) {
        ScopedKeyboardLayout keyboard(layout);
        ASSERT_TRUE(keyboard.ok()) << layout;
        for (const auto& [id, chord] : shortcuts)
            EXPECT_EQ(typed(onLayout(layout, chord)), std::vector<int>{id}) << layout << " keyboard: " << chord;
    }
}

// Ctrl with "+" (however the keyboard types it), with "=" or with the
// keypad's plus zooms in a step; with Shift as well it jumps to the limit.
TEST_F(FrameKeysTest, ZoomKeysStepOrJumpOnEveryLayout)
{
    struct Key {
        const char* chord;
        int command;
        const char* layouts; // where the chord is typed
    };
    const Key keys[] = {
        {"ctrl+plus", 1018, "us de fr"},        {"ctrl+equal", 1018, "us fr"},
        {"ctrl+KP_Add", 1018, "us de fr"},      {"ctrl+minus", 1019, "us de fr"},
        {"ctrl+KP_Subtract", 1019, "us de fr"}, {"ctrl+0", 1020, "us de fr"},
        {"ctrl+shift+minus", 1021, "us de fr"}, {"ctrl+shift+KP_Subtract", 1021, "us de fr"},
        {"ctrl+shift+KP_Add", 1022, "us de fr"}, {"ctrl+shift+plus", 1022, "de"},
        // On a US or French keyboard "+" is Shift with "=": Ctrl++ itself.
        {"ctrl+shift+equal", 1018, "us fr"},
    };
    record(true);
    for (const char* layout : {"us", "de", "fr"}) {
        ScopedKeyboardLayout keyboard(layout);
        ASSERT_TRUE(keyboard.ok()) << layout;
        for (const Key& k : keys) {
            if (wxString(k.layouts).Contains(layout)) {
                EXPECT_EQ(typed(onLayout(layout, k.chord)), std::vector<int>{k.command}) << layout << " keyboard: " << k.chord;
            }
        }
    }
}

// At the largest zoom Zoom In is disabled, and its arrow still opens the
// presets: Normal brings the chart back.
TEST_F(FrameKeysTest, ZoomPresetsStayWithinReachAtTheLargestZoom)
{
    QxZoomHorzToolbar* zoom = m_frame->zoomToolbar();
    QxChart* chart = m_view->getChartist()->getChart();
    const int normal = chart->candleWidth();
    ASSERT_TRUE(pressKeys({"ctrl+shift+KP_Add"}));
    ASSERT_FALSE(chart->canZoomIn());
    ASSERT_TRUE(pumpUntil([&] { return !zoom->GetToolEnabled(1018); }, 5000)) << "Zoom In is disabled";
    ASSERT_TRUE(saveWindowShot(zoom, "zoom-toolbar-at-largest-zoom.png"));

    bool opened = false;
    zoom->Bind(wxEVT_MENU_OPEN, [&opened](wxMenuEvent& e) {
        if (!opened)
            xdotoolLater({"key", "--delay", "60", "Down", "Return"}); // "Normal"
        opened = true;
        e.Skip();
    });
    const wxRect tool = zoom->GetToolRect(1018);
    const wxPoint arrow(tool.GetRight() - 3, tool.y + tool.height / 2);
    ASSERT_TRUE(clickAt(zoom, arrow));
    ASSERT_TRUE(waitForInput());
    EXPECT_TRUE(opened) << "the preset menu opened";
    EXPECT_TRUE(chart->canZoomIn());
    EXPECT_EQ(chart->candleWidth(), normal);
    EXPECT_TRUE(pumpUntil([&] { return zoom->GetToolEnabled(1018); }, 5000));
    EXPECT_TRUE(keysReachTheChart()) << "the keys are back with the chart after the menu";
}

// Keys typed after a dialog, a menu, a picker or a toolbar tool was used
// go to the chart without a click into it first.
TEST_F(FrameKeysTest, KeysStayWithTheChartAfterDialogsMenusAndPickers)
{
    {
        KeysIntoDialogs escape({"Escape"});
        ASSERT_TRUE(pressKeys({"ctrl+k"})); // Preferences
        ASSERT_TRUE(waitForInput());
        EXPECT_EQ(escape.shown(), 1);
    }
    EXPECT_TRUE(keysReachTheChart()) << "after the preferences dialog";
    {
        KeysIntoDialogs escape({"Escape"});
        ASSERT_TRUE(pressKeys({"ctrl+shift+n"})); // New P&F chart asks for a security
        ASSERT_TRUE(waitForInput());
        EXPECT_EQ(escape.shown(), 1);
    }
    EXPECT_TRUE(keysReachTheChart()) << "after the security selection";

    // A menu of the menu bar, and the chart's context menu, closed with Escape.
    bool opened = false;
    auto escapeMenus = [&opened](wxMenuEvent& e) {
        opened = true;
        xdotoolLater({"key", "--delay", "60", "Escape"});
        e.Skip();
    };
    m_frame->Bind(wxEVT_MENU_OPEN, escapeMenus);
    m_view->Bind(wxEVT_MENU_OPEN, escapeMenus);
    ASSERT_TRUE(pressKeys({"alt+c"})); // "&Chart"
    ASSERT_TRUE(waitForInput());
    EXPECT_TRUE(opened);
    EXPECT_TRUE(keysReachTheChart()) << "after the Chart menu";
    opened = false;
    ASSERT_TRUE(clickAt(m_view, wxPoint(300, 200), 3));
    ASSERT_TRUE(waitForInput());
    EXPECT_TRUE(opened);
    EXPECT_TRUE(keysReachTheChart()) << "after the context menu";
    m_frame->Unbind(wxEVT_MENU_OPEN, escapeMenus);
    m_view->Unbind(wxEVT_MENU_OPEN, escapeMenus);

    // A toolbar tool, the pen picker's list and the colour picker's dialog.
    ASSERT_TRUE(clickTool(m_frame->zoomToolbar(), 1019));
    EXPECT_TRUE(keysReachTheChart()) << "after a toolbar tool";
    QxGraphicPropsToolbar* graphics = m_frame->graphicPropsToolbar();
    wxWindow* pen = reinterpret_cast<wxWindow*>(graphics->penPicker());
    ASSERT_TRUE(clickAt(pen, wxPoint(pen->GetSize().x - 8, pen->GetSize().y / 2)));
    ASSERT_TRUE(pressKeys({"Down", "Return"}));
    EXPECT_TRUE(keysReachTheChart()) << "after the pen picker";
    // The toolkit's own colour dialog is a window of the desktop's: with a
    // window manager, as on a desktop, the frame is handed back when it goes.
    ScopedWindowManager desktop;
    ASSERT_TRUE(desktop.ok());
    ASSERT_TRUE(focusFrame(m_frame, m_view));
    ASSERT_TRUE(keysReachTheChart()) << "under the window manager";
    wxColourPickerCtrl* colour = graphics->colourPicker();
    ASSERT_TRUE(clickAt(colour, wxPoint(colour->GetSize().x / 2, colour->GetSize().y / 2)));
    // The toolkit's own colour dialog, found on the display by its title.
    ASSERT_TRUE(xdotool({"search", "--sync", "--onlyvisible", "--name", "Colou?r", "windowfocus", "--sync", "%1",
                         "key", "Escape"}));
    pumpEvents(100);
    EXPECT_TRUE(keysReachTheChart()) << "after the colour dialog";
}

namespace {

// The shortcut of every menu item of a menu and its submenus, by label.
void shortcutsOf(const wxMenu* menu, std::vector<std::pair<wxString, wxString>>& out)
{
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu())
            shortcutsOf(item->GetSubMenu(), out);
        else if (item->GetItemLabel().Contains("\t"))
            out.emplace_back(item->GetItemLabelText(), item->GetItemLabel().AfterFirst('\t'));
    }
}

} // namespace

// The manual's page on a chart's keys names every shortcut the chart
// window's menus and tooltips have, as the menus write them.
TEST_F(FrameKeysTest, TheManualNamesEveryShortcutOfTheChartWindow)
{
    const std::string page = TestSupport::binDir() + "/help/manual/topics/chart_keys.htm";
    wxString html;
    wxFFile file(wxString::FromUTF8(page), "rb");
    ASSERT_TRUE(file.IsOpened() && file.ReadAll(&html, wxConvUTF8)) << page;
    wxRegEx("<[^>]*>").ReplaceAll(&html, " ");
    std::vector<std::pair<wxString, wxString>> shortcuts;
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        shortcutsOf(bar->GetMenu(i), shortcuts);
    ASSERT_GE(shortcuts.size(), 30u);
    for (const auto& [label, shortcut] : shortcuts)
        EXPECT_TRUE(html.Contains(shortcut)) << label << ": " << shortcut;
    for (const char* key : {"Home", "End", "Page Up", "Page Down", "Ctrl+Left", "Escape", "Delete", "Wheel",
                            "Shift+Wheel", "status bar"})
        EXPECT_TRUE(html.Contains(key)) << key;
}

namespace {

// What the toolkit's own widget of a menu item draws: a check or radio
// mark (GTK shows no picture beside one), and whether it is on.
struct ToolkitMark {
    bool check = false;
    bool radio = false;
    bool on = false;
};
ToolkitMark markOf(wxMenuItem* item)
{
    using Type = unsigned long (*)();
    using IsA = int (*)(void*, unsigned long);
    using Active = int (*)(void*);
    static const auto checkType = reinterpret_cast<Type>(dlsym(RTLD_DEFAULT, "gtk_check_menu_item_get_type"));
    static const auto radioType = reinterpret_cast<Type>(dlsym(RTLD_DEFAULT, "gtk_radio_menu_item_get_type"));
    static const auto isA = reinterpret_cast<IsA>(dlsym(RTLD_DEFAULT, "g_type_check_instance_is_a"));
    static const auto active = reinterpret_cast<Active>(dlsym(RTLD_DEFAULT, "gtk_check_menu_item_get_active"));
    ToolkitMark mark;
    void* widget = item->GetMenuItem();
    if (!widget || !checkType || !radioType || !isA || !active)
        return mark;
    mark.check = isA(widget, checkType()) != 0;
    mark.radio = isA(widget, radioType()) != 0;
    mark.on = mark.check && active(widget) != 0;
    return mark;
}

void checkableItems(wxMenu* menu, std::vector<wxMenuItem*>& out)
{
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu())
            checkableItems(item->GetSubMenu(), out);
        else if (item->IsCheckable())
            out.push_back(item);
    }
}

// The screen under the frame, open menus and all.
bool screenShot(wxWindow* frame, const std::string& name)
{
    const wxRect r = frame->GetScreenRect();
    const std::string command = "timeout 30 import -silent -window root -crop " + std::to_string(r.width) + "x" +
                                std::to_string(r.height) + "+" + std::to_string(r.x) + "+" + std::to_string(r.y) +
                                " +repage '" + TestSupport::artifactPath(name) + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

} // namespace

// Every check and radio item of the chart window's menus shows its state
// with the toolkit's own mark while its menu is open: the chosen drawing
// tool, the price style, the period, the switches.
TEST_F(FrameKeysTest, CheckAndRadioItemsShowTheirStateInTheOpenMenus)
{
    ASSERT_TRUE(clickTool(m_frame->annotationToolbar(), 31010)); // Rectangle
    ASSERT_EQ(m_view->getAnnotTool(), 31010);
    ASSERT_TRUE(focusFrame(m_frame, m_view));
    std::vector<wxMenu*> opened;
    m_frame->Bind(wxEVT_MENU_OPEN, [&opened](wxMenuEvent& e) {
        opened.push_back(e.GetMenu());
        e.Skip();
    });
    const std::map<int, bool> expected = {
        {31010, true},  {31000, false}, {31015, false}, {31016, true}, // tools, snap to price
        {1000, true},   {1001, false},  {1002, false},                // candles
        {1003, false},  {1004, true},                                 // log scale, volume
        {1005, true},   {1006, false},  {1009, false},                // daily
        {1025, true},                                                 // legends
    };
    auto look = [&](const char* shot) {
        pumpEvents(300);
        EXPECT_TRUE(screenShot(m_frame, shot));
        std::vector<wxMenuItem*> items;
        wxMenuBar* bar = m_frame->GetMenuBar();
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
            checkableItems(bar->GetMenu(i), items);
        return items;
    };

    ASSERT_TRUE(pressKeys({"alt+a"})); // "&Annotations"
    const std::vector<wxMenuItem*> items = look("annotations-menu-open.png");
    ASSERT_FALSE(opened.empty());
    ASSERT_TRUE(pressKeys({"Escape", "alt+c", "Right"})); // "&Chart", then "Chart &Options"
    look("chart-options-menu-open.png");
    ASSERT_TRUE(pressKeys({"Left", "Down", "Right"})); // "&Periodicity"
    look("periodicity-menu-open.png");
    ASSERT_TRUE(pressKeys({"Escape", "Escape"}));
    EXPECT_GE(opened.size(), 4u);

    ASSERT_GE(items.size(), 29u); // 17 drawing tools and snap, 10 chart options and periods, 2 switches
    size_t found = 0;
    for (wxMenuItem* item : items) {
        SCOPED_TRACE(item->GetItemLabelText());
        const ToolkitMark mark = markOf(item);
        EXPECT_TRUE(mark.check) << "the toolkit draws the item's mark";
        EXPECT_EQ(mark.radio, item->GetKind() == wxITEM_RADIO);
        EXPECT_EQ(mark.on, item->IsChecked());
        const auto it = expected.find(item->GetId());
        if (it != expected.end()) {
            ++found;
            EXPECT_EQ(mark.on, it->second);
        }
    }
    EXPECT_EQ(found, expected.size());
    EXPECT_TRUE(keysReachTheChart()) << "after the menus";
}
