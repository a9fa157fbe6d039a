// The Input Series page: price entries, the outputs of source indicators
// added through a private selection dialog and applied at once, inputs
// without an entry, and the limit on sources.
#include "app/QxIndicatorRegistry.h"
#include "configdlg/QxGraphicConfigRules.h"
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicInputConfiguratorPanel.h"
#include "configdlg/QxIndicatorSelectionDlg.h"
#include "configdlg/QxIndicatorSelectionPanel.h"
#include "configdlg/FramedPage.h"
#include "support/ModalScript.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

using IndPtr = QxObjectSmartPtr<QxIndicator>;
using TestSupport::ModalScript;

namespace {

struct PageHost : FramedPage<QxIndicInputConfiguratorPanel> {
    explicit PageHost(QxIndicator* indicator)
        : FramedPage([indicator](wxWindow* parent) { return new QxIndicInputConfiguratorPanel(indicator, 0, parent); },
                     wxSize(520, 200))
    {
        TestSupport::pumpEvents(100);
    }
    std::vector<wxString> entries() const
    {
        std::vector<wxString> texts;
        for (unsigned i = 0; i < page->choice()->GetCount(); ++i)
            texts.push_back(page->choice()->GetString(i));
        return texts;
    }
};

} // namespace

TEST(InputSeriesPage, PricesThenAddedIndicatorOutputsAppliedAtOnce)
{
    IndPtr sma = makeTaIndicator("SMA");
    PageHost host(sma.get());
    EXPECT_EQ(host.entries(), (std::vector<wxString>{"Open", "High", "Low", "Close", "Volume"}));
    EXPECT_EQ(host.page->choice()->GetStringSelection(), "Close");

    // MACD through the selection dialog: three entries, the third applied.
    QxIndicatorRegistry::instance()->addBuiltInIndicators();
    ModalScript script;
    script.when<QxIndicatorSelectionDlg>([](QxIndicatorSelectionDlg* d) {
        EXPECT_NE(d, QxIndicatorSelectionDlg::instance());
        d->notebook()->SetSelection(0);
        ASSERT_TRUE(d->page(0)->selectName("MACD"));
        ModalScript::press(d, wxID_OK);
    });
    script.when<QxIndicConfigDlg>([](QxIndicConfigDlg* c) { ModalScript::press(c, wxID_OK); });
    host.page->addFromIndicatorOutput();
    EXPECT_EQ(script.pending(), 0u);
    ASSERT_EQ(host.entries().size(), 8u);
    ASSERT_EQ(host.page->sources().size(), 1u);
    QxIndicator* macd = host.page->sources()[0].get();
    EXPECT_EQ(host.entries()[7], macd->getDisplayName() + "." + macd->outputInfos()[2].string());
    EXPECT_EQ(host.page->choice()->GetSelection(), 7);
    EXPECT_EQ(sma->getInputSeries(0).indicator(), macd);
    EXPECT_EQ(sma->getInputSeries(0).outputIndex(), 2u);
    TestSupport::saveWindowShot(host.frame, "input-series-page.png");

    // Choosing a price applies it at once; a second page on the same input
    // lists the source again and selects its output.
    host.page->choice()->SetSelection(1);
    wxCommandEvent changed(wxEVT_CHOICE, host.page->choice()->GetId());
    changed.SetInt(1);
    host.page->choice()->GetEventHandler()->ProcessEvent(changed);
    EXPECT_EQ(sma->getInputSeries(0).kind(), uint32_t(QxSeriesId::eSeriesHigh));
    sma->setInputSeries(0, QxSeriesId(macd, 1));
    PageHost again(sma.get());
    ASSERT_EQ(again.entries().size(), 8u);
    EXPECT_EQ(again.page->choice()->GetSelection(), 6);
}

TEST(InputSeriesPage, InputsWithoutAnEntryAreLeftUnchanged)
{
    IndPtr sma = makeTaIndicator("SMA");
    for (const QxSeriesId& id : {QxSeriesId(QxSeriesId::eSeriesOpenInterest), QxSeriesId::constant(4.0)}) {
        ASSERT_EQ(sma->setInputSeries(0, id), 0);
        PageHost host(sma.get());
        EXPECT_EQ(host.page->choice()->GetSelection(), wxNOT_FOUND);
        EXPECT_TRUE(host.page->TransferDataFromWindow());
        EXPECT_EQ(sma->getInputSeries(0).kind(), id.kind());
        EXPECT_EQ(sma->getInputSeries(0).value(), id.value());
    }
}

TEST(InputSeriesPage, StopsAddingSourcesAtTheLastPositionAValueCanName)
{
    IndPtr sma = makeTaIndicator("SMA");
    IndPtr ema = makeTaIndicator("EMA");
    PageHost host(sma.get());
    for (unsigned i = 0; i < kMaxInputSources; ++i)
        ASSERT_TRUE(host.page->addIndicatorOutputs(ema.get())) << i;
    EXPECT_FALSE(host.page->addButton()->IsEnabled());
    EXPECT_FALSE(host.page->addIndicatorOutputs(ema.get()));
    EXPECT_EQ(host.page->choice()->GetCount(), 5u + kMaxInputSources);
    // The last entry still names the last source, not the first.
    host.page->choice()->SetSelection(static_cast<int>(host.page->choice()->GetCount()) - 1);
    EXPECT_TRUE(host.page->TransferDataFromWindow());
    EXPECT_EQ(sma->getInputSeries(0).indicator(), host.page->sources().back().get());
}
