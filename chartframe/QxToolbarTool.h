#pragma once
// Adding one tool to any of the program's toolbars: the icon comes from the
// art provider (client "wxART_OTHER_C") at the toolbar's bitmap size, the
// tooltip is translated and, unless the toolbar says otherwise, the label.
#include <wx/aui/auibar.h>

// The size of a toolbar's bitmaps: the framework's default size means 16 by 16.
wxSize qxToolBitmapSize(const wxSize& requested);

// The AUI toolbar does not keep a bitmap size of its own, so the caller
// passes the size its toolbar was built with.
wxAuiToolBarItem* qxAddTool(wxAuiToolBar* toolbar, const wxSize& bitmapSize, int id, const char* label,
                            const char* artId, const char* tooltip, wxItemKind kind = wxITEM_NORMAL,
                            bool translateLabel = true);
