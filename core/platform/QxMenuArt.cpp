#include "core/platform/QxMenuArt.h"

#include "core/ArtProvider.h"

#include <wx/artprov.h>

bool qxCheckItemsShowBitmaps()
{
#ifdef __WXGTK__
    return false;
#else
    return true;
#endif
}

void qxSetMenuItemArt(wxMenuItem* item, const wxString& artId)
{
    if (!item || artId.empty())
        return;
    if (item->IsCheckable()) {
        if (!qxCheckItemsShowBitmaps())
            return;
#ifdef __WXMSW__
        item->SetBitmaps(wxArtProvider::GetBitmap(artId, QX_ART_CHECKED_MENU),
                         wxArtProvider::GetBitmap(artId, QX_ART_UNCHECKED_MENU));
#else
        item->SetBitmap(wxArtProvider::GetBitmap(artId, QX_ART_CHECKED_MENU));
#endif
        return;
    }
    item->SetBitmap(wxArtProvider::GetBitmap(artId, wxART_MENU));
}
