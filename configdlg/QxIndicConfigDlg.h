#pragma once
// The indicator configuration dialog: up to three pages, chosen by flags
// (1 parameters, 2 graphics, 4 input series). The parameter and input pages
// write into the indicator themselves when the dialog is accepted; the
// graphics page edits a copy of the drawables list that the caller applies.
#include "core/QxIndicator.h"

#include <wx/dialog.h>
#include <wx/panel.h>

class QxIndicOptParamConfiguratorPanal;
class wxChoice;
class wxListBox;
class wxNotebook;

// The "Input Series" page: the series of the indicator's one assignable
// input, a price field or the series it already has.
class QxIndicInputSeriesPanel : public wxPanel {
public:
    QxIndicInputSeriesPanel(wxWindow* parent, QxIndicator* indicator, unsigned inputIndex);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxChoice* choice() const { return m_choice; }

private:
    QxIndicator* m_indicator;
    unsigned m_inputIndex;
    wxChoice* m_choice;
    std::vector<QxSeriesId> m_ids; // one per entry of the choice
};

// The "Graphics" page: the indicator's drawables, which the user may remove.
class QxIndicGraphicsPanel : public wxPanel {
public:
    QxIndicGraphicsPanel(wxWindow* parent, QxIndicator* indicator);

    // The list as edited.
    const QxDrawableList& drawables() const { return m_drawables; }
    // Removes entry index of the list; false beyond its end.
    bool removeDrawable(unsigned index);

    wxListBox* listBox() const { return m_list; }

private:
    void fillList();

    QxDrawableList m_drawables;
    wxListBox* m_list;
};

class QxIndicConfigDlg : public wxDialog {
public:
    enum PageFlags : unsigned {
        ePageParams = 1,
        ePageGraphics = 2,
        ePageInput = 4,
    };

    // The indicator must outlive the dialog.
    QxIndicConfigDlg(QxIndicator* indicator, unsigned flags, wxWindow* parent);

    // Null for a page that was not made.
    QxIndicOptParamConfiguratorPanal* paramPanel() const { return m_paramPanel; }
    QxIndicInputSeriesPanel* inputPanel() const { return m_inputPanel; }
    QxIndicGraphicsPanel* graphicsPanel() const { return m_graphicsPanel; }

    bool TransferDataToWindow() override;
    bool Validate() override;
    bool TransferDataFromWindow() override;

private:
    wxNotebook* m_notebook;
    QxIndicOptParamConfiguratorPanal* m_paramPanel = nullptr;
    QxIndicInputSeriesPanel* m_inputPanel = nullptr;
    QxIndicGraphicsPanel* m_graphicsPanel = nullptr;
};
