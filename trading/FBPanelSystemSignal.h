#pragma once
// Layout of one signal page of the trading-system editor: the same-as box,
// the any/all rule, the list of conditions and its commands.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

class FBPanelSystemSignal : public wxPanel {
public:
    FBPanelSystemSignal(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxSize(433, 372), long style = wxTAB_TRAVERSAL);
    ~FBPanelSystemSignal() override;

protected:
    wxBoxSizer* m_top;
    wxCheckBox* m_sameAs;
    wxStaticText* m_triggered;
    wxRadioButton* m_any;
    wxRadioButton* m_all;
    wxListView* m_list;
    wxButton* m_add;
    wxButton* m_modify;
    wxButton* m_delete;

    virtual void onSameAsToggled(wxCommandEvent& event) { event.Skip(); }
    virtual void onAdd(wxCommandEvent& event) { event.Skip(); }
    virtual void onModify(wxCommandEvent& event) { event.Skip(); }
    virtual void onDelete(wxCommandEvent& event) { event.Skip(); }
    virtual void onListKeyDown(wxListEvent& event) { event.Skip(); }
    virtual void onListDoubleClick(wxListEvent& event) { event.Skip(); }
    virtual void onListSelectionChanged(wxListEvent& event) { event.Skip(); }
};
