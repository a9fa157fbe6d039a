// The chart's context menu: what it offers for a zone, and a user right-
// clicking zones of a chart under the virtual display and choosing its
// commands.
#include "support/FramesTestSupport.h"
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxZone.h"
#include "chartframe/QxChartFrame.h"
#include "support/MarkPattern.h"
#include "chartview/QxChartContextMenu.h"
#include "chartview/QxChartView.h"
#include "configdlg/DlgChartConfiguration.h"
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicOptParamConfiguratorPanal.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/timer.h>

#include <dlfcn.h>

namespace {

// "id:text" per item, "-" for a separator, a submenu's items in braces.
std::string render(const std::vector<QxChartMenuItem>& items)
{
    std::string out;
    for (const QxChartMenuItem& it : items) {
        if (!out.empty())
            out += "|";
        if (it.isSeparator()) {
            out += "-";
            continue;
        }
        out += std::to_string(it.id) + ":" + it.text.ToStdString();
        if (!it.submenu.empty())
            out += "{" + render(it.submenu) + "}";
    }
    return out;
}

std::string renderBindings(const QxChartMenu& menu)
{
    std::string out;
    for (const QxChartMenuBinding& b : menu.bindings)
        out += (out.empty() ? "" : " ") + std::to_string(b.first) + "-" + std::to_string(b.last);
    return out;
}

const std::string kTail = "11003:&Hide Volume Bars|-|11005:Open &Quote Editor|-|11004:&Configure Chart";
const std::string kFixed = "11003-11003 11005-11005 11004-11004";

} // namespace

TEST(ChartContextMenu, ItemsFollowTheZone)
{
    struct Case {
        const char* what;
        QxZoneMenuFacts facts;
        std::string items;
        std::string bindings;
    };
    const Case cases[] = {
        {"main zone with its price only", {{"Price"}, true, {}, 2, true}, kTail, kFixed},
        {"main zone with the price and one more",
         {{"Price", "SMA(30)"}, true, {}, 2, true},
         "7001:Configure SMA(30)|-|8001:Remove SMA(30)|-|" + kTail,
         "7000-7998 8000-8998 " + kFixed},
        {"main zone with more",
         {{"Price", "SMA(30)", "EMA(9)"}, true, {}, 2, true},
         "6999:&Configure Indicator{7001:SMA(30)|7002:EMA(9)}|-|"
         "7999:&Remove Indicator{8001:SMA(30)|8002:EMA(9)|-|11001:All Indicators From this Zone}|-|" +
             kTail,
         "11001-11001 7000-7998 8000-8998 " + kFixed},
        {"indicator zone with one, more than two zones",
         {{"RSI(14)"}, false, {}, 3, true},
         "7000:Configure RSI(14)|-|8000:Remove RSI(14)|10999:Remove &All Indicators|-|" + kTail,
         "7000-7998 8000-8998 10999-10999 " + kFixed},
        {"one pattern, volume hidden",
         {{"Price"}, true, {"ZigZag (filter:5.00%)"}, 2, false},
         "10000:Remove 'ZigZag (filter:5.00%)'|9000:Configure 'ZigZag (filter:5.00%)'|-|"
         "11003:&Show Volume Bars|-|11005:Open &Quote Editor|-|11004:&Configure Chart",
         "9000-9998 10000-10998 " + kFixed},
        {"patterns after an indicator",
         {{"RSI(14)"}, false, {"A", "B"}, 3, true},
         "7000:Configure RSI(14)|-|8000:Remove RSI(14)|10999:Remove &All Indicators|-|"
         "8999:&Configure Pattern{9000:A|9001:B}|-|"
         "9999:&Remove Patterns{10000:Remove 'A'|10001:Remove 'B'|-|11002:All Patterns From this Zone}|-|" +
             kTail,
         "7000-7998 8000-8998 10999-10999 11002-11002 9000-9998 10000-10998 " + kFixed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QxChartMenu menu = qxBuildChartMenu(c.facts);
        EXPECT_EQ(render(menu.items), c.items);
        EXPECT_EQ(renderBindings(menu), c.bindings);
    }

    const QxChartMenu menu = qxBuildChartMenu({{"Price", "A", "B"}, true, {}, 3, true});
    EXPECT_EQ(menu.items[0].help, "You can change indicator parameters and configure graphics.");
    EXPECT_EQ(menu.items[2].help, "You can selectively remove indicators.");
    EXPECT_EQ(menu.items[3].help, "You can remove all indicators from this chart.");
    EXPECT_EQ(menu.items[5].help, "Volume bars will be removed.");
    EXPECT_TRUE(menu.items[0].submenu[0].help.empty());
}

namespace {

QxIndicator* makeIndicator(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return new TaLibIndicator(handle);
}

// Closes a popup menu as Escape would.
void popDown(wxMenu* menu)
{
    using PopDown = void (*)(void*);
    static const auto popdown = reinterpret_cast<PopDown>(dlsym(RTLD_DEFAULT, "gtk_menu_popdown"));
    ASSERT_NE(popdown, nullptr);
    popdown(menu->m_menu);
}

// The labels of a menu and its submenus, in order.
void collectLabels(const wxMenu* menu, std::vector<wxString>& out)
{
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSeparator())
            continue;
        out.push_back(item->GetItemLabel());
        if (item->GetSubMenu())
            collectLabels(item->GetSubMenu(), out);
    }
}

class ChartContextMenuFixture : public ::testing::Test {
protected:
    // The running application the chart frames register with; it also
    // owns the configuration the charts read.
    static void SetUpTestSuite() { s_app = new framestest::ScopedApplication; }
    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
    }

    void SetUp() override
    {
        m_security = new charttest::MemSecurity(21, charttest::makeWalk(400), "Walker Mills", "WLK");
        m_view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
        ASSERT_NE(m_view, nullptr);
        m_frame = m_view->getFrame();
        m_frame->SetSize(900, 700);
        m_frame->Move(0, 0);
        TestSupport::pumpEvents(200);
    }
    void TearDown() override
    {
        if (m_frame)
            m_frame->Destroy();
        TestSupport::pumpEvents(100);
    }

    QxChart* chart() const { return m_view->getChartist()->getChart(); }

    // A zone of its own holding the indicators.
    QxZone* addZone(std::initializer_list<const char*> names)
    {
        QxZone* zone = chart()->addZone();
        for (const char* name : names) {
            QxObjectSmartPtr<QxIndicator> indicator(makeIndicator(name));
            zone->addIndicator(indicator.get());
        }
        zone->setTitle(zone->indicatorAt(0)->getDisplayName());
        m_view->refreshChart();
        TestSupport::pumpEvents(100);
        return zone;
    }

    // The middle of zone index in window coordinates.
    wxPoint middleOf(unsigned index) const
    {
        const QxZone* zone = chart()->zoneAt(index);
        const wxPoint origin = zone->getOrigin();
        return wxPoint(origin.x + zone->getWidth() / 2, origin.y + zone->getHeight() / 2);
    }

    // Right-clicks at a window point; while the menu is up its labels are
    // kept (and pictured when shot names a file), the item id is chosen
    // (none for 0), then the menu closes. False when no menu came up.
    // A client point of wxDefaultPosition asks as the keyboard does.
    bool rightClick(const wxPoint& client, int id, std::vector<wxString>* labels = nullptr,
                    const char* shot = nullptr)
    {
        bool shown = false;
        int ticks = 0;
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            wxMenu* menu = m_view->popupMenu();
            // A few ticks for the menu to come up on the screen.
            if (!menu || shown || ++ticks < 5)
                return;
            shown = true;
            if (labels)
                collectLabels(menu, *labels);
            // The frame's screen area, with the menu over it.
            if (shot) {
                TestSupport::pumpEvents(200);
                wxScreenDC screen;
                const wxSize size = screen.GetSize();
                wxBitmap bitmap(size);
                wxMemoryDC mem(bitmap);
                mem.Blit(0, 0, size.x, size.y, &screen, 0, 0);
                mem.SelectObject(wxNullBitmap);
                EXPECT_TRUE(bitmap.SaveFile(TestSupport::artifactPath(shot), wxBITMAP_TYPE_PNG));
            }
            if (id != 0)
                menu->SendEvent(id);
            popDown(menu);
        });
        timer.Start(30);
        const wxPoint screen = client == wxDefaultPosition ? client : m_view->ClientToScreen(client);
        wxContextMenuEvent event(wxEVT_CONTEXT_MENU, m_view->GetId(), screen);
        event.SetEventObject(m_view);
        m_view->GetEventHandler()->ProcessEvent(event);
        timer.Stop();
        TestSupport::pumpEvents(50);
        return shown;
    }

    static framestest::ScopedApplication* s_app;
    QxObjectSmartPtr<QxSecurity> m_security;
    QxChartView* m_view = nullptr;
    QxChartFrame* m_frame = nullptr;
};

framestest::ScopedApplication* ChartContextMenuFixture::s_app = nullptr;

} // namespace

TEST_F(ChartContextMenuFixture, RemovingIndicatorsAndZones)
{
    QxObjectSmartPtr<QxIndicator> sma(makeIndicator("SMA"));
    chart()->getMainZone()->addIndicator(sma.get());
    addZone({"RSI"});
    addZone({"ADX", "ATR", "CCI"});
    ASSERT_EQ(chart()->numZones(), 4u);
    ASSERT_TRUE(TestSupport::saveWindowShot(m_frame, "chart_context_menu_zones.png"));

    // The RSI zone offers its one indicator; removing it removes the zone.
    std::vector<wxString> labels;
    ASSERT_TRUE(rightClick(middleOf(2), eMenuRemoveIndicator, &labels));
    EXPECT_EQ(labels.front(), "Configure RSI(14)");
    EXPECT_EQ(labels[1], "Remove RSI(14)");
    EXPECT_EQ(labels[2], "Remove &All Indicators");
    ASSERT_EQ(chart()->numZones(), 3u);
    QxZone* three = chart()->zoneAt(2);
    ASSERT_EQ(three->numIndicator(), 3u);

    // "All Indicators From this Zone" keeps the zone's first.
    labels.clear();
    ASSERT_TRUE(rightClick(middleOf(2), eMenuRemoveIndicsFromZone, &labels, "chart_context_menu.png"));
    EXPECT_EQ(labels.front(), "&Configure Indicator");
    EXPECT_EQ(three->numIndicator(), 1u);
    EXPECT_EQ(three->indicatorAt(0)->getName().string(), "ADX");

    // From the main zone: every zone but price and volume goes, and they
    // keep only their own.
    QxObjectSmartPtr<QxIndicator> obv(makeIndicator("OBV"));
    chart()->getVolumeZone()->addIndicator(obv.get());
    ASSERT_TRUE(rightClick(middleOf(0), eMenuRemoveAllIndicators));
    ASSERT_EQ(chart()->numZones(), 2u);
    EXPECT_EQ(chart()->getMainZone()->numIndicator(), 1u);
    EXPECT_EQ(chart()->getVolumeZone()->numIndicator(), 1u);
    TestSupport::saveWindowShot(m_frame, "chart_context_menu_all_removed.png");

    // The main zone with its price alone offers no indicator items.
    labels.clear();
    ASSERT_TRUE(rightClick(middleOf(0), 0, &labels));
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], "&Hide Volume Bars");

    // Outside every zone (over the value axis) no menu comes up.
    const QxZone* main = chart()->getMainZone();
    const wxPoint axis(main->getOrigin().x + main->getWidth() + 10, middleOf(0).y);
    ASSERT_LT(axis.x, m_view->GetClientSize().x);
    EXPECT_FALSE(rightClick(axis, 0));
}

TEST_F(ChartContextMenuFixture, EveryMenuRunsItsCommandOnce)
{
    ASSERT_TRUE(chart()->isVolZoneVisible());
    ASSERT_TRUE(rightClick(middleOf(0), eMenuShowHideVolume));
    EXPECT_FALSE(chart()->isVolZoneVisible());
    // Bound twice, the second menu's command would hide the bars again.
    std::vector<wxString> labels;
    ASSERT_TRUE(rightClick(middleOf(0), eMenuShowHideVolume, &labels));
    EXPECT_EQ(labels[0], "&Show Volume Bars");
    EXPECT_TRUE(chart()->isVolZoneVisible());

    // A pattern is removed from its zone.
    QxObjectSmartPtr<QxPattern> mark(new charttest::MarkPattern(5, "Mark"));
    chart()->getMainZone()->addPattern(mark.get());
    labels.clear();
    ASSERT_TRUE(rightClick(middleOf(0), eMenuRemovePattern, &labels));
    EXPECT_EQ(labels[0], "Remove 'Mark'");
    EXPECT_EQ(labels[1], "Configure 'Mark'");
    EXPECT_TRUE(chart()->getMainZone()->getPatterns().empty());
    EXPECT_EQ(mark->numRefs(), 1);

    // The quote editor is asked for this security (which no database
    // holds here); the chart configuration opens as from the frame's command.
    {
        TestSupport::MessageBoxes boxes;
        ASSERT_TRUE(rightClick(middleOf(0), eMenuOpenQuoteEditor));
        ASSERT_EQ(boxes.texts().size(), 1u);
        EXPECT_EQ(boxes.texts()[0], "The security could not be found in the current database.");
    }
    bool configured = false;
    TestSupport::ModalScript script;
    script.when<DlgChartConfiguration>([&](DlgChartConfiguration* d) {
        configured = true;
        TestSupport::ModalScript::press(d, wxID_CANCEL);
    });
    ASSERT_TRUE(rightClick(middleOf(0), eMenuChartConfiguration));
    EXPECT_TRUE(configured);
}

TEST_F(ChartContextMenuFixture, ConfiguringAnIndicatorRetitlesItsZone)
{
    QxZone* rsi = addZone({"RSI"});
    ASSERT_EQ(rsi->getTitle(), "RSI(14)");

    // From the keyboard: the zone under the pointer.
    const wxPoint middle = middleOf(2);
    m_view->WarpPointer(middle.x, middle.y);
    TestSupport::pumpEvents(50);
    TestSupport::ModalScript script;
    script.when<QxIndicConfigDlg>([](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->GetTitle(), "RSI");
        ASSERT_NE(dlg->getParamPanel(), nullptr);
        EXPECT_NE(dlg->getGraphicsPanel(), nullptr);
        auto* period = dynamic_cast<wxSpinCtrl*>(dlg->getParamPanel()->control(0));
        ASSERT_NE(period, nullptr);
        period->SetValue(9);
        TestSupport::ModalScript::press(dlg, wxID_OK);
    });
    std::vector<wxString> labels;
    ASSERT_TRUE(rightClick(wxDefaultPosition, eMenuConfigureIndicator, &labels));
    EXPECT_EQ(labels.front(), "Configure RSI(14)");
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(rsi->indicatorAt(0)->paramInfos()[0].value, QxValue(int32_t(9)));
    // OK also wrote the input shown on the Input Series page.
    EXPECT_EQ(rsi->getTitle(), "RSI(9)[Close]");
}
