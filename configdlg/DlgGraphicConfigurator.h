#pragma once
// The dialog in which one graphic of an indicator is edited: a page binding
// each data role to one of the indicator's series and each constant role to
// a number, and a page choosing its colour scheme. Pages write into the
// graphic when OK finds them valid, in page order, so a page refused later
// leaves the earlier pages' writes in place.
#include "core/QxObject.h"

#include <wx/dialog.h>
#include <wx/panel.h>

#include <vector>

class PanelColorSchemeConfigurator;
class QxDrawable;
class QxIndicator;
class wxFlexGridSizer;
class wxNotebook;
class wxSizer;
class wxStaticText;

// A right-aligned, vertically centred row label, as the configurator pages
// lay out their rows.
wxStaticText* addRowLabel(wxWindow* parent, wxSizer* sizer, const wxString& text);

class PanelGraphicObjConfigurator : public wxPanel {
public:
    PanelGraphicObjConfigurator(QxIndicator* indicator, QxDrawable* drawable, wxWindow* parent);
    ~PanelGraphicObjConfigurator() override;

    // Checks every row first, telling the first bad one and writing
    // nothing; then binds every role. True when written.
    bool Validate() override;

    // The control of role index (a series selector or a text field).
    wxWindow* roleControl(size_t index) const { return index < m_controls.size() ? m_controls[index] : nullptr; }

private:
    QxIndicator* m_indicator; // outlives the dialog; a reference's release could tear it down
    QxObjectSmartPtr<QxDrawable> m_drawable;
    std::vector<wxWindow*> m_controls; // one per role of a data or constant kind, null for others
};

class DlgGraphicConfigurator : public wxDialog {
public:
    DlgGraphicConfigurator(QxIndicator* indicator, QxDrawable* drawable, wxWindow* parent);

    wxNotebook* notebook() const { return m_notebook; }
    PanelGraphicObjConfigurator* objectPage() const { return m_objectPage; }
    PanelColorSchemeConfigurator* colourPage() const { return m_colourPage; }

private:
    void onOK(wxCommandEvent& event);

    wxNotebook* m_notebook;
    PanelGraphicObjConfigurator* m_objectPage;
    PanelColorSchemeConfigurator* m_colourPage;
};
