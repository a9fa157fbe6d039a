// The drop-down of an indicator's output series and those of its source.
#include "chart/QxDrawable.h"
#include "core/QxIndicSeriesSelector.h"

#include "support/FramesTestSupport.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

namespace {

// An indicator with named outputs and, optionally, one input fed by a series.
class StubIndicator : public QxIndicator {
public:
    StubIndicator(const char* name, std::vector<const char*> outputs, bool indicatorInput)
        : m_name(name)
    {
        for (const char* o : outputs)
            m_outputs.emplace_back(o);
        if (indicatorInput)
            m_inputs.push_back(QxSeriesId::eSeriesIndicator);
        else
            m_inputs.push_back(QxSeriesId::eSeriesClose);
    }
    QxIndicator* clone(unsigned) const override { return new StubIndicator(*this); }
    QxAtom getName() const override { return m_name; }
    QxAtom getGroup() const override { return QxAtom("Test"); }
    wxString getDescription() const override { return wxString(); }
    int getPlacement() const override { return ePlaceOwnZone; }
    const std::vector<uint32_t>& inputInfos() const override { return m_inputs; }
    const std::vector<QxParamInfo>& defaultParamInfos() const override { return m_params; }
    const std::vector<QxParamInfo>& paramInfos() const override { return m_params; }
    int setParam(unsigned, const QxValue&) override { return 0; }
    const std::vector<QxAtom>& outputInfos() const override { return m_outputs; }
    int compute(const std::vector<QxSeries>&, std::vector<QxSeries>&) override { return 0; }
    const QxDrawableList& drawables(bool) override { return m_drawables; }
    void setDrawables(const QxDrawableList& list) override { m_drawables = list; }
    wxXmlNode* toXml(wxXmlNode*, unsigned) const override { return nullptr; }
    int fromXml(const wxXmlNode*) override { return 0; }

private:
    StubIndicator(const StubIndicator& other)
        : QxIndicator(other), m_name(other.m_name), m_inputs(other.m_inputs), m_outputs(other.m_outputs)
    {
    }
    QxAtom m_name;
    std::vector<uint32_t> m_inputs;
    std::vector<QxParamInfo> m_params;
    std::vector<QxAtom> m_outputs;
    QxDrawableList m_drawables;
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
