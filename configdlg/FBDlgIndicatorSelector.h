#pragma once
// Layouts of the indicator selection dialog: pages of indicators in a
// notebook, the hint row about dragging, and Explain / OK / Cancel / Help;
// and of one page, a two-column list of indicator names and descriptions.
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class FBIndicatorSelectionPanel : public wxPanel {
public:
    FBIndicatorSelectionPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                              const wxSize& size = wxSize(432, 386), long style = wxTAB_TRAVERSAL);
    ~FBIndicatorSelectionPanel() override;

protected:
    wxListCtrl* m_list;

    virtual void onKeyDown(wxListEvent& event) { event.Skip(); }
};

class FBDlgIndicatorSelector : public wxDialog {
public:
    FBDlgIndicatorSelector(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Select Indicator"),
                           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(441, 424),
                           long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgIndicatorSelector() override;

protected:
    wxNotebook* m_pages;
    wxBoxSizer* m_hintRow;
    wxStaticBitmap* m_hintBitmap;
    wxStaticText* m_hintText;
    wxButton* m_explain;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onPageChanged(wxBookCtrlEvent& event) { event.Skip(); }
    virtual void onItemSelected(wxListEvent& event) { event.Skip(); }
    virtual void onItemActivated(wxListEvent& event) { event.Skip(); }
    virtual void onBeginDrag(wxListEvent& event) { event.Skip(); }
    virtual void onExplain(wxCommandEvent& event) { event.Skip(); }
    virtual void onOK(wxCommandEvent& event) { event.Skip(); }
    virtual void onCancel(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }

private:
    void connect(bool on);
};
