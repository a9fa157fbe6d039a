#pragma once
// The data selector: opens the database the program works on. At start-up
// loadDefaultDataSource opens the stored choice or, failing that, the
// program's own database file in the user's data folder; the dialog lets the
// user choose a data format and location, opens it and stores the choice.
#include "app/FBDataSelectorDlg.h"
#include "core/QxAtom.h"
#include "core/QxDatabase.h"
#include "core/QxDataReader.h"
#include "core/QxObject.h"

#include <wx/config.h>
#include <wx/filename.h>

#include <vector>

class QxDataSelectorDlg : public FBDataSelectorDlg {
public:
    // The reader of the program's own history databases.
    static const char* const kDefaultReaderId;
    // Numbered names tried after "hist.trddb": hist1.trddb up to this one.
    static const int kMaxNumberedFiles = 99;

    explicit QxDataSelectorDlg(wxWindow* parent);
    ~QxDataSelectorDlg() override;

    // The database to start with, or null. When null and why is given, it
    // receives a sentence for the user saying what went wrong.
    static QxObjectSmartPtr<QxDatabase> loadDefaultDataSource(wxString* why = nullptr);
    // The same over an explicit store and data folder (the folder "data" of
    // the user's local data folder in the program).
    static QxObjectSmartPtr<QxDatabase> loadDefaultDataSource(wxConfigBase& config,
                                                              const wxString& dataFolder,
                                                              wxString* why);
    // The folder "data" below the user's local data folder.
    static wxString defaultDataFolder();

    // The database the OK button opened, null until then.
    QxObjectSmartPtr<QxDatabase> database() const { return m_database; }
    // Whether OK stores the choice as the database of the next start (so by
    // default). A caller that may still keep the old database stores it
    // itself, with storeChoice, once the new one is taken.
    void setStoreOnOk(bool store) { m_storeOnOk = store; }
    void storeChoice();

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnFormatChoice(wxCommandEvent& event) override;
    void OnDetails(wxCommandEvent& event) override;
    void OnBrowse(wxCommandEvent& event) override;
    void OnCancel(wxCommandEvent& event) override;
    void OnHelp(wxCommandEvent& event) override;
    void OnOK(wxCommandEvent& event) override;

    // Shows a message box over the dialog; returns the button pressed.
    virtual int showMessage(const wxString& text, long style);
    // The database the program has open now, if any.
    virtual const QxDatabase* openDatabaseOfProgram() const;
    // Where the choice is stored.
    virtual wxConfigBase& config() const;

private:
    QxDataReader* selectedReader() const;
    void updateButtons();

    wxFileName m_locationName;
    QxObjectSmartPtr<QxDataReader> m_reader;
    // The reader's extra parameter; empty unless its options dialog set one.
    wxString m_options;
    std::vector<unsigned> m_readerIds;
    QxObjectSmartPtr<QxDatabase> m_database;
    wxString m_chosenLocation;
    bool m_storeOnOk = true;
};
