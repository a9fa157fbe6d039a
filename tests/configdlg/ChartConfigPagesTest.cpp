// The chart configuration pages without a chart: the alignment choice both
// ways, the axis-location bits, the pen and font transfers, the font
// picker's label, and a whole record carried through the four pages.
#include "chart/QxChartConfiguration.h"
#include "configdlg/ChartConfigTransfer.h"
#include "configdlg/ChartConfigurationPanels.h"
#include "configdlg/wxPenPicker.h"
#include "configdlg/wxeFontPickerCtrl.h"

#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

TEST(ChartConfigAlignment, BothWaysForEveryEntry)
{
    const int values[9] = {0, 256, 512, 2048, 2304, 2560, 1024, 1280, 1536};
    for (int entry = 0; entry < 9; ++entry) {
        EXPECT_EQ(choiceToAlignment(entry), values[entry]) << entry;
        EXPECT_EQ(alignmentToChoice(values[entry]), entry) << entry;
    }
    // Right wins over centre, bottom over centre-vertical.
    EXPECT_EQ(alignmentToChoice(768), 2);
    EXPECT_EQ(choiceToAlignment(alignmentToChoice(768)), 512);
    EXPECT_EQ(alignmentToChoice(1024 | 2048 | 256), 7);
    EXPECT_EQ(alignmentToChoice(2048 | 512 | 256), 5);
    // No selection, or one past the list, is centred.
    EXPECT_EQ(choiceToAlignment(wxNOT_FOUND), 2304);
    EXPECT_EQ(choiceToAlignment(9), 2304);

    ASSERT_EQ(alignmentChoices().size(), 9u);
    EXPECT_EQ(alignmentChoices()[0], "Top-Left");
    EXPECT_EQ(alignmentChoices()[8], "Bottom-Right");
}

TEST(ChartConfigAxisBits, BoxesMakeTheLocation)
{
    const bool none[5] = {false, false, false, false, false};
    EXPECT_EQ(axisLocationFromBoxes(none), 0);
    const bool all[5] = {true, true, true, true, true};
    EXPECT_EQ(axisLocationFromBoxes(all), 31);
    // Left, below chart (4) and below all zones (16).
    const bool some[5] = {true, false, true, false, true};
    EXPECT_EQ(axisLocationFromBoxes(some), 1 | 4 | 16);
}

TEST(FontPickerLabel, FaceAndSizeOrNull)
{
    EXPECT_EQ(fontPickerLabel(wxNullFont), "Null");
    wxFont arial(wxFontInfo(10).FaceName("Arial"));
    ASSERT_TRUE(arial.IsOk());
    EXPECT_EQ(fontPickerLabel(arial), arial.GetFaceName() + ", 10");
    EXPECT_EQ(arial.GetFaceName(), "Arial");
}

namespace {

// The four pages on one frame over one record.
struct Pages {
    QxChartAllConfiguration record = defaultChartConfig();
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "pages");
    PanelChartConfiguration* general = new PanelChartConfiguration(frame, &record);
    PanelPriceConfiguration* price = new PanelPriceConfiguration(frame, &record);
    PanelZoneConfiguration* zones = new PanelZoneConfiguration(frame, &record);
    PanelAxisConfiguration* axis = new PanelAxisConfiguration(frame, &record);
    ~Pages()
    {
        frame->Destroy();
        TestSupport::pumpEvents(20);
    }
    void toWindow()
    {
        for (wxPanel* p : std::initializer_list<wxPanel*>{general, price, zones, axis})
            EXPECT_TRUE(p->TransferDataToWindow());
    }
    void fromWindow()
    {
        for (wxPanel* p : std::initializer_list<wxPanel*>{general, price, zones, axis})
            EXPECT_TRUE(p->TransferDataFromWindow());
    }
};

void expectSamePen(const wxPen& a, const wxPen& b)
{
    EXPECT_EQ(a.GetColour(), b.GetColour());
    EXPECT_EQ(a.GetWidth(), b.GetWidth());
    EXPECT_EQ(a.GetStyle(), b.GetStyle());
}

} // namespace

TEST(ChartConfigPages, ARecordComesBackAsItWent)
{
    Pages pages;
    QxChartAllConfiguration& r = pages.record;
    // Every field away from its default, so a control wired to the wrong
    // field shows.
    r.priceObjConfig = {13, wxColour(1, 2, 3), wxColour(4, 5, 6), wxColour(7, 8, 9), wxColour(10, 11, 12),
                        wxColour(13, 14, 15)};
    r.volumeObjConfig = {wxColour(16, 17, 18), wxColour(19, 20, 21)};
    const wxFont title(wxFontInfo(13).FaceName("Serif").Bold());
    r.mainZoneConfig = {false, wxColour(22, 23, 24), wxColour(25, 26, 27), title, 1536};
    r.volumeZoneConfig = {true, wxColour(28, 29, 30), wxColour(31, 32, 33), wxFont(wxFontInfo(7)), 2048};
    r.indicZoneConfig = {true, wxColour(34, 35, 36), wxColour(37, 38, 39), title, 256};
    r.axisConfig = {wxColour(40, 41, 42), wxColour(43, 44, 45), wxFont(wxFontInfo(11).FaceName("Monospace"))};
    r.chartConfig.bg = wxColour(46, 47, 48);
    r.chartConfig.borderPen = wxPen(wxColour(49, 50, 51), 3, wxPENSTYLE_LONG_DASH);
    r.chartConfig.axisLocation = 2 | 8;
    r.chartConfig.gridPen = wxPen(wxColour(52, 53, 54), 2, wxPENSTYLE_DOT_DASH);
    const QxChartAllConfiguration sent = r;

    pages.toWindow();
    EXPECT_EQ(pages.zones->m_zones[0].font->GetLabel(), fontPickerLabel(title));
    EXPECT_EQ(pages.zones->m_zones[0].font->GetForegroundColour(), wxColour(25, 26, 27));
    EXPECT_EQ(pages.zones->m_zones[0].alignment->GetStringSelection(), "Bottom-Right");
    r = defaultChartConfig();
    pages.fromWindow();

    EXPECT_EQ(r.priceObjConfig, sent.priceObjConfig);
    EXPECT_EQ(r.volumeObjConfig, sent.volumeObjConfig);
    EXPECT_EQ(r.mainZoneConfig, sent.mainZoneConfig);
    EXPECT_EQ(r.volumeZoneConfig, sent.volumeZoneConfig);
    EXPECT_EQ(r.indicZoneConfig, sent.indicZoneConfig);
    EXPECT_EQ(r.axisConfig, sent.axisConfig);
    EXPECT_EQ(r.chartConfig.bg, sent.chartConfig.bg);
    EXPECT_EQ(r.chartConfig.axisLocation, sent.chartConfig.axisLocation);
    expectSamePen(r.chartConfig.borderPen, sent.chartConfig.borderPen);
    expectSamePen(r.chartConfig.gridPen, sent.chartConfig.gridPen);
}

TEST(ChartConfigPages, ControlsDecideWhatComesBack)
{
    Pages pages;
    QxChartAllConfiguration& r = pages.record;
    r.chartConfig.axisLocation = 0x7FFF; // bits beyond the five boxes
    r.mainZoneConfig.titleAlignment = 768;
    pages.toWindow();
    for (wxCheckBox* box : pages.axis->m_locations)
        EXPECT_TRUE(box->GetValue());

    // The grid pen's colour is the colour picker's, not the pen picker's.
    pages.axis->m_gridPen->setPen(wxPen(*wxRED, 4, wxPENSTYLE_SHORT_DASH));
    pages.axis->m_gridColour->SetColour(wxColour(0, 0, 200));
    // A text colour chosen beside a font picker reaches its font picker.
    wxColourPickerEvent chosen(pages.axis->m_labelColour, pages.axis->m_labelColour->GetId(), wxColour(9, 99, 199));
    pages.axis->m_labelColour->SetColour(wxColour(9, 99, 199));
    pages.axis->m_labelColour->GetEventHandler()->ProcessEvent(chosen);
    EXPECT_EQ(pages.axis->m_labelFont->GetForegroundColour(), wxColour(9, 99, 199));
    pages.zones->m_zones[2].alignment->SetSelection(wxNOT_FOUND);
    // The spin control keeps to 1..100.
    pages.price->m_tickWidth->SetValue(100);
    EXPECT_EQ(pages.price->m_tickWidth->GetValue(), 100);
    EXPECT_EQ(pages.price->m_tickWidth->GetMin(), 1);
    EXPECT_EQ(pages.price->m_tickWidth->GetMax(), 100);
    pages.fromWindow();

    EXPECT_EQ(r.chartConfig.axisLocation, 31);
    EXPECT_EQ(r.chartConfig.gridPen.GetColour(), wxColour(0, 0, 200));
    EXPECT_EQ(r.chartConfig.gridPen.GetWidth(), 4);
    EXPECT_EQ(r.chartConfig.gridPen.GetStyle(), wxPENSTYLE_SHORT_DASH);
    EXPECT_EQ(r.axisConfig.labelColor, wxColour(9, 99, 199));
    EXPECT_EQ(r.mainZoneConfig.titleAlignment, 512);
    EXPECT_EQ(r.indicZoneConfig.titleAlignment, 2304);
    EXPECT_EQ(r.priceObjConfig.tickWidth, 100);

    for (wxCheckBox* box : pages.axis->m_locations)
        box->SetValue(false);
    pages.fromWindow();
    EXPECT_EQ(r.chartConfig.axisLocation, 0);
}

TEST(FontPicker, ButtonShowsFontAndColour)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "font picker");
    auto* picker = new wxeFontPickerCtrl(frame);
    EXPECT_EQ(picker->GetLabel(), "Null");
    EXPECT_EQ(picker->getColour(), *wxBLACK);
    EXPECT_EQ(picker->GetForegroundColour(), *wxBLACK);
    picker->setFont(wxFont(wxFontInfo(10).FaceName("Arial")));
    EXPECT_EQ(picker->GetLabel(), "Arial, 10");
    picker->setColour(*wxRED);
    EXPECT_EQ(picker->GetForegroundColour(), *wxRED);
    frame->Destroy();
    TestSupport::pumpEvents(20);
}
