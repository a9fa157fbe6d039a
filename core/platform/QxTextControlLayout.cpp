#include "core/platform/QxTextControlLayout.h"

#include <wx/fontutil.h>
#include <wx/module.h>
#include <wx/textctrl.h>

#include <gtk/gtk.h>

#include <algorithm>

namespace {

// A text view that is never shown: its Pango context carries the screen's
// resolution and font settings exactly as an editor's does, and follows
// them when they change.
GtkWidget* g_probe = nullptr;

// The text view keeps a pixel at the right of its text for the caret: its
// lines break that much short of the space between the margins.
constexpr int kCaretSpace = 1;

PangoContext* probeContext()
{
    if (!g_probe) {
        g_probe = gtk_text_view_new();
        g_object_ref_sink(g_probe);
    }
    return gtk_widget_get_pango_context(g_probe);
}

class QxTextControlLayoutModule : public wxModule {
public:
    bool OnInit() override { return true; }
    void OnExit() override
    {
        if (!g_probe)
            return;
        gtk_widget_destroy(g_probe);
        g_object_unref(g_probe);
        g_probe = nullptr;
    }

private:
    wxDECLARE_DYNAMIC_CLASS(QxTextControlLayoutModule);
};

wxIMPLEMENT_DYNAMIC_CLASS(QxTextControlLayoutModule, wxModule);

// A layout of the text in the font, the text in UTF-8 kept beside it
// because Pango counts bytes where the caller counts characters.
struct Laid {
    Laid(const wxFont& font, const wxString& text, int wrapWidth) : utf8(text.utf8_str())
    {
        layout = pango_layout_new(probeContext());
        const wxNativeFontInfo* info = font.IsOk() ? font.GetNativeFontInfo() : nullptr;
        if (info && info->description)
            pango_layout_set_font_description(layout, info->description);
        pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.length()));
        if (wrapWidth > 0) {
            pango_layout_set_width(layout, std::max(1, wrapWidth - kCaretSpace) * PANGO_SCALE);
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        }
    }
    ~Laid() { g_object_unref(layout); }
    Laid(const Laid&) = delete;
    Laid& operator=(const Laid&) = delete;

    const char* at(int byte) const { return utf8.data() + byte; }
    size_t charIndex(int byte) const { return static_cast<size_t>(g_utf8_pointer_to_offset(utf8.data(), at(byte))); }

    wxScopedCharBuffer utf8;
    PangoLayout* layout = nullptr;
};

GtkTextView* textViewOf(wxTextCtrl* control)
{
    if (!control || !control->IsMultiLine())
        return nullptr;
    GtkWidget* widget = control->GetConnectWidget();
    return widget && GTK_IS_TEXT_VIEW(widget) ? GTK_TEXT_VIEW(widget) : nullptr;
}

void backToTop(GtkAdjustment* adjustment, gpointer)
{
    const double top = gtk_adjustment_get_lower(adjustment);
    if (gtk_adjustment_get_value(adjustment) != top)
        gtk_adjustment_set_value(adjustment, top);
}

} // namespace

namespace QxTextControlLayout {

QxControlText layout(const wxFont& font, const wxString& text, int wrapWidth)
{
    const Laid laid(font, text, wrapWidth);
    QxControlText out;
    PangoLayoutIter* it = pango_layout_get_iter(laid.layout);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(it, nullptr, &logical);
        QxControlLine l;
        l.start = laid.charIndex(line->start_index);
        l.length = static_cast<size_t>(g_utf8_strlen(laid.at(line->start_index), line->length));
        l.pos = wxPoint(PANGO_PIXELS(logical.x), PANGO_PIXELS(logical.y));
        const char* p = laid.at(line->start_index);
        int x = 0;
        for (size_t i = 0; i < l.length; ++i) {
            pango_layout_line_index_to_x(line, static_cast<int>(p - laid.utf8.data()), FALSE, &x);
            l.edges.push_back(PANGO_PIXELS(x));
            if (i + 1 == l.length)
                pango_layout_line_index_to_x(line, static_cast<int>(p - laid.utf8.data()), TRUE, &x);
            p = g_utf8_next_char(p);
        }
        l.edges.push_back(l.length ? PANGO_PIXELS(x) : 0);
        if (out.lines.empty())
            out.lineHeight = std::max(1, PANGO_PIXELS(logical.height));
        out.lines.push_back(std::move(l));
    } while (pango_layout_iter_next_line(it));
    pango_layout_iter_free(it);
    PangoRectangle all;
    pango_layout_get_pixel_extents(laid.layout, nullptr, &all);
    out.width = all.width;
    out.height = std::max(all.height, out.lineHeight);
    return out;
}

int widestWord(const wxFont& font, const wxString& text)
{
    const Laid laid(font, text, 0);
    int count = 0;
    const PangoLogAttr* attrs = pango_layout_get_log_attrs_readonly(laid.layout, &count);
    int widest = 0;
    PangoLayoutIter* it = pango_layout_get_iter(laid.layout);
    do {
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(it);
        const size_t first = laid.charIndex(line->start_index);
        const size_t length = static_cast<size_t>(g_utf8_strlen(laid.at(line->start_index), line->length));
        const char* p = laid.at(line->start_index);
        int start = 0, inkEnd = 0;
        for (size_t i = 0; i < length; ++i, p = g_utf8_next_char(p)) {
            const size_t c = first + i;
            const int byte = static_cast<int>(p - laid.utf8.data());
            int lead = 0;
            pango_layout_line_index_to_x(line, byte, FALSE, &lead);
            if (i == 0 || (c < size_t(count) && attrs[c].is_line_break)) {
                widest = std::max(widest, inkEnd - start);
                start = inkEnd = lead;
            }
            // Spaces at a break may hang past the line's end.
            if (c < size_t(count) && !attrs[c].is_white)
                pango_layout_line_index_to_x(line, byte, TRUE, &inkEnd);
        }
        widest = std::max(widest, inkEnd - start);
    } while (pango_layout_iter_next_line(it));
    pango_layout_iter_free(it);
    return PANGO_PIXELS_CEIL(widest) + kCaretSpace;
}

bool prepareEditor(wxTextCtrl* control, int margin)
{
    GtkTextView* view = textViewOf(control);
    if (!view)
        return false;
    gtk_text_view_set_left_margin(view, margin);
    gtk_text_view_set_right_margin(view, margin);
    gtk_text_view_set_top_margin(view, margin);
    gtk_text_view_set_bottom_margin(view, margin);
    gtk_text_view_set_wrap_mode(view, GTK_WRAP_WORD_CHAR);
    if (GtkAdjustment* vertical = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view)))
        g_signal_connect(vertical, "value-changed", G_CALLBACK(backToTop), nullptr);
    return true;
}

std::vector<std::pair<size_t, wxPoint>> shownLines(wxTextCtrl* control)
{
    std::vector<std::pair<size_t, wxPoint>> out;
    GtkTextView* view = textViewOf(control);
    if (!view)
        return out;
    GtkTextIter it;
    gtk_text_buffer_get_start_iter(gtk_text_view_get_buffer(view), &it);
    auto add = [&] {
        GdkRectangle r;
        gtk_text_view_get_iter_location(view, &it, &r);
        int x = 0, y = 0;
        gtk_text_view_buffer_to_window_coords(view, GTK_TEXT_WINDOW_WIDGET, r.x, r.y, &x, &y);
        out.emplace_back(static_cast<size_t>(gtk_text_iter_get_offset(&it)), wxPoint(x, y));
    };
    add();
    while (true) {
        const int before = gtk_text_iter_get_offset(&it);
        const bool more = gtk_text_view_forward_display_line(view, &it);
        // The last line may be an empty one after a line break: reaching it
        // reaches the end of the text.
        if (gtk_text_iter_get_offset(&it) == before)
            break;
        if (!more && !(gtk_text_iter_is_end(&it) && gtk_text_view_starts_display_line(view, &it)))
            break;
        add();
        if (!more)
            break;
    }
    return out;
}

} // namespace QxTextControlLayout
