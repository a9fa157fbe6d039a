#pragma once
// Layout of the stock idea finder's dialog: the trading system, the data
// periodicity, the signals looked for, the date range and the list of
// securities, with Save and Load of parameter files.
#include "trading/QxPeriodicityChoice.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/datectrl.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>

class FBDlgStockIdeaFinder : public wxDialog {
public:
    FBDlgStockIdeaFinder(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = _("Stock Idea Finder"),
                         const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(651, 520),
                         long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~FBDlgStockIdeaFinder() override;

protected:
    virtual void onSelectSystem(wxCommandEvent& event) { event.Skip(); }
    virtual void onListSelectionChanged(wxListEvent& event) { event.Skip(); }
    virtual void onListKeyDown(wxListEvent& event) { event.Skip(); }
    virtual void onAddSymbols(wxCommandEvent& event) { event.Skip(); }
    virtual void onAddFromLastFinding(wxCommandEvent& event) { event.Skip(); }
    virtual void onRemoveSymbols(wxCommandEvent& event) { event.Skip(); }
    virtual void onSave(wxCommandEvent& event) { event.Skip(); }
    virtual void onLoad(wxCommandEvent& event) { event.Skip(); }
    virtual void onCancel(wxCommandEvent& event) { event.Skip(); }
    virtual void onHelp(wxCommandEvent& event) { event.Skip(); }
    virtual void onOk(wxCommandEvent& event) { event.Skip(); }

    wxStaticBitmap* m_bitmap;
    wxTextCtrl* m_textSystem;
    wxButton* m_btnSelectSystem;
    QxPeriodicityChoice* m_choicePeriodicity;
    wxCheckBox* m_checkLongEntry;
    wxCheckBox* m_checkLongExit;
    wxCheckBox* m_checkShortEntry;
    wxCheckBox* m_checkShortExit;
    wxDatePickerCtrl* m_dateFrom;
    wxDatePickerCtrl* m_dateTill;
    wxListCtrl* m_listSymbols;
    wxButton* m_btnAddSymbols;
    wxButton* m_btnAddFromLast;
    wxButton* m_btnRemoveSymbols;
    wxButton* m_btnSave;
    wxButton* m_btnLoad;
    wxButton* m_btnOk;
    wxButton* m_btnCancel;
    wxButton* m_btnHelp;

private:
    void connectEvents(bool connect);
};
