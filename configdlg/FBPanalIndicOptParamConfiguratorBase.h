#pragma once
// Layout of the "Parameters" page of the indicator configuration dialog: a
// header (icon, the indicator's full name, a line of explanation) above a
// two-column grid of labels and controls that its owner fills row by row.
#include <wx/panel.h>

class wxFlexGridSizer;
class wxStaticBitmap;
class wxStaticText;

class FBPanalIndicOptParamConfiguratorBase : public wxPanel {
public:
    FBPanalIndicOptParamConfiguratorBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                         const wxPoint& pos = wxDefaultPosition,
                                         const wxSize& size = wxSize(450, 300), long style = wxTAB_TRAVERSAL);
    ~FBPanalIndicOptParamConfiguratorBase() override;

protected:
    wxStaticBitmap* m_bitmap;
    wxStaticText* m_fullName;
    wxStaticText* m_explanation;
    wxFlexGridSizer* m_paramGrid;

    virtual void onInitDialog(wxInitDialogEvent& event) { event.Skip(); }
};
