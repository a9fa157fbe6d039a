#include "core/ArtProvider.h"

#include "core/QxUtils.h"

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/settings.h>
#include <wx/stdpaths.h>

namespace {

const size_t kPrefixLength = 6; // "QxART_"

wxString baseName(const wxString& id) { return id.Mid(kPrefixLength).Lower(); }

// A check item's bitmap sits on the highlight colour, lightened so the
// bitmap stays readable; the colour does not change during a run.
const wxColour& checkedBackground()
{
    static const wxColour colour =
        lightenColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 0.75);
    return colour;
}

template <class Handler>
void addHandlerOnce(wxBitmapType type)
{
    if (!wxImage::FindHandler(type))
        wxImage::AddHandler(new Handler);
}

} // namespace

ArtProvider::ArtProvider(const wxString& artDir) : m_artDir(artDir)
{
    if (m_artDir.empty()) {
        wxFileName dir(wxStandardPaths::Get().GetExecutablePath());
        dir.AppendDir("artworks");
        m_artDir = dir.GetPath();
    }
    addHandlerOnce<wxPNGHandler>(wxBITMAP_TYPE_PNG);
    addHandlerOnce<wxICOHandler>(wxBITMAP_TYPE_ICO);
    addHandlerOnce<wxCURHandler>(wxBITMAP_TYPE_CUR);
}

ArtProvider::~ArtProvider() = default;

wxString ArtProvider::bitmapFile(const wxString& id, const wxSize& size) const
{
    if (id.length() < kPrefixLength)
        return wxString();
    const wxString base = baseName(id);
    auto existing = [this](const wxString& name) {
        const wxFileName file(m_artDir, name);
        return file.FileExists() ? file.GetFullPath() : wxString();
    };
    if (size.x >= 1 && size.y >= 1) {
        for (int width : {size.x, 64, 32, 16}) {
            const wxString path = existing(wxString::Format("%s-%dX%d.png", base, width, width));
            if (!path.empty())
                return path;
        }
    }
    return existing(base + ".png");
}

wxBitmap ArtProvider::loadBitmap(const wxString& id, const wxSize& size) const
{
    const wxString path = bitmapFile(id, size);
    if (path.empty())
        return wxNullBitmap;
    wxImage image;
    if (!image.LoadFile(path, wxBITMAP_TYPE_PNG))
        return wxNullBitmap;
    return wxBitmap(image);
}

wxString ArtProvider::iconBundleFile(const wxString& id) const
{
    if (id.length() < kPrefixLength)
        return wxString();
    const wxFileName file(m_artDir, baseName(id) + ".ico");
    return file.FileExists() ? file.GetFullPath() : wxString();
}

wxBitmap ArtProvider::CreateBitmap(const wxArtID& id, const wxArtClient& client, const wxSize& size)
{
    // Check items of menus ask with their own clients: unchecked ones get
    // the plain menu bitmap, checked ones that bitmap on a highlight.
    if (client.CmpNoCase(QX_ART_UNCHECKED_MENU) == 0)
        return wxArtProvider::GetBitmap(id, wxART_MENU, size);
    if (client.CmpNoCase(QX_ART_CHECKED_MENU) == 0) {
        const wxBitmap plain = wxArtProvider::GetBitmap(id, wxART_MENU, size);
        if (!plain.IsOk())
            return wxNullBitmap;
        wxBitmap checked(plain.GetSize(), 32);
        wxMemoryDC dc(checked);
        dc.SetPen(wxPen(checkedBackground()));
        dc.SetBrush(wxBrush(checkedBackground()));
        dc.DrawRectangle(wxPoint(0, 0), plain.GetSize());
        dc.DrawBitmap(plain, 0, 0, true);
        dc.SelectObject(wxNullBitmap);
        return checked;
    }
    return loadBitmap(id, size == wxDefaultSize ? wxSize(16, 16) : size);
}

wxIconBundle ArtProvider::CreateIconBundle(const wxArtID& id, const wxArtClient&)
{
    const wxString path = iconBundleFile(id);
    if (path.empty())
        return wxNullIconBundle;
    return wxIconBundle(path, wxBITMAP_TYPE_ICO);
}
