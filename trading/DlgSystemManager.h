#pragma once
// Where the user sees the trading systems of the store and creates, edits,
// copies and deletes them. In selection mode it also hands one system back
// to its caller. The dialog changes the store in memory only; the store
// writes itself at exit.
#include "core/QxAtom.h"
#include "core/QxObject.h"
#include "trading/FBDlgSystemManager.h"

#include <wx/arrstr.h>

class QxTradingSystem;

// The row at which name goes into a list whose rows are in ascending name
// order (letter case ignored, then exact), after rows of an equal name.
long sortedRowPosition(const wxArrayString& names, const wxString& name);

class DlgSystemManager : public FBDlgSystemManager {
public:
    DlgSystemManager(wxWindow* parent, bool selectionMode);
    ~DlgSystemManager() override;

    // After wxID_OK in selection mode: the chosen system.
    const QxObjectSmartPtr<QxTradingSystem>& getSelectedSystem() const { return m_selected; }

protected:
    void onListKeyDown(wxListEvent& event) override;
    void onListDoubleClick(wxListEvent& event) override;
    void onListSelectionChanged(wxListEvent& event) override;
    void onNew(wxCommandEvent& event) override;
    void onEdit(wxCommandEvent& event) override;
    void onCopy(wxCommandEvent& event) override;
    void onDelete(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOk(wxCommandEvent& event) override;

    // Runs the trading-system editor on system; its result (wxID_OK when
    // the system was changed).
    virtual int runEditor(QxTradingSystem* system);

private:
    // Asks for the name of a new system until a free one is given; empty
    // when the user gives up.
    wxString askNewSystemName();
    // Inserts a row at its place in name order; the row.
    long insertRow(const QxAtom& name, const wxString& description);
    long addSystemRow(QxTradingSystem* system);
    void selectOnly(long row);
    void updateButtons();
    void activate();
    // Repaints the open charts, whose signal marks may show an edited system.
    static void refreshOpenCharts();
    // The system of the first selected row; row -1 when none is selected,
    // and a message when the store cannot give it.
    QxObjectSmartPtr<QxTradingSystem> selectedRowSystem(long& row);

    bool m_selectionMode;
    QxObjectSmartPtr<QxTradingSystem> m_selected;
};
