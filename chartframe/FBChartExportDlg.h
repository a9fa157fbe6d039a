#pragma once
// Layout of the chart export dialog: the date range, the button that draws
// the preview, and the preview's label. The subclass adds the preview and
// the button row.
#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

class FBChartExportDlg : public wxDialog {
public:
    FBChartExportDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Export Chart as Image"),
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(756, 512),
                     long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBChartExportDlg() override;

protected:
    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void onUpdatePreview(wxCommandEvent& event) { event.Skip(); }

    wxStaticText* m_startLabel;
    wxDatePickerCtrl* m_startDate;
    wxStaticText* m_endLabel;
    wxDatePickerCtrl* m_endDate;
    wxButton* m_updatePreview;
    wxStaticText* m_previewLabel;
    wxBoxSizer* m_mainSizer;
};
