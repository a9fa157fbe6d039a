#pragma once
// Layout of the condition editor: the first series, the condition and the
// second series side by side, a word of explanation and the standard
// buttons.
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

class FBDlgConditionEditor : public wxDialog {
public:
    FBDlgConditionEditor(wxWindow* parent, wxWindowID id = wxID_ANY,
                         const wxString& title = _("Define condition for signal"),
                         const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(600, 166),
                         long style = wxDEFAULT_DIALOG_STYLE);
    ~FBDlgConditionEditor() override;

protected:
    wxStaticText* m_heading;
    wxChoice* m_firstSeries;
    wxChoice* m_condition;
    wxChoice* m_secondSeries;
    wxStaticBitmap* m_bitmap;
    wxStaticText* m_explanation;
    wxButton* m_ok;
    wxButton* m_cancel;
    wxButton* m_help;

    virtual void onFirstSeriesChanged(wxCommandEvent& event) { event.Skip(); }
    virtual void onConditionChanged(wxCommandEvent& event) { event.Skip(); }
    virtual void onSecondSeriesChanged(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOk(wxCommandEvent& event) { event.Skip(); }
};
