#pragma once
// A drop-down list of the output series of an indicator and, when one of its
// inputs is fed by another indicator's output, of that source indicator's
// outputs too. Each entry's client data holds the indicator's position in
// the list (low 16 bits) and the output index (high 16 bits).
#include "core/QxIndicator.h"
#include "core/QxObject.h"
#include "core/QxSeriesId.h"

#include <wx/choice.h>

#include <cstdint>
#include <vector>

using QxIndicatorList = std::vector<QxObjectSmartPtr<QxIndicator>>;

struct QxSeriesChoiceEntry {
    wxString text;
    uint32_t clientData; // output index << 16 | indicator position
};

// What the selector lists for indicator: its outputs, then those of the
// indicator feeding its first assigned indicator-kind input (one level).
// Appends to indicators and entries; nothing for a null indicator.
void listIndicatorSeries(QxIndicator* indicator, QxIndicatorList& indicators,
                         std::vector<QxSeriesChoiceEntry>& entries);

class QxIndicSeriesSelector : public wxChoice {
public:
    // Created with any id, style 0 and no items, then filled; a null
    // indicator leaves it empty.
    QxIndicSeriesSelector(QxIndicator* indicator, wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
                          const wxSize& size = wxDefaultSize, const wxValidator& validator = wxDefaultValidator,
                          const wxString& name = wxChoiceNameStr);
    ~QxIndicSeriesSelector() override;

    // Appends the price fields Open, High, Low, Close and Volume after the
    // outputs, for the places where a series may be a price as well.
    void addPriceFields();

    // Selects the entry of id's indicator (the first listed position holding
    // that object) and output, or of id's price field when those are
    // listed; any other id leaves the selection alone.
    void setSelectedSeries(const QxSeriesId& id);
    // The null id without a selection, else the selected indicator output
    // or price field.
    QxSeriesId getSelectedSeries() const;

    const QxIndicatorList& indicators() const { return m_indicators; }
    uint32_t entryData(unsigned entry) const;

    // The indicator position that marks a price-field entry, whose high 16
    // bits hold the field's kind.
    static constexpr uint32_t kPricePosition = 0xFFFFu;

private:
    QxIndicatorList m_indicators;
};
