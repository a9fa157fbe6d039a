// Export Chart: the bar range a pair of dates selects, the image type of a
// file name, and the dialog drawing, refusing and writing pictures of a
// chart, with its size kept in the configuration store.
#include "support/ChartFixtures.h"
#include "chart/QxChart.h"
#include "chart/QxChartist.h"
#include "chartframe/QxChartExportDlg.h"
#include "chartframe/QxChartFrame.h"
#include "chartframe/WndBitmapView.h"
#include "chartview/QxChartView.h"
#include "core/QxCalculator.h"
#include "core/platform/QxFileDialogExt.h"
#include "core/platform/wxConfigEx.h"
#include "support/TestSupport.h"

#include "ChartFrameTestSupport.h"

#include <gtest/gtest.h>

#include <wx/ffile.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>

using cframetest::pump;

namespace {

// Answers file dialogs with the next path and message boxes with OK.
class ExportAnswers : public wxModalDialogHook {
public:
    ExportAnswers()
    {
        Register();
        qxSetFileChooserResponder([this](wxFileDialog& dialog) {
            proposed = dialog.GetFilename();
            return path;
        });
    }
    ~ExportAnswers() override
    {
        qxSetFileChooserResponder(nullptr);
        Unregister();
    }
    wxString path;
    wxString proposed;
    std::vector<wxString> messages;
    std::vector<wxString> dialogs; // other dialogs, answered with Cancel

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
            messages.push_back(box->GetMessage());
            return wxID_OK;
        }
        dialogs.push_back(dialog->GetTitle());
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

std::string magicOf(const wxString& path, size_t n)
{
    char bytes[32] = {};
    wxFFile file(path, "rb");
    return file.IsOpened() ? std::string(bytes, file.Read(bytes, n)) : std::string();
}

wxDateTime day(int d, wxDateTime::Month m, int y) { return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(d), m, y); }

// Each test starts without a stored dialog size.
class ExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = wxString::FromUTF8(TestSupport::makeTempDir("export"));
        wxConfigEx::get().DeleteGroup("dlg/export");
        m_security = new charttest::MemSecurity(9, charttest::makeWalk(900), "Walker Mills", "BRK/A");
        m_chartist = new QxChartist(m_security.get(), Qx::eDaily, nullptr);
    }
    wxString m_dir;
    QxObjectSmartPtr<QxSecurity> m_security;
    QxObjectSmartPtr<QxChartist> m_chartist;
};

} // namespace

TEST(ExportRange, FirstAndLastBarOfTwoDates)
{
    // Weekdays from Monday 2001-01-01: bar 4 is Friday the 5th, bar 5
    // Monday the 8th.
    QxObjectSmartPtr<QxPriceHistory> prices(charttest::makeWalk(20));
    const unsigned lastBar = 19; // Friday 2001-01-26
    struct Case {
        int64_t start, end;
        bool ok;
        unsigned first, last;
    } cases[] = {
        {makeTimestamp(1, 1, 2001), makeTimestamp(5, 1, 2001), true, 0, 4},
        // A Saturday: the next bar after it.
        {makeTimestamp(6, 1, 2001), makeTimestamp(13, 1, 2001), true, 5, 10},
        // Before the first bar.
        {makeTimestamp(1, 12, 2000), makeTimestamp(2, 1, 2001), true, 0, 1},
        // An end after the last bar is held to it.
        {makeTimestamp(22, 1, 2001), makeTimestamp(1, 6, 2001), true, 15, lastBar},
        // One bar, or none at all.
        {makeTimestamp(3, 1, 2001), makeTimestamp(3, 1, 2001), false, 2, 2},
        {makeTimestamp(26, 1, 2001), makeTimestamp(1, 3, 2001), false, lastBar, lastBar},
        {makeTimestamp(1, 2, 2001), makeTimestamp(1, 3, 2001), false, 20, lastBar},
    };
    for (const Case& c : cases) {
        unsigned first = 99, last = 99;
        EXPECT_EQ(exportBarRange(*prices, c.start, c.end, first, last), c.ok) << c.start;
        EXPECT_EQ(first, c.first) << c.start;
        EXPECT_EQ(last, c.last) << c.start;
    }
}

TEST(ExportRange, ImageTypeOfAnExtension)
{
    struct Case {
        const char* ext;
        wxBitmapType type;
    } cases[] = {
        {"bmp", wxBITMAP_TYPE_BMP},   {"PNG", wxBITMAP_TYPE_PNG},   {"png", wxBITMAP_TYPE_PNG},
        {"tif", wxBITMAP_TYPE_TIFF},  {"TIFF", wxBITMAP_TYPE_TIFF}, {"pcx", wxBITMAP_TYPE_PCX},
        {"PCX", wxBITMAP_TYPE_PCX},   {"jpg", wxBITMAP_TYPE_JPEG},  {"Jpeg", wxBITMAP_TYPE_JPEG},
        {"gif", wxBITMAP_TYPE_ANY},   {"", wxBITMAP_TYPE_ANY},      {"png ", wxBITMAP_TYPE_ANY},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QxChartExportDlg::imageTypeFromExtension(c.ext), c.type) << c.ext;
        if (c.type != wxBITMAP_TYPE_ANY) {
            EXPECT_NE(wxImage::FindHandler(c.type), nullptr) << c.ext;
        }
    }
    // Asked again, no second handler.
    const size_t handlers = wxImage::GetHandlers().GetCount();
    QxChartExportDlg::imageTypeFromExtension("png");
    QxChartExportDlg::imageTypeFromExtension("jpeg");
    EXPECT_EQ(wxImage::GetHandlers().GetCount(), handlers);
}

TEST_F(ExportTest, PreviewAndEveryFormat)
{
    auto* dlg = new QxChartExportDlg(*m_chartist, nullptr);
    // Nothing to save before a preview exists.
    EXPECT_FALSE(dlg->saveButton()->IsEnabled());
    dlg->Show();
    dlg->InitDialog();
    pump(100);

    // The last bar's date and one year before it.
    QxChart* chart = dlg->chartist()->getChart();
    const QxPriceHistory* prices = chart->getCalc()->prices(Qx::eDaily, false);
    const QxSplitTime lastDay = splitTimestamp(prices->timestamp()[prices->numBars() - 1]);
    const wxDateTime end = dlg->endPicker()->GetValue();
    EXPECT_EQ(end.GetDay(), lastDay.day);
    EXPECT_EQ(end.GetMonth() + 1, lastDay.month);
    EXPECT_EQ(end.GetYear(), lastDay.year);
    EXPECT_EQ(dlg->startPicker()->GetValue().GetYear(), lastDay.year - 1);
    EXPECT_EQ(dlg->startPicker()->GetValue().GetDay(), lastDay.day);

    wxBitmap* shown = dlg->preview()->getBitmap();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(dlg->saveButton()->IsEnabled());
    unsigned first = 0, last = 0;
    ASSERT_TRUE(exportBarRange(*prices, makeTimestamp(lastDay.day, lastDay.month, lastDay.year - 1),
                               makeTimestamp(lastDay.day, lastDay.month, lastDay.year), first, last));
    EXPECT_EQ(last, prices->numBars() - 1);
    EXPECT_EQ(chart->lastVisibleBar(), last);
    EXPECT_EQ(chart->firstVisibleBar(), first);
    EXPECT_EQ(shown->GetWidth(), chart->calcWidth(first, last));
    EXPECT_EQ(shown->GetHeight(), chart->chartHeight());
    // The chart on screen is not the one drawn.
    EXPECT_NE(chart, m_chartist->getChart());
    EXPECT_TRUE(cframetest::saveWindowShot(dlg, "chart_export_dialog.png"));

    ExportAnswers answers;
    struct Format {
        const char* file;
        std::string magic;
    } formats[] = {
        {"a.png", "\x89PNG"}, {"b.PCX", std::string("\x0a", 1)}, {"c.jpg", "\xff\xd8\xff"},
        {"d.bmp", "BM"},      {"e.tif", "II*"},                   {"f.Jpeg", "\xff\xd8\xff"},
    };
    for (const Format& f : formats) {
        answers.path = m_dir + "/" + f.file;
        dlg->saveImage();
        EXPECT_EQ(magicOf(answers.path, f.magic.size()), f.magic) << f.file;
        wxImage back(answers.path);
        ASSERT_TRUE(back.IsOk()) << f.file;
        EXPECT_EQ(back.GetSize(), shown->GetSize()) << f.file;
    }
    EXPECT_EQ(answers.proposed, "BRK_A");
    EXPECT_TRUE(answers.messages.empty()) << (answers.messages.empty() ? wxString() : answers.messages[0]);
    {
        // Colour type 6 in the header: written with an alpha channel. The
        // toolkit's reader keeps an alpha channel only when some pixel is
        // not fully opaque.
        EXPECT_EQ(magicOf(m_dir + "/a.png", 26).substr(25), "\x06");
        EXPECT_FALSE(wxImage(m_dir + "/a.png").HasAlpha());
    }

    // An unknown type and a folder that is not there: told, nothing written.
    answers.path = m_dir + "/g.gif";
    dlg->saveImage();
    answers.path = m_dir + "/none/h.png";
    dlg->saveImage();
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[0], "Failed to recognise image type");
    EXPECT_TRUE(answers.messages[1].StartsWith("Failed to write the image file")) << answers.messages[1];
    EXPECT_FALSE(wxFileExists(m_dir + "/g.gif"));
    answers.messages.clear();

    // Start after end: told, the preview stays.
    dlg->startPicker()->SetValue(day(1, wxDateTime::Mar, 2002));
    dlg->endPicker()->SetValue(day(1, wxDateTime::Feb, 2002));
    dlg->renderPreview();
    EXPECT_EQ(answers.messages, std::vector<wxString>{"Invalid date range."});
    EXPECT_EQ(dlg->preview()->getBitmap(), shown);
    answers.messages.clear();

    // Ranges with fewer than two bars: told why there is nothing to
    // preview, the preview stays.
    {
        const QxSplitTime t = splitTimestamp(prices->timestamp()[prices->numBars() - 1]);
        const wxDateTime lastBarDay(static_cast<wxDateTime::wxDateTime_t>(t.day),
                                    static_cast<wxDateTime::Month>(t.month - 1), int(t.year));
        const struct {
            wxDateTime start, end;
        } ranges[] = {
            {lastBarDay, lastBarDay},                                   // one bar
            {lastBarDay + wxDateSpan::Days(3), lastBarDay + wxDateSpan::Days(30)}, // none: after the last bar
        };
        for (const auto& r : ranges) {
            dlg->startPicker()->SetValue(r.start);
            dlg->endPicker()->SetValue(r.end);
            dlg->renderPreview();
            ASSERT_EQ(answers.messages.size(), 1u) << r.start.FormatISODate();
            EXPECT_EQ(answers.messages[0],
                      "There is nothing to preview: from " + r.start.Format("%x") + " to " + r.end.Format("%x") +
                          " the chart has fewer than two bars.\nChoose a longer date range.");
            EXPECT_EQ(dlg->preview()->getBitmap(), shown);
            answers.messages.clear();
        }
    }

    // An end long after the last bar draws up to the last bar.
    dlg->startPicker()->SetValue(day(1, wxDateTime::Mar, 2002));
    dlg->endPicker()->SetValue(day(1, wxDateTime::Mar, 2009));
    dlg->renderPreview();
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_NE(dlg->preview()->getBitmap(), shown);
    EXPECT_EQ(chart->lastVisibleBar(), prices->numBars() - 1);
    shown = dlg->preview()->getBitmap();

    // Wider than a bitmap can be: told, the preview stays.
    EXPECT_EQ(chart->setZoomWidth(QxChart::eZoomMaximum), eNoError);
    dlg->startPicker()->SetValue(day(1, wxDateTime::Jan, 2001));
    dlg->renderPreview();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(answers.messages[0].StartsWith("The picture would be ")) << answers.messages[0];
    EXPECT_EQ(dlg->preview()->getBitmap(), shown);
    dlg->Destroy();
    pump(50);
}

TEST_F(ExportTest, ReopensAtItsStoredSize)
{
    {
        auto* dlg = new QxChartExportDlg(*m_chartist, nullptr);
        dlg->Show();
        dlg->InitDialog();
        dlg->SetSize(wxSize(700, 450));
        pump(100);
        dlg->Destroy();
        pump(50);
    }
    EXPECT_EQ(wxConfigEx::get().ReadLong("dlg/export/width", 0), 700);
    EXPECT_EQ(wxConfigEx::get().ReadLong("dlg/export/height", 0), 450);
    auto* dlg = new QxChartExportDlg(*m_chartist, nullptr);
    dlg->Show();
    dlg->InitDialog();
    pump(100);
    EXPECT_EQ(dlg->GetSize(), wxSize(700, 450));
    dlg->Destroy();
    pump(50);
}

TEST_F(ExportTest, AChartWithoutPricesSaysThereIsNothingToPreview)
{
    QxObjectSmartPtr<QxSecurity> empty(new charttest::MemSecurity(10, charttest::makeWalk(0), "Empty", "NONE"));
    QxObjectSmartPtr<QxChartist> chartist(new QxChartist(empty.get(), Qx::eDaily, nullptr));
    ExportAnswers answers;
    auto* dlg = new QxChartExportDlg(*chartist, nullptr);
    dlg->Show(); // initialises the dialog
    pump(50);
    EXPECT_EQ(answers.messages, std::vector<wxString>{"There is nothing to preview: the chart has no prices."});
    EXPECT_EQ(dlg->preview()->getBitmap(), nullptr);
    EXPECT_FALSE(dlg->saveButton()->IsEnabled());
    dlg->Destroy();
    pump(50);
}

TEST_F(ExportTest, ExportCommandOfTheFrame)
{
    QxChartView* view = QxChartView::createChartView(m_security.get(), Qx::eDaily, Qx::ePriceCandles, nullptr);
    ASSERT_NE(view, nullptr);
    pump(100);
    {
        ExportAnswers answers;
        wxCommandEvent event(wxEVT_MENU, 1026);
        view->getFrame()->ProcessWindowEvent(event);
        EXPECT_EQ(answers.dialogs, std::vector<wxString>{"Export Chart as Image"});
    }
    view->getFrame()->Destroy();
    pump(100);
}
