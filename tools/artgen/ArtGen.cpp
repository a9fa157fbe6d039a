// Draws the program's art files into a folder (the "artworks" folder beside
// the executable): for every drawing a PNG per size, named
// "<base>-<W>X<W>.png", and for the art that windows use as their icon an
// ICO bundle "<base>.ico"; and the mouse cursors of the chart windows as
// cursor (".cur", with hot spots) and icon files.
//
//   trendoria_artgen <output folder>
#include "ArtCanvas.h"
#include "ArtDrawings.h"
#include "CursorDrawings.h"

#include <wx/filename.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <vector>

namespace {

const int kSizes[] = {16, 24, 32, 48, 64};
// Art shown large: the product icon in the start-up dialog and about box,
// and the maker's logo.
const std::set<std::string> kLargeArt = {"trendoria", "corvane_logo_main"};
// Art used as window icons, shipped as icon bundles as well.
const std::set<std::string> kIconBundles = {"trendoria", "chart_frame", "pnf_frame", "stock_idea", "alert",
                                            "alert_frame_icon", "portfolio",
                                            "simple_system_test_report"};

ArtCanvas draw(const ArtDrawing& drawing, int size)
{
    ArtCanvas canvas(size);
    drawing(canvas);
    return canvas;
}

bool writePng(const ArtCanvas& canvas, const wxString& path)
{
    std::vector<uint8_t> rgb, alpha;
    canvas.toRgbAlpha(rgb, alpha);
    const int n = canvas.size();
    wxImage image(n, n, false);
    std::memcpy(image.GetData(), rgb.data(), rgb.size());
    image.SetAlpha();
    std::memcpy(image.GetAlpha(), alpha.data(), alpha.size());
    return image.SaveFile(path, wxBITMAP_TYPE_PNG);
}

void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<uint8_t>& out, unsigned v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// One icon image: a 32-bit BGRA device-independent bitmap, bottom-up, with
// an all-clear AND mask (the alpha channel carries the shape).
std::vector<uint8_t> dibImage(const ArtCanvas& canvas)
{
    std::vector<uint8_t> rgb, alpha;
    canvas.toRgbAlpha(rgb, alpha);
    const unsigned n = static_cast<unsigned>(canvas.size());
    const unsigned maskRow = ((n + 31) / 32) * 4;
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, n);
    put32(out, n * 2);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, n * n * 4 + maskRow * n);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (unsigned row = 0; row < n; ++row) {
        const unsigned y = n - 1 - row;
        for (unsigned x = 0; x < n; ++x) {
            const size_t i = static_cast<size_t>(y) * n + x;
            out.push_back(rgb[i * 3 + 2]);
            out.push_back(rgb[i * 3 + 1]);
            out.push_back(rgb[i * 3 + 0]);
            out.push_back(alpha[i]);
        }
    }
    out.insert(out.end(), static_cast<size_t>(maskRow) * n, 0);
    return out;
}

// An icon bundle, or a cursor file when hotSpot is given (the same layout
// with type 2 and the hot spot in place of planes and bit count).
bool writeIco(const std::vector<ArtCanvas>& images, const wxString& path, const wxPoint* hotSpot = nullptr)
{
    std::vector<std::vector<uint8_t>> dibs;
    for (const ArtCanvas& c : images)
        dibs.push_back(dibImage(c));
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, hotSpot ? 2 : 1);
    put16(out, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const unsigned n = static_cast<unsigned>(images[i].size());
        out.push_back(static_cast<uint8_t>(n >= 256 ? 0 : n));
        out.push_back(static_cast<uint8_t>(n >= 256 ? 0 : n));
        out.push_back(0);
        out.push_back(0);
        put16(out, hotSpot ? static_cast<unsigned>(hotSpot->x) : 1);
        put16(out, hotSpot ? static_cast<unsigned>(hotSpot->y) : 32);
        put32(out, static_cast<unsigned>(dibs[i].size()));
        put32(out, offset);
        offset += static_cast<unsigned>(dibs[i].size());
    }
    for (const auto& dib : dibs)
        out.insert(out.end(), dib.begin(), dib.end());
    std::ofstream file(path.utf8_string(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    wxInitializer init;
    if (!init.IsOk()) {
        std::fprintf(stderr, "cannot initialise wxWidgets\n");
        return 2;
    }
    wxLog::SetActiveTarget(new wxLogStderr);
    wxImage::AddHandler(new wxPNGHandler);

    const wxString dir = wxString::FromUTF8(argv[1]);
    if (!wxFileName::Mkdir(dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const auto& [base, drawing] : artDrawings()) {
        std::vector<int> sizes(std::begin(kSizes), std::end(kSizes));
        if (kLargeArt.count(base))
            sizes.push_back(128);
        std::vector<ArtCanvas> images;
        for (int size : sizes) {
            images.push_back(draw(drawing, size));
            const wxString path = wxFileName(dir, wxString::Format("%s-%dX%d.png",
                                                                    wxString::FromUTF8(base), size, size))
                                      .GetFullPath();
            if (!writePng(images.back(), path)) {
                std::fprintf(stderr, "cannot write %s\n", (const char*)path.utf8_str());
                ++failures;
            }
        }
        if (kIconBundles.count(base)) {
            const wxString path = wxFileName(dir, wxString::FromUTF8(base) + ".ico").GetFullPath();
            if (!writeIco(images, path)) {
                std::fprintf(stderr, "cannot write %s\n", (const char*)path.utf8_str());
                ++failures;
            }
        }
    }
    for (const CursorDrawing& cursor : cursorDrawings()) {
        ArtCanvas canvas(32);
        cursor.draw(canvas);
        const wxPoint hot(cursor.hotX, cursor.hotY);
        const bool isCursor = cursor.file.size() > 4 && cursor.file.substr(cursor.file.size() - 4) == ".cur";
        const wxString path = wxFileName(dir, wxString::FromUTF8(cursor.file)).GetFullPath();
        if (!writeIco({canvas}, path, isCursor ? &hot : nullptr)) {
            std::fprintf(stderr, "cannot write %s\n", (const char*)path.utf8_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
