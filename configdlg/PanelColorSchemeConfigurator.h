#pragma once
// The "Color Scheme" page of the graphic configurator: which registered
// scheme colours the graphic, the indicator outputs its series roles read and
// its colours. OK gives the graphic a new scheme built from the rows.
#include "core/QxAtom.h"
#include "core/QxObject.h"

#include <wx/panel.h>

#include <vector>

class QxColorScheme;
class QxDrawable;
class QxIndicSeriesSelector;
class QxIndicator;
class wxChoice;
class wxColourPickerCtrl;
class wxFlexGridSizer;

class PanelColorSchemeConfigurator : public wxPanel {
public:
    PanelColorSchemeConfigurator(QxIndicator* indicator, QxDrawable* drawable, wxWindow* parent);
    ~PanelColorSchemeConfigurator() override;

    // Shows the rows of the scheme selected in the choice: the graphic's own
    // when it is of that kind, else the kind's defaults.
    void rebuildRows();
    // Replaces the graphic's scheme when every series row has a selection;
    // otherwise tells which one is empty, with this page in front.
    bool Validate() override;

    wxChoice* schemeChoice() const { return m_choice; }
    const std::vector<QxIndicSeriesSelector*>& seriesRows() const { return m_seriesRows; }
    const std::vector<wxColourPickerCtrl*>& colourRows() const { return m_colourRows; }

private:
    void fitToRows();

    QxIndicator* m_indicator; // outlives the dialog; a reference's release could tear it down
    QxObjectSmartPtr<QxDrawable> m_drawable;
    std::vector<QxAtom> m_schemes; // by position in the choice
    wxChoice* m_choice;
    wxFlexGridSizer* m_grid;
    std::vector<QxIndicSeriesSelector*> m_seriesRows;
    std::vector<wxColourPickerCtrl*> m_colourRows;
};
