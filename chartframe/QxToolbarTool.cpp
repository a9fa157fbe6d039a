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
    const wxString text = translateLabel ? wxGetTranslation(label) : wxString::FromUTF8(label);
    return toolbar->AddTool(id, text, bitmap, wxGetTranslation(tooltip), kind);
}
