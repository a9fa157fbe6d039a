#pragma once
// The "Input Series" page of the indicator configuration dialog: feeds the
// indicator's one free input from a price field or from an output of another
// indicator, which the user may pick and configure here. A choice is written
// into the indicator at once, and again on OK; Cancel undoes none of it.
#include "core/QxIndicSeriesSelector.h"

#include <wx/panel.h>

#include <cstdint>
#include <vector>

class QxIndicator;
class wxButton;
class wxChoice;

class QxIndicInputConfiguratorPanel : public wxPanel {
public:
    // The indicator must outlive the page; inputIndex is its free input.
    QxIndicInputConfiguratorPanel(QxIndicator* indicator, unsigned inputIndex, wxWindow* parent);

    // Writes the selected entry's series; with nothing selected (an input
    // on open interest or a constant has no entry) the input is left alone.
    bool TransferDataFromWindow() override;

    // Appends an entry per output of source, which the page keeps alive.
    // False, adding nothing, once the list holds all the sources an entry
    // value can name.
    bool addIndicatorOutputs(QxIndicator* source);
    // Selects the entry of id; ids without an entry leave the selection.
    void selectSeries(const QxSeriesId& id);
    // Runs the indicator selection dialog and, with an indicator chosen,
    // adds its outputs and applies the last of them.
    void addFromIndicatorOutput();

    wxChoice* choice() const { return m_choice; }
    wxButton* addButton() const { return m_add; }
    uint32_t entryValue(unsigned entry) const { return entry < m_values.size() ? m_values[entry] : 0; }
    const QxIndicatorList& sources() const { return m_sources; }

private:
    void appendEntry(const wxString& text, uint32_t value);
    void applySelection();

    QxIndicator* m_indicator;
    unsigned m_inputIndex;
    QxIndicatorList m_sources;
    std::vector<uint32_t> m_values; // the client value of each entry
    wxChoice* m_choice;
    wxButton* m_add;
};
