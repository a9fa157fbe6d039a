// Configuring an indicator in its dialog: which pages appear, how entered
// parameters are checked and when they reach the indicator, Reset, and what
// Cancel leaves alone.
#include "chart/QxDrawable.h"
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicGraphicsConfiguratorPanel.h"
#include "configdlg/QxIndicInputConfiguratorPanel.h"
#include "configdlg/QxIndicOptParamConfiguratorPanal.h"
#include "configdlg/QxOptParamCheck.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"
#include "support/CalcFakes.h"
#include "support/ModalScript.h"
#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include <dlfcn.h>
#include <functional>

using IndPtr = QxObjectSmartPtr<QxIndicator>;
using TestSupport::MessageBoxes;
using TestSupport::ModalScript;

namespace {

using calctest::LineDrawable;

IndPtr make(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return IndPtr(new TaLibIndicator(handle));
}

const TA_OptInputParameterInfo* optInfo(const char* function, unsigned index)
{
    const TA_FuncHandle* handle = nullptr;
    const TA_OptInputParameterInfo* info = nullptr;
    if (QxTaFunctionSet::getFuncHandle(function, &handle) != TA_SUCCESS ||
        QxTaFunctionSet::getOptInputParameterInfo(handle, index, &info) != TA_SUCCESS)
        return nullptr;
    return info;
}

// Runs configure while the script works on the dialog once it is on the
// screen; returns configure's result and tells whether a dialog was seen.
bool configureWith(QxIndicator* ind, unsigned flags, std::function<void(QxIndicConfigDlg*)> act,
                   bool* seen = nullptr)
{
    bool shown = false;
    ModalScript script;
    script.when<QxIndicConfigDlg>([&](QxIndicConfigDlg* dlg) {
        shown = true;
        act(dlg);
        // Whatever act did, the dialog must not stay open.
        if (dlg->IsModal())
            dlg->EndModal(wxID_CANCEL);
    });
    const bool result = ind->configure(flags);
    if (seen)
        *seen = shown;
    return result;
}

// Puts text into a spin control's entry as typing does: GTK keeps the text
// while the control's value stays clamped to its range. (SetValue with a
// text clamps the text too, which no user can make happen.)
void typeInto(wxSpinCtrl* spin, const char* text)
{
    using SetText = void (*)(void*, const char*);
    static const auto setText = reinterpret_cast<SetText>(dlsym(RTLD_DEFAULT, "gtk_entry_set_text"));
    ASSERT_NE(setText, nullptr);
    setText(spin->GetHandle(), text);
}

wxSpinCtrl* spinAt(QxIndicConfigDlg* dlg, unsigned row)
{
    return dynamic_cast<wxSpinCtrl*>(dlg->getParamPanel()->control(row));
}

void clickReset(QxIndicConfigDlg* dlg)
{
    for (wxWindow* child : dlg->GetChildren())
        if (child->GetLabel() == "Reset") {
            wxCommandEvent click(wxEVT_BUTTON, child->GetId());
            click.SetEventObject(child);
            child->GetEventHandler()->ProcessEvent(click);
            return;
        }
    ADD_FAILURE() << "no Reset button";
}

wxNotebook* notebookOf(QxIndicConfigDlg* dlg)
{
    for (wxWindow* child : dlg->GetChildren())
        if (auto* nb = dynamic_cast<wxNotebook*>(child))
            return nb;
    return nullptr;
}

// Options of a made-up function, to reach every branch of the checks.
const TA_RealRange kReal = {0.1, 100.0, 2, 0.1, 100.0, 0.1};
const TA_IntegerRange kPeriod = {2, 100000, 4, 200, 1};
const TA_IntegerRange kSmall = {1, 100, 1, 100, 1};
const TA_RealDataPair kRealPairs[] = {{0.5, "Half"}, {1.0, "One"}};
const TA_RealList kRealList = {kRealPairs, 2};
const TA_IntegerDataPair kIntPairs[] = {{0, "SMA"}, {1, "EMA"}};
const TA_IntegerList kIntList = {kIntPairs, 2};
const TA_OptInputParameterInfo kRealInfo = {TA_OptInput_RealRange, "optInFactor", 0, "Factor", &kReal, 2.0, "", nullptr};
const TA_OptInputParameterInfo kPeriodInfo = {TA_OptInput_IntegerRange, "optInTimePeriod", 0, "Time Period", &kPeriod,
                                              14, "", nullptr};
const TA_OptInputParameterInfo kSmallInfo = {TA_OptInput_IntegerRange, "optInSmall", 0, "Small", &kSmall, 5, "", nullptr};
const TA_OptInputParameterInfo kRealListInfo = {TA_OptInput_RealList, "optInStep", 0, "Step", &kRealList, 0.5, "", nullptr};
const TA_OptInputParameterInfo kIntListInfo = {TA_OptInput_IntegerList, "optInMAType", 0, "MA Type", &kIntList, 0, "",
                                               nullptr};

} // namespace

TEST(OptParamCheck, EntriesAreReadAndCheckedAgainstTheirDescription)
{
    struct Case {
        const TA_OptInputParameterInfo* info;
        QxOptParamEntry entry;
        QxValue value;     // kept when accepted
        const char* error; // the message when refused
    };
    const Case cases[] = {
        // Real ranges: the text, a finite number in C form, limits inclusive.
        {&kRealInfo, {"2.5", 0, -1}, QxValue(2.5), nullptr},
        {&kRealInfo, {" 0.1 ", 0, -1}, QxValue(0.1), nullptr},
        {&kRealInfo, {"100", 0, -1}, QxValue(100.0), nullptr},
        {&kRealInfo, {"abc", 0, -1}, {}, "Value of 'Factor' can only be a real number."},
        {&kRealInfo, {"", 0, -1}, {}, "Value of 'Factor' can only be a real number."},
        {&kRealInfo, {"2.5x", 0, -1}, {}, "Value of 'Factor' can only be a real number."},
        {&kRealInfo, {"nan", 0, -1}, {}, "Value of 'Factor' can only be a real number."},
        {&kRealInfo, {"0.09", 0, -1}, {}, "Value of 'Factor' cannot be less than 0.10"},
        {&kRealInfo, {"100.01", 0, -1}, {}, "Value of 'Factor' cannot be more than 100.00"},
        // Integer ranges: the typed text counts, not the clamped spin value.
        {&kPeriodInfo, {"2", 2, -1}, QxValue(int32_t(2)), nullptr},
        {&kPeriodInfo, {"100000", 100000, -1}, QxValue(int32_t(100000)), nullptr},
        {&kPeriodInfo, {"1", 2, -1}, {}, "Value of Time Period cannot be less than 2.00"},
        {&kSmallInfo, {"150", 100, -1}, {}, "Value of Small cannot be more than 100.00"},
        {&kSmallInfo, {"99999999999", 100, -1}, {}, "Value of Small cannot be more than 100.00"},
        // Text that is no integer: the control puts its own value back.
        {&kSmallInfo, {"", 7, -1}, QxValue(int32_t(7)), nullptr},
        // Lists: the chosen entry's value, of the list's type.
        {&kIntListInfo, {"", 0, 1}, QxValue(int32_t(1)), nullptr},
        {&kIntListInfo, {"", 0, -1}, {}, "Invalid value of MA Type."},
        {&kIntListInfo, {"", 0, 2}, {}, "Invalid value of MA Type."},
        {&kRealListInfo, {"", 0, 0}, QxValue(0.5), nullptr},
        {&kRealListInfo, {"", 0, -1}, {}, "Invalid value of Step."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.info->paramName) + " '" + c.entry.text.ToStdString() + "'");
        QxValue value(int32_t(-99));
        wxString message;
        const bool ok = qxCheckOptParam(*c.info, c.entry, value, message);
        if (c.error) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(message, c.error);
        } else {
            EXPECT_TRUE(ok) << message;
            EXPECT_EQ(value, c.value);
        }
    }
}

// What a person writes as a number is read; what only the C reader takes
// ("nan", "inf", hexadecimal) is not.
TEST(OptParamCheck, NumbersAreWhatAPersonWritesAsNumbers)
{
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {{"2.5", true, 2.5}, {" -3 ", true, -3}, {"+.5", true, 0.5}, {"7.", true, 7}, {"1e3", true, 1000},
                 {"2.5E-1", true, 0.25}, {"nan", false, 0}, {"NaN", false, 0}, {"inf", false, 0},
                 {"-infinity", false, 0}, {"0x10", false, 0}, {"0x1p3", false, 0}, {"1e", false, 0},
                 {".", false, 0}, {"", false, 0}, {"1,5", false, 0}, {"1e999", false, 0}, {"12abc", false, 0}};
    for (const auto& c : cases) {
        double value = -99;
        EXPECT_EQ(qxReadRealNumber(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : -99) << c.text;
    }
}

TEST(OptParamCheck, ValuesAreShownAsTheirControlsNeed)
{
    EXPECT_EQ(qxOptParamText(QxValue(2.345678)), "2.35");
    EXPECT_EQ(qxOptParamText(QxValue(-1.0)), "-1.00");
    EXPECT_EQ(qxOptParamListIndex(kIntListInfo, QxValue(int32_t(1))), 1);
    EXPECT_EQ(qxOptParamListIndex(kIntListInfo, QxValue(int32_t(9))), -1);
    EXPECT_EQ(qxOptParamListIndex(kRealListInfo, QxValue(1.0)), 1);
    EXPECT_EQ(qxOptParamListIndex(kRealListInfo, QxValue(0.75)), -1);
    EXPECT_EQ(qxOptParamListIndex(kRealInfo, QxValue(2.0)), -1);
}

// One user through the dialog of a Bollinger band: a bad period blocks both
// leaving the page and OK; a good one reaches the indicator as the page is
// left; Reset shows the defaults without touching the indicator; Cancel
// puts back the parameters, the input and the graphics as they were.
TEST(IndicConfigDlg, ParametersAreCheckedAndAppliedWhenThePageIsLeft)
{
    IndPtr bb = make("BBANDS");
    const QxDrawableList drawablesBefore = bb->drawables(true);
    MessageBoxes boxes(wxID_YES);
    bool seen = false;
    EXPECT_FALSE(configureWith(bb.get(), 7, [&](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->GetTitle(), "BBANDS");
        ASSERT_TRUE(dlg->getParamPanel() && dlg->getInputPanel() && dlg->getGraphicsPanel());
        wxNotebook* nb = notebookOf(dlg);
        ASSERT_NE(nb, nullptr);
        ASSERT_EQ(nb->GetPageCount(), 3u);
        EXPECT_EQ(nb->GetPageText(0), "Parameters");
        EXPECT_EQ(nb->GetPageText(1), "Input Series");
        EXPECT_EQ(nb->GetPageText(2), "Graphics");
        EXPECT_EQ(nb->GetSelection(), 0);
        EXPECT_TRUE(TestSupport::saveWindowShot(dlg, "indic_config_bbands.png"));

        wxSpinCtrl* period = spinAt(dlg, 0);
        auto* up = dynamic_cast<wxTextCtrl*>(dlg->getParamPanel()->control(1));
        ASSERT_TRUE(period && up);
        EXPECT_EQ(period->GetValue(), 20);
        EXPECT_EQ(up->GetValue(), "2.00");

        typeInto(period, "1");
        nb->SetSelection(1);
        TestSupport::pumpEvents(50);
        EXPECT_EQ(nb->GetSelection(), 0);
        typeInto(period, "1");
        ModalScript::press(dlg, wxID_OK);
        EXPECT_TRUE(dlg->IsModal());
        ASSERT_EQ(boxes.texts().size(), 2u);
        EXPECT_EQ(boxes.texts()[0], "Value of Time Period cannot be less than 2.00");
        EXPECT_EQ(boxes.texts()[1], boxes.texts()[0]);
        EXPECT_EQ(bb->paramInfos()[0].value, QxValue(int32_t(20)));

        typeInto(period, "10");
        up->ChangeValue("2.345");
        nb->SetSelection(1);
        EXPECT_EQ(nb->GetSelection(), 1);
        EXPECT_EQ(bb->paramInfos()[0].value, QxValue(int32_t(10)));
        EXPECT_EQ(bb->paramInfos()[1].value, QxValue(2.345));

        // Reset on the Input Series page asks nothing and does nothing.
        const size_t before = boxes.texts().size();
        clickReset(dlg);
        EXPECT_EQ(boxes.texts().size(), before);
        nb->SetSelection(0);
        clickReset(dlg);
        ASSERT_EQ(boxes.texts().size(), before + 1);
        EXPECT_EQ(boxes.texts().back(), "Are you sure you want to reset indicator parameters?");
        EXPECT_EQ(period->GetValue(), 20);
        EXPECT_EQ(up->GetValue(), "2.00");
        EXPECT_EQ(bb->paramInfos()[0].value, QxValue(int32_t(10)));

        // The input and a graphic change too, as their pages change them.
        dlg->getInputPanel()->selectSeries(QxSeriesId(QxSeriesId::eSeriesLow));
        dlg->getInputPanel()->TransferDataFromWindow();
        EXPECT_EQ(bb->getInputSeries(0).kind(), QxSeriesId::eSeriesLow);
        bb->drawables(false)[1]->setSeries(QxAtom("DATA"), QxSeriesId::constant(5.0));

        ModalScript::press(dlg, wxID_CANCEL);
    }, &seen));
    EXPECT_TRUE(seen);
    // Cancel: the indicator as it was when the dialog opened.
    EXPECT_EQ(bb->paramInfos()[0].value, QxValue(int32_t(20)));
    EXPECT_EQ(bb->paramInfos()[1].value, QxValue(2.0));
    EXPECT_FALSE(bb->getInputSeries(0).isValid());
    EXPECT_EQ(bb->getDisplayName(), "BBANDS(20, 2.00, 2.00, 0)");
    ASSERT_EQ(bb->drawables(false).size(), drawablesBefore.size());
    EXPECT_EQ(bb->drawables(false)[1]->getSeries(QxAtom("DATA")).indicator(), bb.get());
}

TEST(IndicConfigDlg, OkWritesRoundedValuesAndRefusesAnUnlistedChoice)
{
    IndPtr bb = make("BBANDS");
    // Not in the list of moving-average kinds.
    ASSERT_EQ(bb->setParam(3, QxValue(int32_t(99))), 0);
    ASSERT_EQ(bb->setParam(2, QxValue(1.236)), 0);
    MessageBoxes boxes(wxID_NO);
    EXPECT_TRUE(configureWith(bb.get(), QxIndicConfigDlg::ePageParams, [&](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->getInputPanel(), nullptr);
        EXPECT_EQ(dlg->getGraphicsPanel(), nullptr);
        auto* maType = dynamic_cast<wxChoice*>(dlg->getParamPanel()->control(3));
        ASSERT_NE(maType, nullptr);
        EXPECT_EQ(maType->GetSelection(), wxNOT_FOUND);
        ModalScript::press(dlg, wxID_OK);
        EXPECT_TRUE(dlg->IsModal());
        ASSERT_EQ(boxes.texts().size(), 1u);
        EXPECT_EQ(boxes.texts()[0], "Invalid value of MA Type.");
        EXPECT_EQ(dlg->FindFocus(), maType);

        // Reset answered No changes nothing.
        maType->SetSelection(1);
        clickReset(dlg);
        EXPECT_EQ(maType->GetSelection(), 1);
        ModalScript::press(dlg, wxID_OK);
        EXPECT_FALSE(dlg->IsModal());
    }));
    const std::vector<QxParamInfo>& p = bb->paramInfos();
    EXPECT_EQ(p[0].value, QxValue(int32_t(20)));
    EXPECT_EQ(p[2].value, QxValue(1.24));
    EXPECT_EQ(p[3].value, QxValue(int32_t(1)));
}

TEST(IndicConfigDlg, PagesFollowTheFlagsAndTheIndicator)
{
    // Without parameters, flags 3 give the Graphics page alone.
    IndPtr ad = make("AD");
    ASSERT_TRUE(ad->paramInfos().empty());
    EXPECT_TRUE(configureWith(ad.get(), 3, [](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->GetTitle(), "AD");
        EXPECT_EQ(dlg->getParamPanel(), nullptr);
        EXPECT_EQ(dlg->getInputPanel(), nullptr);
        ASSERT_NE(dlg->getGraphicsPanel(), nullptr);
        EXPECT_EQ(notebookOf(dlg)->GetPageCount(), 1u);
        ModalScript::press(dlg, wxID_OK);
    }));

    // No page at all: accepted without a window.
    bool seen = true;
    EXPECT_TRUE(configureWith(ad.get(), QxIndicConfigDlg::ePageParams, [](QxIndicConfigDlg*) {}, &seen));
    EXPECT_FALSE(seen);
    // Two free series inputs: never an Input Series page.
    IndPtr mavp = make("MAVP");
    EXPECT_TRUE(configureWith(mavp.get(), QxIndicConfigDlg::ePageInput, [](QxIndicConfigDlg*) {}, &seen));
    EXPECT_FALSE(seen);
    // Nothing to configure.
    IndPtr nothing(new TaLibIndicator(nullptr));
    EXPECT_TRUE(configureWith(nothing.get(), 7, [](QxIndicConfigDlg*) {}, &seen));
    EXPECT_FALSE(seen);

    IndPtr sma = make("SMA");
    EXPECT_TRUE(configureWith(sma.get(), QxIndicConfigDlg::ePageInput, [](QxIndicConfigDlg* dlg) {
        ASSERT_NE(dlg->getInputPanel(), nullptr);
        wxChoice* choice = dlg->getInputPanel()->choice();
        EXPECT_EQ(choice->GetStringSelection(), "Close");
        choice->SetStringSelection("High");
        ModalScript::press(dlg, wxID_OK);
    }));
    EXPECT_EQ(sma->getInputSeries(0).kind(), QxSeriesId::eSeriesHigh);
}

TEST(IndicConfigDlg, GraphicsPageEditsACopyOfTheDrawables)
{
    IndPtr sma = make("SMA");
    QxObjectSmartPtr<QxDrawable> first(new LineDrawable), second(new LineDrawable);
    first->setSeries(QxAtom("DATA"), QxSeriesId(sma.get(), 0));
    sma->setDrawables({first, second});

    EXPECT_FALSE(configureWith(sma.get(), QxIndicConfigDlg::ePageGraphics, [](QxIndicConfigDlg* dlg) {
        ASSERT_NE(dlg->getGraphicsPanel(), nullptr);
        EXPECT_TRUE(dlg->getGraphicsPanel()->removeSelected());
        ModalScript::press(dlg, wxID_CANCEL);
    }));
    EXPECT_EQ(sma->drawables(false).size(), 2u);

    MessageBoxes boxes(wxID_YES);
    EXPECT_TRUE(configureWith(sma.get(), QxIndicConfigDlg::ePageGraphics, [](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->getGraphicsPanel()->listCtrl()->GetItemCount(), 2);
        EXPECT_TRUE(dlg->getGraphicsPanel()->removeSelected());
        // The last graphic stays.
        EXPECT_FALSE(dlg->getGraphicsPanel()->removeSelected());
        EXPECT_EQ(dlg->getGraphicsPanel()->listCtrl()->GetItemCount(), 1);
        ModalScript::press(dlg, wxID_OK);
    }));
    ASSERT_EQ(sma->drawables(false).size(), 1u);
    EXPECT_EQ(sma->drawables(false)[0].get(), second.get());

    // Reset on the Graphics page brings the indicator's own defaults back.
    EXPECT_TRUE(configureWith(sma.get(), QxIndicConfigDlg::ePageGraphics, [](QxIndicConfigDlg* dlg) {
        clickReset(dlg);
        ModalScript::press(dlg, wxID_OK);
    }));
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(boxes.texts()[0], "Are you sure you want to reset indicator graphics?");
    ASSERT_EQ(sma->drawables(false).size(), 1u);
    EXPECT_NE(sma->drawables(false)[0].get(), second.get());
    sma->setDrawables(QxDrawableList());
}

// A function may suggest an integer range that is empty or has no step;
// its row still gets a spin control over the whole range, so every later
// row keeps its own control and value.
TEST(IndicConfigDlg, EveryIntegerRangeGetsItsControl)
{
    static const TA_IntegerRange noStep = {2, 100000, 200, 4, 0};
    const TA_OptInputParameterInfo* real = optInfo("BBANDS", 0);
    ASSERT_NE(real, nullptr);
    TA_OptInputParameterInfo odd = *real;
    odd.dataSet = &noStep;

    IndPtr bb = make("BBANDS");
    ASSERT_EQ(bb->setParam(0, QxValue(int32_t(33))), 0);
    wxDialog host(nullptr, wxID_ANY, "host");
    QxIndicOptParamConfiguratorPanal panel(bb.get(), &host);
    panel.createParamControls(&odd);
    for (unsigned i = 1; i < 4; ++i)
        panel.createParamControls(optInfo("BBANDS", i));
    ASSERT_EQ(panel.numRows(), 4u);
    ASSERT_TRUE(panel.TransferDataToWindow());
    auto* period = dynamic_cast<wxSpinCtrl*>(panel.control(0));
    ASSERT_NE(period, nullptr);
    EXPECT_EQ(period->GetMin(), 2);
    EXPECT_EQ(period->GetMax(), 100000);
    EXPECT_EQ(period->GetValue(), 33);
    ASSERT_NE(dynamic_cast<wxTextCtrl*>(panel.control(1)), nullptr);
    ASSERT_NE(dynamic_cast<wxChoice*>(panel.control(3)), nullptr);
    EXPECT_EQ(panel.control(4), nullptr);

    dynamic_cast<wxTextCtrl*>(panel.control(2))->ChangeValue("3");
    std::vector<QxParamInfo> out = bb->paramInfos();
    ASSERT_TRUE(panel.validateParams(&out));
    EXPECT_EQ(out[0].value, QxValue(int32_t(33)));
    EXPECT_EQ(out[2].value, QxValue(3.0));
    EXPECT_EQ(out[3].value, QxValue(int32_t(0)));
    // Checked only: the indicator is untouched until the values are applied.
    EXPECT_EQ(bb->paramInfos()[2].value, QxValue(2.0));
    ASSERT_TRUE(panel.TransferDataFromWindow());
    EXPECT_EQ(bb->paramInfos()[2].value, QxValue(3.0));
}
