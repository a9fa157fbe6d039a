#pragma once
// The "Graphics" page of the indicator configuration dialog: the graphics
// an indicator draws with, which the user may add (any kind its outputs can
// feed), modify, remove and reorder. Order, additions and removals work on
// a copy of the list that the indicator's configure takes over after OK;
// Modify edits the graphic itself.
#include "core/QxAtom.h"
#include "core/QxIndicator.h"

#include <wx/panel.h>

#include <map>

class wxButton;
class wxListCtrl;
class wxListEvent;

class QxIndicGraphicsConfiguratorPanel : public wxPanel {
public:
    // The Add menu's first id; the others follow.
    static constexpr int kFirstAddMenuId = 6000;

    // The indicator must outlive the page.
    QxIndicGraphicsConfiguratorPanel(QxIndicator* indicator, wxWindow* parent);

    // Appends a row per graphic and selects row 0; false when the list is
    // empty. It does not clear the rows first.
    bool TransferDataToWindow() override;
    void deleteAllRows();

    // The list as edited.
    const QxDrawableList& getGraphics() const { return m_drawables; }
    QxIndicator* indicator() const { return m_indicator; }
    // The indicator's default graphics in place of the list, shown anew.
    void resetGraphics();
    // Inserts a row for drawable at position (negative: the end); its index.
    long insertGraphicRow(QxDrawable* drawable, long position = -1);

    // A new graphic of kind, bound to the outputs and configured by the user;
    // kept when the configurator is accepted. False when not added.
    bool addGraphic(const QxAtom& kind);
    // Opens the configurator on the selected graphic; false when nothing is
    // selected or it was cancelled.
    bool modifySelected();
    // Removes the selected graphic, never the last one.
    bool removeSelected();
    bool moveSelected(bool up);

    wxListCtrl* listCtrl() const { return m_list; }
    wxButton* addButton() const { return m_add; }
    wxButton* modifyButton() const { return m_modify; }
    wxButton* removeButton() const { return m_remove; }
    wxButton* moveUpButton() const { return m_up; }
    wxButton* moveDownButton() const { return m_down; }

private:
    long selectedRow() const;
    void selectRow(long row);
    void updateButtons();
    void onAdd(wxCommandEvent& event);
    void onAddCommand(wxCommandEvent& event);
    void onKeyDown(wxListEvent& event);

    QxIndicator* m_indicator;
    QxDrawableList m_drawables;
    std::map<int, QxAtom> m_menuKinds; // filled only while the Add menu is open
    wxListCtrl* m_list;
    wxButton* m_add;
    wxButton* m_modify;
    wxButton* m_remove;
    wxButton* m_up;
    wxButton* m_down;
};
