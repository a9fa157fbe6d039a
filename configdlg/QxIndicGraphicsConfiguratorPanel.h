#pragma once
// The "Graphics" page of the indicator configuration dialog: the
// indicator's drawables, which the user may remove. It works on a copy of
// the list that the indicator's configure takes over after OK.
#include "core/QxIndicator.h"

#include <wx/panel.h>

class wxListBox;

class QxIndicGraphicsConfiguratorPanel : public wxPanel {
public:
    // The indicator must outlive the page.
    QxIndicGraphicsConfiguratorPanel(QxIndicator* indicator, wxWindow* parent);

    // Appends a row per drawable of the list; false when the list is empty.
    bool TransferDataToWindow() override;
    // Empties the shown list (before a refill).
    void deleteAllRows();

    // The list as edited.
    const QxDrawableList& getGraphics() const { return m_drawables; }
    // The indicator's default drawables in place of the list, shown anew.
    void resetGraphics();
    // Removes entry index of the list; false beyond its end.
    bool removeDrawable(unsigned index);

    wxListBox* listBox() const { return m_list; }

private:
    QxIndicator* m_indicator;
    QxDrawableList m_drawables;
    wxListBox* m_list;
};
