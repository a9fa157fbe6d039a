#include "chartframe/QxAnnotToolBar.h"

#include "chartframe/QxToolbarTool.h"

namespace {

struct AnnotTool {
    int id;
    const char* tooltip;
    const char* art;
};

void addTools(wxAuiToolBar* toolbar, const AnnotTool* tools, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (tools[i].id < 0) {
            toolbar->AddSeparator();
            continue;
        }
        qxAddTool(toolbar, wxSize(16, 16), tools[i].id, "", tools[i].art, tools[i].tooltip, wxITEM_CHECK);
    }
}

const AnnotTool kBasic[] = {
    {31000, "Trend Line", "QxART_trend_line_annot"},
    {31001, "Ray", "QxART_ray_annot"},
    {31002, "Extended Line", "QxART_line_annot"},
    {31003, "Vertical Line", "QxART_vertical_line_annot"},
    {31004, "Horizontal Line", "QxART_horizontal_line_annot"},
    {31005, "Parallel Line", "QxART_parallel_lines_annot"},
    {31006, "Connected Lines", "QxART_connected_lines_annot"},
    {31007, "Arrow", "QxART_arrow_annot"},
    {31008, "Both Ways Arrow", "QxART_both_ways_arrow_annot"},
    {-1, "", ""},
    {31009, "Triangle", "QxART_triangle_annot"},
    {31010, "Rectangle", "QxART_rectangle_annot"},
    {31011, "Circle", "QxART_oval_annot"},
    {-1, "", ""},
    {31015, "Text", "QxART_text_annot"},
};

const AnnotTool kAdvanced[] = {
    {-1, "", ""},
    {31012, "Andrew's Pitch Fork", "QxART_andrew's_pitch_fork"},
    {31013, "Linear Regression Channel", "QxART_regression_channel"},
    {31014, "Fibonacci Retracements", "QxART_fib_retracements"},
    {-1, "", ""},
    {31016, "Enable/Disable snap to price", "QxART_snap_to_price"},
};

} // namespace

QxAnnotToolBar::QxAnnotToolBar(wxWindow* parent, wxWindowID, const wxPoint& pos, const wxSize&, long)
    : wxAuiToolBar(parent, wxID_ANY, pos, wxDefaultSize, 0)
{
    addTools(this, kBasic, WXSIZEOF(kBasic));
}

QxAnnotToolBar::~QxAnnotToolBar() = default;

void QxAnnotToolBar::addAdvancedTools() { addTools(this, kAdvanced, WXSIZEOF(kAdvanced)); }
