#pragma once
// The program's art provider: serves every "QxART_..." id from the PNG and
// ICO files of the "artworks" folder beside the executable.  The id without
// its first six characters, in lower case, is the file's base name, so ids
// differing only in case or in their prefix's case name the same art.
#include <wx/artprov.h>
#include <wx/colour.h>

class ArtProvider : public wxArtProvider {
public:
    // artDir: the folder of the art files; empty means "artworks" beside
    // the executable.
    explicit ArtProvider(const wxString& artDir = wxString());
    ~ArtProvider() override;

    const wxString& artDir() const { return m_artDir; }

    // The file a bitmap of id at size comes from, empty when there is none:
    // the file of the requested width, then those of widths 64, 32 and 16,
    // then the one without a size.
    wxString bitmapFile(const wxString& id, const wxSize& size) const;
    // The bitmap of that file, unscaled; wxNullBitmap when there is none.
    wxBitmap loadBitmap(const wxString& id, const wxSize& size) const;
    // The ".ico" file of id, empty when there is none.
    wxString iconBundleFile(const wxString& id) const;

protected:
    wxBitmap CreateBitmap(const wxArtID& id, const wxArtClient& client, const wxSize& size) override;
    wxIconBundle CreateIconBundle(const wxArtID& id, const wxArtClient& client) override;

private:
    wxString m_artDir;
};

// The client ids menus use for the bitmaps of check items.
#define QX_ART_CHECKED_MENU "wxART_CHECKED_MENU_C"
#define QX_ART_UNCHECKED_MENU "wxART_UNCHECKED_MENU_C"
