#pragma once
// The "Input Series" page of the indicator configuration dialog: the series
// of the indicator's one assignable input, a price field or the series it
// already has. It fills itself when made and writes the choice into the
// indicator when the dialog is accepted.
#include "core/QxSeriesId.h"

#include <wx/panel.h>

#include <vector>

class QxIndicator;
class wxChoice;

class QxIndicInputConfiguratorPanel : public wxPanel {
public:
    // The indicator must outlive the page; inputIndex is its assignable input.
    QxIndicInputConfiguratorPanel(QxIndicator* indicator, unsigned inputIndex, wxWindow* parent);

    bool TransferDataFromWindow() override;

    wxChoice* choice() const { return m_choice; }

private:
    void fill();

    QxIndicator* m_indicator;
    unsigned m_inputIndex;
    wxChoice* m_choice;
    std::vector<QxSeriesId> m_ids; // one per entry of the choice
};
