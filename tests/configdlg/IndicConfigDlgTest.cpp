// Configuring an indicator in its dialog: which pages appear, what OK
// writes into the indicator and what Cancel leaves alone.
#include "configdlg/QxIndicConfigDlg.h"
#include "configdlg/QxIndicOptParamConfiguratorPanal.h"
#include "core/TaLibIndicator.h"
#include "core/ta/QxTaFunctionSet.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include <functional>

using IndPtr = QxObjectSmartPtr<QxIndicator>;

namespace {

class LineDrawable : public QxDrawable {
public:
    QxDrawable* clone() const override { return new LineDrawable(*this); }
    const QxAtom& getName() const override
    {
        static const QxAtom name("TESTLINE");
        return name;
    }
    const wxString& getDisplayText() const override
    {
        static const wxString text("Test line");
        return text;
    }
    const std::vector<QxDataInfo>& getParamInfos() const override
    {
        static const std::vector<QxDataInfo> roles{QxDataInfo(QxAtom("DATA"), "Data", QxSeriesId::eSeriesIndicator)};
        return roles;
    }
};

IndPtr make(const char* name)
{
    const TA_FuncHandle* handle = nullptr;
    EXPECT_EQ(QxTaFunctionSet::getFuncHandle(name, &handle), TA_SUCCESS) << name;
    return IndPtr(new TaLibIndicator(handle));
}

QxIndicConfigDlg* openDialog()
{
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* dlg = dynamic_cast<QxIndicConfigDlg*>(w))
            if (dlg->IsModal())
                return dlg;
    return nullptr;
}

void press(QxIndicConfigDlg* dlg, int id)
{
    wxWindow* button = dlg->FindWindow(id);
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

// Runs configure while act works on the dialog once it is shown; returns
// configure's result and tells whether a dialog was seen at all.
bool configureWith(QxIndicator* ind, unsigned flags, std::function<void(QxIndicConfigDlg*)> act, bool* seen = nullptr)
{
    bool shown = false;
    wxTheApp->CallAfter([&] {
        QxIndicConfigDlg* dlg = openDialog();
        if (!dlg)
            return;
        shown = true;
        act(dlg);
        // Whatever act did, the dialog must not stay open.
        if (dlg->IsModal())
            dlg->EndModal(wxID_CANCEL);
    });
    const bool result = ind->configure(flags);
    wxTheApp->ProcessPendingEvents();
    if (seen)
        *seen = shown;
    return result;
}

void saveShot(wxWindow* win, const char* file)
{
    win->Update();
    const wxSize size = win->GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC mem(bitmap);
    wxClientDC client(win);
    mem.Blit(0, 0, size.x, size.y, &client, 0, 0);
    mem.SelectObject(wxNullBitmap);
    bitmap.SaveFile(TestSupport::artifactPath(file), wxBITMAP_TYPE_PNG);
}

} // namespace

TEST(IndicConfigDlg, ParametersAreWrittenOnOkOnly)
{
    IndPtr sma = make("SMA");
    bool seen = false;
    EXPECT_TRUE(configureWith(sma.get(), QxIndicConfigDlg::ePageParams, [](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->GetTitle(), "Indicator Configuration");
        ASSERT_NE(dlg->paramPanel(), nullptr);
        EXPECT_EQ(dlg->inputPanel(), nullptr);
        EXPECT_EQ(dlg->graphicsPanel(), nullptr);
        auto* spin = dynamic_cast<wxSpinCtrl*>(dlg->paramPanel()->control(0));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->GetValue(), 30);
        spin->SetValue(12);
        saveShot(dlg, "indic_config_sma_params.png");
        press(dlg, wxID_OK);
    }, &seen));
    EXPECT_TRUE(seen);
    EXPECT_EQ(sma->paramInfos()[0].value, QxValue(int32_t(12)));

    EXPECT_FALSE(configureWith(sma.get(), QxIndicConfigDlg::ePageParams, [](QxIndicConfigDlg* dlg) {
        auto* spin = dynamic_cast<wxSpinCtrl*>(dlg->paramPanel()->control(0));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->GetValue(), 12);
        spin->SetValue(7);
        press(dlg, wxID_CANCEL);
    }));
    EXPECT_EQ(sma->paramInfos()[0].value, QxValue(int32_t(12)));
}

TEST(IndicConfigDlg, EveryParameterTypeHasItsControl)
{
    IndPtr bb = make("BBANDS");
    EXPECT_TRUE(configureWith(bb.get(), QxIndicConfigDlg::ePageParams, [](QxIndicConfigDlg* dlg) {
        QxIndicOptParamConfiguratorPanal* panel = dlg->paramPanel();
        ASSERT_NE(panel, nullptr);
        auto* period = dynamic_cast<wxSpinCtrl*>(panel->control(0));
        auto* up = dynamic_cast<wxTextCtrl*>(panel->control(1));
        auto* down = dynamic_cast<wxTextCtrl*>(panel->control(2));
        auto* maType = dynamic_cast<wxChoice*>(panel->control(3));
        ASSERT_TRUE(period && up && down && maType);
        EXPECT_EQ(panel->control(4), nullptr);
        EXPECT_EQ(period->GetValue(), 20);
        EXPECT_EQ(maType->GetSelection(), 0);
        EXPECT_GT(maType->GetCount(), 1u);
        saveShot(dlg, "indic_config_bbands_params.png");

        // A text that is no number keeps the dialog open and writes nothing.
        up->ChangeValue("two");
        press(dlg, wxID_OK);
        EXPECT_TRUE(dlg->IsModal());

        up->ChangeValue("2.5");
        down->ChangeValue(" 1.5 ");
        maType->SetSelection(1);
        press(dlg, wxID_OK);
        EXPECT_FALSE(dlg->IsModal());
    }));
    const std::vector<QxParamInfo>& p = bb->paramInfos();
    EXPECT_EQ(p[0].value, QxValue(int32_t(20)));
    EXPECT_EQ(p[1].value, QxValue(2.5));
    EXPECT_EQ(p[2].value, QxValue(1.5));
    EXPECT_EQ(p[3].value, QxValue(int32_t(1)));
}

TEST(IndicConfigDlg, InputSeriesPageForOneAssignableInput)
{
    IndPtr sma = make("SMA");
    EXPECT_TRUE(configureWith(sma.get(), QxIndicConfigDlg::ePageInput, [](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->paramPanel(), nullptr);
        ASSERT_NE(dlg->inputPanel(), nullptr);
        wxChoice* choice = dlg->inputPanel()->choice();
        EXPECT_EQ(choice->GetStringSelection(), "Close");
        choice->SetStringSelection("High");
        press(dlg, wxID_OK);
    }));
    EXPECT_EQ(sma->getInputSeries(0).kind(), QxSeriesId::eSeriesHigh);

    // MAVP has two such inputs, and nothing else asked for: accepted
    // without a dialog.
    IndPtr mavp = make("MAVP");
    bool seen = true;
    EXPECT_TRUE(configureWith(mavp.get(), QxIndicConfigDlg::ePageInput, [](QxIndicConfigDlg*) {}, &seen));
    EXPECT_FALSE(seen);
    // So is an indicator with nothing to configure.
    IndPtr nothing(new TaLibIndicator(nullptr));
    EXPECT_TRUE(configureWith(nothing.get(), 7, [](QxIndicConfigDlg*) {}, &seen));
    EXPECT_FALSE(seen);
}

TEST(IndicConfigDlg, GraphicsPageEditsACopyOfTheDrawables)
{
    IndPtr sma = make("SMA");
    QxObjectSmartPtr<QxDrawable> first(new LineDrawable), second(new LineDrawable);
    first->setSeries(QxAtom("DATA"), QxSeriesId(sma.get(), 0));
    sma->setDrawables({first, second});

    EXPECT_FALSE(configureWith(sma.get(), QxIndicConfigDlg::ePageGraphics, [](QxIndicConfigDlg* dlg) {
        ASSERT_NE(dlg->graphicsPanel(), nullptr);
        EXPECT_TRUE(dlg->graphicsPanel()->removeDrawable(0));
        press(dlg, wxID_CANCEL);
    }));
    EXPECT_EQ(sma->drawables(false).size(), 2u);

    EXPECT_TRUE(configureWith(sma.get(), QxIndicConfigDlg::ePageGraphics, [](QxIndicConfigDlg* dlg) {
        EXPECT_EQ(dlg->graphicsPanel()->listBox()->GetCount(), 2u);
        EXPECT_TRUE(dlg->graphicsPanel()->removeDrawable(0));
        EXPECT_FALSE(dlg->graphicsPanel()->removeDrawable(5));
        press(dlg, wxID_OK);
    }));
    ASSERT_EQ(sma->drawables(false).size(), 1u);
    EXPECT_EQ(sma->drawables(false)[0].get(), second.get());
    sma->setDrawables(QxDrawableList());
}
