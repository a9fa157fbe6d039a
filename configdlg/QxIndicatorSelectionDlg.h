#pragma once
// Where the user picks an indicator of the catalogue: a page "All", then one
// page per indicator group. chooseIndicator hands back a private copy of the
// chosen indicator, configured in its dialog; when the caller allows it, the
// user may instead start dragging a row, which ends the dialog at once and
// hands back the copy unconfigured for the chart view to place.
#include "configdlg/FBDlgIndicatorSelector.h"
#include "core/QxObject.h"

class QxIndicator;
class QxIndicatorSelectionPanel;

class QxIndicatorSelectionDlg : public FBDlgIndicatorSelector {
public:
    // The code a run ends with when the user starts dragging a row.
    static constexpr int kEndedByDrag = 10000;

    explicit QxIndicatorSelectionDlg(wxWindow* parent);
    ~QxIndicatorSelectionDlg() override;

    // The process-wide dialog, built on the first call as a child of the
    // application's hidden window, and kept (hidden) between uses.
    static QxIndicatorSelectionDlg* get();
    // The process-wide dialog when it was built, else null.
    static QxIndicatorSelectionDlg* instance();

    // Runs the dialog modally. Returns a new indicator that nobody holds yet
    // (the caller takes the first reference), or null when the user
    // cancelled the dialog or the configuration. pageFlags go to the copy's
    // configure (1 parameters, 2 graphics, 4 input series); with allowDrag
    // the hint row shows and a drag ends the run with an unconfigured copy.
    QxIndicator* chooseIndicator(unsigned pageFlags, bool allowDrag);
    // Whether the last chooseIndicator ended because a drag started.
    bool endedByDrag() const { return m_endedByDrag; }

    // The registered indicator last taken by OK, Explain or a drag.
    QxIndicator* selectedIndicator() const { return m_selected.get(); }
    bool isDragAllowed() const { return m_dragAllowed; }
    bool isHintShown() const;
    bool isExplainEnabled() const { return m_explain->IsEnabled(); }
    wxButton* explainButton() const { return m_explain; }

    size_t pageCount() const { return m_pages->GetPageCount(); }
    QxIndicatorSelectionPanel* page(size_t index) const;
    QxIndicatorSelectionPanel* currentPage() const;
    wxNotebook* notebook() const { return m_pages; }

    // What the buttons and the list do, for callers that script the dialog.
    void ok();
    void explain();
    void startDrag();

protected:
    void onInitDialog(wxInitDialogEvent& event) override;
    void onPageChanged(wxBookCtrlEvent& event) override;
    void onItemSelected(wxListEvent& event) override;
    void onItemActivated(wxListEvent& event) override;
    void onBeginDrag(wxListEvent& event) override;
    void onExplain(wxCommandEvent& event) override;
    void onOK(wxCommandEvent& event) override;
    void onCancel(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;

private:
    void takeSelection();
    void end(int code);
    void showHint(bool show);
    void onShow(wxShowEvent& event);

    QxObjectSmartPtr<QxIndicator> m_selected;
    bool m_dragAllowed = true;
    bool m_endedByDrag = false;
    bool m_running = false; // inside chooseIndicator's modal run
};
