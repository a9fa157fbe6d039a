#include "chartview/QxCursorMgrMixin.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <map>

namespace {

wxString& folderSetting()
{
    static wxString folder;
    return folder;
}

std::map<int, wxCursor>& table()
{
    static std::map<int, wxCursor> cursors;
    return cursors;
}

template <class Handler>
void addHandlerOnce(wxBitmapType type)
{
    if (!wxImage::FindHandler(type))
        wxImage::AddHandler(new Handler);
}

// A cursor from an image file; the stock cursor nearest to it when the
// file is missing or does not read.
wxCursor fromFile(const wxString& name, wxBitmapType type, wxStockCursor stock)
{
    const wxFileName file(QxCursors::cursorFolder(), name);
    if (!file.FileExists())
        return wxCursor(stock);
    addHandlerOnce<wxICOHandler>(wxBITMAP_TYPE_ICO);
    addHandlerOnce<wxCURHandler>(wxBITMAP_TYPE_CUR);
    wxLogNull quiet; // a damaged file gives the default cursor, not a message
    wxImage image;
    if (!image.LoadFile(file.GetFullPath(), type) || !image.IsOk())
        return wxCursor(stock);
    // The hot spot of an icon is its centre; cursor files carry their own.
    if (type == wxBITMAP_TYPE_ICO) {
        image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, image.GetWidth() / 2);
        image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, image.GetHeight() / 2);
    }
    return wxCursor(image);
}

} // namespace

namespace QxCursors {

wxString cursorFolder()
{
    if (!folderSetting().empty())
        return folderSetting();
    wxFileName dir(wxStandardPaths::Get().GetExecutablePath());
    dir.AppendDir("artworks");
    return dir.GetPath();
}

void setCursorFolder(const wxString& folder)
{
    folderSetting() = folder;
    table().clear();
}

wxCursor loadCursor(int id)
{
    switch (id) {
    case QxCursorIds::eCursorOpenHand: return fromFile("open_hand.cur", wxBITMAP_TYPE_CUR, wxCURSOR_HAND);
    case QxCursorIds::eCursorClosedHand: return fromFile("close_hand.cur", wxBITMAP_TYPE_CUR, wxCURSOR_SIZING);
    case QxCursorIds::eCursorCross: return fromFile("cross.cur", wxBITMAP_TYPE_CUR, wxCURSOR_CROSS);
    case QxCursorIds::eCursorArrow: return fromFile("black_arrow.cur", wxBITMAP_TYPE_CUR, wxCURSOR_ARROW);
    case QxCursorIds::eCursorPointer: return fromFile("black_pointer.cur", wxBITMAP_TYPE_CUR, wxCURSOR_POINT_LEFT);
    case QxCursorIds::eCursorSizeNS: return wxCursor(wxCURSOR_SIZENS);
    case QxCursorIds::eCursorSizeWE: return wxCursor(wxCURSOR_SIZEWE);
    case QxCursorIds::eCursorText: return wxCursor(wxCURSOR_IBEAM);
    case QxCursorIds::eCursorDropAllow: return fromFile("indic_drop_allow.ico", wxBITMAP_TYPE_ICO, wxCURSOR_HAND);
    case QxCursorIds::eCursorDropDisallow: return fromFile("indic_drop_disallow.ico", wxBITMAP_TYPE_ICO, wxCURSOR_NO_ENTRY);
    default: return wxCursor();
    }
}

const wxCursor& cursorFromCache(int id)
{
    auto it = table().find(id);
    if (it == table().end())
        it = table().emplace(id, loadCursor(id)).first;
    return it->second;
}

} // namespace QxCursors
