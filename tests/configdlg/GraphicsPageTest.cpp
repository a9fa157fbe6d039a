// The Graphics page on MACD: adding and modifying graphics through their
// configurator, the configurator's refusals, its colour-scheme page, reordering, removal, Reset and
// the buttons following a clicked row.
#include "chart/QxColorScheme.h"
#include "chart/QxColorSchemeRegistry.h"
#include "chart/QxDrawable.h"
#include "configdlg/DlgGraphicConfigurator.h"
#include "configdlg/PanelColorSchemeConfigurator.h"
#include "configdlg/QxIndicGraphicsConfiguratorPanel.h"
#include "core/QxIndicSeriesSelector.h"
#include "configdlg/FramedPage.h"
#include "support/ModalScript.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

using IndPtr = QxObjectSmartPtr<QxIndicator>;
using TestSupport::MessageBoxes;
using TestSupport::ModalScript;
using TestSupport::pumpEvents;
using TestSupport::saveWindowShot;

namespace {

struct PageHost : FramedPage<QxIndicGraphicsConfiguratorPanel> {
    explicit PageHost(QxIndicator* indicator)
        : FramedPage([indicator](wxWindow* parent) { return new QxIndicGraphicsConfiguratorPanel(indicator, parent); },
                     wxSize(560, 360))
    {
        page->TransferDataToWindow();
        pumpEvents(200);
    }

    std::vector<wxString> column(int col) const
    {
        std::vector<wxString> texts;
        for (long r = 0; r < page->listCtrl()->GetItemCount(); ++r)
            texts.push_back(page->listCtrl()->GetItemText(r, col));
        return texts;
    }
    long selected() const { return page->listCtrl()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); }
    std::vector<bool> buttons() const
    {
        return {page->modifyButton()->IsEnabled(), page->removeButton()->IsEnabled(),
                page->moveUpButton()->IsEnabled(), page->moveDownButton()->IsEnabled()};
    }
    void clickRow(long row)
    {
        wxRect rect;
        ASSERT_TRUE(page->listCtrl()->GetItemRect(row, rect));
        const wxPoint at = page->listCtrl()->ClientToScreen(rect.GetPosition() + wxPoint(10, rect.height / 2));
        wxUIActionSimulator sim;
        sim.MouseMove(at);
        pumpEvents(50);
        sim.MouseClick();
        pumpEvents(200);
    }
};

} // namespace

TEST(GraphicsPage, AddModifyMoveAndResetOnMacd)
{
    IndPtr macd = makeTaIndicator("MACD");
    PageHost host(macd.get());
    const size_t defaults = macd->drawables(false).size();
    ASSERT_GE(defaults, 2u);
    EXPECT_EQ(host.selected(), 0);

    // Add a solid line; the configurator shows it bound to the first output.
    wxString title, firstPage, colourPage;
    ModalScript add;
    add.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* dlg) {
        title = dlg->GetTitle();
        firstPage = dlg->notebook()->GetPageText(0);
        auto* selector = dynamic_cast<QxIndicSeriesSelector*>(dlg->objectPage()->roleControl(0));
        ASSERT_NE(selector, nullptr);
        EXPECT_EQ(selector->getSelectedSeries().outputIndex(), 0u);
        saveWindowShot(dlg, "graphic-configurator-solid-line.png");
        ModalScript::press(dlg, wxID_OK);
    });
    EXPECT_TRUE(host.page->addGraphic(QxAtom("SOLIDLINE")));
    EXPECT_EQ(title, "Configure Solid Line");
    EXPECT_EQ(firstPage, "Solid Line");
    ASSERT_EQ(host.page->getGraphics().size(), defaults + 1);
    const long added = static_cast<long>(defaults);
    EXPECT_EQ(host.selected(), added);
    EXPECT_EQ(host.column(0).back(), "Solid Line");
    EXPECT_EQ(host.column(1).back(), "Data= " + macd->getDisplayName() + "." + macd->outputInfos()[0].string());
    // The indicator's own list is untouched until configure takes the page's.
    EXPECT_EQ(macd->drawables(false).size(), defaults);

    // Modify: choose the third output; the description follows.
    ModalScript modify;
    modify.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* dlg) {
        title = dlg->GetTitle();
        auto* selector = static_cast<QxIndicSeriesSelector*>(dlg->objectPage()->roleControl(0));
        selector->setSelectedSeries(QxSeriesId(macd.get(), 2));
        ModalScript::press(dlg, wxID_OK);
    });
    EXPECT_TRUE(host.page->modifySelected());
    EXPECT_EQ(title, "Configure Solid Line");
    EXPECT_EQ(host.column(1).back(), "Data= " + macd->getDisplayName() + "." + macd->outputInfos()[2].string());

    // Cancelling an Add keeps the list.
    ModalScript cancel;
    cancel.when<DlgGraphicConfigurator>([](DlgGraphicConfigurator* dlg) { ModalScript::press(dlg, wxID_CANCEL); });
    EXPECT_FALSE(host.page->addGraphic(QxAtom("HISTOGRAM")));
    EXPECT_EQ(host.page->getGraphics().size(), defaults + 1);

    // Move the new line up and down again.
    QxDrawable* line = host.page->getGraphics().back().get();
    EXPECT_TRUE(host.page->moveSelected(true));
    EXPECT_EQ(host.page->getGraphics()[added - 1].get(), line);
    EXPECT_EQ(host.column(0)[added - 1], "Solid Line");
    EXPECT_EQ(host.selected(), added - 1);
    EXPECT_EQ(host.buttons(), (std::vector<bool>{true, true, added - 1 > 0, true}));
    EXPECT_TRUE(host.page->moveSelected(false));
    EXPECT_EQ(host.page->getGraphics()[added].get(), line);
    EXPECT_EQ(host.selected(), added);
    EXPECT_EQ(host.buttons(), (std::vector<bool>{true, true, true, false}));
    EXPECT_FALSE(host.page->moveSelected(false));
    saveWindowShot(host.frame, "graphics-page-macd.png");

    // Removing the last row selects the new last row.
    EXPECT_TRUE(host.page->removeSelected());
    EXPECT_EQ(host.page->getGraphics().size(), defaults);
    EXPECT_EQ(host.selected(), added - 1);

    // Reset brings the defaults back, row 0 selected.
    host.page->moveSelected(true);
    host.page->resetGraphics();
    EXPECT_EQ(host.page->getGraphics().size(), defaults);
    EXPECT_EQ(host.selected(), 0);
    EXPECT_NE(host.page->getGraphics()[0].get(), macd->drawables(false)[0].get());
}

TEST(GraphicsPage, ConfiguratorRefusesBadRowsAndWritesNothing)
{
    IndPtr sma = makeTaIndicator("SMA");
    PageHost host(sma.get());
    MessageBoxes boxes;

    // Letters in a horizontal line's offset, and what only the C reader
    // takes for a number (a line at "nan" would never be drawn); then a good
    // number is kept.
    const std::vector<wxString> bad = {"abc", "nan", "inf", "0x10"};
    ModalScript horz;
    wxString shown;
    horz.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* dlg) {
        auto* offset = dynamic_cast<wxTextCtrl*>(dlg->objectPage()->roleControl(0));
        ASSERT_NE(offset, nullptr);
        shown = offset->GetValue();
        for (const wxString& text : bad) {
            offset->SetValue(text);
            ModalScript::press(dlg, wxID_OK);
            EXPECT_TRUE(dlg->IsModal()) << text;
        }
        offset->SetValue("12.5");
        ModalScript::press(dlg, wxID_OK);
    });
    EXPECT_TRUE(host.page->addGraphic(QxAtom("HORZLINE")));
    EXPECT_EQ(shown, "0.00");
    EXPECT_EQ(boxes.texts(), std::vector<wxString>(bad.size(), "Offset:Value can only be a number."));
    EXPECT_EQ(host.column(1).back(), "Offset= 12.50");

    // A mountain with no series for its cliff: refused, the base not written.
    ModalScript mountain;
    mountain.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* dlg) {
        static_cast<QxIndicSeriesSelector*>(dlg->objectPage()->roleControl(0))->SetSelection(wxNOT_FOUND);
        static_cast<wxTextCtrl*>(dlg->objectPage()->roleControl(1))->SetValue("3");
        ModalScript::press(dlg, wxID_OK);
        EXPECT_TRUE(dlg->IsModal());
        ModalScript::press(dlg, wxID_CANCEL);
    });
    const size_t before = host.page->getGraphics().size();
    EXPECT_FALSE(host.page->addGraphic(QxAtom("MOUNTAIN")));
    ASSERT_EQ(boxes.texts().size(), bad.size() + 1);
    EXPECT_EQ(boxes.texts().back(), "Cliff:No data source is selected.");
    EXPECT_EQ(host.page->getGraphics().size(), before);
}

TEST(GraphicsPage, ButtonsFollowClickedRows)
{
    IndPtr macd = makeTaIndicator("MACD");
    PageHost host(macd.get());
    const long n = host.page->listCtrl()->GetItemCount();
    ASSERT_GE(n, 3);
    host.clickRow(1);
    EXPECT_EQ(host.selected(), 1);
    EXPECT_EQ(host.buttons(), (std::vector<bool>{true, true, true, true}));
    host.clickRow(n - 1);
    EXPECT_EQ(host.buttons(), (std::vector<bool>{true, true, true, false}));
    host.clickRow(0);
    EXPECT_EQ(host.buttons(), (std::vector<bool>{true, true, false, true}));
}

TEST(GraphicsPage, ColourSchemePageRowsAndRefusal)
{
    IndPtr macd = makeTaIndicator("MACD");
    PageHost host(macd.get());
    MessageBoxes boxes;
    QxDrawable* line = host.page->getGraphics()[0].get();
    const QxAtom dataRole = line->getParamInfos()[0].name;
    line->setColorScheme(nullptr);

    struct Rows {
        wxString scheme;
        size_t series, colours;
    };
    std::vector<Rows> seen;
    int pageWhenRefused = -1;
    ModalScript script;
    script.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* dlg) {
        ASSERT_EQ(dlg->notebook()->GetPageCount(), 2u);
        EXPECT_EQ(dlg->notebook()->GetPageText(1), "Color Scheme");
        PanelColorSchemeConfigurator* colours = dlg->colourPage();
        wxChoice* choice = colours->schemeChoice();
        auto note = [&] {
            seen.push_back({choice->GetStringSelection(), colours->seriesRows().size(), colours->colourRows().size()});
        };
        note();
        for (const char* kind : {"SarColorScheme", "PriceColorScheme", "UniColorScheme"}) {
            choice->SetStringSelection(QxColorSchemeRegistry::instance().find(QxAtom(kind))->getDisplayText());
            colours->rebuildRows();
            note();
        }
        choice->SetStringSelection(QxColorSchemeRegistry::instance().find(QxAtom("SarColorScheme"))->getDisplayText());
        colours->rebuildRows();
        dlg->notebook()->SetSelection(1);
        TestSupport::pumpEvents(100);
        saveWindowShot(dlg, "graphic-configurator-sar-scheme.png");
        // The data page chooses another output, the SAR series is left empty.
        static_cast<QxIndicSeriesSelector*>(dlg->objectPage()->roleControl(0))
            ->setSelectedSeries(QxSeriesId(macd.get(), 1));
        colours->seriesRows()[0]->SetSelection(wxNOT_FOUND);
        dlg->notebook()->SetSelection(0);
        ModalScript::press(dlg, wxID_OK);
        EXPECT_TRUE(dlg->IsModal());
        pageWhenRefused = dlg->notebook()->GetSelection();
        // With the series chosen the new scheme is taken.
        colours->seriesRows()[0]->setSelectedSeries(QxSeriesId(macd.get(), 2));
        ModalScript::press(dlg, wxID_OK);
    });
    EXPECT_TRUE(host.page->modifySelected());

    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].colours, 1u) << "no scheme opens on the uniform one";
    EXPECT_EQ(seen[0].series, 0u);
    EXPECT_EQ(seen[1].series, 1u);
    EXPECT_EQ(seen[1].colours, 2u);
    EXPECT_EQ(seen[2].series, 0u) << "the price scheme's roles are price fields";
    EXPECT_EQ(seen[2].colours, 2u);
    EXPECT_EQ(seen[3].colours, 1u);
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(boxes.texts()[0], "SAR Series:No data source is selected.");
    EXPECT_EQ(pageWhenRefused, 1);
    // The refused OK had already written the data page.
    EXPECT_EQ(line->getSeries(dataRole).outputIndex(), 1u);
    QxColorScheme* scheme = line->getColorScheme();
    ASSERT_NE(scheme, nullptr);
    EXPECT_EQ(scheme->getName(), QxAtom("SarColorScheme"));
    EXPECT_EQ(scheme->getSeries(QxAtom("SAR")).indicator(), macd.get());
    EXPECT_EQ(scheme->getSeries(QxAtom("SAR")).outputIndex(), 2u);
}

// A graphic's data roles take a price field as well as an output: the
// drop-down lists Open, High, Low, Close and Volume after the outputs, a
// bound price field opens selected, and the choice is written on OK.
TEST(GraphicsPage, ConfiguratorOffersThePriceFields)
{
    IndPtr sma = makeTaIndicator("SMA");
    PageHost host(sma.get());
    MessageBoxes boxes;
    QxDrawable* line = host.page->getGraphics()[0].get();
    const QxAtom role = line->getParamInfos()[0].name;
    std::vector<wxString> listed;
    wxString shownAfter;
    ModalScript script;
    script.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* dlg) {
        auto* selector = static_cast<QxIndicSeriesSelector*>(dlg->objectPage()->roleControl(0));
        for (unsigned i = 0; i < selector->GetCount(); ++i)
            listed.push_back(selector->GetString(i));
        selector->SetStringSelection("High");
        EXPECT_EQ(selector->getSelectedSeries().kind(), uint32_t(QxSeriesId::eSeriesHigh));
        ModalScript::press(dlg, wxID_OK);
    });
    ASSERT_TRUE(host.page->modifySelected());
    ASSERT_EQ(listed.size(), 6u);
    EXPECT_EQ(std::vector<wxString>(listed.begin() + 1, listed.end()),
              (std::vector<wxString>{"Open", "High", "Low", "Close", "Volume"}));
    EXPECT_TRUE(boxes.texts().empty()) << "a price field passes the check";
    EXPECT_EQ(host.page->getGraphics()[0]->getSeries(role).kind(), uint32_t(QxSeriesId::eSeriesHigh));

    // Opened again, the bound field is the one selected; Volume is taken too.
    ModalScript again;
    again.when<DlgGraphicConfigurator>([&](DlgGraphicConfigurator* dlg) {
        auto* selector = static_cast<QxIndicSeriesSelector*>(dlg->objectPage()->roleControl(0));
        shownAfter = selector->GetStringSelection();
        selector->SetStringSelection("Volume");
        ModalScript::press(dlg, wxID_OK);
    });
    ASSERT_TRUE(host.page->modifySelected());
    EXPECT_EQ(shownAfter, "High");
    EXPECT_EQ(host.page->getGraphics()[0]->getSeries(role).kind(), uint32_t(QxSeriesId::eSeriesVolume));
}
