// Pixels per millimetre of device contexts that report no physical size.
#include "chart/QxDcMetrics.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <cmath>

TEST(QxDcMetrics, NeverDividesByZero)
{
    wxMemoryDC unselected; // no bitmap: 0 pixels and 0 millimetres
    wxBitmap bitmap(200, 100);
    wxMemoryDC selected(bitmap);
    for (wxDC* dc : {static_cast<wxDC*>(&unselected), static_cast<wxDC*>(&selected)}) {
        for (double v : {dcPixelsPerMmX(*dc), dcPixelsPerMmY(*dc)}) {
            EXPECT_TRUE(std::isfinite(v));
            EXPECT_GT(v, 0.5);
            EXPECT_LT(v, 100.0);
        }
        const wxSize mm = dc->GetSizeMM(), px = dc->GetSize(), ppi = dc->GetPPI();
        if (mm.x > 0 && px.x > 0) {
            EXPECT_DOUBLE_EQ(dcPixelsPerMmX(*dc), double(px.x) / mm.x);
        } else {
            EXPECT_DOUBLE_EQ(dcPixelsPerMmX(*dc), (ppi.x > 0 ? ppi.x : 96) / 25.4);
        }
    }
}
