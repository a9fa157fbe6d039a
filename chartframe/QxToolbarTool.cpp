#include "chartframe/QxToolbarTool.h"

#include <wx/artprov.h>
#include <wx/intl.h>

wxSize qxToolBitmapSize(const wxSize& requested)
{
    return requested == wxDefaultSize ? wxSize(16, 16) : requested;
}

wxAuiToolBarItem* qxAddTool(wxAuiToolBar* toolbar, const wxSize& bitmapSize, int id, const char* label,
                            const char* artId, const char* tooltip, wxItemKind kind, bool translateLabel)
{
    const wxBitmap bitmap = wxArtProvider::GetBitmap(artId, wxART_OTHER, bitmapSize);
    // An empty text is never looked up: the catalogue's entry for "" is its header.
    const wxString text = translateLabel && *label ? wxGetTranslation(label) : wxString::FromUTF8(label);
    const wxString help = *tooltip ? wxGetTranslation(tooltip) : wxString();
    return toolbar->AddTool(id, text, bitmap, help, kind);
}
