#pragma once
// Layout of the "Chart" page of the preferences: price style, default zone
// heights and the default template.
#include <wx/button.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class FBChartPrefPanel : public wxPanel {
public:
    FBChartPrefPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~FBChartPrefPanel() override;

protected:
    wxStaticBitmap* m_infoBitmap;
    wxStaticText* m_infoText;
    wxStaticText* m_styleText;
    wxRadioButton* m_candle;
    wxRadioButton* m_bar;
    wxRadioButton* m_line;
    wxStaticText* m_heightsText;
    wxStaticText* m_mainZoneLabel;
    wxSpinCtrl* m_mainZoneHeight;
    wxStaticText* m_volmZoneLabel;
    wxSpinCtrl* m_volmZoneHeight;
    wxStaticText* m_indcZoneLabel;
    wxSpinCtrl* m_indcZoneHeight;
    wxStaticText* m_templateText;
    wxStaticText* m_templateLabel;
    wxTextCtrl* m_templateFile;
    wxButton* m_browse;

    virtual void OnBrowseTemplate(wxCommandEvent& event) { event.Skip(); }
};
