#include "chartframe/QxAnnotationMenu.h"

#include "core/platform/QxMenuArt.h"

#include <wx/intl.h>

namespace {

const QxMenuItemRecord kBasicItems[] = {
    {31000, "Trend &Line", "", 1, "QxART_trend_line_annot"},
    {31001, "&Ray", "", 1, "QxART_ray_annot"},
    {31002, "E&xtended Line", "", 1, "QxART_line_annot"},
    {31003, "&Vertical Line", "", 1, "QxART_vertical_line_annot"},
    {31004, "&Horizontal Line", "", 1, "QxART_horizontal_line_annot"},
    {31005, "&Parallel Lines", "", 1, "QxART_parallel_lines_annot"},
    {31006, "&Connected Lines", "", 1, "QxART_connected_lines_annot"},
    {31007, "&Arrow", "", 1, "QxART_arrow_annot"},
    {31008, "&Both Ways Arrow", "", 1, "QxART_both_ways_arrow_annot"},
    {wxID_SEPARATOR, "", "", -1, ""},
    {31009, "Triangl&e", "", 1, "QxART_triangle_annot"},
    {31010, "Recta&ngle", "", 1, "QxART_rectangle_annot"},
    {31011, "C&ircle", "", 1, "QxART_oval_annot"},
    {wxID_SEPARATOR, "", "", -1, ""},
    {31015, "&Text", "", 1, "QxART_text_annot"},
    {0, "", "", 0, ""},
};

const QxMenuItemRecord kAdvancedItems[] = {
    {wxID_SEPARATOR, "", "", -1, ""},
    {31012, "Andre&w's Pitch Fork", "", 1, "QxART_andrew's_pitch_fork_annot"},
    {31013, "Linear Re&gression Channel", "", 1, "QxART_regression_channel"},
    {31014, "&Fibonacci Retracement", "", 1, "QxART_fib_retracements"},
    {wxID_SEPARATOR, "", "", -1, ""},
    {31016, "&Snap to price", "", 1, "QxART_snap_to_price"},
    {0, "", "", 0, ""},
};

wxItemKind itemKind(int kind)
{
    switch (kind) {
    case -1:
        return wxITEM_SEPARATOR;
    case 1:
        return wxITEM_CHECK;
    default:
        return wxITEM_NORMAL;
    }
}

wxString translated(const char* text) { return *text ? wxGetTranslation(text) : wxString(); }

} // namespace

void appendMenuItems(wxMenu* menu, const QxMenuItemRecord* table)
{
    if (!menu || !table)
        return;
    for (const QxMenuItemRecord* r = table; r->id != 0; ++r) {
        if (r->kind == -1) {
            menu->AppendSeparator();
            continue;
        }
        auto* item = new wxMenuItem(menu, r->id, translated(r->label), translated(r->help), itemKind(r->kind));
        qxSetMenuItemArt(item, wxString::FromUTF8(r->art));
        menu->Append(item);
    }
}

wxMenu* createAnnotationMenu(bool withAdvancedTools)
{
    auto* menu = new wxMenu();
    appendMenuItems(menu, kBasicItems);
    if (withAdvancedTools)
        appendMenuItems(menu, kAdvancedItems);
    return menu;
}
