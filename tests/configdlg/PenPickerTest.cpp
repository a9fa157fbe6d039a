// The pen picker: which entry a pen selects, the pen an entry gives back, and
// the sample lines it paints.
#include "configdlg/wxPenPicker.h"

#include "support/TestSupport.h"
#include "support/WindowShot.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>

TEST(PenPickerEntries, EntryOfAPenAndBack)
{
    const struct {
        int width, style, entry;
    } cases[] = {
        {1, wxPENSTYLE_SOLID, 0},
        {1, wxPENSTYLE_DOT_DASH, 4},
        {2, wxPENSTYLE_SOLID, 5},
        {2, wxPENSTYLE_SHORT_DASH, 8},
        {5, wxPENSTYLE_DOT_DASH, 24},
        {6, wxPENSTYLE_SOLID, 0},           // wider than any entry
        {0, wxPENSTYLE_SOLID, 0},
        {1, 99, 0},                          // below the five styles
        {2, 99, 0},                          // not width 1 dot-dash
        {1, wxPENSTYLE_TRANSPARENT, 0},      // not width 2 dotted
        {3, wxPENSTYLE_USER_DASH, 0},
        {-1, wxPENSTYLE_LONG_DASH, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(penPickerEntry(c.width, c.style), c.entry) << c.width << "/" << c.style;

    for (int entry = 0; entry < kPenPickerEntries; ++entry) {
        EXPECT_EQ(penPickerEntry(penPickerEntryWidth(entry), penPickerEntryStyle(entry)), entry);
    }
    EXPECT_EQ(penPickerEntryWidth(25), 1);
    EXPECT_EQ(penPickerEntryStyle(-1), wxPENSTYLE_SOLID);
}

namespace {

class Picker : public wxPenPicker {
public:
    using wxPenPicker::OnDrawItem;
    using wxPenPicker::wxPenPicker;
};

struct PickerFrame {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "pen picker");
    Picker* first = new Picker(frame);
    Picker* second = new Picker(frame);
    PickerFrame()
    {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(first, 0, wxALL, 8);
        sizer->Add(second, 0, wxALL, 8);
        frame->SetSizerAndFit(sizer);
    }
    ~PickerFrame() { frame->Destroy(); }
};

} // namespace

TEST(PenPicker, SelectsTheEntryOfAPenAndKeepsItsColour)
{
    PickerFrame f;
    Picker& picker = *f.first;
    EXPECT_EQ(picker.GetCount(), 25u);
    EXPECT_EQ(picker.GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(picker.getPen(), *wxBLACK_PEN) << "nothing selected";
    EXPECT_EQ(picker.getColour(), *wxBLACK);

    const wxColour teal(0, 128, 128);
    picker.setPen(wxPen(teal, 2, wxPENSTYLE_SHORT_DASH));
    EXPECT_EQ(picker.GetSelection(), 8);
    wxPen pen = picker.getPen();
    EXPECT_EQ(pen.GetWidth(), 2);
    EXPECT_EQ(pen.GetStyle(), wxPENSTYLE_SHORT_DASH);
    EXPECT_EQ(pen.GetColour(), teal);
    EXPECT_EQ(pen.GetCap(), wxCAP_BUTT);
    EXPECT_EQ(pen.GetJoin(), wxJOIN_MITER);

    picker.setPen(wxPen(*wxBLUE, 6, wxPENSTYLE_DOT));
    EXPECT_EQ(picker.GetSelection(), 0);
    pen = picker.getPen();
    EXPECT_EQ(pen.GetWidth(), 1);
    EXPECT_EQ(pen.GetStyle(), wxPENSTYLE_SOLID);
    EXPECT_EQ(pen.GetColour(), *wxBLUE);

    // Choosing an entry in the list keeps the colour.
    picker.SetSelection(13);
    pen = picker.getPen();
    EXPECT_EQ(pen.GetWidth(), 3);
    EXPECT_EQ(pen.GetStyle(), wxPENSTYLE_SHORT_DASH);
    EXPECT_EQ(pen.GetColour(), *wxBLUE);

    // Every picker shows the one list.
    EXPECT_EQ(f.second->GetCount(), 25u);
    EXPECT_EQ(&wxPenPicker::sharedEntries(), &wxPenPicker::sharedEntries());
    EXPECT_EQ(wxPenPicker::sharedEntries().size(), 25u);
}

TEST(PenPicker, DrawsEachSampleInItsWidthStyleAndColour)
{
    PickerFrame f;
    const wxColour green(0, 160, 0);
    f.first->setPen(wxPen(green, 1, wxPENSTYLE_SOLID));

    const wxRect item(0, 0, 120, 20);
    // Rows of the picker's colour in a middle column, and how many columns
    // of the middle row carry it.
    auto sample = [&](int entry, int& rows, int& columns) {
        wxBitmap bitmap(item.width, item.height, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            f.first->OnDrawItem(dc, item, entry, 0);
        }
        const wxImage image = bitmap.ConvertToImage();
        // Green or, where the toolkit smooths a dot across two pixels, a
        // paler green.
        auto isGreen = [&](int x, int y) {
            return image.GetGreen(x, y) > image.GetRed(x, y) + 40 && image.GetGreen(x, y) > image.GetBlue(x, y) + 40;
        };
        rows = columns = 0;
        for (int y = 0; y < item.height; ++y)
            rows += isGreen(60, y) || isGreen(61, y) || isGreen(62, y) || isGreen(63, y);
        for (int x = 0; x < item.width; ++x)
            columns += isGreen(x, item.height / 2);
        EXPECT_FALSE(isGreen(2, item.height / 2)) << "5 pixels inside the left edge, entry " << entry;
        EXPECT_FALSE(isGreen(item.width - 2, item.height / 2)) << "and the right, entry " << entry;
    };

    int rows = 0, solidColumns = 0;
    for (int width = 1; width <= 5; ++width) {
        sample((width - 1) * 5, rows, solidColumns);
        EXPECT_EQ(rows, width) << "solid entry of width " << width;
        EXPECT_GE(solidColumns, item.width - 12);
    }
    int dottedColumns = 0;
    sample(1, rows, dottedColumns);
    EXPECT_GT(dottedColumns, 10);
    EXPECT_LT(dottedColumns, solidColumns * 3 / 4) << "a dotted sample has gaps";

    // The control itself, for a person to look at.
    f.first->setPen(wxPen(*wxRED, 3, wxPENSTYLE_LONG_DASH));
    f.second->setPen(wxPen(*wxBLUE, 1, wxPENSTYLE_DOT));
    f.frame->Show();
    EXPECT_TRUE(TestSupport::saveWindowShot(f.frame, "pen_picker.png"));
}
