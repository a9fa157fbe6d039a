// The drop-down of an indicator's output series and those of its source.
#include "chart/QxDrawable.h"
#include "core/QxIndicSeriesSelector.h"

#include "support/FramesTestSupport.h"
#include "support/StandInIndicators.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

namespace {

// An indicator with named outputs and, optionally, one input fed by a series.
class StubIndicator : public TestSupport::InertIndicator {
public:
    StubIndicator(const char* name, const std::vector<const char*>& outputs, bool indicatorInput)
        : InertIndicator(name, "Test", wxString(),
                         {indicatorInput ? uint32_t(QxSeriesId::eSeriesIndicator) : uint32_t(QxSeriesId::eSeriesClose)},
                         std::vector<QxAtom>(outputs.begin(), outputs.end()))
    {
    }
};

std::vector<uint32_t> dataOf(const QxIndicSeriesSelector& selector)
{
    std::vector<uint32_t> data;
    for (unsigned i = 0; i < selector.GetCount(); ++i)
        data.push_back(selector.entryData(i));
    return data;
}

struct SelectorTest : ::testing::Test {
    void SetUp() override { frame = new wxFrame(nullptr, wxID_ANY, "selector"); }
    void TearDown() override
    {
        frame->Destroy();
        framestest::pump(20);
    }
    wxFrame* frame = nullptr;
};

} // namespace

TEST_F(SelectorTest, ListsTheOutputsOfAnIndicatorWithoutSource)
{
    QxObjectSmartPtr<QxIndicator> macd(new StubIndicator("MACD", {"outMACD", "outMACDSignal", "outMACDHist"}, false));
    auto* selector = new QxIndicSeriesSelector(macd.get(), frame);
    EXPECT_EQ(dataOf(*selector), (std::vector<uint32_t>{0, 65536, 131072}));
    ASSERT_EQ(selector->GetCount(), 3u);
    EXPECT_TRUE(selector->GetString(1).EndsWith(".outMACDSignal")) << selector->GetString(1);
    EXPECT_EQ(selector->GetSelection(), wxNOT_FOUND);
    EXPECT_FALSE(selector->getSelectedSeries().isValid()) << "no selection gives the null id";

    selector->setSelectedSeries(QxSeriesId(macd.get(), 2));
    EXPECT_EQ(selector->GetSelection(), 2);

    // Price fields, constants, other indicators and invalid ids change nothing.
    QxObjectSmartPtr<QxIndicator> other(new StubIndicator("RSI", {"outReal"}, false));
    for (const QxSeriesId& id : {QxSeriesId(QxSeriesId::eSeriesClose), QxSeriesId::constant(3.0),
                                 QxSeriesId(other.get(), 0), QxSeriesId(macd.get(), 7), QxSeriesId()}) {
        selector->setSelectedSeries(id);
        EXPECT_EQ(selector->GetSelection(), 2);
    }

    auto* empty = new QxIndicSeriesSelector(nullptr, frame);
    EXPECT_EQ(empty->GetCount(), 0u);
}

TEST_F(SelectorTest, ListsTheSourceIndicatorOfTheFirstAssignedInput)
{
    QxObjectSmartPtr<QxIndicator> macd(new StubIndicator("MACD", {"outMACD", "outMACDSignal", "outMACDHist"}, false));
    QxObjectSmartPtr<QxIndicator> sma(new StubIndicator("SMA", {"outReal"}, true));
    ASSERT_EQ(sma->setInputSeries(0, QxSeriesId(macd.get(), 1)), 0);

    auto* selector = new QxIndicSeriesSelector(sma.get(), frame);
    EXPECT_EQ(dataOf(*selector), (std::vector<uint32_t>{0, 1, 65537, 131073}));
    ASSERT_EQ(selector->indicators().size(), 2u);
    EXPECT_EQ(selector->indicators()[1].get(), macd.get());

    selector->setSelectedSeries(QxSeriesId(macd.get(), 1));
    EXPECT_EQ(selector->GetSelection(), 2);
    const QxSeriesId chosen = selector->getSelectedSeries();
    EXPECT_EQ(chosen.indicator(), macd.get());
    EXPECT_EQ(chosen.outputIndex(), 1u);
    EXPECT_TRUE(chosen.isValid());

    // An input fed by a price field adds nothing; neither does an unassigned one.
    QxObjectSmartPtr<QxIndicator> onClose(new StubIndicator("EMA", {"outReal"}, true));
    ASSERT_EQ(onClose->setInputSeries(0, QxSeriesId(QxSeriesId::eSeriesClose)), 0);
    EXPECT_EQ(QxIndicSeriesSelector(onClose.get(), frame).GetCount(), 1u);
    QxObjectSmartPtr<QxIndicator> unassigned(new StubIndicator("WMA", {"outReal"}, true));
    EXPECT_EQ(QxIndicSeriesSelector(unassigned.get(), frame).GetCount(), 1u);
}

TEST_F(SelectorTest, HoldsItsIndicatorsUntilDestroyed)
{
    auto* sma = new StubIndicator("SMA", {"outReal"}, false);
    {
        QxObjectSmartPtr<QxIndicator> hold(sma);
        auto* selector = new QxIndicSeriesSelector(sma, frame);
        EXPECT_EQ(sma->numRefs(), 2);
        selector->Destroy();
        framestest::pump(20);
        EXPECT_EQ(sma->numRefs(), 1);
    }
}
