#pragma once
// Layouts of the four chart configuration pages: titled boxes with rows of
// a label and a control.  Font pickers have a colour picker beside them for
// the text colour.
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clrpicker.h>
#include <wx/panel.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

class wxPenPicker;
class wxeFontPickerCtrl;

class FBPanelChartConfigurationBase : public wxPanel {
public:
    explicit FBPanelChartConfigurationBase(wxWindow* parent, wxWindowID id = wxID_ANY);

    wxPenPicker* m_borderPen;
    wxColourPickerCtrl* m_borderColour;
    wxColourPickerCtrl* m_background;
};

class FBPanelPriceConfigurationBase : public wxPanel {
public:
    explicit FBPanelPriceConfigurationBase(wxWindow* parent, wxWindowID id = wxID_ANY);

    wxSpinCtrl* m_tickWidth;
    wxColourPickerCtrl* m_lineColour;
    wxColourPickerCtrl* m_candleUp;
    wxColourPickerCtrl* m_candleDown;
    wxColourPickerCtrl* m_barUp;
    wxColourPickerCtrl* m_barDown;
    wxColourPickerCtrl* m_volumeUp;
    wxColourPickerCtrl* m_volumeDown;
};

// The controls of one zone's title box.
struct FBZoneTitleControls {
    wxeFontPickerCtrl* font;
    wxColourPickerCtrl* textColour;
    wxChoice* alignment;
    wxCheckBox* strip;
    wxColourPickerCtrl* background;
};

class FBPanelZoneConfigurationBase : public wxPanel {
public:
    explicit FBPanelZoneConfigurationBase(wxWindow* parent, wxWindowID id = wxID_ANY);

    // Main, volume and indicator zone.
    FBZoneTitleControls m_zones[3];
};

class FBPanelAxisConfigurationBase : public wxPanel {
public:
    explicit FBPanelAxisConfigurationBase(wxWindow* parent, wxWindowID id = wxID_ANY);

    wxeFontPickerCtrl* m_labelFont;
    wxColourPickerCtrl* m_labelColour;
    wxColourPickerCtrl* m_tickColour;
    // Left, right, below chart, below main zone, below all zones.
    wxCheckBox* m_locations[5];
    wxPenPicker* m_gridPen;
    wxColourPickerCtrl* m_gridColour;
};
