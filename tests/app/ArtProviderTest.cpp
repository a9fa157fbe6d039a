// The art provider: every art id the program asks for is served from the
// files beside the executable at the sizes the windows use, the file rules
// (size fallbacks, case, short ids), icon bundles, the check-item clients
// of menus and the colour lightening they use.
#include "core/ArtProvider.h"
#include "core/QxUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/settings.h>

#include <string>
#include <vector>

namespace {

// Every art id of the program.
const char* const kArtIds[] = {
    "QxART_add", "QxART_alert", "QxART_alert_of_alerts", "QxART_alert_set", "QxART_alert_unseen",
    "QxART_alert_unset", "QxART_andrew's_pitch_fork", "QxART_andrew's_pitch_fork_annot",
    "QxART_arrow_annot", "QxART_both_ways_arrow_annot", "QxART_bulb", "QxART_candle_stick",
    "QxART_chart_frame", "QxART_connected_lines_annot", "QxART_copy_chart", "QxART_daily",
    "QxART_database", "QxART_delete", "QxART_double_top", "QxART_export_chart",
    "QxART_fib_retracements", "QxART_google", "QxART_head_and_shoulders", "QxART_help",
    "QxART_horizontal_line_annot", "QxART_indic_help", "QxART_indicator", "QxART_line_annot",
    "QxART_log_scale", "QxART_corvane_logo_main", "QxART_manage_systems", "QxART_monthly",
    "QxART_new_chart", "QxART_new_pnf_chart", "QxART_open", "QxART_oval_annot",
    "QxART_parallel_lines_annot", "QxART_pnf_frame", "QxART_portfolio", "QxART_portfolio_add", "QxART_portfolio_remove",
    "QxART_portfolio_rename", "QxART_preference", "QxART_price_bar", "QxART_price_candle",
    "QxART_price_line", "QxART_quarterly", "QxART_ray_annot", "QxART_rectangle_annot",
    "QxART_regression_channel", "QxART_save", "QxART_save_template", "QxART_signal_marker",
    "QxART_snap_to_price", "QxART_stock_find_long_result", "QxART_stock_find_mixed_result",
    "QxART_stock_find_short_result", "QxART_stock_idea", "QxART_trendoria", "QxART_system_tester",
    "QxART_template", "QxART_text_annot", "QxART_transaction_add", "QxART_transaction_remove",
    "QxART_trend_line_annot", "QxART_triangle_annot", "QxART_vertical_line_annot",
    "QxART_volume_bars", "QxART_watchlist_add", "QxART_watchlist_remove", "QxART_watchlist_rename",
    "QxART_weekly", "QxART_yahoo", "QxART_yearly", "QxART_zigzag", "QxART_zoom_in_width",
    "QxART_zoom_out_width"};

wxString shippedArtDir() { return wxString::FromUTF8(TestSupport::binDir() + "/artworks"); }

// Pushes a provider for the test's lifetime.
class ProviderScope {
public:
    explicit ProviderScope(const wxString& dir) : provider(new ArtProvider(dir))
    {
        wxArtProvider::Push(provider);
    }
    ~ProviderScope() { wxArtProvider::Delete(provider); }
    ArtProvider* provider;
};

void writePng(const wxString& path, int w, int h, const wxColour& colour)
{
    wxImage image(w, h);
    image.SetRGB(wxRect(0, 0, w, h), colour.Red(), colour.Green(), colour.Blue());
    ASSERT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG));
}

} // namespace

TEST(ArtProvider, DefaultFolderIsArtworksBesideTheExecutable)
{
    ArtProvider provider;
    EXPECT_EQ(wxFileName(provider.artDir()).GetFullName(), "artworks");
}

TEST(ArtProvider, EveryArtIdOfTheProgramHasBitmapsOfTheSizesWindowsUse)
{
    ASSERT_EQ(std::size(kArtIds), 77u);
    ProviderScope scope(shippedArtDir());
    for (const char* id : kArtIds) {
        SCOPED_TRACE(id);
        for (int size : {16, 24, 32, 48, 64}) {
            // The file of the requested width exists, so nothing is scaled.
            const wxString file = scope.provider->bitmapFile(id, wxSize(size, size));
            EXPECT_TRUE(file.EndsWith(wxString::Format("-%dX%d.png", size, size))) << file;
            const wxBitmap bitmap = scope.provider->loadBitmap(id, wxSize(size, size));
            ASSERT_TRUE(bitmap.IsOk()) << size;
            EXPECT_EQ(bitmap.GetSize(), wxSize(size, size));
            EXPECT_TRUE(bitmap.HasAlpha());
        }
        // Through the framework, as windows ask for them.
        EXPECT_TRUE(wxArtProvider::GetBitmap(id, wxART_OTHER, wxSize(24, 24)).IsOk());
        EXPECT_TRUE(wxArtProvider::GetBitmap(id, wxART_MENU).IsOk());
    }
}

TEST(ArtProvider, DrawingsAreNotBlankAndDifferFromEachOther)
{
    ArtProvider provider(shippedArtDir());
    std::vector<std::string> seen;
    for (const char* id : kArtIds) {
        wxImage image(provider.bitmapFile(id, wxSize(32, 32)), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(image.IsOk()) << id;
        int opaque = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                opaque += image.GetAlpha(x, y) > 128;
        EXPECT_GT(opaque, 20) << id;
        const std::string pixels(reinterpret_cast<const char*>(image.GetData()), 32 * 32 * 3);
        const std::string alpha(reinterpret_cast<const char*>(image.GetAlpha()), 32 * 32);
        seen.push_back(pixels + alpha);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end()) << "two art ids share a drawing";
}

TEST(ArtProvider, IdsDifferingInCaseOrPrefixCaseNameTheSameArt)
{
    ArtProvider provider(shippedArtDir());
    const wxSize size(24, 24);
    EXPECT_EQ(provider.bitmapFile("QXART_new_chart", size), provider.bitmapFile("QxART_new_chart", size));
    EXPECT_EQ(provider.bitmapFile("QxArt_bulb", size), provider.bitmapFile("QxART_bulb", size));
    EXPECT_EQ(provider.bitmapFile("QxART_Chart_Frame", size), provider.bitmapFile("QxART_chart_frame", size));
    EXPECT_FALSE(provider.bitmapFile("QxART_bulb", size).empty());
}

TEST(ArtProvider, FileChoiceFallsBackThroughTheStandardWidths)
{
    const wxString dir = wxString::FromUTF8(TestSupport::makeTempDir("art"));
    writePng(dir + "/chart_frame-16X16.png", 16, 16, *wxRED);
    writePng(dir + "/chart_frame.png", 40, 30, *wxGREEN);
    writePng(dir + "/wide-20X20.png", 20, 20, *wxBLUE);
    writePng(dir + "/wide-32X32.png", 32, 32, *wxBLUE);
    writePng(dir + "/plain.png", 40, 30, *wxGREEN);
    ArtProvider provider(dir);

    struct Case {
        const char* id;
        wxSize size;
        const char* file; // empty: none
        wxSize loaded;
    } cases[] = {
        // 64 and 32 are tried before 16; the bitmap is not scaled.
        {"QxART_Chart_Frame", wxSize(24, 24), "chart_frame-16X16.png", wxSize(16, 16)},
        // The requested width decides, whatever the height.
        {"QxART_wide", wxSize(20, 10), "wide-20X20.png", wxSize(20, 20)},
        {"QxART_wide", wxSize(48, 48), "wide-32X32.png", wxSize(32, 32)},
        // Only the file without a size.
        {"QxART_plain", wxSize(16, 16), "plain.png", wxSize(40, 30)},
        // No usable size: only the file without a size is looked for.
        {"QxART_chart_frame", wxSize(0, 0), "chart_frame.png", wxSize(40, 30)},
        {"QxART_missing", wxSize(16, 16), "", wxSize()},
        // Shorter than the prefix.
        {"QxART", wxSize(16, 16), "", wxSize()},
        {"", wxSize(16, 16), "", wxSize()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(wxString::Format("%s %dx%d", c.id, c.size.x, c.size.y).utf8_string());
        const wxString file = provider.bitmapFile(c.id, c.size);
        const wxBitmap bitmap = provider.loadBitmap(c.id, c.size);
        if (!*c.file) {
            EXPECT_TRUE(file.empty()) << file;
            EXPECT_FALSE(bitmap.IsOk());
            continue;
        }
        EXPECT_EQ(wxFileName(file).GetFullName(), c.file);
        ASSERT_TRUE(bitmap.IsOk());
        EXPECT_EQ(bitmap.GetSize(), c.loaded);
    }

    // The default size is 16 x 16.
    ProviderScope scope(dir);
    const wxBitmap byDefault = wxArtProvider::GetBitmap("QxART_chart_frame", wxART_OTHER);
    ASSERT_TRUE(byDefault.IsOk());
    EXPECT_EQ(byDefault.GetSize(), wxSize(16, 16));
    EXPECT_EQ(byDefault.ConvertToImage().GetRed(5, 5), 255);
}

TEST(ArtProvider, IconBundlesCarryTheIconSizes)
{
    ProviderScope scope(shippedArtDir());
    const wxIconBundle bundle = wxArtProvider::GetIconBundle("QxART_trendoria", wxART_OTHER);
    ASSERT_TRUE(bundle.IsOk());
    EXPECT_GE(bundle.GetIconCount(), 6u);
    const wxIcon large = bundle.GetIconOfExactSize(wxSize(128, 128));
    ASSERT_TRUE(large.IsOk());
    // The icon keeps its transparency: the rounded corner is clear.
    wxBitmap bitmap;
    bitmap.CopyFromIcon(large);
    const wxImage image = bitmap.ConvertToImage();
    ASSERT_TRUE(image.HasAlpha());
    EXPECT_LT(image.GetAlpha(0, 0), 10);
    EXPECT_GT(image.GetAlpha(64, 64), 245);

    EXPECT_TRUE(wxArtProvider::GetIconBundle("QxART_chart_frame", wxART_OTHER).IsOk());
    EXPECT_TRUE(wxArtProvider::GetIconBundle("QxART_stock_idea", wxART_OTHER).IsOk());
    EXPECT_EQ(wxArtProvider::GetIcon("QxART_trendoria", wxART_OTHER, wxSize(128, 128)).GetWidth(), 128);
    EXPECT_FALSE(scope.provider->iconBundleFile("QxART_add").size());
}

TEST(ArtProvider, CheckItemsOfMenusGetTheMenuBitmapOnAHighlight)
{
    ProviderScope scope(shippedArtDir());
    const wxBitmap menu = wxArtProvider::GetBitmap("QxART_add", wxART_MENU, wxSize(16, 16));
    const wxBitmap unchecked = wxArtProvider::GetBitmap("QxART_add", QX_ART_UNCHECKED_MENU, wxSize(16, 16));
    const wxBitmap checked = wxArtProvider::GetBitmap("QxART_add", QX_ART_CHECKED_MENU, wxSize(16, 16));
    ASSERT_TRUE(menu.IsOk());
    ASSERT_TRUE(unchecked.IsOk());
    ASSERT_TRUE(checked.IsOk());
    EXPECT_EQ(checked.GetSize(), menu.GetSize());

    const wxImage plain = menu.ConvertToImage(), off = unchecked.ConvertToImage(),
                  on = checked.ConvertToImage();
    const wxColour background =
        lightenColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 0.75);
    // A corner is clear in the plain bitmap and highlighted in the checked one.
    ASSERT_LT(plain.GetAlpha(0, 0), 10);
    EXPECT_EQ(on.GetRed(0, 0), background.Red());
    EXPECT_EQ(on.GetGreen(0, 0), background.Green());
    EXPECT_EQ(on.GetBlue(0, 0), background.Blue());
    // The drawing itself is on top: the plus's centre keeps its colour.
    EXPECT_NEAR(on.GetGreen(8, 8), plain.GetGreen(8, 8), 2);
    EXPECT_EQ(off.GetGreen(8, 8), plain.GetGreen(8, 8));
    // Unknown art stays unknown for check items too.
    EXPECT_FALSE(wxArtProvider::GetBitmap("QxART_nothing", QX_ART_CHECKED_MENU, wxSize(16, 16)).IsOk());
}

TEST(ArtProvider, LightenColourMovesEachChannelTowardsWhite)
{
    struct Case {
        wxColour in;
        double factor;
        wxColour out;
    } cases[] = {
        {wxColour(100, 0, 255), 0.5, wxColour(178, 128, 255)},
        {wxColour(100, 0, 255), 0.0, wxColour(100, 0, 255)},
        {wxColour(100, 0, 255), 1.0, wxColour(255, 255, 255)},
        {wxColour(0, 10, 200), 0.75, wxColour(191, 194, 241)},
        {wxColour(1, 2, 3, 0), 0.0, wxColour(1, 2, 3, 255)},
    };
    for (const Case& c : cases) {
        const wxColour got = lightenColour(c.in, c.factor);
        EXPECT_EQ(got.GetRGBA(), c.out.GetRGBA())
            << got.GetAsString(wxC2S_CSS_SYNTAX) << " factor " << c.factor;
    }
}
