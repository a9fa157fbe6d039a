#pragma once
// The stock idea finder's dialog: which system, which signals, which dates,
// which period and which securities one scan covers. Parameter files keep
// all of it; the length of the date range is remembered between runs.
#include "trading/FBDlgStockIdeaFinder.h"

#include "core/QxObject.h"
#include "core/QxTime.h"

#include <vector>

class QxTradingSystem;

class QxStockIdeaFinderDlg : public FBDlgStockIdeaFinder {
public:
    explicit QxStockIdeaFinderDlg(wxWindow* parent);
    // Stores the length of the date range, however the dialog closed.
    ~QxStockIdeaFinderDlg() override;

    // Valid after OK.
    QxTradingSystem* system() const { return m_system.get(); }
    unsigned lookFor() const { return m_lookFor; }
    const wxDateTime& from() const { return m_from; }
    const wxDateTime& till() const { return m_till; }
    Qx::QxPeriod periodicity() const { return m_periodicity; }
    // Appends the ids of the list's rows, top to bottom.
    void getSecurityIds(std::vector<unsigned>& ids) const;

    // Takes system as the dialog's and adjusts the signal boxes to its type.
    void setSystem(QxTradingSystem* system);
    // Adds a row for the security of the current database with that id.
    void addSecurity(unsigned securityId);
    // Reads a parameter file into the dialog, with the messages of a user's load.
    void loadFrom(const wxString& path);
    // Writes the dialog's parameters to path; false when that failed.
    bool saveTo(const wxString& path);

    bool validate();

protected:
    void onSelectSystem(wxCommandEvent& event) override;
    void onListSelectionChanged(wxListEvent& event) override;
    void onListKeyDown(wxListEvent& event) override;
    void onAddSymbols(wxCommandEvent& event) override;
    void onAddFromLastFinding(wxCommandEvent& event) override;
    void onRemoveSymbols(wxCommandEvent& event) override;
    void onSave(wxCommandEvent& event) override;
    void onLoad(wxCommandEvent& event) override;
    void onCancel(wxCommandEvent& event) override;
    void onHelp(wxCommandEvent& event) override;
    void onOk(wxCommandEvent& event) override;

private:
    bool hasSelectedRows() const;

    QxObjectSmartPtr<QxTradingSystem> m_system;
    unsigned m_lookFor = 0;
    wxDateTime m_from;
    wxDateTime m_till;
    Qx::QxPeriod m_periodicity = Qx::eDaily;
};
