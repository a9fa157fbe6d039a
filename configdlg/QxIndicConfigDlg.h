#pragma once
// The indicator configuration dialog: up to three pages, chosen by flags
// (1 parameters, 2 graphics, 4 input series). It edits the indicator it is
// given: parameters reach it when the Parameters page is left with good
// values and on OK, the input on OK; the graphics page edits a copy of the
// drawables list that the caller takes over after OK. Cancel undoes nothing
// already written.
#include "configdlg/FBDlgIndicConfigBase.h"

class QxIndicGraphicsConfiguratorPanel;
class QxIndicInputConfiguratorPanel;
class QxIndicOptParamConfiguratorPanal;
class QxIndicator;

class QxIndicConfigDlg : public FBDlgIndicConfigBase {
public:
    enum PageFlags : unsigned {
        ePageParams = 1,
        ePageGraphics = 2,
        ePageInput = 4,
    };

    // The indicator must outlive the dialog. The parameter rows are left
    // to the caller (createParamControls on the parameter page).
    QxIndicConfigDlg(QxIndicator* indicator, unsigned flags, wxWindow* parent);

    // Null for a page that was not made.
    QxIndicOptParamConfiguratorPanal* getParamPanel() const { return m_paramPanel; }
    QxIndicInputConfiguratorPanel* getInputPanel() const { return m_inputPanel; }
    QxIndicGraphicsConfiguratorPanel* getGraphicsPanel() const { return m_graphicsPanel; }

    // wxID_OK at once, showing nothing, when there is no page.
    int ShowModal() override;

protected:
    void onInitDialog(wxInitDialogEvent& event) override;
    void onPageChanged(wxNotebookEvent& event) override;
    void onPageChanging(wxNotebookEvent& event) override;
    void onReset(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOK(wxCommandEvent& event) override;

private:
    bool confirm(const wxString& question);
    void fitPages();

    QxIndicator* m_indicator;
    QxIndicOptParamConfiguratorPanal* m_paramPanel = nullptr;
    QxIndicInputConfiguratorPanel* m_inputPanel = nullptr;
    QxIndicGraphicsConfiguratorPanel* m_graphicsPanel = nullptr;
};
