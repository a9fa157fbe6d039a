#include "app/FBChartPrefPanel.h"
#include "chart/QxChart.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

namespace {

wxSpinCtrl* heightSpin(wxWindow* parent)
{
    return new wxSpinCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                          wxSP_ARROW_KEYS, 0, QxChart::kMaxZoneHeight, 0);
}

} // namespace

FBChartPrefPanel::FBChartPrefPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                   const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* info = new wxBoxSizer(wxHORIZONTAL);
    m_infoBitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
    info->Add(m_infoBitmap, 0, wxALL, 5);
    m_infoText = new wxStaticText(this, wxID_ANY,
                                  _("You can set default settings for chart.\nPlease note that these "
                                    "settings will not affect already displayed charts."));
    info->Add(m_infoText, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    top->Add(info, 0, wxEXPAND, 5);

    auto* styleBox = new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, _("Chart Style")), wxVERTICAL);
    m_styleText = new wxStaticText(styleBox->GetStaticBox(), wxID_ANY,
                                   _("Price history of a security can be shown in variety of ways on a "
                                     "chart.\nChoose your favourite style as default."));
    styleBox->Add(m_styleText, 0, wxALL, 5);
    auto* radios = new wxBoxSizer(wxHORIZONTAL);
    m_candle = new wxRadioButton(styleBox->GetStaticBox(), wxID_ANY, _("&Candle"), wxDefaultPosition,
                                 wxDefaultSize, wxRB_GROUP);
    radios->Add(m_candle, 0, wxALL, 5);
    m_bar = new wxRadioButton(styleBox->GetStaticBox(), wxID_ANY, _("OHLC &Bar"));
    radios->Add(m_bar, 0, wxALL, 5);
    m_line = new wxRadioButton(styleBox->GetStaticBox(), wxID_ANY, _("&Line"));
    radios->Add(m_line, 0, wxALL, 5);
    styleBox->Add(radios, 0, wxEXPAND, 5);
    top->Add(styleBox, 0, wxEXPAND | wxALL, 5);

    auto* heightBox = new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, _("Zone Heights")), wxVERTICAL);
    wxWindow* hb = heightBox->GetStaticBox();
    m_heightsText = new wxStaticText(hb, wxID_ANY,
                                     _("A chart can have many zones, viz. price zone, volume zone and "
                                       "multiple indicator zones.\nYou can specify default height of "
                                       "these zones."));
    heightBox->Add(m_heightsText, 0, wxALL, 5);
    auto* grid = new wxFlexGridSizer(3, 2, 0, 0);
    grid->AddGrowableCol(1);
    m_mainZoneLabel = new wxStaticText(hb, wxID_ANY, _("&Price zone height:"));
    grid->Add(m_mainZoneLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_mainZoneHeight = heightSpin(hb);
    grid->Add(m_mainZoneHeight, 0, wxALL, 5);
    m_volmZoneLabel = new wxStaticText(hb, wxID_ANY, _("&Volume zone height:"));
    grid->Add(m_volmZoneLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_volmZoneHeight = heightSpin(hb);
    grid->Add(m_volmZoneHeight, 0, wxALL, 5);
    m_indcZoneLabel = new wxStaticText(hb, wxID_ANY, _("&Indicator zone heights:"));
    grid->Add(m_indcZoneLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_indcZoneHeight = heightSpin(hb);
    grid->Add(m_indcZoneHeight, 0, wxALL, 5);
    heightBox->Add(grid, 0, wxEXPAND, 5);
    top->Add(heightBox, 0, wxEXPAND | wxALL, 5);

    auto* templateBox =
        new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, _("Default Template")), wxVERTICAL);
    wxWindow* tb = templateBox->GetStaticBox();
    m_templateText = new wxStaticText(
        tb, wxID_ANY,
        _("A Template is a collection of indicators with well defined graphics.\nYou can create Template "
          "file from chart by selecting 'Chart->Save Indicators as Template' menu item.\nIf default "
          "Template is specified then charts are created with indicators added from default Template."));
    templateBox->Add(m_templateText, 0, wxALL, 5);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_templateLabel = new wxStaticText(tb, wxID_ANY, _("&Template file:"));
    row->Add(m_templateLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_templateFile = new wxTextCtrl(tb, wxID_ANY, wxEmptyString);
    row->Add(m_templateFile, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    m_browse = new wxButton(tb, wxID_ANY, _("&Browse..."));
    row->Add(m_browse, 0, wxALL, 5);
    templateBox->Add(row, 0, wxEXPAND, 5);
    top->Add(templateBox, 0, wxEXPAND | wxALL, 5);

    SetSizer(top);
    Layout();
    top->Fit(this);

    m_browse->Bind(wxEVT_BUTTON, &FBChartPrefPanel::OnBrowseTemplate, this);
}

FBChartPrefPanel::~FBChartPrefPanel()
{
    m_browse->Unbind(wxEVT_BUTTON, &FBChartPrefPanel::OnBrowseTemplate, this);
}
