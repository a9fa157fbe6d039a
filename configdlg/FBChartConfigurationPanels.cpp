#include "configdlg/FBChartConfigurationPanels.h"

#include "configdlg/wxPenPicker.h"
#include "configdlg/wxeFontPickerCtrl.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

namespace {

// A titled box whose rows are a label and a control.
class Box {
public:
    Box(wxWindow* parent, wxSizer* into, const wxString& title, int proportion = 0)
    {
        m_box = new wxStaticBoxSizer(wxVERTICAL, parent, title);
        m_grid = new wxFlexGridSizer(2, 5, 10);
        m_grid->AddGrowableCol(1);
        m_box->Add(m_grid, 0, wxALL | wxEXPAND, 5);
        into->Add(m_box, proportion, wxALL | wxEXPAND, 5);
    }
    wxWindow* owner() const { return m_box->GetStaticBox(); }
    template <class W>
    W* row(const wxString& label, W* control)
    {
        m_grid->Add(new wxStaticText(owner(), wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        m_grid->Add(control, 0, wxALIGN_CENTER_VERTICAL);
        return control;
    }
    // A font picker with the colour picker of its text beside it.
    wxeFontPickerCtrl* fontRow(const wxString& label, wxColourPickerCtrl*& colour)
    {
        m_grid->Add(new wxStaticText(owner(), wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        auto* line = new wxBoxSizer(wxHORIZONTAL);
        auto* font = new wxeFontPickerCtrl(owner());
        colour = colourPicker();
        colour->SetToolTip(_("Text color"));
        line->Add(font, 1, wxALIGN_CENTER_VERTICAL);
        line->Add(colour, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 5);
        m_grid->Add(line, 0, wxEXPAND);
        return font;
    }
    wxCheckBox* check(const wxString& label)
    {
        auto* box = new wxCheckBox(owner(), wxID_ANY, label);
        m_box->Add(box, 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
        return box;
    }
    wxColourPickerCtrl* colourPicker() { return new wxColourPickerCtrl(owner(), wxID_ANY, *wxBLACK); }
    wxPenPicker* penPicker() { return new wxPenPicker(owner(), wxID_ANY, wxDefaultPosition, wxSize(120, -1)); }

private:
    wxStaticBoxSizer* m_box;
    wxFlexGridSizer* m_grid;
};

} // namespace

FBPanelChartConfigurationBase::FBPanelChartConfigurationBase(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    Box box(this, top, _("Colors and styles"));
    m_borderPen = box.row(_("&Border style:"), box.penPicker());
    m_borderColour = box.row(_("B&order color:"), box.colourPicker());
    m_background = box.row(_("&Background color:"), box.colourPicker());
    SetSizer(top);
    Layout();
}

FBPanelPriceConfigurationBase::FBPanelPriceConfigurationBase(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* outer = new wxStaticBoxSizer(wxVERTICAL, this, _("Price Object Parameters"));
    top->Add(outer, 1, wxALL | wxEXPAND, 5);
    wxWindow* owner = outer->GetStaticBox();
    outer->Add(new wxStaticText(owner, wxID_ANY,
                                _("Price can be shown as candles, OHLC bar, or simply as a line.\nYou can change "
                                  "color of these objects as you want them to be shown on chart.\nYou can also "
                                  "specify the default width of each tick.")),
               0, wxALL, 5);

    // Two columns of boxes keep the page about as high as the others.
    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    auto* right = new wxBoxSizer(wxVERTICAL);
    columns->Add(left, 1, wxEXPAND);
    columns->Add(right, 1, wxEXPAND);
    outer->Add(columns, 1, wxEXPAND);

    Box tick(owner, left, _("Tick Width"));
    // Its own width: GTK's spin button with its two buttons cannot be drawn
    // in 50 pixels.
    m_tickWidth = tick.row(_("&Tick width:"), new wxSpinCtrl(tick.owner(), wxID_ANY, wxEmptyString, wxDefaultPosition,
                                                             wxDefaultSize, wxSP_ARROW_KEYS, 1, 100, 1));
    Box line(owner, left, _("Line Color"));
    m_lineColour = line.row(_("&Line color:"), line.colourPicker());
    Box candle(owner, left, _("Candle Color"));
    m_candleUp = candle.row(_("Price &up color:"), candle.colourPicker());
    m_candleDown = candle.row(_("Price &down color:"), candle.colourPicker());
    Box bar(owner, right, _("OHLC Bar Color"));
    m_barUp = bar.row(_("Price &up color:"), bar.colourPicker());
    m_barDown = bar.row(_("Price &down color:"), bar.colourPicker());
    Box volume(owner, right, _("Volume bar colors"));
    m_volumeUp = volume.row(_("Price &up color:"), volume.colourPicker());
    m_volumeDown = volume.row(_("Price &down color:"), volume.colourPicker());
    SetSizer(top);
    Layout();
}

FBPanelZoneConfigurationBase::FBPanelZoneConfigurationBase(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    const wxString titles[3] = {_("Main zone"), _("Volume zone"), _("Indicator zone")};
    for (int i = 0; i < 3; ++i) {
        Box box(this, top, titles[i]);
        FBZoneTitleControls& z = m_zones[i];
        z.font = box.fontRow(_("Title &font:"), z.textColour);
        z.alignment = box.row(_("Title ali&gnment:"), new wxChoice(box.owner(), wxID_ANY));
        z.strip = box.row(wxString(), new wxCheckBox(box.owner(), wxID_ANY, _("&Separate title bar.")));
        z.background = box.row(_("Title &background color:"), box.colourPicker());
    }
    SetSizer(top);
    Layout();
}

FBPanelAxisConfigurationBase::FBPanelAxisConfigurationBase(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    Box axis(this, top, _("Axis configuration"));
    m_labelFont = axis.fontRow(_("Label &font:"), m_labelColour);
    m_tickColour = axis.row(_("&Tick color:"), axis.colourPicker());

    Box where(this, top, _("Axis locations"));
    const wxString labels[5] = {_("Axis on &left"), _("Axis on &right"), _("Axis below chart"),
                                _("Axis below main zone"), _("Axis below all zones")};
    for (int i = 0; i < 5; ++i)
        m_locations[i] = where.check(labels[i]);

    Box grid(this, top, _("Grid color and style"));
    m_gridPen = grid.row(_("&Grid style:"), grid.penPicker());
    m_gridColour = grid.row(_("Gr&id color:"), grid.colourPicker());
    SetSizer(top);
    Layout();
}
